#pragma once

#include "generate/GenerationFont.h"

#include <QImage>

#include <cstdint>

namespace fontlathe {

struct ClipOffsets {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// The window's own state, one instance for the whole run, passed by reference to whoever needs
// it. The set and all that belongs to it are the Document's.
struct AppState {
    GenerationFont generationFont;
    QImage noGlyphIcon;
    // The selected row of the character table, re-read for every event; -1 with no selection.
    int currentChar = 0;
    // The palette index that painting uses.
    int selectedColor = 0;
    // The offsets of the glyph last copied.
    ClipOffsets clipOffsets;
};

} // namespace fontlathe
