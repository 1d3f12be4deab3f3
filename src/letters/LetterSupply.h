#pragma once

#include "DrawnLetters.h"
#include "LetterComposer.h"
#include "LetterParts.h"
#include "LetterRecipes.h"
#include "generate/DrawingSource.h"

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace fontlathe {

// The face letters are compared with where no other is given (DejaVu Sans); nothing where it is
// missing.
std::optional<DrawingSource> DefaultDrawingFace();

// The letters one font's new letters are built on, each found once and kept: the font's own
// body, its Latin twin's without serifs, composed from a base and marks, built by a recipe, or
// drawn with the face given.
class LetterSupply final : public LetterParts {
public:
    // page says which letter each of the composer's bodies shows; drawWith is the face letters
    // are drawn with, none to draw nothing.
    LetterSupply(const LetterComposer& composer, const CodePage& page,
                 const std::optional<DrawingSource>& drawWith);
    ~LetterSupply() override;

    const Glyph* Part(char32_t letter) override;
    const Glyph* PartOrDrawn(char32_t letter) override;
    const Glyph* Reference(char32_t letter) override;

    struct Drawn {
        std::optional<Glyph> glyph; // a body, in the body's colour
        QString detail;             // "drawn with DejaVu Sans at 12 px", or why it is missing
    };
    // The letter drawn with the face given, as a body.
    const Drawn& Draw(char32_t letter);
    // The body of a capital's Latin twin without the serifs on its stem where the twin has them
    // on a stem with a bowl (a B drawn with its stem a column in) and the font's E has none, as
    // designers of pixel faces draw В and Β (a face with serifs keeps them); nothing otherwise.
    std::optional<Glyph> PlainTwinBody(char32_t letter) const;
    // The letter built by its recipe, on parts other than itself.
    std::optional<RecipeLetter> Build(char32_t letter);
    RecipeBook& recipes() { return recipes_; }

private:
    std::optional<Glyph> Found(char32_t letter);
    // The drawer of the face given, made once.
    const LetterDrawer& Drawer();

    const LetterComposer& composer_;
    const CodePage& page_;
    const std::optional<DrawingSource>& drawWith_;
    PaletteLookup palette_;
    RecipeBook recipes_;
    std::unique_ptr<LetterDrawer> drawer_;
    std::unique_ptr<LetterDrawer> referenceDrawer_; // DejaVu Sans, where no face is given
    std::map<char32_t, std::optional<Glyph>> parts_, references_;
    std::map<char32_t, Drawn> drawn_;
    // The letters being found, outermost first; a letter asked for while it is being found is
    // given as missing.
    std::vector<char32_t> finding_;
    // The outermost place in finding_ given as missing since the innermost Part began.
    std::size_t blockedAt_ = SIZE_MAX;
    // A letter found while one further out was given as missing may be found otherwise when
    // asked for on its own: it is kept only until the outermost such letter is found (`until`,
    // its place in finding_), and found anew after. Not until the innermost: a part would then be
    // found anew for every letter that asks for it, and the time grow exponentially with the
    // letters that ask for each other (small faces, where many letters come out alike).
    struct Provisional {
        std::optional<Glyph> glyph;
        std::size_t until;
    };
    std::map<char32_t, Provisional> provisional_;
    // Marks the letter as being found for as long as it lives, unless it already is.
    class Finding;
};

} // namespace fontlathe
