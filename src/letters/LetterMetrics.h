#pragma once

#include "charset/Charset.h"
#include "charset/PaletteLookup.h"
#include "text/CodePage.h"

#include <QRect>

#include <array>

namespace fontlathe {

// The measurements of a font's Latin letters that new letters are fitted to. Rows are line rows
// (a glyph's raster row plus its y offset), counted down from the line's top.
struct LetterMetrics {
    int capTop = 0;       // the top row of the capital H's ink (of the tallest capital without H)
    int baseline = 0;     // the bottom row of that capital's ink
    int xTop = 0;         // the top row of the ink of x (of u, v, z; else 2/3 of the cap height)
    int ascenderTop = 0;  // the top row of the ink of b, d, h, k or l; capTop without them
    int descent = 0;      // how many rows p, q, g or y reach below the baseline
    int stem = 1;         // the width of H's left stem (of l's), 1 or more pixels
    int widest = 0;       // the ink width of M (of W, m, w); 0 without them
    int widestLeft = 0;   // the line column where that ink starts (where H's does without it)
    int widestLetter = 0; // the widest ink of the font's Latin letters (Æ's, Ø's; not Ð's, Đ's)
    int cellWidth = 0;    // the width every letter's glyph has; 0 where the widths differ
    bool fixedPitch = false; // every letter's glyph ends at the one line column (width + x offset)
    // How many columns right of its left stem u's bottom rows start, from its bottom up, in a
    // font that rounds the corner of letters whose stems stand on one bar as it rounds u's: one
    // whose w is such a letter with its corners rounded. All 0 in a font that does not.
    std::array<int, 3> stemBarCorner{};
    // How many columns i's first row at or below the x-height reaches left of its stem, in a font
    // whose t ends in a flat foot (nothing above the foot's end): such fonts' designers keep that
    // serif on ι. 0 elsewhere.
    int stemSerif = 0;

    int CapHeight() const { return baseline - capTop + 1; }
    int XHeight() const { return baseline - xTop + 1; }
    bool Monospaced() const { return cellWidth > 0; }
    // Whether ink that wide is wider than any of a monospaced font's own letters: designers of
    // such fonts keep the cell's spacing clear.
    bool PastTheCell(int width) const {
        return (Monospaced() || fixedPitch) && width > widestLetter;
    }
};

// Measures a font whose glyphs show the page's characters; nothing when it has no Latin
// capital with ink.
std::optional<LetterMetrics> MeasureLetters(const Charset& font, const CodePage& page,
                                            const PaletteLookup& palette);

// The glyph's ink rectangle in line coordinates (x plus the x offset, y plus the y offset); a
// null rectangle when it has no ink.
QRect LineInkOf(const Glyph& glyph, const PaletteLookup& palette);

// Whether the font's small letters are its capitals, as a verb font's are: at least 20 of a-z
// pixel for pixel their capitals, or a-z absent where 20 capitals are there.
bool HasCapitalsOnly(const Charset& font, const CodePage& page);

} // namespace fontlathe
