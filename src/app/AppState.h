#pragma once

#include "edit/PixelSelection.h"
#include "generate/GenerationFont.h"

#include <QImage>

#include <QByteArray>
#include <QPoint>

#include <cstdint>
#include <optional>

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
    // The selected pixels of the current character, and whether they float.
    PixelSelection selection;
    // Pixels copied with Copy Pixels: Paste Pixels puts them where they stood on the line while
    // the clipboard still holds the image copied.
    struct CopiedPixels {
        QImage pixels;
        QPoint lineAt; // their top-left pixel in line coordinates
        QByteArray clipboardImage;
    };
    std::optional<CopiedPixels> copiedPixels;
    // Whether the clipboard held those pixels when last looked at.
    bool pastesPixels = false;
    // A click that dropped floating pixels paints nothing until the button is released.
    bool strokeDropsPixels = false;
    // The reference glyph typed under the canvas; empty: the one the letter was made from.
    QString referenceChoice;
};

} // namespace fontlathe
