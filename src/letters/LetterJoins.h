#pragma once

#include "LetterMetrics.h"
#include "LetterShapes.h"

#include <optional>

namespace fontlathe {

// Recipe steps that join a letter's ink with part of another letter's (`with`), both in line
// coordinates. Each keeps the colours of the parts it takes; new strokes are in the colour most
// of the ink has. Nothing when the parts have no such shape.

// The bar of `with` (an H's crossbar: its rows that differ from its top row) drawn across the
// inside of the ink, from its left column to its right one, ends left out: O becomes Θ.
std::optional<LetterInk> BarInside(const LetterInk& ink, const LetterInk& with);
// That bar from the middle of the ink to its right column, left out: a mirrored C becomes Э.
std::optional<LetterInk> BarFromMiddle(const LetterInk& ink, const LetterInk& with);
// Above the middle of the x-height `with`'s rows, below it the ink's: p with o's top half gives
// ρ as pixel designers draw it.
std::optional<LetterInk> TopHalfOf(const LetterInk& ink, const LetterInk& with,
                                   const LetterMetrics& metrics);
// The top row made like the first row that differs from it (a bowl's top): a soft sign
// becomes Б.
std::optional<LetterInk> TopLikeBowl(const LetterInk& ink);
// The ink squeezed to leave a stem and a gap of a third of the rest at the left, where a stem
// joins it by a bar halfway down: O becomes Ю.
std::optional<LetterInk> StemAtLeftWithBar(const LetterInk& ink, const LetterMetrics& metrics);
// The rows that differ from the top row (an H's crossbar) moved to the top: H becomes П.
std::optional<LetterInk> BarOnTop(const LetterInk& ink);
// The bottom row filled from its first ink pixel to its last: Λ becomes Δ.
std::optional<LetterInk> BottomFilled(const LetterInk& ink);
// Down to where `with` (y) reaches below the baseline, the ink's rows; below them, the rows of
// `with` under the baseline lifted to end on it: Ч with y's tail gives У as pixel designers
// draw it. Nothing where `with`'s tail does not carry on a straight right stem (a y like a v).
std::optional<LetterInk> TailOf(const LetterInk& ink, const LetterInk& with,
                                const LetterMetrics& metrics);
// The ink's stem ending in the foot of `with`'s: from where `with`'s stem turns, `with`'s rows set
// with its stem on the ink's (ι's foot under T made small gives τ). Nothing where the two do not
// stand on one baseline with stems of one width in the middle of the x-height, or `with`'s stem
// has no foot joined to it.
std::optional<LetterInk> FootOf(const LetterInk& ink, const LetterInk& with,
                                const LetterMetrics& metrics);
// Below its bar the left stem goes, and the bar's end in the stem's columns: H becomes Ч.
std::optional<LetterInk> LeftStemCutBelowBar(const LetterInk& ink);

} // namespace fontlathe
