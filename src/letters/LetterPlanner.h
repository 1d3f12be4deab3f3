#pragma once

#include "AddLetters.h"
#include "LetterComposer.h"
#include "LetterStyle.h"
#include "LetterSupply.h"

namespace fontlathe {

// Codes below this are control codes, never a letter's.
constexpr int FirstLetterCode = 32;
// A glyph within this many pixels of a letter shows that letter.
constexpr int KeptDistance = 2;

// Whether a row of that source writes a glyph into the font.
bool WritesGlyph(LetterSource source);

// Works out one font's rows for a request, a letter at a time; it reads the font as it was, so a
// glyph that a row replaces can still be moved or built on by another.
class LetterPlanner {
public:
    // afresh: each letter made from the font's other glyphs, as if the glyph at its code (or
    // the font's glyph for it anywhere) were not there.
    LetterPlanner(const Charset& font, const AddLettersRequest& request, bool afresh = false)
        : font_(font), request_(request), afresh_(afresh),
          found_(FindLetterStyle(font, request.fromPage)),
          composer_(font, request.fromPage, found_, StyleFor(found_, font, request)),
          supply_(composer_, request.fromPage, request.drawWith),
          capitalsOnly_(HasCapitalsOnly(font, request.fromPage)) {}

    LetterRow Plan(char32_t letter);
    const LetterStyle& style() const { return composer_.style(); }

private:
    static LetterStyle StyleFor(const LetterStyle& found, const Charset& font,
                                const AddLettersRequest& request) {
        return request.style ? NamedLetterStyle(*request.style, found, font.ColorCount()) : found;
    }
    const Glyph* GlyphShowing(char32_t letter) const {
        return font_.GlyphAt(request_.fromPage.CodeOf(letter));
    }
    LetterRow PlanRow(char32_t letter);
    // The row made from the font's glyphs: composed, borrowed, built or drawn.
    LetterRow MadeRow(LetterRow& row);
    bool Compose(LetterRow& row);
    void Draw(LetterRow& row);

    const Charset& font_;
    const AddLettersRequest& request_;
    bool afresh_;
    LetterStyle found_; // the style the font's own letters follow
    LetterComposer composer_;
    LetterSupply supply_;
    bool capitalsOnly_;
};

} // namespace fontlathe
