#pragma once

#include <QImage>

namespace fontlathe {

// The table's row image for a code without glyph: 16 x 16 red with both diagonals in white.
QImage MakeNoGlyphIcon();

} // namespace fontlathe
