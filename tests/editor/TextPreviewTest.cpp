#include "editor/TextPreview.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

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
    const QString texts[] = {
        QString(),
        QStringLiteral("AB"),
        QStringLiteral("A B\r\nCA"),
        QStringLiteral("A\n\rB"),
        QStringLiteral("A\rB\nC"),
        QStringLiteral("ABCABC\u20ACA") + QChar(250) + QChar(13) + QChar(10),
        QString(40, u'C'),
    };
    for (const QString& text : texts) {
        for (int zoom = 1; zoom <= 6; ++zoom) {
            const std::string what = text.toStdString() + " zoom " + std::to_string(zoom);
            ExpectSameImage(RenderPreview(set, text, zoom),
                            ReferencePreview(set, text, zoom, PreviewSize), what.c_str());
        }
    }
}

TEST(TextPreviewTest, PenPositionsAndLineBreaks) {
    Charset set;
    set.NewCharset(1);
    SetGlyph(set, 'I', 1, 1, [](int, int) { return 1; });
    const QRgb ink = DisplayColors[1];
    // Zoom 2: the first glyph at (6, 4); after a break at (6, 4 + 2 x fontHeight).
    QImage preview = RenderPreview(set, QStringLiteral("I\nI"), 2);
    EXPECT_EQ(preview.pixel(6, 4), ink);
    EXPECT_EQ(preview.pixel(5, 4), DisplayColors[0]);
    EXPECT_EQ(preview.pixel(6, 24), ink);
    // "\n\r" is two breaks, "\r\n" one.
    EXPECT_EQ(RenderPreview(set, QStringLiteral("I\n\rI"), 1).pixel(5, 24), ink);
    EXPECT_EQ(RenderPreview(set, QStringLiteral("I\r\nI"), 1).pixel(5, 14), ink);
    // An absent space moves nothing: the glyphs on both sides touch.
    preview = RenderPreview(set, QStringLiteral("I I"), 3);
    EXPECT_EQ(preview.pixel(7, 4), ink);
    EXPECT_EQ(preview.pixel(10, 4), ink);
    // Zoom 6 draws from (10, 4); fontHeight 0 draws every line over the first.
    EXPECT_EQ(RenderPreview(set, QStringLiteral("I"), 6).pixel(10, 4), ink);
    set.fontHeight = 0;
    preview = RenderPreview(set, QStringLiteral("\r\r I"), 1);
    EXPECT_EQ(preview.pixel(5, 4), ink);
}

TEST(TextPreviewTest, OffsetsMoveTheGlyphAndThePenAsSpecified) {
    Charset set;
    set.NewCharset(1);
    SetGlyph(
        set, 'W', 5, 1, [](int, int) { return 1; }, -1, 0);
    SetGlyph(
        set, 'Y', 1, 1, [](int, int) { return 1; }, 0, 2);
    // 5 wide, xOffset -1, zoom 3: drawn 3 pixels left of the pen, pen moves 12.
    QImage preview = RenderPreview(set, QStringLiteral("WY"), 3);
    EXPECT_EQ(preview.pixel(4, 4), DisplayColors[1]);
    EXPECT_EQ(preview.pixel(3, 4), DisplayColors[0]);
    EXPECT_EQ(preview.pixel(7 + 12, 4 + 6), DisplayColors[1]);
    EXPECT_EQ(preview.pixel(7 + 12, 4), DisplayColors[0]);
    // A long line of wide glyphs runs off the right edge instead of wrapping round.
    SetGlyph(set, 'M', 127, 2, [](int x, int) { return x == 0 ? 1 : 0; });
    preview = RenderPreview(set, QString(200, u'M') + QStringLiteral("I"), 6);
    int inked = 0;
    for (int x = 0; x < 600; ++x) {
        inked += preview.pixel(x, 5) == DisplayColors[1] ? 1 : 0;
    }
    EXPECT_EQ(inked, 6) << "only the first glyph's first column shows";
}

TEST(TextPreviewTest, OverlayHasATransparentBackground) {
    Charset set;
    set.NewCharset(1);
    SetGlyph(set, 'O', 3, 1, [](int x, int) { return x % 2; });
    set.glyphs['O'].raster.setPixel(2, 0, DisplayColors[5]); // not a colour of this set
    const QImage overlay = MakeOverlayRaster(set, 'O');
    EXPECT_EQ(overlay.pixel(0, 0), 0x00FF00FFu);
    EXPECT_EQ(overlay.pixel(1, 0), DisplayColors[1]);
    EXPECT_EQ(overlay.pixel(2, 0), 0x00FF00FFu);
    EXPECT_TRUE(MakeOverlayRaster(set, 'P').isNull());
}

} // namespace
} // namespace fontlathe
