#pragma once

#include "LetterMetrics.h"
#include "LetterReading.h"
#include "charset/Charset.h"
#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"
#include "text/CodePage.h"

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <set>

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
// as tall as x, and so on. A recipe builds on a letter as `find` gives it (the font's own glyph,
// or one borrowed or composed) or as another recipe builds it, a small letter on its capital as
// `draw` draws it too; each letter is built once, and one that would be built on itself is not
// built.
class RecipeBook {
public:
    using Finder = std::function<std::optional<Glyph>(char32_t letter)>;

    // page says which letter each glyph of font shows.
    // `draw` gives the letters for which there is nothing else, drawn; `reference` each letter as
    // the drawing face draws it at the font's size, which a recipe's result must read as.
    RecipeBook(const Charset& font, const CodePage& page, Finder find, Finder draw,
               Finder reference);

    // The letter built by its recipe; nothing when it has none or the parts are missing.
    std::optional<RecipeLetter> Build(char32_t letter);
    // The letter that what a recipe built for `letter` reads as instead; 0 when it reads as
    // itself. It reads as another letter when the font would then show two letters with one glyph
    // that the drawing face draws apart by their strokes and counters (u for и, ц for щ); not
    // its own other case, nor the letter a recipe takes as it is by design.
    char32_t ReadsAs(char32_t letter, const RecipeLetter& built);
    // The letter as `find` gives it or else as its recipe builds it; null when neither can.
    const Glyph* Letter(char32_t letter);
    // The same, or else the letter as `draw` gives it.
    const Glyph* LetterOrDrawn(char32_t letter);

private:
    PaletteLookup palette_;
    std::optional<LetterMetrics> metrics_;
    const LetterReading* ReferenceReading(char32_t letter);

    Finder find_;
    Finder draw_;
    Finder reference_;
    std::map<char32_t, std::optional<Glyph>> letters_, drawn_;
    std::map<char32_t, std::optional<LetterReading>> references_;
    std::set<char32_t> building_;
};

} // namespace fontlathe
