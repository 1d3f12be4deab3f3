#pragma once

#include "Charset.h"
#include "DisplayColors.h"
#include "SheetResult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QRgb>
#include <QSize>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>

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

// The width and height of a sheet whose cells are cell.
QSize SheetSizeFor(QSize cell);

// The cell a sheet of the set gets unless one is chosen: the largest width and height of the
// present glyphs plus 4, at most 127 a side; 8 x 8 when no glyph is present.
QSize DefaultSheetCell(const Charset& set);

// Draws every present glyph, stored or not, into a sheet with the chosen cell (or the default
// one). Refuses, and writes nothing, when a glyph does not fit the cell or the set holds what a
// font file can't (a bit depth other than 1, 2 or 4, numChars outside 0..256, an offset outside
// -128..127).
SheetResult EncodeSheet(const Charset& set, std::optional<QSize> cell, QByteArray& png);

// Reads a sheet into the set. The pixels decide which glyphs are present and their sizes; the
// fontlathe chunk decides the header and the offsets (without it: the header of a new set at the
// smallest depth that holds the indices used, offsets 0). RGB and RGBA sheets and other palettes
// are matched colour by colour against the 18 of a sheet; grid lines are not read. A sheet that
// is refused leaves the set exactly as it was; the generator scratch survives an import.
SheetResult DecodeSheet(QByteArrayView png, Charset& set);

// EncodeSheet into a file that is replaced atomically: on failure a file already there stays.
SheetResult ExportSheet(const Charset& set, const QString& path,
                        std::optional<QSize> cell = std::nullopt);

// DecodeSheet from a file; on failure the set is untouched.
SheetResult ImportSheet(Charset& set, const QString& path);

} // namespace fontlathe
