#include "GlyphPainting.h"

#include "charset/DisplayColors.h"

#include <algorithm>

namespace fontlathe {

CanvasAction CanvasPaintAction(const CanvasMouseEvent& event) {
    using Kind = CanvasMouseEvent::Kind;
    const bool move = event.kind == Kind::Move;
    const bool paint =
        event.kind == Kind::LeftPress || (move && (event.buttons & CanvasMouseEvent::LeftButton));
    const bool pick =
        event.kind == Kind::RightPress || (move && (event.buttons & CanvasMouseEvent::RightButton));
    if (paint && pick) {
        return CanvasAction::PaintAndPick;
    }
    return paint ? CanvasAction::Paint : pick ? CanvasAction::Pick : CanvasAction::None;
}

std::optional<int> PaintAt(Charset& set, int code, CanvasAction action, QPoint mouse, int zoom,
                           int selectedColor) {
    Glyph* glyph = set.GlyphAt(code);
    if (!glyph || zoom <= 0) {
        return std::nullopt;
    }
    // Integer division truncates toward zero, so a drag just left of the canvas still reaches
    // column 0.
    const int px = mouse.x() / zoom;
    const int py = mouse.y() / zoom;
    if (px < 0 || px >= glyph->width() || py < 0 || py >= glyph->height()) {
        return std::nullopt;
    }
    if (action == CanvasAction::Paint) {
        glyph->raster.setPixel(px, py, DisplayColorOf(selectedColor));
    } else if (action == CanvasAction::Pick) {
        return set.PaletteIndexOf(glyph->raster.pixel(px, py));
    }
    return std::nullopt;
}

int ClampSelectedColor(const Charset& set, int selectedColor) {
    const int last = std::min(set.ColorCount(), DisplayColorCount) - 1;
    return std::max(0, std::min(selectedColor, last));
}

} // namespace fontlathe
