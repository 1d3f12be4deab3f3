#pragma once

#include "SheetFormat.h"
#include "charset/Charset.h"

#include <QPoint>
#include <QSize>

namespace fontlathe {

// The width and height of a sheet whose cells are cell.
QSize SheetSizeFor(QSize cell);

// The cell side of a sheet side, or 0 when the side is no grid of cellCount cells of 1 to 127.
int CellSideOf(int sheetSide, int cellCount);

// The sheet pixel at the top-left of the cell of code.
QPoint CellOrigin(int code, QSize cell);

// The cell a sheet of the set gets unless one is chosen: the largest width and height of the
// present glyphs plus 4, at most 127 a side; 8 x 8 when no glyph is present.
QSize DefaultSheetCell(const Charset& set);

} // namespace fontlathe
