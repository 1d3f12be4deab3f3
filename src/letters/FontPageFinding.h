#pragma once

#include "charset/Charset.h"
#include "generate/DrawingSource.h"
#include "text/CodePage.h"

#include <QString>

#include <optional>

namespace fontlathe {

// The page a font's glyphs are drawn for, found from them.
struct FoundPage {
    CodePage page; // latin1 where no page clearly agrees
    bool found = false;
    int agreeing = 0; // of the page found: the codes whose glyph shows the page's letter
    int letters = 0;  // and the codes 0x80-0xFF where it puts a letter and the font has a glyph

    // "found from its glyphs: 58 of 64 letters agree", or "no page clearly agrees with its
    // glyphs".
    QString Description() const;
};

// Scores every page KnownCodePages() lists: of the codes 0x80-0xFF where the page puts a letter
// and the font has a glyph, how many glyphs show that letter (are within 2 pixels of the letter
// Add Letters makes for it from the font's other glyphs, drawing with drawWith, else DejaVu Sans,
// where nothing else makes it). A page wins with at least 75% that leads the next page by 8
// points or more, the next page being the best of those that read some glyph as a letter the
// first does not (one agreeing only where the first agrees too is no rival); a page that puts
// the same letters at every code the font has a glyph for as one listed before it is that page.
// Drawing needs a QGuiApplication.
FoundPage FindFontPage(const Charset& font, const std::optional<DrawingSource>& drawWith);

} // namespace fontlathe
