#pragma once

// Fitting a letter's ink to a size without losing a stroke, and the counts that say whether two
// inks have the same strokes.
#include "LetterShapes.h"

#include <vector>

namespace fontlathe {

// No wider than `width` where that keeps every stroke: neighbouring columns become one (one of
// them, or else ink where either has it) only where every row keeps its runs of ink and the ink its
// pieces and counters, the width coming out of counters and slants before stems `stem` wide are
// thinned. As narrow as that gets where it cannot reach `width`.
LetterInk NarrowedKeepingStrokes(const LetterInk& ink, int width, int stem);
// `width` columns by `height` rows: lines repeated as an even stretch repeats them, or joined as
// NarrowedKeepingStrokes joins columns, save that the lines keep their places as an even stretch
// would before a long run of equal lines gives up one (left larger where that cannot reach the
// size).
LetterInk ResizedKeepingStrokes(const LetterInk& ink, int width, int height);
// Whether two inks of as many rows have as many stems crossing them a quarter, half and three
// quarters of the way down, and as many pieces and counters.
bool SameStrokes(const LetterInk& before, const LetterInk& after);
// What a stroke-keeping change keeps of lines of ink: how many runs of ink cross each line
// across them (each row, when the lines are columns), how many pieces the ink falls into (pixels
// touching at a corner join) and how many counters it encloses (blank pixels the ink walls in).
struct StrokeCount {
    std::vector<int> runs;
    int pieces = 0;
    int counters = 0;

    bool operator==(const StrokeCount&) const = default;
};

// The strokes of one ink counted once, to ask of many changes of it whether each keeps them, as
// SameStrokes does.
class KeptStrokes {
public:
    explicit KeptStrokes(const LetterInk& before);
    bool By(const LetterInk& after) const;

private:
    StrokeCount before_; // its columns' count
};
// Whether two inks of any size have as many pieces and counters, and as many stems crossing the
// row and the column that most cross.
bool StrokesAlike(const LetterInk& a, const LetterInk& b);
// Where a one-pixel curve turns, a drawing leaves a pixel in the corner that a designer does
// not draw: of `.##` over `##.` over `#..` the middle row's right pixel goes. A pixel goes when
// its only ink neighbours are two at a right angle round it, the corner between them blank, and
// each of the two carrying on away from the other, as a curve does and a corner of two straight
// strokes (Г's) does not. Pixels are taken in reading order, each against what is left; none goes
// where the whole would change the strokes.
LetterInk CornersCut(const LetterInk& ink);
// How many counters (blank regions the ink walls in) the ink encloses.
int CountersOf(const LetterInk& ink);

} // namespace fontlathe
