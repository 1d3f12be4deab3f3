#include "editor/GlyphTransforms.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

// A 16-colour set whose glyph 1 has every pixel a distinct, non-background index (mod 15).
Charset DistinctGlyph(int width, int height) {
    Charset set;
    set.NewCharset(4);
    test::SetGlyph(set, 1, width, height,
                   [width](int x, int y) { return (y * width + x) % 15 + 1; });
    return set;
}

std::vector<int> Shifted(int width, int height, int dx, int dy, ShiftMode mode) {
    Charset set = DistinctGlyph(width, height);
    ShiftGlyph(set, 1, dx, dy, mode);
    return test::IndicesOf(set, 1);
}

TEST(GlyphTransformsTest, RollWrapsAround) {
    EXPECT_EQ(Shifted(3, 1, -1, 0, ShiftMode::Roll), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(Shifted(3, 1, 1, 0, ShiftMode::Roll), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(Shifted(1, 3, 0, 1, ShiftMode::Roll), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(Shifted(1, 3, 1, 0, ShiftMode::Roll), (std::vector<int>{1, 2, 3}));
    // One way and back gives the original, at any size.
    for (auto [width, height] : {std::pair{2, 5}, {7, 3}, {127, 127}}) {
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            Charset set = DistinctGlyph(width, height);
            const std::vector<int> original = test::IndicesOf(set, 1);
            ShiftGlyph(set, 1, dx, dy, ShiftMode::Roll);
            ShiftGlyph(set, 1, -dx, -dy, ShiftMode::Roll);
            EXPECT_EQ(test::IndicesOf(set, 1), original)
                << width << "x" << height << " by " << dx << "," << dy;
        }
    }
}

TEST(GlyphTransformsTest, ResizeStaysBetweenOneAnd127Pixels) {
    Charset set = DistinctGlyph(8, 8);
    const std::vector<int> original = test::IndicesOf(set, 1);
    ShiftGlyph(set, 1, 1, 0, ShiftMode::Resize);
    ASSERT_EQ(set.glyphs[1].raster.size(), QSize(9, 8));
    EXPECT_EQ(set.glyphs[1].raster.pixel(8, 7), DisplayColors[0]);
    ShiftGlyph(set, 1, -1, 0, ShiftMode::Resize);
    EXPECT_EQ(test::IndicesOf(set, 1), original);
    ShiftGlyph(set, 1, 0, -1, ShiftMode::Resize);
    EXPECT_EQ(test::IndicesOf(set, 1), std::vector<int>(original.begin(), original.begin() + 56));

    EXPECT_EQ(Shifted(1, 5, -1, 0, ShiftMode::Resize), Shifted(1, 5, 0, 0, ShiftMode::None));
    EXPECT_EQ(Shifted(5, 1, 0, -1, ShiftMode::Resize), Shifted(5, 1, 0, 0, ShiftMode::None));
    Charset wide = DistinctGlyph(127, 127);
    ShiftGlyph(wide, 1, 1, 0, ShiftMode::Resize);
    ShiftGlyph(wide, 1, 0, 1, ShiftMode::Resize);
    EXPECT_EQ(wide.glyphs[1].raster.size(), QSize(127, 127));
}

TEST(GlyphTransformsTest, OffsetMovesThePlacementOnlyWithinWhatAFileHolds) {
    Charset set = DistinctGlyph(3, 3);
    const std::vector<int> pixels = test::IndicesOf(set, 1);
    for (int i = 0; i < 3; ++i) {
        ShiftGlyph(set, 1, 0, -1, ShiftMode::Offset);
    }
    EXPECT_EQ(set.glyphs[1].yOffset, -3);
    EXPECT_EQ(test::IndicesOf(set, 1), pixels);
    set.glyphs[1].xOffset = 127;
    set.glyphs[1].yOffset = -128;
    ShiftGlyph(set, 1, 1, 0, ShiftMode::Offset);
    ShiftGlyph(set, 1, 0, -1, ShiftMode::Offset);
    EXPECT_EQ(set.glyphs[1].xOffset, 127);
    EXPECT_EQ(set.glyphs[1].yOffset, -128);
    ShiftGlyph(set, 1, -1, 0, ShiftMode::Offset);
    EXPECT_EQ(set.glyphs[1].xOffset, 126);
    for (ShiftMode mode : {ShiftMode::Roll, ShiftMode::Resize, ShiftMode::Offset}) {
        ShiftGlyph(set, 2, 1, 0, mode);
        ShiftGlyph(set, -1, 1, 0, mode);
    }
    EXPECT_FALSE(set.glyphs[2].present());
    EXPECT_EQ(set.glyphs[2].xOffset, 0);
}

} // namespace
} // namespace fontlathe
