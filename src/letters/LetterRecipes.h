#pragma once

#include "LetterMetrics.h"
#include "LetterParts.h"
#include "LetterReading.h"
#include "charset/Charset.h"
#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"
#include "text/CodePage.h"

#include <QString>

#include <map>
#include <optional>

namespace fontlathe {

struct RecipeLetter {
    Glyph glyph;
    QString detail;      // "N mirrored", "П made small", "same as 3", ...
    char32_t from = 0;   // the letter it starts from
    char32_t with = 0;   // the second letter it takes part of; 0 for none
    char32_t copied = 0; // the letter it takes as it is, by design (З as 3); 0 for none
};

// Builds letters from other letters of a font by their recipes: И and Я are N and R mirrored,
// Г is L turned upside down, П is H with its bar on top, small н т п ш ... are their capitals made
// as tall as x, and so on. A recipe builds on letters as `parts` gives them (the font's own glyph,
// one borrowed or composed, or one another recipe builds), a small letter on its capital drawn
// too.
class RecipeBook {
public:
    // page says which letter each glyph of font shows.
    RecipeBook(const Charset& font, const CodePage& page);

    // The letter built by its recipe; nothing when it has none or the parts are missing.
    std::optional<RecipeLetter> Build(char32_t letter, LetterParts& parts) const;
    // The letter that what a recipe built for `letter` reads as instead; 0 when it reads as
    // itself. It reads as another letter when the font would then show two letters with one glyph
    // that the drawing face (parts' reference) draws apart by their strokes and counters (u for
    // и, ц for щ); not its own other case, nor the letter a recipe takes as it is by design.
    char32_t ReadsAs(char32_t letter, const RecipeLetter& built, LetterParts& parts);

private:
    const LetterReading* ReferenceReading(char32_t letter, LetterParts& parts);

    PaletteLookup palette_;
    std::optional<LetterMetrics> metrics_;
    std::map<char32_t, std::optional<LetterReading>> references_;
};

} // namespace fontlathe
