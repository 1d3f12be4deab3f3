#include "charset/Charset.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

TEST(CharsetTest, NewCharsetDiscardsEverythingButTheGeneratorScratch) {
    Charset set;
    EXPECT_EQ(set.ColorCount(), 0);
    set.NewCharset(1);
    set.CreateBlankGlyph(65);
    set.glyphs[65].xOffset = 3;
    set.glyphs[65].inkBox = InkBox{1, 2, 3, 4, 0};
    set.glyphOffsets[65] = 99;
    set.minInkTop = 5;
    set.NewCharset(2);
    EXPECT_EQ(set.ColorCount(), 4);
    EXPECT_EQ(set.PresentGlyphCount(), 0);
    EXPECT_EQ(set.glyphs[65].xOffset + set.glyphOffsets[65], 0);
    EXPECT_EQ(set.glyphs[65].inkBox, (InkBox{1, 2, 3, 4, 0}));
    EXPECT_EQ(set.minInkTop, 5);
}

TEST(CharsetTest, PaletteIndexOfKnowsOnlyTheSetsColorsAndTheFastPathAgrees) {
    const int channels[] = {0, 1, 84, 85, 86, 169, 170, 171, 254, 255};
    for (int bits : {1, 2, 4}) {
        Charset set;
        set.NewCharset(bits);
        const PaletteLookup lookup(set.ColorCount());
        for (int i = 0; i < 16; ++i) {
            const int expected = i < set.ColorCount() ? i : 0;
            ASSERT_EQ(set.PaletteIndexOf(DisplayColors[i]), expected)
                << bits << " bits, index " << i;
            ASSERT_EQ(lookup.IndexOf(DisplayColors[i] & 0x00FFFFFF), expected)
                << "only 24 bits count";
        }
        for (int red : channels) {
            for (int green : channels) {
                for (int blue : channels) {
                    const QRgb color = qRgb(red, green, blue);
                    ASSERT_EQ(lookup.IndexOf(color), set.PaletteIndexOf(color))
                        << bits << " bits " << std::hex << color;
                }
            }
        }
    }
    EXPECT_EQ(DisplayColorOf(16), DisplayColors[0]);
    EXPECT_EQ(DisplayColorOf(-1), DisplayColors[0]);
}

TEST(CharsetTest, ClearAndBlankGlyphs) {
    Charset set;
    set.NewCharset(1);
    set.glyphOffsets[10] = 1234;
    set.glyphs[10].xOffset = -4;
    set.ClearGlyph(10); // absent: only the three fields change
    EXPECT_EQ(set.glyphOffsets[10], 0);
    EXPECT_EQ(set.glyphs[10].xOffset, 0);

    set.fontHeight = 7;
    set.CreateBlankGlyph(10);
    ASSERT_EQ(set.glyphs[10].raster.size(), QSize(7, 7));
    EXPECT_EQ(set.glyphs[10].raster.format(), QImage::Format_RGB32);
    EXPECT_EQ(set.glyphs[10].raster.pixel(6, 6), DisplayColors[0]);
    set.fontHeight = 0;
    set.CreateBlankGlyph(10);
    EXPECT_EQ(set.glyphs[10].raster.size(), QSize(7, 7)) << "with no height the raster stays";
    set.fontHeight = 200;
    set.CreateBlankGlyph(11);
    EXPECT_EQ(set.glyphs[11].raster.size(), QSize(127, 127)) << "never larger than a file holds";
    set.ClearGlyph(10);
    EXPECT_FALSE(set.glyphs[10].present());
    set.ClearGlyph(300);
    set.CreateBlankGlyph(-1);
    EXPECT_EQ(set.PresentGlyphCount(), 1);
}

} // namespace
} // namespace fontlathe
