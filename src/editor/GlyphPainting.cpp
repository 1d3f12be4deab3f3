#include "GlyphPainting.h"

#include "charset/DisplayColors.h"

#include <algorithm>

namespace fontlathe {

int CanvasPaintAction(const CanvasMouseEvent& event) {
    using Kind = CanvasMouseEvent::Kind;
    const bool move = event.kind == Kind::Move;
    int action = 0;
    if (event.kind == Kind::LeftPress || (move && (event.buttons & CanvasMouseEvent::LeftButton))) {
        action += 1;
    }
    if (event.kind == Kind::RightPress ||
        (move && (event.buttons & CanvasMouseEvent::RightButton))) {
        action += 2;
    }
    return action;
}

void PaintAt(Charset& set, int code, int action, QPoint mouse, int zoom, int& selectedColor) {
    if (!Charset::IsValidCode(code) || zoom <= 0) {
        return;
    }
    Glyph& glyph = set.glyphs[static_cast<std::size_t>(code)];
    if (!glyph.present()) {
        return;
    }
    // Integer division truncates toward zero, so a drag just left of the canvas still reaches
    // column 0.
    const int px = mouse.x() / zoom;
    const int py = mouse.y() / zoom;
    if (px < 0 || px >= glyph.width() || py < 0 || py >= glyph.height()) {
        return;
    }
    if (action == 1) {
        glyph.raster.setPixel(px, py, DisplayColorOf(selectedColor));
    } else if (action == 2) {
        selectedColor = set.PaletteIndexOf(glyph.raster.pixel(px, py));
    }
}

int ClampSelectedColor(const Charset& set, int selectedColor) {
    const int last = std::min(set.ColorCount(), DisplayColorCount) - 1;
    return std::max(0, std::min(selectedColor, last));
}

} // namespace fontlathe
