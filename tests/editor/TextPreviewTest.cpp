#include "editor/TextPreview.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

using test::SetGlyph;

// A slow reference of the preview: every glyph pixel that is not background becomes a
// zoom x zoom block at the pen, pen moves as described.
QImage ReferencePreview(const Charset& set, const QString& text, int zoom, QSize size) {
    QImage preview(size, QImage::Format_RGB32);
    preview.fill(DisplayColors[0]);
    long x = 4 + zoom;
    long y = 4;
    for (QChar unit : NormalizeLineBreaks(text)) {
        const int code = unit.unicode();
        if (code == 13) {
            x = 4 + zoom;
            y += long(set.fontHeight) * zoom;
            continue;
        }
        if (code > 255 || !set.glyphs[code].present()) {
            continue;
        }
        const Glyph& glyph = set.glyphs[code];
        for (int gy = 0; gy < glyph.height(); ++gy) {
            for (int gx = 0; gx < glyph.width(); ++gx) {
                const QRgb color = glyph.raster.pixel(gx, gy);
                if (set.PaletteIndexOf(color) == 0) {
                    continue;
                }
                for (int sy = 0; sy < zoom; ++sy) {
                    for (int sx = 0; sx < zoom; ++sx) {
                        const long px = x + (long(glyph.xOffset) + gx) * zoom + sx;
                        const long py = y + (long(glyph.yOffset) + gy) * zoom + sy;
                        if (px >= 0 && py >= 0 && px < size.width() && py < size.height()) {
                            preview.setPixel(int(px), int(py), color);
                        }
                    }
                }
            }
        }
        x += long(glyph.width() + glyph.xOffset) * zoom;
    }
    return preview;
}

void ExpectSameImage(const QImage& actual, const QImage& expected, const char* what) {
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), e.size()) << what;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            ASSERT_EQ(a.pixel(x, y), e.pixel(x, y)) << what << " at " << x << "," << y;
        }
    }
}

// Glyphs for "A", "B" and a few more, each a frame of its colour round a background middle.
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
    SetGlyph(set, 250, 2, 2, frame(1, 2, 2)); // stored or not, it is drawn
    set.numChars = 100;
    return set;
}

TEST(TextPreviewTest, MatchesTheReferenceForManyTexts) {
    const Charset set = SampleSet();
    const QString texts[] = {QString(), u"A B\r\nCA"_s, u"A\rB\nC"_s,
                             u"ABC\u20ACA"_s + QChar(250) + QChar(13) + QChar(10),
                             QString(40, u'C')};
    for (const QString& text : texts) {
        for (int zoom = 1; zoom <= 6; ++zoom) {
            const std::string what = text.toStdString() + " zoom " + std::to_string(zoom);
            ExpectSameImage(RenderPreview(set, text, zoom),
                            ReferencePreview(set, text, zoom, PreviewSize), what.c_str());
        }
    }
}

TEST(TextPreviewTest, PenPositionsLineBreaksAndLongLines) {
    Charset set;
    set.NewCharset(1);
    SetGlyph(set, 'I', 1, 1, [](int, int) { return 1; });
    SetGlyph(set, 'M', 127, 2, [](int x, int) { return x == 0 ? 1 : 0; });
    const QRgb ink = DisplayColors[1];
    // Zoom 2: the first glyph at (6, 4), after a break at (6, 24); "\n\r" is two breaks.
    EXPECT_EQ(RenderPreview(set, u"I\nI"_s, 2).pixel(6, 24), ink);
    EXPECT_EQ(RenderPreview(set, u"I\n\rI"_s, 1).pixel(5, 24), ink);
    EXPECT_EQ(RenderPreview(set, u"I I"_s, 3).pixel(10, 4), ink) << "an absent space moves nothing";
    // A long line of wide glyphs runs off the right edge instead of wrapping round.
    const QImage preview = RenderPreview(set, QString(200, u'M') + u"I"_s, 6);
    int inked = 0;
    for (int x = 0; x < 600; ++x) {
        inked += preview.pixel(x, 5) == ink ? 1 : 0;
    }
    EXPECT_EQ(inked, 6) << "only the first glyph's first column shows";
}

TEST(TextPreviewTest, MissingMarksAreBarsAtThePenThatMoveNothing) {
    Charset set = SampleSet();
    // é is not stored, 250 is drawn but not stored, the emoji is one character beyond 255. At
    // zoom 3 the pen stands at x 22 after "A", then at (7, 34) after the line break, and at
    // (13, 34) after the 2 pixels of 250.
    const QString text = u"A\u00E9\r\n"_s + QChar(250) + u"\U0001F600"_s;
    const QRect bars[] = {{22, 4, 3, 30}, {7, 34, 3, 30}, {13, 34, 3, 30}};
    const QImage hidden = RenderPreview(set, text, 3);
    ExpectSameImage(hidden, ReferencePreview(set, text, 3, PreviewSize), "marks hidden");
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
} // namespace fontlathe
