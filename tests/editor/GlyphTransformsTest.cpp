#include "editor/GlyphTransforms.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

using test::IndicesOf;
using test::SetGlyph;

// A 16-colour set whose glyph 1 is width x height with every pixel a distinct index (mod 15,
// plus 1, so no pixel is background).
Charset DistinctGlyph(int width, int height) {
    Charset set;
    set.NewCharset(4);
    SetGlyph(set, 1, width, height, [width](int x, int y) { return (y * width + x) % 15 + 1; });
    return set;
}

std::vector<int> Shifted(int width, int height, int dx, int dy, int mode) {
    Charset set = DistinctGlyph(width, height);
    ShiftGlyph(set, 1, dx, dy, mode);
    return IndicesOf(set, 1);
}

TEST(GlyphTransformsTest, RollWrapsAroundInEveryDirection) {
    EXPECT_EQ(Shifted(3, 1, -1, 0, ShiftModeRoll), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(Shifted(3, 1, 1, 0, ShiftModeRoll), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(Shifted(1, 3, 0, 1, ShiftModeRoll), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(Shifted(1, 3, 0, -1, ShiftModeRoll), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(Shifted(1, 3, 1, 0, ShiftModeRoll), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Shifted(3, 1, 0, 1, ShiftModeRoll), (std::vector<int>{1, 2, 3}));

    // Rolling one way and back gives the original, at any size.
    for (auto [width, height] : {std::pair{1, 1}, {2, 5}, {7, 3}, {127, 127}}) {
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            Charset set = DistinctGlyph(width, height);
            const std::vector<int> original = IndicesOf(set, 1);
            ShiftGlyph(set, 1, dx, dy, ShiftModeRoll);
            EXPECT_EQ(set.glyphs[1].raster.size(), QSize(width, height));
            ShiftGlyph(set, 1, -dx, -dy, ShiftModeRoll);
            EXPECT_EQ(IndicesOf(set, 1), original)
                << width << "x" << height << " by " << dx << "," << dy;
        }
    }
}

TEST(GlyphTransformsTest, ResizeGrowsAndShrinksAtTheRightAndBottom) {
    Charset set = DistinctGlyph(8, 8);
    const std::vector<int> original = IndicesOf(set, 1);
    ShiftGlyph(set, 1, 1, 0, ShiftModeResize);
    ASSERT_EQ(set.glyphs[1].raster.size(), QSize(9, 8));
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(set.glyphs[1].raster.pixel(8, y), DisplayColors[0]);
    }
    ShiftGlyph(set, 1, -1, 0, ShiftModeResize);
    EXPECT_EQ(IndicesOf(set, 1), original);
    ShiftGlyph(set, 1, 0, 1, ShiftModeResize);
    ASSERT_EQ(set.glyphs[1].raster.size(), QSize(8, 9));
    EXPECT_EQ(set.glyphs[1].raster.pixel(3, 8), DisplayColors[0]);
    ShiftGlyph(set, 1, 0, -1, ShiftModeResize);
    ShiftGlyph(set, 1, 0, -1, ShiftModeResize);
    EXPECT_EQ(set.glyphs[1].raster.size(), QSize(8, 7));
    EXPECT_EQ(IndicesOf(set, 1), std::vector<int>(original.begin(), original.begin() + 56));

    // Never below 1 pixel, never above 127.
    EXPECT_EQ(Shifted(1, 5, -1, 0, ShiftModeResize), Shifted(1, 5, 0, 0, ShiftModeRoll));
    Charset flat = DistinctGlyph(5, 1);
    ShiftGlyph(flat, 1, 0, -1, ShiftModeResize);
    EXPECT_EQ(flat.glyphs[1].raster.size(), QSize(5, 1));
    Charset wide = DistinctGlyph(126, 127);
    ShiftGlyph(wide, 1, 1, 0, ShiftModeResize);
    EXPECT_EQ(wide.glyphs[1].raster.size(), QSize(127, 127));
    ShiftGlyph(wide, 1, 1, 0, ShiftModeResize);
    ShiftGlyph(wide, 1, 0, 1, ShiftModeResize);
    EXPECT_EQ(wide.glyphs[1].raster.size(), QSize(127, 127));
    EXPECT_EQ(wide.glyphs[1].xOffset, 0);
}

TEST(GlyphTransformsTest, OffsetMovesThePlacementWithinWhatAFileHolds) {
    Charset set = DistinctGlyph(3, 3);
    const std::vector<int> pixels = IndicesOf(set, 1);
    for (int i = 0; i < 3; ++i) {
        ShiftGlyph(set, 1, 0, -1, ShiftModeOffset);
    }
    EXPECT_EQ(set.glyphs[1].yOffset, -3);
    ShiftGlyph(set, 1, 1, 0, ShiftModeOffset);
    EXPECT_EQ(set.glyphs[1].xOffset, 1);
    EXPECT_EQ(IndicesOf(set, 1), pixels);

    set.glyphs[1].xOffset = 127;
    set.glyphs[1].yOffset = -128;
    ShiftGlyph(set, 1, 1, 0, ShiftModeOffset);
    ShiftGlyph(set, 1, 0, -1, ShiftModeOffset);
    EXPECT_EQ(set.glyphs[1].xOffset, 127);
    EXPECT_EQ(set.glyphs[1].yOffset, -128);
    ShiftGlyph(set, 1, -1, 0, ShiftModeOffset);
    EXPECT_EQ(set.glyphs[1].xOffset, 126);
}

TEST(GlyphTransformsTest, AbsentGlyphsAndModeZeroChangeNothing) {
    Charset set = DistinctGlyph(4, 2);
    const std::vector<int> pixels = IndicesOf(set, 1);
    ShiftGlyph(set, 1, 1, 0, ShiftModeNone);
    ShiftGlyph(set, 1, 1, 0, 99);
    EXPECT_EQ(IndicesOf(set, 1), pixels);
    for (int mode : {ShiftModeRoll, ShiftModeResize, ShiftModeOffset}) {
        ShiftGlyph(set, 2, 1, 0, mode);
        ShiftGlyph(set, -1, 1, 0, mode);
        ShiftGlyph(set, 256, 1, 0, mode);
    }
    EXPECT_FALSE(set.glyphs[2].present());
    EXPECT_EQ(set.glyphs[2].xOffset, 0);
}

} // namespace
} // namespace fontlathe
