#pragma once

#include "charset/Charset.h"

#include <QPoint>

#include <optional>

namespace fontlathe {

// What the mouse does on the glyph canvas: paint a pixel in the selected colour (the left
// button) or pick the colour of a pixel (the right button).
enum class CanvasAction { Paint, Pick };

// Paints glyph pixel `pixel` of code in palette index colorIndex; false, and nothing changes, for
// an absent glyph or a pixel outside its raster.
bool PaintPixel(Charset& set, int code, QPoint pixel, int colorIndex);

// The palette index of glyph pixel `pixel` of code; nothing for an absent glyph or a pixel
// outside its raster.
std::optional<int> PickPixel(const Charset& set, int code, QPoint pixel);

// The palette index painting may use: at most the set's last colour and never outside the
// display colours.
int ClampSelectedColor(const Charset& set, int selectedColor);

} // namespace fontlathe
