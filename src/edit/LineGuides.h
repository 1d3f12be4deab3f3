#pragma once

#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QString>

#include <optional>
#include <vector>

namespace fontlathe {

class EditHistory;

// A line between two pixel rows of the font's line, found from its own glyphs.
struct LineGuide {
    QString name; // "Baseline", "x-height", ...
    // In line coordinates: the guide runs along the top of row y of the line.
    int y = 0;
};

// The line's top and bottom, and where the font's H and x stand on it: its baseline (the bottom
// of H), x-height (the top of x) and cap height (the top of H); a guide whose letter the font
// lacks is left out.
std::vector<LineGuide> FindLineGuides(const Charset& set, const CodePage& page);

// The glyph the one at code is best drawn over: the one Add Letters made it from while that step
// is done in history, else the base of its letter where the page holds it (s for ś, Е for Ё);
// nothing for none.
std::optional<Glyph> DefaultReferenceGlyph(const Charset& set, const CodePage& page,
                                           const EditHistory& history, int code);
// The code a reference typed as one character or as "0xNN" names; nothing for other text.
std::optional<int> ReadGlyphChoice(const QString& text, const CodePage& page);

} // namespace fontlathe
