#pragma once

#include "LetterMetrics.h"
#include "LetterShapes.h"

#include <optional>

namespace fontlathe {

// Letters of stems standing on bars and arms meeting stems (ш Ц ω к), finished as the font's own
// letters show its designer finishes them: each keeps the ink's colours and its place.

// The bottom left corner, where a stem stands on a bar, rounded as the font rounds u's, in a
// font that rounds its ш so (LetterMetrics::stemBarCorner); the ink as it is elsewhere.
LetterInk CornerRoundedAsU(const LetterInk& ink, const LetterMetrics& metrics);
// The middle of three stems carried up to the row below the top, as the outer ones stand: w
// becomes ω. Nothing where the first row of three stems is the second or none is, or where the
// rows above it hold more than the outer two.
std::optional<LetterInk> MiddleStemUp(const LetterInk& ink);
// In a font that rounds its ш (LetterMetrics::stemBarCorner), w becomes ω as such fonts draw it:
// the outer stems' tops a column in, the foot parted under the middle stem (in a bold font, on a
// bar). Nothing elsewhere, nor without three stems over a foot.
std::optional<LetterInk> TopInFootSplit(const LetterInk& ink, const LetterMetrics& metrics);
// Where a letter's arms meet off its stem, their meeting point joined to the stem by a bar, as
// designers draw к at the x-height; in a bold font, or where the arms meet the stem, the ink as
// it is.
LetterInk ArmsJoinedToStem(const LetterInk& ink, const LetterMetrics& metrics);
// A lone stem's top given i's serif where the font's designer keeps it on ι
// (LetterMetrics::stemSerif); the ink as it is elsewhere, or where the top is not the stem alone.
LetterInk SerifOfI(const LetterInk& ink, const LetterMetrics& metrics);

} // namespace fontlathe
