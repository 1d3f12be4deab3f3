#pragma once

#include "charset/Charset.h"

namespace fontlathe {

// What an arrow button does.
enum class ShiftMode { None, Roll, Resize, Offset };

// Moves glyph code by one pixel (dx, dy each -1, 0 or +1, one of them 0):
// Roll shifts the pixels with wrap-around; Resize grows or shrinks the raster at its right or
// bottom edge, never below 1 nor above 127 pixels; Offset moves the placement only, within
// -128..127. A step past a limit, an absent glyph and ShiftMode::None change nothing.
void ShiftGlyph(Charset& set, int code, int dx, int dy, ShiftMode mode);

} // namespace fontlathe
