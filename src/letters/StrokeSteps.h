#pragma once

#include "LetterMetrics.h"
#include "LetterShapes.h"

#include <optional>

namespace fontlathe {

// Recipe steps that build a letter of another script from one letter's strokes, in line
// coordinates: stems carried down or through, bars moved, rows doubled. New strokes, and the
// strokes of a letter built anew from the ink's stems (Ж, Ψ, χ), are in the colour most of the
// ink has. Nothing when the ink has no such shape.

// A stem through the middle, reaching as far above and below the ink as the descent does (two
// rows at most); a column more (or less, past M's width) where the stem could not be centred (in a
// bold font, a pixel-wide stem and a column more where the font's stem would fill the counter):
// o becomes ф. Open: the top row goes and the stem runs from the top down through the descent:
// o becomes ψ.
enum class StemThrough { Closed, Open };
std::optional<LetterInk> WithStemThrough(const LetterInk& ink, const LetterMetrics& metrics,
                                         StemThrough kind);
// The three stems of the top row, the whole height, each outer one stepping in a column a row
// towards the middle row (the upper of the two on an even height) until it meets the middle stem
// there: Ш becomes Ж.
std::optional<LetterInk> StemsPinched(const LetterInk& ink);
// The three stems of the top row down to three rows above the bottom, a bar between the outer
// ones below them and the middle stem alone for the last two rows: Ш becomes Ψ.
std::optional<LetterInk> StemsOnAFoot(const LetterInk& ink);
// The ink at the left of M's width, narrowed as it must be to leave a blank column (where it
// keeps its strokes three columns wide) before a stem at M's right: ь becomes ы.
std::optional<LetterInk> StemAtRight(const LetterInk& ink, const LetterMetrics& metrics);
// The lower end of the bowl goes and a stem-wide tail hangs from the bottom row's right end
// through the descent, turning left in its last row: c becomes ς.
std::optional<LetterInk> FinalTail(const LetterInk& ink, const LetterMetrics& metrics);
// The middle row (the upper of the two on an even height) made a bar to the middle from the
// left stem (є), or from inside it, the stem cut there (ε).
enum class WaistStem { Kept, Cut };
std::optional<LetterInk> Waist(const LetterInk& ink, const LetterMetrics& metrics, WaistStem stem);
// A bar across the middle row (the upper of the two on an even height): a tall o becomes θ.
std::optional<LetterInk> BarAcross(const LetterInk& ink);
// The top row carried one column on to the right, from where the bowl's right side falls away
// from it in a slant: o becomes σ.
std::optional<LetterInk> TopBarToTheRight(const LetterInk& ink);
// As many rows more as the descent has, from the same top: the rows between the first and last
// rows' like are each doubled, outermost first: x becomes χ.
std::optional<LetterInk> StretchedThroughDescent(const LetterInk& ink,
                                                 const LetterMetrics& metrics);
// The bottom row's ink carried down through a descent of two rows or more: v becomes γ.
std::optional<LetterInk> PointDown(const LetterInk& ink, const LetterMetrics& metrics);
// The left stem carried down through the descent: ß becomes β.
std::optional<LetterInk> StemDown(const LetterInk& ink, const LetterMetrics& metrics);
// The bottom row, filled out to the right stem, moved up to half the height; below it only the
// right stem stays: U becomes Ч, u becomes ч.
std::optional<LetterInk> BottomAtHalf(const LetterInk& ink);

} // namespace fontlathe
