#pragma once

#include "LetterShapes.h"
#include "charset/PaletteLookup.h"

#include <QImage>

namespace fontlathe {

// A letter drawn with another face, fitted to a pixel font's stems, bars and rows as a designer
// of pixel fonts fits one: without losing a stroke or a counter.

// How many ink pixels run from the ink's left along its middle row: a drawing's stem.
int StemWidthOf(const QImage& drawn, const PaletteLookup& palette);
// How many ink pixels run down the middle column of the ink from its first: the crossbar of H.
int BarHeightOf(const QImage& image, const PaletteLookup& palette);

// Bars (the crossbar of H, the arms of E) made `by` rows thinner, `by` being negative, where
// that keeps every stroke: runs down a column no longer than the drawing's bar lose pixels at
// the edge that faces their counter (at their foot, where they close one from above or stand
// alone in the upper half), keeping one; longer runs are stems and stay, but a stem or foot
// that ends on a thinned bar loses what stood beside the row the bar lost (Д's feet).
LetterInk BarsThinned(const LetterInk& ink, int by, int drawnBar);

// The ink's rows made `rows` for every `drawnRows` it has, those above the baseline row (and
// it) and those below each, without losing a stroke; its bottom row above the baseline stays on
// it.
LetterInk RowsScaled(const LetterInk& ink, int baseline, int rows, int drawnRows);

// The drawing with stems as wide as the font's and no wider than `widest` (where that is not
// 0): it keeps every stroke and counter the drawing has. Stems grow or shrink by `by` pixels, or
// by fewer where that many would join two strokes, and columns go only where no stroke goes with
// them; where the letter cannot be as narrow as `widest`, the stem that leaves it narrowest is
// taken, and the letter is wider than `widest`.
LetterInk FittedToStems(const LetterInk& drawn, int by, int drawnStem, int widest);

} // namespace fontlathe
