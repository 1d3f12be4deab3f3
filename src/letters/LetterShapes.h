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
// The rows from the x-height to the baseline made as many as from the top of b to the baseline,
// as MadeTall makes them.
std::optional<LetterInk> MadeAscending(const LetterInk& ink, const LetterMetrics& metrics);
// Above the middle bar (B's waist) only the stem is kept: B becomes a soft sign.
std::optional<LetterInk> StemAboveWaist(const LetterInk& ink);
// Whether a tail a column past the ink's bottom right corner would carry the letter past a
// monospaced font's cell (wider than any of its own letters).
bool TailPastTheCell(const LetterInk& ink, const LetterMetrics& metrics);
// The bottom row carried on one column past the right end of the ink, and from there a tail as
// wide as the stem down below the baseline, two thirds of the descent long; where that column
// would be past a monospaced font's cell, the tail goes under the last stem instead.
std::optional<LetterInk> WithTail(const LetterInk& ink, const LetterMetrics& metrics);
// No wider than `width`: columns that repeat their neighbours are dropped.
std::optional<LetterInk> Squeezed(const LetterInk& ink, int width);

// Whether a pixel of a LetterInk is ink.
bool IsLetterInk(QRgb color);
// The colour most of the ink has.
QRgb MostUsedInk(const LetterInk& ink);

} // namespace fontlathe
