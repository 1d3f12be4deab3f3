#pragma once

#include "LetterMetrics.h"
#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"

#include <QString>

#include <optional>

namespace fontlathe {

// Where a recipe gets the letters it builds on.
class RecipeParts {
public:
    virtual ~RecipeParts() = default;
    // The glyph of the letter as the font shows it or as it can be built without drawing (a
    // recipe may build on a letter another recipe made); nothing when it can't.
    virtual std::optional<Glyph> Letter(char32_t letter) = 0;
};

struct RecipeLetter {
    Glyph glyph;
    QString detail; // "N mirrored", "П made small", "same as 3", ...
};

// The letter built from other letters of the font by its recipe: И and Я are N and R mirrored,
// Г is L turned upside down, П is H with its bar on top, small н т п ш ... are their capitals
// made as tall as x, and so on. Nothing when the letter has no recipe or the parts are missing.
std::optional<RecipeLetter> BuildByRecipe(char32_t letter, RecipeParts& parts,
                                          const LetterMetrics& metrics,
                                          const PaletteLookup& palette);

} // namespace fontlathe
