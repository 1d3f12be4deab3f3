#pragma once

#include "CanvasMouseEvent.h"
#include "charset/Charset.h"

namespace fontlathe {

// What a canvas event asks for: 1 paint (left press, or a move with the left button held),
// 2 pick (the same with the right button), 3 both held while moving, 0 nothing.
int CanvasPaintAction(const CanvasMouseEvent& event);

// Paints the selected colour into, or picks a colour from, the raster pixel under the mouse.
// Does nothing for an absent glyph, a position outside the raster or action 3.
void PaintAt(Charset& set, int code, int action, QPoint mouse, int zoom, int& selectedColor);

// The palette index painting may use: at most the set's last colour and never outside the
// display colours.
int ClampSelectedColor(const Charset& set, int selectedColor);

} // namespace fontlathe
