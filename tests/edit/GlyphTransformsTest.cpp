#include "edit/GlyphTransforms.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// Glyph 1 of a 16-colour set, every pixel a distinct index (mod 15) other than the background.
Charset DistinctGlyph(int width, int height, int xOffset = 0, int yOffset = 0) {
    Charset set;
    set.NewCharset(4);
    SetGlyph(
        set, 1, width, height, [width](int x, int y) { return (y * width + x) % 15 + 1; }, xOffset,
        yOffset);
    return set;
}

TEST(GlyphTransformsTest, RollWrapsResizeAndOffsetStopAtWhatAFileHolds) {
    using enum ShiftMode;
    // The glyph's size and offsets, one mode, its steps, and what the glyph has become.
    const std::tuple<QSize, QPoint, ShiftMode, std::vector<QPoint>, const char*> cases[] = {
        {{3, 1}, {}, Roll, {{-1, 0}}, "3x1 0,0 231"},
        {{3, 1}, {}, Roll, {{1, 0}}, "3x1 0,0 312"},
        {{1, 3}, {}, Roll, {{0, 1}, {1, 0}}, "1x3 0,0 312"},
        {{3, 2}, {}, Resize, {{1, 0}}, "4x2 0,0 12304560"},
        {{3, 2}, {}, Resize, {{0, -1}, {-1, 0}}, "2x1 0,0 12"},
        {{1, 1}, {}, Resize, {{-1, 0}, {0, -1}}, "1x1 0,0 1"},
        {{2, 1}, {}, Offset, {{0, -1}, {0, -1}, {1, 0}}, "2x1 1,-2 12"},
        {{2, 1}, {127, -128}, Offset, {{1, 0}, {0, -1}, {-1, 0}}, "2x1 126,-128 12"},
        {{2, 1}, {}, None, {{1, 0}}, "2x1 0,0 12"}};
    for (const auto& [size, offsets, mode, steps, expected] : cases) {
        Charset set = DistinctGlyph(size.width(), size.height(), offsets.x(), offsets.y());
        for (QPoint step : steps) {
            ShiftGlyph(set, 1, step.x(), step.y(), mode);
        }
        EXPECT_EQ(Describe(set, 1), QString::fromLatin1(expected));
    }
    // Rolling one way and back gives the original at any size; nothing grows past 127.
    for (auto [width, height] : {std::pair{2, 5}, {7, 3}, {127, 127}}) {
        for (QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            Charset set = DistinctGlyph(width, height);
            const QString original = Describe(set, 1);
            ShiftGlyph(set, 1, step.x(), step.y(), Roll);
            ASSERT_NE(Describe(set, 1), original);
            ShiftGlyph(set, 1, -step.x(), -step.y(), Roll);
            ShiftGlyph(set, 1, std::max(0, step.x()), std::max(0, step.y()),
                       width > 100 ? Resize : None);
            ShiftGlyph(set, 2, step.x(), step.y(), Roll); // absent: nothing happens
            EXPECT_EQ(Describe(set, 1) + Describe(set, 2), original + u"absent"_s)
                << width << "x" << height << " by " << step.x() << "," << step.y();
        }
    }
}

} // namespace
} // namespace fontlathe::test
