#include "edit/TextPreview.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// A slow reference: every pixel of a glyph that is not background is a zoom x zoom block at the
// pen; "\r\n", "\r" and "\n" each break the line.
QImage ReferencePreview(const Charset& set, const QString& text, int zoom) {
    QImage preview(PreviewSize, QImage::Format_RGB32);
    preview.fill(DisplayColors[0]);
    QPainter painter(&preview);
    int x = 4 + zoom, y = 4;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Glyph* glyph = set.GlyphAt(text[i].unicode());
        if (text[i] == u'\r' || text[i] == u'\n') {
            i += text.mid(i, 2) == u"\r\n"_s ? 1 : 0;
            x = 4 + zoom;
            y += set.fontHeight * zoom;
        } else if (glyph != nullptr) {
            for (int gy = 0; gy < glyph->height(); ++gy) {
                for (int gx = 0; gx < glyph->width(); ++gx) {
                    const QRgb color = glyph->raster.pixel(gx, gy);
                    if (set.PaletteIndexOf(color) != 0) {
                        painter.fillRect(x + (glyph->xOffset + gx) * zoom,
                                         y + (glyph->yOffset + gy) * zoom, zoom, zoom,
                                         QColor(color));
                    }
                }
            }
            x += (glyph->width() + glyph->xOffset) * zoom;
        }
    }
    return preview;
}

// Frames of a colour round a background middle, a wide one, one drawn though not stored.
Charset SampleSet() {
    Charset set;
    set.NewCharset(2);
    const auto frame = [](int color, int width, int height) {
        return [=](int x, int y) {
            return x == 0 || y == 0 || x == width - 1 || y == height - 1 ? color : 0;
        };
    };
    SetGlyph(set, 'A', 5, 7, frame(1, 5, 7));
    SetGlyph(set, 'B', 4, 6, frame(2, 4, 6), -1, 2);
    SetGlyph(set, 'C', 3, 12, frame(3, 3, 12), 0, -3);
    SetGlyph(set, 'M', 127, 2, frame(1, 1, 2));
    SetGlyph(set, 250, 2, 2, frame(1, 2, 2));
    set.numChars = 100;
    return set;
}

TEST(TextPreviewTest, MatchesTheReferenceForManyTextsAndZooms) {
    const Charset set = SampleSet();
    const QString texts[] = {QString(),         u"A B\r\nCA"_s,
                             u"A\rB\n\rC\n"_s,  u"ABC\u20ACA\u00FA\r\n"_s,
                             QString(40, u'C'), QString(200, u'M') + u'A'};
    for (const QString& text : texts) {
        for (int zoom = 1; zoom <= 6; ++zoom) {
            EXPECT_TRUE(RenderPreview(set, text, zoom).convertToFormat(QImage::Format_RGB32) ==
                        ReferencePreview(set, text, zoom))
                << text.toStdString() << " zoom " << zoom;
        }
    }
}

TEST(TextPreviewTest, MissingMarksAreBarsAtThePenThatMoveNothing) {
    Charset set = SampleSet();
    // é is not stored, 250 is drawn but not stored, the emoji is one character beyond 255. At
    // zoom 3 the pen stands at x 22 after "A", then at (7, 34) after the line break, and at
    // (13, 34) after the 2 pixels of 250.
    const QString text = u"A\u00E9\r\n"_s + QChar(250) + u"\U0001F600"_s;
    const QRect bars[] = {{22, 4, 3, 30}, {7, 34, 3, 30}, {13, 34, 3, 30}};
    const QImage hidden = RenderPreview(set, text, 3);
    EXPECT_TRUE(hidden.convertToFormat(QImage::Format_RGB32) == ReferencePreview(set, text, 3));
    const QImage shown = RenderPreview(set, text, 3, PreviewSize, MissingMarks::Shown);
    for (int y = 0; y < PreviewSize.height(); ++y) {
        for (int x = 0; x < PreviewSize.width(); ++x) {
            const bool onBar = std::any_of(std::begin(bars), std::end(bars),
                                           [&](const QRect& bar) { return bar.contains(x, y); });
            ASSERT_EQ(shown.pixel(x, y), onBar ? DisplayColors[3] : hidden.pixel(x, y))
                << x << "," << y;
        }
    }
    // The glyph after a missing character stands at the same pen, over the bar.
    const QImage next = RenderPreview(set, u"\u00E9A"_s, 3, PreviewSize, MissingMarks::Shown);
    EXPECT_EQ(next.pixel(7, 4), DisplayColors[1]);
    EXPECT_EQ(next.pixel(7, 30), DisplayColors[3]);
    set.fontHeight = 0;
    const QImage flat = RenderPreview(set, u"\u00E9"_s, 3, PreviewSize, MissingMarks::Shown);
    EXPECT_EQ(flat.pixel(7, 6), DisplayColors[3]) << "at least zoom pixels high";
    EXPECT_EQ(flat.pixel(7, 7), DisplayColors[0]);
}

} // namespace
} // namespace fontlathe::test
