#include "edit/PixelEdits.h"
#include "edit/LineGuides.h"
#include "support/SampleSets.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

// Rows "1000", "0200", "0030": a diagonal of three colours in a 4 x 3 glyph at code 1.
Charset Diagonal() {
    Charset set;
    set.NewCharset(4);
    SetGlyph(set, 1, 4, 3, [](int x, int y) { return x == y ? x + 1 : 0; });
    return set;
}

QImage Raster(const Charset& set, int code = 1) {
    return set.GlyphAt(code)->raster;
}

TEST(PixelEditsTest, SelectionsMoveFlipClearAndDropAsTheirPixelsSay) {
    // What is done to the diagonal's raster, and the glyph it leaves.
    const std::pair<std::function<QImage(const QImage&)>, const char*> cases[] = {
        // Lifted and moved right: what it leaves is colour 0, and its colour 0 is transparent.
        {[](const QImage& r) {
             FloatingPixels f = Lifted(r, {0, 0, 2, 2});
             f.at += QPoint(1, 0);
             return Dropped(f);
         },
         "4x3 0,0 010000200030"},
        // The whole glyph moved past its left edge: the column beyond the box is cut off.
        {[](const QImage& r) {
             FloatingPixels f = Lifted(r, r.rect());
             f.at += QPoint(-1, 0);
             return Dropped(f);
         },
         "4x3 0,0 000020000300"},
        // Beyond the edge and back before the drop, nothing is lost.
        {[](const QImage& r) {
             FloatingPixels f = Lifted(r, r.rect());
             f.at += QPoint(-2, 1);
             f.at += QPoint(2, -1);
             return Dropped(f);
         },
         "4x3 0,0 100002000030"},
        {[](const QImage& r) {
             return Flipped(r, {0, 0, 2, 3}, Qt::Horizontal);
         },
         "4x3 0,0 010020000030"},
        // The ink's own rectangle, as with nothing selected: the blank column stays where it is.
        {[](const QImage& r) { return Flipped(r, InkBounds(r), Qt::Vertical); },
         "4x3 0,0 003002001000"},
        {[](const QImage& r) { return Flipped(r, InkBounds(r), Qt::Horizontal); },
         "4x3 0,0 001002003000"},
        {[](const QImage& r) {
             return Cleared(r, {1, 1, 5, 5});
         },
         "4x3 0,0 100000000000"},
    };
    for (const auto& [change, expected] : cases) {
        Charset set = Diagonal();
        set.GlyphAt(1)->raster = change(Raster(set));
        EXPECT_EQ(Describe(set, 1), QString::fromLatin1(expected));
    }
}

TEST(PixelEditsTest, PastedPixelsStandWhereTheyStoodOnTheLine) {
    // Copied from the diagonal at (1,1) of a glyph at offset (0,0): "20" over "03".
    Charset set = Diagonal();
    const QImage copied = Raster(set).copy(1, 1, 2, 2);
    // Onto a 3 x 2 glyph of colour 4 at offset (1,0): the copy's top-left lands on its (0,1), its
    // colour 0 leaves the glyph's pixel, its lower row falls outside the box.
    SetGlyph(
        set, 2, 3, 2, [](int, int) { return 4; }, 1, 0);
    const Glyph& target = *set.GlyphAt(2);
    FloatPixels paste(
        2, u"Paste Pixels"_s,
        Laid(target.raster, copied, QPoint(1, 1) - QPoint(target.xOffset, target.yOffset)));
    paste.Apply(set);
    EXPECT_EQ(Describe(set, 2), u"3x2 1,0 444244"_s);
    paste.Swap(set);
    EXPECT_EQ(Describe(set, 2), u"3x2 1,0 444444"_s);
}

TEST(PixelEditsTest, GuidesStandAtTheTopsAndBottomOfTheFontsOwnLetters) {
    // H: 5 rows of ink at y offset 2; x: a blank top row, then 3 rows of ink, at y offset 3.
    Charset set;
    set.NewCharset(1);
    set.SetFontHeight(9);
    SetGlyph(
        set, 'H', 3, 5, [](int, int) { return 1; }, 0, 2);
    SetGlyph(
        set, 'x', 3, 4, [](int, int y) { return y > 0 ? 1 : 0; }, 0, 3);
    const auto guides = [&set] {
        QStringList seen;
        for (const LineGuide& guide :
             FindLineGuides(set, CodePage::Standard(u"latin1"_s).value())) {
            seen << u"%1 %2"_s.arg(guide.name).arg(guide.y);
        }
        return seen.join(u", "_s);
    };
    EXPECT_EQ(guides(), u"Line top 0, Cap height 2, x-height 4, Baseline 7, Line bottom 9"_s);
    set.ClearGlyph('H');
    EXPECT_EQ(guides(), u"Line top 0, x-height 4, Line bottom 9"_s);
}

} // namespace
} // namespace fontlathe::test
