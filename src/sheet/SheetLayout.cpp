#include "SheetLayout.h"

#include <algorithm>

namespace fontlathe {

namespace {

// Room for a glyph to grow in a paint program.
constexpr int CellGrowth = 4;
constexpr int EmptySetCell = 8;

int SheetSide(int cellSide, int cellCount) {
    return cellCount * (cellSide + 1) + 1;
}

} // namespace

QSize SheetSizeFor(QSize cell) {
    return QSize(SheetSide(cell.width(), SheetColumns), SheetSide(cell.height(), SheetRows));
}

int CellSideOf(int sheetSide, int cellCount) {
    if (sheetSide < SheetSide(1, cellCount) || sheetSide > SheetSide(MaxGlyphSide, cellCount) ||
        (sheetSide - 1) % cellCount != 0) {
        return 0;
    }
    return (sheetSide - 1) / cellCount - 1;
}

QPoint CellOrigin(int code, QSize cell) {
    return QPoint((code % SheetColumns) * (cell.width() + 1) + 1,
                  (code / SheetColumns) * (cell.height() + 1) + 1);
}

QSize DefaultSheetCell(const Charset& set) {
    int width = 0;
    int height = 0;
    for (const Glyph& glyph : set.glyphs()) {
        if (glyph.present()) {
            width = std::max(width, glyph.width());
            height = std::max(height, glyph.height());
        }
    }
    if (width == 0) {
        return QSize(EmptySetCell, EmptySetCell);
    }
    return QSize(std::min(width + CellGrowth, MaxGlyphSide),
                 std::min(height + CellGrowth, MaxGlyphSide));
}

} // namespace fontlathe
