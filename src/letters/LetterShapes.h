#pragma once

#include "LetterMetrics.h"
#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"

#include <QImage>
#include <QPoint>

#include <optional>

namespace fontlathe {

// A letter's ink cropped to its rectangle, and where that rectangle's top left lies in the line.
struct LetterInk {
    QImage image; // display colours; the background where there is no ink
    QPoint at;

    int Left() const { return at.x(); }
    int Top() const { return at.y(); }
    int Bottom() const { return at.y() + image.height() - 1; }
};

// The glyph's ink; nothing when it has none.
std::optional<LetterInk> InkOfGlyph(const Glyph& glyph, const PaletteLookup& palette);

// The ink as a glyph shaped like `like` (its width, height and offsets), grown where the ink
// reaches past it; nothing when that would not fit a font file.
std::optional<Glyph> GlyphOfInk(const LetterInk& ink, const Glyph& like);

// The changes a recipe makes to a letter's ink; each keeps the ink's colours. Nothing when the
// ink has no such shape.
LetterInk Mirrored(const LetterInk& ink); // left for right
LetterInk Turned(const LetterInk& ink);   // upside down
// Each row's right half the mirror of its left: u without the tail of its right stem gives υ.
LetterInk SymmetricFromLeft(const LetterInk& ink);
// The rows from the cap height to the baseline made as few as the x-height has, rows that repeat
// their neighbours going first; rows above the cap height move down with them, rows below the
// baseline stay.
std::optional<LetterInk> MadeSmall(const LetterInk& ink, const LetterMetrics& metrics);
// The rows from the x-height to the baseline made as many as the cap height has, by repeating
// rows where rows already repeat.
std::optional<LetterInk> MadeTall(const LetterInk& ink, const LetterMetrics& metrics);
// Above the middle bar (B's waist) only the stem is kept: B becomes a soft sign.
std::optional<LetterInk> StemAboveWaist(const LetterInk& ink);
// The bottom row carried on one column past the right end of the ink, and from there a tail as
// wide as the stem down below the baseline, two thirds of the descent long.
std::optional<LetterInk> WithTail(const LetterInk& ink, const LetterMetrics& metrics);
// The stem at the right of the bottom row carried on down as deep as the font's letters reach
// below the baseline: n becomes η.
std::optional<LetterInk> RightStemLong(const LetterInk& ink, const LetterMetrics& metrics);
// The stems of the row of the lower half with the most of them, straight from top to bottom and
// joined by the bottom row: m becomes ш, where its middle stem is shorter or its joins round.
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
// The bottom row moved one column right: T made small becomes τ.
LetterInk FootTurnedRight(const LetterInk& ink);
// No wider than `width`: columns that repeat their neighbours are dropped.
std::optional<LetterInk> Squeezed(const LetterInk& ink, int width);

// Whether a pixel of a LetterInk is ink.
bool IsLetterInk(QRgb color);
// The colour most of the ink has.
QRgb MostUsedInk(const LetterInk& ink);

} // namespace fontlathe
