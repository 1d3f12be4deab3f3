#pragma once

#include "LetterTables.h"
#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"

#include <optional>

namespace fontlathe {

// The base glyph with the stroke drawn over it in the colour its ink mostly uses. The stem is
// the column of the ink with the most ink pixels. The glyph grows where the stroke reaches past
// it; nothing when the base has no ink or the result would not fit a font file.
std::optional<Glyph> DrawStroke(const Glyph& base, StrokeKind stroke, const PaletteLookup& palette);

} // namespace fontlathe
