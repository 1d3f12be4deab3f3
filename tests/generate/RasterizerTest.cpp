#include "generate/Rasterizer.h"
#include "charset/DisplayColors.h"
#include "generate/DrawingFont.h"
#include "support/SampleSets.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

Charset Generate(const QString& family, int size, GenerationStyle style, int flags = 0) {
    Charset set;
    set.NewCharset(1);
    const FileResult result = GenerateCharset(set, MakeDrawingFont({family, size, flags}), style);
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return set;
}

bool ColumnHasInk(const Charset& set, const Glyph& glyph, int x) {
    for (int y = 0; y < glyph.height(); ++y) {
        if (set.PaletteIndexOf(glyph.raster.pixel(x, y)) != 0) {
            return true;
        }
    }
    return false;
}

bool RowHasInk(const Charset& set, const Glyph& glyph, int y) {
    for (int x = 0; x < glyph.width(); ++x) {
        if (set.PaletteIndexOf(glyph.raster.pixel(x, y)) != 0) {
            return true;
        }
    }
    return false;
}

int HighestIndex(const Charset& set, const Glyph& glyph) {
    int highest = 0;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            highest = std::max(highest,
                               set.PaletteIndexOf(glyph.raster.pixel(x, y)) |
                                   (SameRgb(glyph.raster.pixel(x, y), DisplayColors[3]) ? 3 : 0));
        }
    }
    return highest;
}

struct StyleFacts {
    GenerationStyle style;
    int bits;
    int xOffset;
    int highestIndex;
};

const StyleFacts Styles[] = {
    {GenerationStyle::Normal, 1, 1, 1},
    {GenerationStyle::Shadowed, 2, 0, 2},
    {GenerationStyle::Outlined, 2, -1, 2},
};

TEST(RasterizerTest, EveryStyleGivesAWellFormedSet) {
    for (const char* family : {"DejaVu Sans", "Liberation Sans"}) {
        for (int size : {10, 16}) {
            for (const StyleFacts& facts : Styles) {
                const int style = static_cast<int>(facts.style);
                SCOPED_TRACE(::testing::Message() << family << " " << size << " style " << style);
                const Charset set = Generate(QString::fromLatin1(family), size, facts.style);
                EXPECT_EQ(set.numChars, 256);
                EXPECT_EQ(set.bitsPerPixel, facts.bits);
                for (int code = 0; code < 32; ++code) {
                    EXPECT_FALSE(set.glyphs[code].present()) << code;
                }
                int tallest = 0;
                bool someGlyphStartsAtTheTopLine = false;
                for (int code = 32; code < 256; ++code) {
                    const Glyph& glyph = set.glyphs[code];
                    if (!glyph.present()) {
                        continue;
                    }
                    EXPECT_EQ(glyph.xOffset, facts.xOffset) << code;
                    EXPECT_EQ(glyph.yOffset, 0) << code;
                    EXPECT_LE(HighestIndex(set, glyph), facts.highestIndex) << code;
                    if (glyph.inkBox.empty == 0) {
                        tallest = std::max(tallest, glyph.height());
                        EXPECT_TRUE(ColumnHasInk(set, glyph, 0)) << code;
                        EXPECT_TRUE(ColumnHasInk(set, glyph, glyph.width() - 1)) << code;
                        EXPECT_TRUE(RowHasInk(set, glyph, glyph.height() - 1)) << code;
                        // The glyph's own first inked row lies as far below the common top line
                        // as its ink lay below it in the drawing.
                        const int firstInk = glyph.inkBox.top - set.minInkTop;
                        EXPECT_TRUE(RowHasInk(set, glyph, firstInk)) << code;
                        for (int y = 0; y < firstInk; ++y) {
                            EXPECT_FALSE(RowHasInk(set, glyph, y)) << code;
                        }
                        someGlyphStartsAtTheTopLine |= firstInk == 0;
                    }
                }
                EXPECT_TRUE(someGlyphStartsAtTheTopLine);
                EXPECT_EQ(set.fontHeight, tallest - style);
                const QFontMetricsF metrics(
                    MakeDrawingFont({QString::fromLatin1(family), size, 0}));
                for (int space : {32, 160}) {
                    const Glyph& glyph = set.glyphs[space];
                    ASSERT_TRUE(glyph.present()) << space;
                    EXPECT_EQ(glyph.inkBox.empty, 1);
                    EXPECT_EQ(glyph.width(),
                              int(metrics.horizontalAdvance(QString(QChar(space)))) + style);
                    EXPECT_EQ(glyph.height(), tallest);
                    EXPECT_EQ(HighestIndex(set, glyph), 0);
                }
            }
        }
    }
}

