#pragma once

#include "charset/Charset.h"
#include "text/CodePage.h"
#include "charset/FileType.h"
#include "bundle/GameFont.h"
#include "generate/GenerationFont.h"

#include <QImage>

#include <cstdint>
#include <optional>

namespace fontlathe {

struct ClipOffsets {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// The application's state, one instance for the whole run, passed by reference to whoever
// needs it.
struct AppState {
    Charset charset;
    FileType fileType{QStringLiteral("SCUMM Font"), QStringLiteral(".char")};
    // Whether this run loaded or saved the file at the path: Save asks before replacing any
    // other file of that name.
    bool pathIsOwnFile = false;
    // Whether the file at the path was read as a font; Save asks before replacing one that was
    // not (a text file opened by mistake).
    bool pathHoldsFont = true;
    // The font of a game's bundle that Save writes back into, when one is current; the path is
    // then only the font file that Save As suggests.
    std::optional<GameFont> gameFont;
    // Which character each code stands for, in the table, the preview, Generate and coverage.
    CodePage codePage;
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
