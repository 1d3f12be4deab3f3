#pragma once

#include "LetterMetrics.h"
#include "LetterShapes.h"

#include <optional>

namespace fontlathe {

// Letters of other scripts as designers of pixel faces draw them from the font's own: each keeps
// the ink's colours and its place; nothing where the ink has no such shape.

// The stem at the right of the bottom row carried on down as deep as the font's letters reach
// below the baseline: n becomes η.
std::optional<LetterInk> RightStemLong(const LetterInk& ink, const LetterMetrics& metrics);
// The stems of the row of the lower half with the most of them, straight from top to bottom and
// joined by the bottom row: m becomes ш, where its middle stem is shorter than the others or its
// joins round; nothing where that row has fewer than three stems (a middle stem that stops above
// the lower half).
std::optional<LetterInk> StraightStems(const LetterInk& ink);
// The left stem one column in above its foot, and the bar's corner cut above it: П becomes Л as
// pixel designers draw it; nothing without a stem at the left of the second row.
std::optional<LetterInk> LeftStemStepped(const LetterInk& ink);
// The top and bottom rows kept, and between them a stroke as wide as the stem from the left
// going in to the middle and back: E becomes Σ.
std::optional<LetterInk> PointBetweenBars(const LetterInk& ink);
// The top and bottom rows kept, and the middle bar without the stem, centred under the top bar:
// E becomes Ξ.
std::optional<LetterInk> BarsApart(const LetterInk& ink);
// A stem with a bowl beside it (B, D) moved out to where its top and bottom bars start, without
// the serifs they make; nothing where the stem has none.
std::optional<LetterInk> StemWithoutSerifs(const LetterInk& ink);
// The bottom fifth of the sides (a row at least) stepped one column in, the last row turning out
// to feet: O becomes Ω.
std::optional<LetterInk> SidesOnFeet(const LetterInk& ink);
// A flat top as Z's (3 drawn so) made the bottom half turned over: 3 becomes З; nothing where
// the top is round already.
std::optional<LetterInk> RoundTop(const LetterInk& ink);
// The bar's right end turned up as high as the room above the capitals (a quarter of their
// height at most), a stem wide; where there is no room, the bar comes down on a shorter stem: Г
// becomes Ґ. Nothing without a bar along the top over a stem at the left.
std::optional<LetterInk> BarTurnedUp(const LetterInk& ink, const LetterMetrics& metrics);
// The bottom row moved one column right: T made small becomes τ.
LetterInk FootTurnedRight(const LetterInk& ink);

} // namespace fontlathe
