#pragma once

#include "charset/Result.h"

#include <QByteArrayView>

namespace fontlathe {

// The engine's classic font reader stops the game on a glyph whose offset (counted from the
// bits-per-pixel byte) is 0x14000 or more, and draws only 1, 2, 4 or 8 bits per pixel.
inline constexpr std::int64_t EngineGlyphOffsetLimit = 0x14000;

// Checks a whole CHAR block, already accepted by the codec, against those limits: success, or
// the reason the engine would not read it.
Result CheckEngineLimits(QByteArrayView block);

} // namespace fontlathe
