#include "charset/Charset.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

TEST(CharsetTest, NewCharsetHasTheNewSetHeaderAndNoGlyph) {
    Charset set;
    set.NewCharset(2);
    EXPECT_EQ(std::string(set.tag.data(), 4), "CHAR");
    EXPECT_EQ(set.blockSize, 0u);
    EXPECT_EQ(set.dataSize, 0u);
    EXPECT_EQ(set.version, 867);
    const std::array<std::uint8_t, 15> colorMap = {15, 0,  3,  4,  5,  6,  7, 8,
                                                   9,  10, 11, 12, 13, 14, 15};
    EXPECT_EQ(set.colorMap, colorMap);
    EXPECT_EQ(set.bitsPerPixel, 2);
    EXPECT_EQ(set.fontHeight, 10);
    EXPECT_EQ(set.numChars, 256);
    EXPECT_EQ(set.PresentGlyphCount(), 0);
    for (std::int32_t offset : set.glyphOffsets) {
        EXPECT_EQ(offset, 0);
    }
}

TEST(CharsetTest, NewCharsetDiscardsEditsButKeepsGeneratorScratch) {
    Charset set;
    set.NewCharset(1);
    set.CreateBlankGlyph(65);
    set.glyphs[65].xOffset = 3;
    set.glyphs[65].inkBox = InkBox{1, 2, 3, 4, 0};
    set.glyphOffsets[65] = 99;
    set.colorMap[7] = 77;
    set.fontHeight = 40;
    set.minInkTop = 5;

    set.NewCharset(1);

    EXPECT_FALSE(set.glyphs[65].present());
    EXPECT_EQ(set.glyphs[65].xOffset, 0);
    EXPECT_EQ(set.glyphOffsets[65], 0);
    EXPECT_EQ(set.colorMap[7], 8);
    EXPECT_EQ(set.fontHeight, 10);
    EXPECT_EQ(set.glyphs[65].inkBox, (InkBox{1, 2, 3, 4, 0}));
    EXPECT_EQ(set.minInkTop, 5);
}

TEST(CharsetTest, ColorCountFollowsBitsPerPixel) {
    Charset set;
    EXPECT_EQ(set.ColorCount(), 0);
    const std::pair<int, int> cases[] = {{1, 2}, {2, 4}, {4, 16}};
    for (auto [bits, colors] : cases) {
        set.bitsPerPixel = static_cast<std::uint8_t>(bits);
        EXPECT_EQ(set.ColorCount(), colors) << bits << " bits";
    }
}

TEST(CharsetTest, PaletteIndexOfOnlyKnowsTheSetsOwnColors) {
    Charset set;
    set.NewCharset(1);
    EXPECT_EQ(set.PaletteIndexOf(DisplayColors[1]), 1);
    EXPECT_EQ(set.PaletteIndexOf(DisplayColors[3]), 0);
    set.bitsPerPixel = 2;
    EXPECT_EQ(set.PaletteIndexOf(DisplayColors[3]), 3);
    EXPECT_EQ(set.PaletteIndexOf(qRgb(1, 2, 3)), 0);
    // Only the 24 colour bits count.
    EXPECT_EQ(set.PaletteIndexOf(DisplayColors[2] & 0x00FFFFFFu), 2);
    set.bitsPerPixel = 0;
    EXPECT_EQ(set.PaletteIndexOf(DisplayColors[1]), 0);
}

TEST(CharsetTest, DisplayColorsArePairwiseDistinctAndGuarded) {
    for (int i = 0; i < DisplayColorCount; ++i) {
        for (int j = i + 1; j < DisplayColorCount; ++j) {
            EXPECT_FALSE(SameRgb(DisplayColors[i], DisplayColors[j])) << i << " and " << j;
        }
    }
    EXPECT_EQ(DisplayColors[0], qRgb(0, 170, 170));
    EXPECT_EQ(DisplayColors[15], qRgb(0, 0, 170));
    EXPECT_EQ(DisplayColorOf(16), DisplayColors[0]);
    EXPECT_EQ(DisplayColorOf(-1), DisplayColors[0]);
    Charset set;
    set.NewCharset(1);
    EXPECT_EQ(set.ColorOfIndex(1), DisplayColors[1]);
    EXPECT_EQ(set.ColorOfIndex(2), DisplayColors[0]);
}

TEST(CharsetTest, PaletteLookupAgreesWithPaletteIndexOf) {
    const int channelValues[] = {0, 1, 84, 85, 86, 169, 170, 171, 254, 255};
    for (int bits : {1, 2, 4}) {
        Charset set;
        set.NewCharset(bits);
        const PaletteLookup lookup(set.ColorCount());
        for (int red : channelValues) {
            for (int green : channelValues) {
                for (int blue : channelValues) {
                    const QRgb color = qRgb(red, green, blue);
                    ASSERT_EQ(lookup.IndexOf(color), set.PaletteIndexOf(color))
                        << bits << " bits, colour " << std::hex << color;
                }
            }
        }
        for (QRgb color : DisplayColors) {
            ASSERT_EQ(lookup.IndexOf(color), set.PaletteIndexOf(color)) << bits << " bits";
        }
    }
}

TEST(CharsetTest, ClearAndBlankGlyphs) {
    Charset set;
    set.NewCharset(1);
    set.glyphOffsets[10] = 1234;
    set.glyphs[10].xOffset = -4;
    set.ClearGlyph(10);
    EXPECT_FALSE(set.glyphs[10].present());
    EXPECT_EQ(set.glyphOffsets[10], 0);
    EXPECT_EQ(set.glyphs[10].xOffset, 0);

    set.fontHeight = 7;
    set.glyphs[10].yOffset = 9;
    set.CreateBlankGlyph(10);
    ASSERT_TRUE(set.glyphs[10].present());
    EXPECT_EQ(set.glyphs[10].width(), 7);
    EXPECT_EQ(set.glyphs[10].height(), 7);
    EXPECT_EQ(set.glyphs[10].yOffset, 0);
    EXPECT_EQ(set.glyphs[10].raster.format(), QImage::Format_RGB32);
    EXPECT_EQ(set.glyphs[10].raster.pixel(6, 6), DisplayColors[0]);

    // With no height a blank glyph can't be made; the raster it had stays.
    set.fontHeight = 0;
    set.CreateBlankGlyph(10);
    EXPECT_EQ(set.glyphs[10].width(), 7);

    set.ClearGlyph(300);
    set.CreateBlankGlyph(-1);
    EXPECT_EQ(set.PresentGlyphCount(), 1);
}

} // namespace
} // namespace fontlathe