TEST(RasterizerTest, ShadowAndOutlineGrowEachGlyphByOneAndTwo) {
    const Charset normal = Generate(QStringLiteral("DejaVu Sans"), 16, GenerationStyle::Normal);
    const Charset shadowed = Generate(QStringLiteral("DejaVu Sans"), 16, GenerationStyle::Shadowed);
    const Charset outlined = Generate(QStringLiteral("DejaVu Sans"), 16, GenerationStyle::Outlined);
    EXPECT_EQ(normal.fontHeight, shadowed.fontHeight);
    EXPECT_EQ(normal.fontHeight, outlined.fontHeight);
    for (int code : {int{'A'}, int{'g'}, int{'W'}, int{'1'}, int{'@'}, 0xC9, 0xE7}) {
        ASSERT_TRUE(normal.glyphs[code].present()) << code;
        EXPECT_EQ(shadowed.glyphs[code].raster.size(),
                  normal.glyphs[code].raster.size() + QSize(1, 1))
            << code;
        EXPECT_EQ(outlined.glyphs[code].raster.size(),
                  normal.glyphs[code].raster.size() + QSize(2, 2))
            << code;
    }
    // The body of a shadowed glyph is the normal glyph; the shadow lies one down and right.
    const Glyph& plain = normal.glyphs['H'];
    const Glyph& shadow = shadowed.glyphs['H'];
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (normal.PaletteIndexOf(plain.raster.pixel(x, y)) == 1) {
                EXPECT_EQ(shadowed.PaletteIndexOf(shadow.raster.pixel(x, y)), 1) << x << "," << y;
            }
        }
    }
}

TEST(RasterizerTest, BoldAndItalicChangeTheDrawingButUnderlineDoesNot) {
    const Charset plain = Generate(QStringLiteral("DejaVu Sans"), 14, GenerationStyle::Normal);
    const Charset underlined = Generate(QStringLiteral("DejaVu Sans"), 14, GenerationStyle::Normal,
                                        GenerationFont::Underline);
    const Charset boldItalic = Generate(QStringLiteral("DejaVu Sans"), 14, GenerationStyle::Normal,
                                        GenerationFont::Bold | GenerationFont::Italic);
    int differing = 0;
    for (int code = 32; code < 256; ++code) {
        EXPECT_EQ(underlined.glyphs[code].raster, plain.glyphs[code].raster) << code;
        differing += boldItalic.glyphs[code].raster != plain.glyphs[code].raster ? 1 : 0;
    }
    EXPECT_GT(differing, 100);
    const QFont font = MakeDrawingFont({QStringLiteral("DejaVu Sans"), 14, 3});
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(font.pixelSize(), 14);
    EXPECT_EQ(font.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
}

TEST(RasterizerTest, UnknownFamiliesFallBackSilently) {
    const Charset fallback =
        Generate(QStringLiteral("No Such Family Anywhere"), 12, GenerationStyle::Normal);
    EXPECT_GT(fallback.PresentGlyphCount(), 150);
    EXPECT_GT(fallback.fontHeight, 8);
    // "Arial" resolves to its metric-compatible face.
    const Charset arial = Generate(QStringLiteral("Arial"), 12, GenerationStyle::Normal);
    const Charset liberation =
        Generate(QStringLiteral("Liberation Sans"), 12, GenerationStyle::Normal);
    for (int code = 32; code < 256; ++code) {
        EXPECT_EQ(arial.glyphs[code].raster, liberation.glyphs[code].raster) << code;
    }
}

TEST(RasterizerTest, RefusedRunsLeaveTheSetAsItWas) {
    Charset set = test::VariedSet(2, 31);
    set.minInkTop = 7;
    const Charset before = set;
    const FileResult tooLarge = GenerateCharset(
        set, MakeDrawingFont({QStringLiteral("DejaVu Sans"), 200, 0}), GenerationStyle::Normal);
    EXPECT_FALSE(tooLarge.ok());
    EXPECT_TRUE(tooLarge.reason().contains(QStringLiteral("at most 127 x 127")))
        << tooLarge.reason().toStdString();
    const FileResult huge = GenerateCharset(
        set, MakeDrawingFont({QStringLiteral("DejaVu Sans"), 5000, 0}), GenerationStyle::Normal);
    EXPECT_FALSE(huge.ok());
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(set.glyphs[code].raster, before.glyphs[code].raster) << code;
    }
    EXPECT_EQ(set.bitsPerPixel, before.bitsPerPixel);
    EXPECT_EQ(set.minInkTop, 7);

    Charset blank;
    blank.NewCharset(1);
    blank.glyphs[32].raster = MakeBlankRaster(3, 3);
    EXPECT_FALSE(CheckGeneratedSet(blank, 0, 12).ok());
    EXPECT_TRUE(CheckGeneratedSet(blank, 3, 12).ok());
    blank.glyphs[200].raster = MakeBlankRaster(128, 3);
    const FileResult wide = CheckGeneratedSet(blank, 3, 12);
    EXPECT_FALSE(wide.ok());
    EXPECT_TRUE(wide.reason().contains(QStringLiteral("(200)")));
}

} // namespace
} // namespace fontlathe
