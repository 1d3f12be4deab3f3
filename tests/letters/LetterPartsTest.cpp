#include "charset/Charset.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"
#include "letters/CapitalShortening.h"
#include "letters/DesignerShapes.h"
#include "letters/DrawingFit.h"
#include "letters/LetterJoins.h"
#include "letters/LetterMarks.h"
#include "letters/LetterShapes.h"
#include "letters/MadeMarks.h"
#include "letters/PartSteps.h"
#include "letters/RecipeSteps.h"
#include "letters/StemShapes.h"
#include "letters/StrokeKeeping.h"
#include "letters/StrokeSteps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fontlathe::test {
namespace {

using Art = std::vector<std::string>;

QImage RasterOf(const Art& art) {
    QImage raster = MakeBlankRaster(static_cast<int>(art[0].size()), static_cast<int>(art.size()));
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            const char pixel = art[std::size_t(y)][std::size_t(x)];
            raster.setPixel(x, y, DisplayColors[pixel == '#' ? 1 : pixel == '+' ? 2 : 0]);
        }
    }
    return raster;
}

// The rows of the raster's ink, blank rows on top left out: '#' colour 1, '+' colour 2.
Art InkRows(const QImage& raster) {
    Art rows;
    for (int y = 0; y < raster.height(); ++y) {
        std::string row;
        for (int x = 0; x < raster.width(); ++x) {
            const QRgb pixel = raster.pixel(x, y);
            row += pixel == DisplayColors[0] ? '.' : pixel == DisplayColors[2] ? '+' : '#';
        }
        if (!rows.empty() || row.find('#') != std::string::npos) {
            rows.push_back(row);
        }
    }
    return rows;
}

// The metrics of a font that rounds u's corner as `cut` gives its rows.
LetterMetrics WithCorner(LetterMetrics metrics, std::array<int, 3> cut) {
    metrics.stemBarCorner = cut;
    return metrics;
}

std::optional<LetterInk> RoundedAsU(const LetterInk& ink, const LetterMetrics& metrics,
                                    std::array<int, 3> cut) {
    return CornerRoundedAsU(ink, WithCorner(metrics, cut));
}

// Terminus-like capitals: the designer keeps G's and S's bars in the middle, takes A's row from
// its longest run, and takes Z's from its diagonal.
TEST(LetterPartsTest, ACapitalLosesTheRowsItsDesignerWouldTakeOff) {
    const struct {
        const char* letter;
        Art drawn;
        int rows;
        ShorteningRule rule;
        Art shortened;
    } cases[] = {
        {"G bar kept in the middle",
         {".####.", "#....#", "#....#", "#.....", "#.....", "#..###", "#....#", "#....#", "#....#",
          ".####."},
         1,
         ShorteningRule::CentredBar,
         {".####.", "#....#", "#.....", "#.....", "#..###", "#....#", "#....#", "#....#",
          ".####."}},
        {"S bar kept in the middle",
         {".####.", "#....#", "#.....", "#.....", ".####.", ".....#", ".....#", "#....#", "#....#",
          ".####."},
         1,
         ShorteningRule::CentredBar,
         {".####.", "#....#", "#.....", "#.....", ".####.", ".....#", ".....#", "#....#",
          ".####."}},
        {"G by the longest run",
         {".####.", "#....#", "#....#", "#.....", "#.....", "#..###", "#....#", "#....#", "#....#",
          ".####."},
         1,
         ShorteningRule::LongestRun,
         {".####.", "#....#", "#....#", "#.....", "#.....", "#..###", "#....#", "#....#",
          ".####."}},
        {"U has no bar",
         {"#....#", "#....#", "#....#", "#....#", ".####."},
         2,
         ShorteningRule::CentredBar,
         {"#....#", "#....#", ".####."}},
        {"Z gives up its diagonal's doubled step, then its topmost row",
         {"######", ".....#", "....#.", "...#..", "..##..", "..#...", ".#....", "#.....", "######"},
         2,
         ShorteningRule::CentredBar,
         {"######", "....#.", "...#..", "..#...", ".#....", "#.....", "######"}},
        {"R gives one row of its bowl, then the first of its leg",
         {"#####.", "#....#", "#....#", "#....#", "#####.", "#.#...", "#..#..", "#...#.", "#....#"},
         2,
         ShorteningRule::LongestRun,
         {"#####.", "#....#", "#....#", "#####.", "#..#..", "#...#.", "#....#"}},
        {"O has only its sides to give",
         {".####.", "#....#", "#....#", "#....#", "#....#", ".####."},
         2,
         ShorteningRule::LongestRun,
         {".####.", "#....#", "#....#", ".####."}},
        {"a small letter's ascender",
         {".#.", ".#.", ".#.", "###", ".#.", ".#.", ".##"},
         1,
         ShorteningRule::TopRun,
         {".#.", ".#.", "###", ".#.", ".#.", ".##"}},
    };
    const PaletteLookup palette(4);
    for (const auto& c : cases) {
        Glyph glyph;
        glyph.raster = RasterOf(c.drawn);
        const Glyph shortened = ShortenedCapital(glyph, c.rows, palette, c.rule);
        EXPECT_EQ(InkRows(shortened.raster), c.shortened) << c.letter;
        EXPECT_EQ(shortened.height(), glyph.height()) << c.letter << ": the bottom stays";
    }
}

