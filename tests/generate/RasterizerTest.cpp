#include "generate/Rasterizer.h"
#include "charset/DisplayColors.h"
#include "generate/DrawingFont.h"
#include "support/SampleSets.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

Charset Generate(const QString& family, int size, GenerationStyle style, int flags = 0) {
    Charset set;
    set.NewCharset(1);
    const FileResult result = GenerateCharset(set, MakeDrawingFont({family, size, flags}), style);
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return set;
}

// Whether any pixel of the glyph inside the area has an index other than 0.
bool InkIn(const Charset& set, const Glyph& glyph, QRect area) {
    area = area.intersected(glyph.raster.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (set.PaletteIndexOf(glyph.raster.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}
bool ColumnHasInk(const Charset& set, const Glyph& glyph, int x) {
    return InkIn(set, glyph, {x, 0, 1, glyph.height()});
}
bool RowHasInk(const Charset& set, const Glyph& glyph, int y) {
    return InkIn(set, glyph, {0, y, glyph.width(), 1});
}

// The highest display colour index in the glyph, among all 16.
int HighestIndex(const Glyph& glyph) {
    Charset all;
    all.bitsPerPixel = 4;
    int highest = 0;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            highest = std::max(highest, all.PaletteIndexOf(glyph.raster.pixel(x, y)));
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

const StyleFacts Styles[] = {{GenerationStyle::Normal, 1, 1, 1},
                             {GenerationStyle::Shadowed, 2, 0, 2},
                             {GenerationStyle::Outlined, 2, -1, 2}};

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
                    EXPECT_LE(HighestIndex(glyph), facts.highestIndex) << code;
                    if (glyph.inkBox.empty == 0) {
                        tallest = std::max(tallest, glyph.height());
                        EXPECT_TRUE(ColumnHasInk(set, glyph, 0)) << code;
                        EXPECT_TRUE(ColumnHasInk(set, glyph, glyph.width() - 1)) << code;
                        EXPECT_TRUE(RowHasInk(set, glyph, glyph.height() - 1)) << code;
                        // The glyph's own first inked row lies as far below the common top line
                        // as its ink lay below it in the drawing.
                        const int firstInk = glyph.inkBox.top - set.minInkTop;
                        EXPECT_TRUE(RowHasInk(set, glyph, firstInk)) << code;
                        EXPECT_FALSE(InkIn(set, glyph, {0, 0, glyph.width(), firstInk})) << code;
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
                    EXPECT_EQ(HighestIndex(glyph), 0);
                }
            }
        }
    }
}

TEST(RasterizerTest, ShadowAndOutlineGrowEachGlyphByOneAndTwo) {
    const Charset normal = Generate(u"DejaVu Sans"_s, 16, GenerationStyle::Normal);
    const Charset shadowed = Generate(u"DejaVu Sans"_s, 16, GenerationStyle::Shadowed);
    const Charset outlined = Generate(u"DejaVu Sans"_s, 16, GenerationStyle::Outlined);
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
}

TEST(RasterizerTest, UnderlineChangesNoPixelAndUnknownFamiliesFallBack) {
    const Charset plain = Generate(u"DejaVu Sans"_s, 14, GenerationStyle::Normal);
    const Charset underlined =
        Generate(u"DejaVu Sans"_s, 14, GenerationStyle::Normal, GenerationFont::Underline);
    const Charset fallback = Generate(u"No Such Family Anywhere"_s, 12, GenerationStyle::Normal);
    const Charset arial = Generate(u"Arial"_s, 12, GenerationStyle::Normal);
    const Charset liberation = Generate(u"Liberation Sans"_s, 12, GenerationStyle::Normal);
    for (int code = 32; code < 256; ++code) {
        EXPECT_EQ(underlined.glyphs[code].raster, plain.glyphs[code].raster) << code;
        EXPECT_EQ(arial.glyphs[code].raster, liberation.glyphs[code].raster)
            << "Arial is its metric twin, " << code;
    }
    EXPECT_GT(fallback.PresentGlyphCount(), 150);
    const QFont font =
        MakeDrawingFont({u"DejaVu Sans"_s, 14, GenerationFont::Bold | GenerationFont::Italic});
    EXPECT_TRUE(font.bold() && font.italic());
    EXPECT_EQ(font.pixelSize(), 14);
    EXPECT_EQ(font.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
}

TEST(RasterizerTest, RefusedRunsLeaveTheSetAsItWas) {
    Charset set = test::VariedSet(2, 31);
    set.minInkTop = 7;
    const Charset before = set;
    const FileResult tooLarge =
        GenerateCharset(set, MakeDrawingFont({u"DejaVu Sans"_s, 200, 0}), GenerationStyle::Normal);
    EXPECT_FALSE(tooLarge.ok());
    EXPECT_TRUE(tooLarge.reason().contains(u"at most 127 x 127"_s))
        << tooLarge.reason().toStdString();
    const FileResult huge =
        GenerateCharset(set, MakeDrawingFont({u"DejaVu Sans"_s, 5000, 0}), GenerationStyle::Normal);
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
    EXPECT_TRUE(wide.reason().contains(u"(200)"_s));
}

} // namespace
} // namespace fontlathe
