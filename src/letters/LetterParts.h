#pragma once

#include "charset/Glyph.h"

namespace fontlathe {

// What the composer and the recipes build on: letters' bodies, each found once by whoever
// supplies them. A letter asked for while it is being found is not there, so a letter is never
// built on itself.
class LetterParts {
public:
    virtual ~LetterParts() = default;

    // The letter's body as the font has it, borrows or composes it, or a recipe builds it; null
    // when none of these can.
    virtual const Glyph* Part(char32_t letter) = 0;
    // The same, or else the letter drawn with the face given; null when that draws nothing.
    virtual const Glyph* PartOrDrawn(char32_t letter) = 0;
    // The letter as the drawing face draws it at the font's size, which what a recipe builds
    // must read as; null when there is none.
    virtual const Glyph* Reference(char32_t letter) = 0;
};

} // namespace fontlathe