// The recipes' tail step in a monospaced font whose widest letter is `widest` columns wide.
std::optional<LetterInk> TailInCell(const LetterInk& ink, LetterMetrics metrics, int widest = 5) {
    metrics.cellWidth = widest + 1;
    metrics.widestLetter = widest;
    return ApplyRecipeStep(RecipeStep::Tail, ink, metrics, std::nullopt);
}

// Pixel designers' η, ш, Ц, Щ, Л, Σ, Ξ, Ω, З and τ from the font's n, m, П, Ш, E, O, 3 and T: n's
// right stem goes down as deep as the font's descent; m's three stems (where its middle stem is
// shorter, or its joins round) stand straight on a bar; Ц's and Щ's tail keeps to a monospaced
// cell; П's left stem steps in above its foot; E's bars frame a point or a shorter middle bar; O's
// sides step in to feet; a flat-topped 3 rounds its top; T made small turns its foot right; a
// drawing's bars thinned to the font's keep their outer edge.

TEST(LetterPartsTest, ShapesMadeFromTheFontsOwnLettersKeepTheirStrokes) {
    LetterMetrics metrics;
    metrics.baseline = 9;
    metrics.descent = 2;
    const struct {
        const char* letter;
        Art from;
        std::optional<LetterInk> (*shape)(const LetterInk&, const LetterMetrics&);
        Art made; // empty where the shape refuses
    } cases[] = {
        {"η from n",
         {"#.##.", "##..#", "#...#", "#...#", "#...#"},
         [](const LetterInk& i, const LetterMetrics& m) { return RightStemLong(i, m); },
         {"#.##.", "##..#", "#...#", "#...#", "#...#", "....#", "....#"}},
        {"η from a bold n",
         {"##.##.", "###.##", "##..##", "##..##"},
         [](const LetterInk& i, const LetterMetrics& m) { return RightStemLong(i, m); },
         {"##.##.", "###.##", "##..##", "##..##", "....##", "....##"}},
        {"nothing from o: no stem at the right",
         {".##.", "#..#", ".##."},
         [](const LetterInk& i, const LetterMetrics& m) { return RightStemLong(i, m); },
         {}},
        {"ш from m with a short middle stem",
         {"##.#.", "#.#.#", "#.#.#", "#.#.#", "#...#"},
         [](const LetterInk& i, const LetterMetrics&) { return StraightStems(i); },
         {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#####"}},
        {"ш from m with round joins",
         {"##.##.", "#.#..#", "#..#.#", "#..#.#"},
         [](const LetterInk& i, const LetterMetrics&) { return StraightStems(i); },
         {"#..#.#", "#..#.#", "#..#.#", "######"}},
        {"nothing from an m with two stems below: ш would lose its middle one",
         {"#.#.", "####", "#..#", "#..#"},
         [](const LetterInk& i, const LetterMetrics&) { return StraightStems(i); },
         {}},
        {"nothing from l: one stem",
         {"#", "#", "#"},
         [](const LetterInk& i, const LetterMetrics&) { return StraightStems(i); },
         {}},
        {"Ц from П turned: the bottom row goes on a column to the tail",
         {"#...#", "#...#", "#####"},
         [](const LetterInk& i, const LetterMetrics& m) { return WithTail(i, m); },
         {"#...#.", "#...#.", "######", ".....#", ".....#"}},
        {"Щ as wide as a monospaced font's widest letter: the tail under the last stem",
         {"#.#.#", "#.#.#", "#####"},
         [](const LetterInk& i, const LetterMetrics& m) { return TailInCell(i, m); },
         {"#.#.#", "#.#.#", "#####", "....#", "....#"}},
        {"Ц as wide: a column narrower, its tail past it",
         {"#...#", "#...#", "#####"},
         [](const LetterInk& i, const LetterMetrics& m) { return TailInCell(i, m); },
         {"#..#.", "#..#.", "#####", "....#", "....#"}},
        {"a bold Ц as wide: not narrower, as that would close its counter",
         {"##..##", "##..##", "######"},
         [](const LetterInk& i, const LetterMetrics& m) { return TailInCell(i, m, 6); },
         {"##..##", "##..##", "######", ".....#", ".....#"}},
        {"ш's corner rounded as a font's u whose corner takes two rows",
         {"#...#...#", "#...#...#", "#...#...#", "#########"},
         [](const LetterInk& i, const LetterMetrics& m) {
             return RoundedAsU(i, m, {2, 1, 0});
         },
         {"#...#...#", "#...#...#", ".#..#...#", "..#######"}},
        {"a bold ш's: the stem keeps its width",
         {"##.#.##", "##.#.##", "#######"},
         [](const LetterInk& i, const LetterMetrics& m) {
             return RoundedAsU(i, m, {1, 0, 0});
         },
         {"##.#.##", "##.#.##", ".######"}},
        {"Ц's at the baseline, above its tail",
         {"#...#.", "#...#.", "######", ".....#", ".....#"},
         [](const LetterInk& i, const LetterMetrics& m) {
             LetterMetrics tailed = m;
             tailed.baseline -= 2;
             return RoundedAsU(i, tailed, {1, 0, 0});
         },
         {"#...#.", "#...#.", ".#####", ".....#", ".....#"}},
        {"a corner with a serif left of the stem stays as it is",
         {".#...#", ".#...#", "######"},
         [](const LetterInk& i, const LetterMetrics& m) {
             return RoundedAsU(i, m, {1, 0, 0});
         },
         {".#...#", ".#...#", "######"}},
        {"a stem that would meet the next one stays as it is",
         {"#.#.#", "#.#.#", "#.#.#", "#####"},
         [](const LetterInk& i, const LetterMetrics& m) {
             return RoundedAsU(i, m, {2, 1, 0});
         },
         {"#.#.#", "#.#.#", "#.#.#", "#####"}},
        {"a corner already round stays as it is",
         {"#...#", "#...#", ".####"},
         [](const LetterInk& i, const LetterMetrics& m) {
             return RoundedAsU(i, m, {1, 0, 0});
         },
         {"#...#", "#...#", ".####"}},
        {"ω from w: the middle stem carried up to the row below the top",
         {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."},
         [](const LetterInk& i, const LetterMetrics&) { return MiddleStemUp(i); },
         {"#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
        {"nothing from a w whose middle stem is as tall already",
         {"#...#", "#.#.#", "#.#.#", ".#.#."},
         [](const LetterInk& i, const LetterMetrics&) { return MiddleStemUp(i); },
         {}},
        {"nothing from a w without three stems in a row",
         {"#..#", "#..#", "####", "####"},
         [](const LetterInk& i, const LetterMetrics&) { return MiddleStemUp(i); },
         {}},
        {"ω from the w of a font that rounds its ш: the tops in, the foot parted",
         {"#.....#", "#.....#", "#..#..#", "#..#..#", ".#####."},
         [](const LetterInk& i, const LetterMetrics& m) {
             return TopInFootSplit(i, WithCorner(m, {1, 0, 0}));
         },
         {".#...#.", "#.....#", "#..#..#", "#..#..#", ".##.##."}},
        {"a bold one's foot parted on a bar",
         {"##....##", "##.##.##", "##.##.##", ".######."},
         [](const LetterInk& i, const LetterMetrics& m) {
             LetterMetrics bold = WithCorner(m, {1, 0, 0});
             bold.stem = 2;
             return TopInFootSplit(i, bold);
         },
         {".##..##.", "##.##.##", "########", ".##..##."}},
        {"nothing where the font keeps ш's corners square",
         {"#.....#", "#..#..#", "#..#..#", ".#####."},
         [](const LetterInk& i, const LetterMetrics& m) { return TopInFootSplit(i, m); },
         {}},
        {"к's arms joined to the stem where they come nearest it, the upper of equals",
         {"#..#", "#.#.", "#.#.", "#..#"},
         [](const LetterInk& i, const LetterMetrics& m) {
             return std::optional(ArmsJoinedToStem(i, m));
         },
         {"#..#", "###.", "#.#.", "#..#"}},
        {"arms that meet the stem stay",
         {"#..#", "##..", "#.#.", "#..#"},
         [](const LetterInk& i, const LetterMetrics& m) {
             return std::optional(ArmsJoinedToStem(i, m));
         },
         {"#..#", "##..", "#.#.", "#..#"}},
        {"a bold font's stay",
         {"##..#", "##.#.", "##.#.", "##..#"},
         [](const LetterInk& i, const LetterMetrics& m) {
             LetterMetrics bold = m;
             bold.stem = 2;
             return std::optional(ArmsJoinedToStem(i, bold));
         },
         {"##..#", "##.#.", "##.#.", "##..#"}},
        {"ι's top with i's serif, in a font that keeps it",
         {".#..", ".#..", "..##"},
         [](const LetterInk& i, const LetterMetrics& m) {
             LetterMetrics serifed = m;
             serifed.stemSerif = 1;
             return std::optional(SerifOfI(i, serifed));
         },
         {"##..", ".#..", "..##"}},
        {"ι as it is where the font's designer drops the serif",
         {"#..", "#..", ".##"},
         [](const LetterInk& i, const LetterMetrics& m) { return std::optional(SerifOfI(i, m)); },
         {"#..", "#..", ".##"}},
        {"ι as it is where its top is no lone stem",
         {"##..", ".#..", "..##"},
         [](const LetterInk& i, const LetterMetrics& m) {
             LetterMetrics serifed = m;
             serifed.stemSerif = 1;
             return std::optional(SerifOfI(i, serifed));
         },
         {"##..", ".#..", "..##"}},
        {"a drawing's bars thinned to the font's: each keeps the edge away from its counter",
         {"#.....", "#.....", "######", "######", "#....#", "#....#", "######", "######"},
         [](const LetterInk& i, const LetterMetrics&) {
             return std::optional(BarsThinned(i, -1, 2));
         },
         {"#.....", "#.....", "######", "#....#", "#....#", "#....#", "#....#", "######"}},
        {"feet that go on down from a thinned bar start at its kept row",
         {"..##..", "..##..", "..##..", "######", "######", "#....#", "#....#"},
         [](const LetterInk& i, const LetterMetrics&) {
             return std::optional(BarsThinned(i, -1, 2));
         },
         {"..##..", "..##..", "..##..", "..##..", "######", "#....#", "#....#"}},
        {"a bar alone in the lower half stays on the line",
         {"#...", "#...", "####", "####"},
         [](const LetterInk& i, const LetterMetrics&) {
             return std::optional(BarsThinned(i, -1, 2));
         },
         {"#...", "#...", "#...", "####"}},
        {"Л from П",
         {"#####", "#...#", "#...#", "#...#"},
         [](const LetterInk& i, const LetterMetrics&) { return LeftStemStepped(i); },
         {"..###", ".#..#", ".#..#", "#...#"}},
        {"Л from a bold П",
         {"######", "##..##", "##..##", "##..##"},
         [](const LetterInk& i, const LetterMetrics&) { return LeftStemStepped(i); },
         {"...###", ".##.##", ".##.##", "##..##"}},
        {"Σ from E",
         {"#####", "#....", "#....", "###..", "#....", "#....", "#####"},
         [](const LetterInk& i, const LetterMetrics&) { return PointBetweenBars(i); },
         {"#####", "#....", ".#...", "..#..", ".#...", "#....", "#####"}},
        {"Σ from an E of even height",
         {"####", "#...", "##..", "#...", "#...", "####"},
         [](const LetterInk& i, const LetterMetrics&) { return PointBetweenBars(i); },
         {"####", "#...", ".#..", ".#..", "#...", "####"}},
        {"Ξ from E",
         {"######", "#.....", "#.....", "####..", "#.....", "#.....", "######"},
         [](const LetterInk& i, const LetterMetrics&) { return BarsApart(i); },
         {"######", "......", "......", ".####.", "......", "......", "######"}},
        {"nothing from a middle bar longer than the top bar",
         {"#....", "#....", "#####", "#....", "##..."},
         [](const LetterInk& i, const LetterMetrics&) { return BarsApart(i); },
         {}},
        {"Ξ from an E of odd width",
         {"#####", "#....", "####.", "#....", "#####"},
         [](const LetterInk& i, const LetterMetrics&) { return BarsApart(i); },
         {"#####", ".....", ".###.", ".....", "#####"}},
        {"В from a B with serifs",
         {"####.", ".#..#", ".###.", ".#..#", "####."},
         [](const LetterInk& i, const LetterMetrics&) { return StemWithoutSerifs(i); },
         {"####.", "#...#", "###..", "#...#", "####."}},
        {"nothing from I: no bowl",
         {"###", ".#.", ".#.", "###"},
         [](const LetterInk& i, const LetterMetrics&) { return StemWithoutSerifs(i); },
         {}},
        {"nothing from a serifed H",
         {"###.###", ".#...#.", ".#####.", ".#...#.", "###.###"},
         [](const LetterInk& i, const LetterMetrics&) { return StemWithoutSerifs(i); },
         {}},
        {"Ω from O",
         {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics&) { return SidesOnFeet(i); },
         {".###.", "#...#", "#...#", "#...#", "#...#", ".#.#.", "##.##"}},
        {"З from a 3 with a flat top",
         {"#####", "....#", "...#.", "..##.", "....#", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics&) { return RoundTop(i); },
         {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."}},
        {"nothing from a round 3",
         {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics&) { return RoundTop(i); },
         {}},
        {"τ from T made small",
         {"#####", "..#..", "..#..", "..#.."},
         [](const LetterInk& i, const LetterMetrics&) {
             return std::optional<LetterInk>(FootTurnedRight(i));
         },
         {"#####.", "..#...", "..#...", "...#.."}},
        {"ς from c",
         {".###.", "#...#", "#....", "#....", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics& m) { return FinalTail(i, m); },
         {".###.", "#...#", "#....", "#....", "#....", ".###.", "....#", "...#."}},
        {"ς from a bold c",
         {".####.", "##..##", "##....", "##..##", ".####."},
         [](const LetterInk& i, const LetterMetrics& m) { return FinalTail(i, m); },
         {".####.", "##..##", "##....", "##....", ".####.", ".....#", "....#."}},
        {"a drawn curve's corners cut, Г's kept",
         {".###", "##..", "#...", "#...", "####", "#..."},
         [](const LetterInk& i, const LetterMetrics&) {
             return std::optional<LetterInk>(CornersCut(i));
         },
         {".###", "#...", "#...", "#...", "####", "#..."}},
        {"Ч from U",
         {"#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics&) { return BottomAtHalf(i); },
         {"#...#", "#...#", "#...#", ".####", "....#", "....#"}},
        {"ч from u",
         {"#...#", "#...#", "#...#", "#..##", ".##.#"},
         [](const LetterInk& i, const LetterMetrics&) { return BottomAtHalf(i); },
         {"#...#", "#...#", ".####", "....#", "....#"}},
        {"ε from c",
         {".###.", "#...#", "#....", "#....", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics& m) { return Waist(i, m, WaistStem::Cut); },
         {".###.", "#...#", ".##..", "#....", "#...#", ".###."}},
        {"σ from o",
         {".####.", "#....#", "#....#", "#....#", "#....#", ".####."},
         [](const LetterInk& i, const LetterMetrics&) { return TopBarToTheRight(i); },
         {".#####", "#..#..", "#...#.", "#....#", "#....#", ".####."}},
        {"θ's bar across a tall o",
         {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics&) { return BarAcross(i); },
         {".###.", "#...#", "#...#", "#####", "#...#", "#...#", ".###."}},
        {"χ from x",
         {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"},
         [](const LetterInk& i, const LetterMetrics& m) { return StretchedThroughDescent(i, m); },
         {"#...#", ".#.#.", ".#.#.", "..#..", ".#.#.", ".#.#.", "#...#"}},
        {"є from c",
         {".###.", "#...#", "#....", "#....", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics& m) { return Waist(i, m, WaistStem::Kept); },
         {".###.", "#...#", "###..", "#....", "#...#", ".###."}},
        {"є from a c of four rows",
         {".##", "#..", "#..", ".##"},
         [](const LetterInk& i, const LetterMetrics& m) { return Waist(i, m, WaistStem::Kept); },
         {".##", "##.", "#..", ".##"}},
        {"but no ε from it: a waist needs five",
         {".##", "#..", "#..", ".##"},
         [](const LetterInk& i, const LetterMetrics& m) { return Waist(i, m, WaistStem::Cut); },
         {}},
        {"ы from ь, in M's width",
         {"#...", "###.", "#..#", "###."},
         [](const LetterInk& i, const LetterMetrics& m) {
             LetterMetrics wide = m;
             wide.widest = 5;
             return StemAtRight(i, wide);
         },
         {"#...#", "##..#", "#.#.#", "##..#"}},
        {"ψ from o",
         {".###.", "#...#", "#...#", "#...#", ".###."},
         [](const LetterInk& i, const LetterMetrics& m) {
             return WithStemThrough(i, m, StemThrough::Open);
         },
         {"#.#.#", "#.#.#", "#.#.#", "#.#.#", ".###.", "..#..", "..#.."}},
        {"Ж from Ш",
         {"#..#..#", "#..#..#", "#..#..#", "#..#..#", "#..#..#", "#######"},
         [](const LetterInk& i, const LetterMetrics&) { return StemsPinched(i); },
         {"#..#..#", ".#.#.#.", "..###..", ".#.#.#.", "#..#..#", "#..#..#"}},
        {"Ψ from Ш",
         {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#####"},
         [](const LetterInk& i, const LetterMetrics&) { return StemsOnAFoot(i); },
         {"#.#.#", "#.#.#", "#.#.#", "#.#.#", ".###.", "..#..", "..#.."}},
        {"γ from v",
         {"#...#", ".#.#.", "..#.."},
         [](const LetterInk& i, const LetterMetrics& m) { return PointDown(i, m); },
         {"#...#", ".#.#.", "..#..", "..#..", "..#.."}},
        {"a drawn cross keeps its middle",
         {".#.", "###", ".#."},
         [](const LetterInk& i, const LetterMetrics&) {
             return std::optional<LetterInk>(CornersCut(i));
         },
         {".#.", "###", ".#."}},
        {"β from ß",
         {".##.", "#..#", "#.#.", "#..#", "#.#."},
         [](const LetterInk& i, const LetterMetrics& m) { return StemDown(i, m); },
         {".##.", "#..#", "#.#.", "#..#", "#.#.", "#...", "#..."}},
    };
    const PaletteLookup palette(4);
    for (const auto& c : cases) {
        Glyph glyph;
        glyph.raster = RasterOf(c.from);
        glyph.yOffset = metrics.baseline + 1 - glyph.height();
        const std::optional<LetterInk> made = c.shape(*InkOfGlyph(glyph, palette), metrics);
        ASSERT_EQ(made.has_value(), !c.made.empty()) << c.letter;
        if (made) {
            EXPECT_EQ(InkRows(made->image), c.made) << c.letter;
            EXPECT_EQ(made->at, QPoint(0, glyph.yOffset)) << c.letter << ": it stays where it was";
        }
    }
}

// Ґ is Г with its bar's end turned up into the room above the capitals, a serif there gone; in a
// line with no room, the bar comes down on a shorter stem.
TEST(LetterPartsTest, GheTurnsItsBarUp) {
    const struct {
        const char* why;
        Art from;
        int capTop;
        Art made; // empty where the shape refuses
        int top;
    } cases[] = {
        {"two rows of room",
         {"####", "#...", "#...", "#...", "#...", "#...", "#...", "#..."},
         2,
         {"...#", "...#", "####", "#...", "#...", "#...", "#...", "#...", "#...", "#..."},
         0},
        {"a serif hangs from the bar",
         {"#####", "#...#", "#....", "#....", "#....", "#...."},
         1,
         {"....#", "#####", "#....", "#....", "#....", "#....", "#...."},
         0},
        {"a bar two rows thick keeps its second row",
         {"######", "######", "##....", "##....", "##....", "##...."},
         2,
         {".....#", "######", "######", "##....", "##....", "##....", "##...."},
         1},
        {"no higher than a quarter of the capitals",
         {"####", "#...", "#...", "#...", "#...", "#...", "#...", "#..."},
         5,
         {"...#", "...#", "####", "#...", "#...", "#...", "#...", "#...", "#...", "#..."},
         3},
        {"no room",
         {"####", "#...", "#...", "#...", "#...", "#..."},
         0,
         {"...#", "####", "#...", "#...", "#...", "#..."},
         0},
        {"L has no bar on top", {"#...", "#...", "#...", "####"}, 2, {}, 0},
    };
    const PaletteLookup palette(4);
    for (const auto& c : cases) {
        Glyph glyph;
        glyph.raster = RasterOf(c.from);
        glyph.yOffset = static_cast<std::int16_t>(c.capTop);
        LetterMetrics metrics;
        metrics.capTop = c.capTop;
        metrics.baseline = c.capTop + glyph.height() - 1;
        const std::optional<LetterInk> made = BarTurnedUp(*InkOfGlyph(glyph, palette), metrics);
        ASSERT_EQ(made.has_value(), !c.made.empty()) << c.why;
        if (made) {
            EXPECT_EQ(InkRows(made->image), c.made) << c.why;
            EXPECT_EQ(made->Top(), c.top) << c.why;
        }
    }
}

// ф's stem goes through o, as far above and below it as the descent, the bowl a column wider to
// centre it.
TEST(LetterPartsTest, EfIsOWithAStemThrough) {
    LetterMetrics metrics;
    metrics.descent = 2;
    Glyph o;
    o.raster = RasterOf({".##.", "#..#", "#..#", ".##."});
    o.yOffset = 5;
    const std::optional<LetterInk> ef =
        WithStemThrough(*InkOfGlyph(o, PaletteLookup(4)), metrics, StemThrough::Closed);
    ASSERT_TRUE(ef.has_value());
    EXPECT_EQ(InkRows(ef->image),
              Art({"..#..", "..#..", ".###.", "#.#.#", "#.#.#", ".###.", "..#..", "..#.."}));
    EXPECT_EQ(ef->at, QPoint(0, 3));
    // A bold o as wide as M: a stem two pixels wide would fill its counter, so the stem is one
    // pixel and the bowl a column wider than M.
    metrics.stem = 2;
    metrics.widest = 6;
    Glyph bold;
    bold.raster = RasterOf({".####.", "##..##", "##..##", ".####."});
    bold.yOffset = 5;
    const std::optional<LetterInk> boldEf =
        WithStemThrough(*InkOfGlyph(bold, PaletteLookup(4)), metrics, StemThrough::Closed);
    ASSERT_TRUE(boldEf.has_value());
    EXPECT_EQ(InkRows(boldEf->image), Art({"...#...", "...#...", ".#####.", "##.#.##", "##.#.##",
                                           ".#####.", "...#...", "...#..."}));
}

// Letters from part of another, as the fixed faces and Terminus draw them: ι is t from the
// x-height down without its bar (a foot of two pixels or more ends a column sooner, a one-pixel
// hook stays); ζ is ς whose left side rises in a slant to a bar at the ascender's top, and ξ is ζ
// turning right where the slant meets the side; α is a narrowed o with a stem's ends at its
// right; δ is o with its top again at the ascender's top; λ is v turned, its apex carried up; Ф
// is O with a stem a row above and below, or, with no room above, the bowl two rows shorter.
TEST(LetterPartsTest, LettersFromPartOfAnother) {
    LetterMetrics metrics;
    metrics.ascenderTop = 1;
    metrics.xTop = 4;
    metrics.baseline = 9;
    const struct {
        std::optional<LetterInk> (*shape)(const LetterInk&, const LetterMetrics&);
        int top;
        Art from, made;
        int madeTop;
    } cases[] = {
        {StemFromXHeight,
         3,
         {".#....", "####..", ".#....", ".#....", ".#....", ".#...#", "..###."},
         {"#...", "#...", "#...", "#...", "#..#", ".##."},
         4},
        {StemFromXHeight,
         3,
         {"..#...", ".###..", "..#...", "..#...", "..#...", "..#.#.", "...#.."},
         {"#..", "#..", "#..", "#..", "#.#", ".#."},
         4},
        {RisingToABar,
         4,
         {"..####..", ".#....#.", ".#......", ".#......", ".#......", "..####..", "......#.",
          "....##.."},
         {"######", "..#...", ".#....", ".#....", "#.....", "#.....", "#.....", "#.....", ".####.",
          ".....#", "...##."},
         1},
        {MiddleTurn,
         1,
         {".######.", "...#....", "..#.....", "..#.....", ".#......", ".#......", ".#......",
          ".#......", "..####..", "......#.", "....##.."},
         {"######", "..#...", ".#....", ".#....", "..###.", ".#....", "#.....", "#.....", ".####.",
          ".....#", "...##."},
         1},
        {[](const LetterInk& ink, const LetterMetrics&) { return StemEndsAtRight(ink); },
         4,
         {".###.", "#...#", "#...#", "#...#", "#...#", ".###."},
         {".###.#", "#...##", "#...#.", "#...#.", "#...##", ".###.#"},
         4},
        {TopRepeatedAbove,
         4,
         {".##.", "#..#", "#..#", ".##."},
         {".##.", "#..#", ".#..", ".##.", "#..#", "#..#", ".##."},
         1},
        {ApexCarriedUp,
         4,
         {"..#..", ".#.#.", ".#.#.", "#...#", "#...#"},
         {".#...", ".#...", "..#..", "..#..", ".#.#.", ".#.#.", "#...#", "#...#"},
         1},
        {CapitalStemThrough,
         2,
         {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
         {"..#..", ".###.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", ".###.", "..#.."},
         1},
        {CapitalStemThrough,
         0,
         {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
         {"..#..", ".###.", "#.#.#", "#.#.#", "#.#.#", ".###.", "..#.."},
         0},
    };
    for (const auto& c : cases) {
        Glyph glyph;
        glyph.raster = RasterOf(c.from);
        glyph.yOffset = c.top;
        const std::optional<LetterInk> made =
            c.shape(*InkOfGlyph(glyph, PaletteLookup(4)), metrics);
        ASSERT_TRUE(made.has_value()) << c.from[0];
        EXPECT_EQ(InkRows(made->image), c.made) << c.from[0];
        EXPECT_EQ(made->at.y(), c.madeTop) << c.from[0];
    }
}

// Letters that take part of another: ρ is p whose rows above the middle of the x-height are o's,
// У is Ч whose rows from where y's tail begins are that tail, τ is T made small on ι's foot, as
// the fixed faces draw them.
TEST(LetterPartsTest, JoinsTakePartOfAnotherLetter) {
    LetterMetrics metrics;
    metrics.xTop = 0;
    metrics.baseline = 5;
    const PaletteLookup palette(4);
    struct Case {
        const char* letter;
        Art from, with;
        std::optional<LetterInk> (*join)(const LetterInk&, const LetterInk&, const LetterMetrics&);
        Art made;
    };
    const Art smallT = {"#####", "..#..", "..#..", "..#..", "..#..", "..#.."};
    const Case cases[] = {
        {"ρ",
         {"#.##.", "##..#", "#...#", "#...#", "##..#", "#.##.", "#....", "#...."},
         {".###.", "#...#", "#...#", "#...#", "#...#", ".###."},
         TopHalfOf,
         {".###.", "#...#", "#...#", "#...#", "##..#", "#.##.", "#....", "#...."}},
        {"У",
         {"#...#", "#...#", "#...#", ".####", "....#", "....#"},
         {"#...#", "#...#", "#...#", "#...#", "#..##", ".##.#", "....#", ".###."},
         TailOf,
         {"#...#", "#...#", "#...#", ".####", "....#", ".###."}},
        {"no У from a y like a v",
         {"#...#", "#...#", "#...#", ".####", "....#", "....#"},
         {"#...#", "#...#", ".#.#.", ".#.#.", "..#..", "..#..", ".#...", "#...."},
         TailOf,
         {}},
        {"τ, the foot in its own colours",
         smallT,
         {"#...", "#...", "#...", "#...", "#..+", ".++."},
         FootOf,
         {"#####.", "..#...", "..#...", "..#...", "..#..+", "...++."}},
        {"no τ from a foot of a wider stem",
         smallT,
         {"##..", "##..", "##..", "##..", "##..", ".###"},
         FootOf,
         {}},
        {"no τ from a stem without a foot",
         smallT,
         {"#...", "#...", "#...", "#...", "#...", "#..."},
         FootOf,
         {}},
        {"no τ from a foot apart from the stem",
         smallT,
         {"#...", "#...", "#...", "#...", "....", "..##"},
         FootOf,
         {}},
        {"no τ from a foot off to the side",
         smallT,
         {"#...", "#...", "#...", "#...", "..##", "..#."},
         FootOf,
         {}},
    };
    for (const auto& c : cases) {
        Glyph from, with;
        from.raster = RasterOf(c.from);
        with.raster = RasterOf(c.with);
        from.yOffset = static_cast<std::int16_t>(metrics.baseline + 1 - 6);
        with.yOffset = static_cast<std::int16_t>(metrics.baseline + 1 - 6);
        const std::optional<LetterInk> made =
            c.join(*InkOfGlyph(from, palette), *InkOfGlyph(with, palette), metrics);
        ASSERT_EQ(made.has_value(), !c.made.empty()) << c.letter;
        if (made) {
            EXPECT_EQ(InkRows(made->image), c.made) << c.letter;
        }
    }
}

TEST(LetterPartsTest, ABreveIsACupOfTheCircumflexStrokes) {
    const struct {
        Art circumflex;
        int width;
        Art breve;
    } cases[] = {
        {{".#.", "#.#"}, 4, {"#..#", ".##."}},
        {{".###.", "##.##"}, 5, {"##.##", ".###."}},
        {{"..#..", ".#.#.", "#...#"}, 7, {"#.....#", "#.....#", ".#####."}},
    };
    const PaletteLookup palette(4);
    for (const auto& c : cases) {
        EXPECT_EQ(InkRows(BreveCup(RasterOf(c.circumflex), c.width, palette)), c.breve)
            << c.breve[0];
    }
}

TEST(LetterPartsTest, AnOgonekIsAsLongAsAskedAndAsThickAsTheStems) {
    const struct {
        int rows, weight;
        Art drawn;
    } cases[] = {
        {1, 1, {"#"}},
        {2, 1, {"#..", ".##"}},
        {3, 1, {".#.", "#..", ".##"}},
        {3, 2, {".##.", "##..", ".###"}},
        {4, 1, {".#..", "#...", "#...", ".###"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InkRows(OgonekMark(c.rows, c.weight, DisplayColors[1])), c.drawn)
            << c.rows << " rows, weight " << c.weight;
    }
}

// A mark read off one base and set on another keeps its anchor: the same place on the same base;
// on a base of other width its centre against the base's, the half pixel going the way asked;
// an ogonek's right side against the base's.
TEST(LetterPartsTest, AMarkKeepsItsAnchorOnAnyBase) {
    struct Case {
        const char* why;
        QRect mark, base; // where the designer put them
        MarkPlace place;
        QRect onto; // the new base's ink
        QSize size; // the new mark's
        HalfPixel half;
        QPoint at;
    };
    const QRect e(0, 3, 5, 6); // a base five wide, rows 3 to 8
    const Case cases[] = {
        {"acute, same base", QRect(3, 0, 2, 2), e, MarkPlace::Above, e, QSize(2, 2),
         HalfPixel::Right, QPoint(3, 0)},
        {"acute, a column wider, right", QRect(3, 0, 2, 2), e, MarkPlace::Above, QRect(0, 3, 6, 6),
         QSize(2, 2), HalfPixel::Right, QPoint(4, 0)},
        {"acute, a column wider, left", QRect(3, 0, 2, 2), e, MarkPlace::Above, QRect(0, 3, 6, 6),
         QSize(2, 2), HalfPixel::Left, QPoint(3, 0)},
        {"grave left of centre, left", QRect(0, 1, 2, 1), e, MarkPlace::Above, QRect(10, 5, 6, 4),
         QSize(2, 1), HalfPixel::Left, QPoint(10, 3)},
        {"grave left of centre, right", QRect(0, 1, 2, 1), e, MarkPlace::Above, QRect(10, 5, 6, 4),
         QSize(2, 1), HalfPixel::Right, QPoint(11, 3)},
        {"a taller mark keeps the gap", QRect(1, 1, 3, 1), e, MarkPlace::Above, e, QSize(3, 3),
         HalfPixel::Right, QPoint(1, -1)},
        {"wider than its base, left", QRect(0, 0, 4, 1), QRect(1, 2, 2, 3), MarkPlace::Above,
         QRect(5, 5, 3, 3), QSize(4, 1), HalfPixel::Left, QPoint(4, 3)},
        {"wider than its base, right", QRect(0, 0, 4, 1), QRect(1, 2, 2, 3), MarkPlace::Above,
         QRect(5, 5, 3, 3), QSize(4, 1), HalfPixel::Right, QPoint(5, 3)},
        {"reaching into the base", QRect(2, 2, 1, 2), e, MarkPlace::Above, e, QSize(1, 2),
         HalfPixel::Right, QPoint(2, 2)},
        {"cedilla", QRect(2, 9, 2, 2), e, MarkPlace::Below, QRect(4, 0, 5, 7), QSize(2, 2),
         HalfPixel::Right, QPoint(6, 7)},
        {"ogonek from the right", QRect(3, 9, 3, 2), e, MarkPlace::BelowRight, QRect(0, 0, 8, 5),
         QSize(2, 2), HalfPixel::Left, QPoint(7, 5)},
        {"apostrophe beside a stem", QRect(7, 0, 2, 3), QRect(0, 0, 5, 10), MarkPlace::Beside,
         QRect(3, 2, 4, 8), QSize(1, 3), HalfPixel::Right, QPoint(9, 2)},
    };
    for (const Case& c : cases) {
        const MarkAnchor anchor = AnchorBetween(c.mark, c.base, c.place);
        EXPECT_EQ(AlignedOn(anchor, c.size, c.onto, c.place, c.half), c.at) << c.why;
    }
    // Half of an odd length in half pixels, either sign, either way.
    EXPECT_EQ(HalfOf(-3, HalfPixel::Left), -2);
    EXPECT_EQ(HalfOf(-3, HalfPixel::Right), -1);
    EXPECT_EQ(HalfOf(3, HalfPixel::Left), 1);
    EXPECT_EQ(HalfOf(3, HalfPixel::Right), 2);
}

// Callers look past a raster's edge (a mark's neighbours, a stem's corners): there is no ink.
TEST(LetterPartsTest, AnInkRasterHasNoInkPastItsEdges) {
    // Each point outside would land on ink were the row wrapped or the rows run on.
    const InkRaster ink(RasterOf({"..#", "#.#"}), PaletteLookup(2));
    EXPECT_TRUE(ink.Ink(2, 0));
    EXPECT_FALSE(ink.Ink(1, 1));
    EXPECT_EQ(ink.Index(0, 1), 1);
    for (const QPoint outside : {QPoint(3, 0), QPoint(-1, 1), QPoint(2, -1), QPoint(0, 2)}) {
        EXPECT_FALSE(ink.Ink(outside)) << outside.x() << "," << outside.y();
    }
    EXPECT_EQ(ink.Row(1), QRect(0, 1, 3, 1));
    EXPECT_EQ(ink.Bounds(), QRect(0, 0, 3, 2));
}

} // namespace
} // namespace fontlathe::test
