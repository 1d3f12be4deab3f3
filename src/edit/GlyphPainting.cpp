#include "GlyphPainting.h"

#include "charset/DisplayColors.h"

#include <algorithm>

namespace fontlathe {

bool PaintPixel(Charset& set, int code, QPoint pixel, int colorIndex) {
    Glyph* glyph = set.GlyphAt(code);
    if (!glyph || !glyph->raster.rect().contains(pixel)) {
        return false;
    }
    glyph->raster.setPixel(pixel, DisplayColorOf(colorIndex));
    return true;
}

std::optional<int> PickPixel(const Charset& set, int code, QPoint pixel) {
    const Glyph* glyph = set.GlyphAt(code);
    if (!glyph || !glyph->raster.rect().contains(pixel)) {
        return std::nullopt;
    }
    return set.PaletteIndexOf(glyph->raster.pixel(pixel));
}

int ClampSelectedColor(const Charset& set, int selectedColor) {
    const int last = std::min(set.ColorCount(), DisplayColorCount) - 1;
    return std::max(0, std::min(selectedColor, last));
}

} // namespace fontlathe
