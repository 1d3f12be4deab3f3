#pragma once

#include "CanvasMouseEvent.h"
#include "charset/Charset.h"

#include <optional>

namespace fontlathe {

// What a canvas event asks for: paint (a left press, or a move with the left button held), pick
// (the same with the right button), or nothing. A move with both buttons held does neither.
enum class CanvasAction { None, Paint, Pick, PaintAndPick };

CanvasAction CanvasPaintAction(const CanvasMouseEvent& event);

// Paints the colour into, or picks a colour from, the raster pixel under the mouse. A pick
// returns the palette index it found; nothing else does. Does nothing for an absent glyph, a
// position outside the raster or PaintAndPick.
std::optional<int> PaintAt(Charset& set, int code, CanvasAction action, QPoint mouse, int zoom,
                           int selectedColor);

// The palette index painting may use: at most the set's last colour and never outside the
// display colours.
int ClampSelectedColor(const Charset& set, int selectedColor);

} // namespace fontlathe
