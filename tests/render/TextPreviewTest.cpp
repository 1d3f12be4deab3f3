#include "render/TextPreview.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// A slow reference: every pixel of a glyph that is not background is a zoom x zoom block at the
// pen; "\r\n", "\r" and "\n" each break the line. Where glyphs reach above the first line or
// below the last, the text moves down by the rows above, and guides run above every line's top
// row and the last line's bottom.
QImage ReferencePreview(const Charset& set, const QString& text, int zoom) {
    QImage preview(PreviewSize, QImage::Format_RGB32);
    preview.fill(DisplayColors[0]);
    const QStringList lines = QString(text).replace(u"\r\n"_s, u"\n"_s).split(QRegularExpression(u"[\r\n]"_s));
    int above = 0, below = 0;
    for (qsizetype line = 0; line < lines.size(); ++line) {
        for (const QChar c : lines[line]) {
            if (const Glyph* glyph = set.GlyphAt(c.unicode())) {
                const int top = int(line) * set.fontHeight() + glyph->yOffset;
                above = std::max(above, -top);
                below = std::max<int>(below,
                                      top + glyph->height() - int(lines.size()) * set.fontHeight());
            }
        }
    }
    QPainter painter(&preview);
    int x = 4 + zoom, y = 4 + above * zoom;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Glyph* glyph = set.GlyphAt(text[i].unicode());
        if (text[i] == u'\r' || text[i] == u'\n') {
            i += text.mid(i, 2) == u"\r\n"_s ? 1 : 0;
            x = 4 + zoom;
            y += set.fontHeight() * zoom;
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
    painter.end();
    for (qsizetype line = 0; (above > 0 || below > 0) && line <= lines.size(); ++line) {
        const int row = 4 + above * zoom + int(line) * set.fontHeight() * zoom - 1;
        for (int column = 0; column < preview.width() && row < preview.height(); ++column) {
            if (preview.pixel(column, row) == DisplayColors[0]) {
                preview.setPixel(column, row, LineGuideColor);
            }
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
    set.SetNumChars(100);
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

TEST(TextPreviewTest, MissingMarksAreBoxesThatMoveThePenInAColourOfNoIndex) {
    const Charset set = SampleSet();
    EXPECT_EQ(std::count_if(DisplayColors.begin(), DisplayColors.end(),
                            [](QRgb color) { return SameRgb(color, MissingMarkColor); }),
              0);
    // At zoom 2 each box is 5 x 10 font pixels, an outline of 104 screen pixels, and the pen
    // starts at (6, 4). Glyph 250 is drawn but not stored, so it is a box too.
    const QString text = u"Привет"_s + QChar(250) + u'A';
    const QImage shown = RenderPreview(set, text, 2, PreviewSize, MissingMarks::Shown);
    int marked = 0;
    for (int y = 0; y < PreviewSize.height(); ++y) {
        for (int x = 0; x < PreviewSize.width(); ++x) {
            marked += shown.pixel(x, y) == MissingMarkColor ? 1 : 0;
        }
    }
    EXPECT_EQ(marked, 7 * 104) << "seven outlines that do not overlap";
    EXPECT_EQ(shown.pixel(15, 23), MissingMarkColor) << "the first box's far corner";
    const QImage alone = RenderPreview(set, u"A"_s, 2);
    EXPECT_EQ(shown.copy(76, 0, 100, 70), alone.copy(6, 0, 100, 70)) << "A after the boxes";
}

} // namespace
} // namespace fontlathe::test
