#pragma once

#include "CapitalShortening.h"
#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"

#include <QImage>
#include <QRect>

#include <map>

namespace fontlathe {

// Reading the marks off a font's own accented letters: where the mark ends and the base begins,
// and how the designer shortened a capital under it.

// The mark above an accented letter and the base's ink under it: split at the first blank row
// below the ink's top; nothing when there is none.
bool SplitAbove(const QImage& raster, const PaletteLookup& palette, QRect& mark, QRect& base);

// The mark above an accented letter whose mark touches its base: the base (shortened by as many
// rows as it takes, up to two) laid on the letter's ink by its bottom row, and the ink above it
// that it does not cover. Sets how many rows the base lost.
bool SubtractAbove(const QImage& accented, const Glyph& plain, const PaletteLookup& palette,
                   QRect& mark, QRect& base, int& shortened);

// Whether the drawn base is the plain one with rows left out or repeated: as wide, on the same
// bottom row, every row one of the plain's (a redrawn letter is not).
bool RowsFromBase(const QImage& drawn, const QImage& plain);

// Counts each rule that shortens the plain capital into the base the designer drew.
void VoteShorteningRule(const QImage& drawn, const Glyph& plain, int rows,
                        const PaletteLookup& palette, std::map<ShorteningRule, int>& votes);

} // namespace fontlathe
