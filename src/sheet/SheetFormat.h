#pragma once

#include "charset/DisplayColors.h"

#include <QRgb>

#include <algorithm>
#include <array>

namespace fontlathe {

// A glyph sheet is one indexed PNG that holds a whole set, for editing in any paint program:
// 16 x 16 cells, code = row x 16 + column, each cell cw x ch pixels inside one-pixel grid lines.
// A present glyph stands at the top-left of its cell in its palette indices; everything else
// in a cell is "outside". A tEXt chunk with the keyword "fontlathe" carries the header and the
// offsets as JSON.
inline constexpr int SheetFormat = 1;
inline constexpr int SheetColumns = 16;
inline constexpr int SheetRows = 16;
inline constexpr int SheetOutsideIndex = 16;
inline constexpr int SheetGridIndex = 17;
inline constexpr int SheetPaletteSize = 18;
inline constexpr QRgb SheetOutsideColor = qRgb(255, 0, 255);
inline constexpr QRgb SheetGridColor = qRgb(64, 64, 64);
inline constexpr char SheetTextKey[] = "fontlathe";

// The palette of a sheet: the 16 display colours, then "outside", then "grid".
inline constexpr std::array<QRgb, SheetPaletteSize> SheetPalette = [] {
    std::array<QRgb, SheetPaletteSize> palette{};
    std::copy(DisplayColors.begin(), DisplayColors.end(), palette.begin());
    palette[SheetOutsideIndex] = SheetOutsideColor;
    palette[SheetGridIndex] = SheetGridColor;
    return palette;
}();

} // namespace fontlathe
