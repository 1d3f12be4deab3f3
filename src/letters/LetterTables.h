#pragma once

#include "text/CodePage.h"

#include <QStringView>

#include <optional>
#include <vector>

namespace fontlathe {

// How the stroke of a letter that Unicode does not decompose crosses its base letter.
enum class StrokeKind {
    SlantThroughStem,  // ł Ł: a short rising slant through the stem, halfway up the ink
    BarNearStemTop,    // đ ħ: a bar through the stem a fifth of the way down from the ink's top
    BarThroughStemMid, // Đ: a bar through the stem halfway up, reaching into the bowl
    BarAcrossTop,      // Ħ: a bar across the whole ink a quarter of the way down
    SlashAcrossInk,    // ø Ø: a slash from the ink's bottom left to its top right
};

struct StrokedLetter {
    char32_t base;
    StrokeKind stroke;
};

// The base and stroke of ł Ł đ Đ ø Ø ħ Ħ; nothing for any other character.
std::optional<StrokedLetter> StrokedLetterOf(char32_t letter);

// The Latin letter (or the space or hyphen) that a letter of another script, the no-break space
// or the soft hyphen looks the same as: Cyrillic А В Е К М Н О Р С Т Х а е о р с у х і ј ѕ and
// Greek Α Β Ε Ζ Η Ι Κ Μ Ν Ο Ρ Τ Υ Χ ο among them. Nothing for any other character.
std::optional<char32_t> LatinTwinOf(char32_t letter);

// Whether the letter is a Greek capital, Α to Ω: its tonos stands before it.
bool IsGreekCapital(char32_t letter);

// Every character the page gives a code from 32 up, in the order of their codes.
std::vector<char32_t> EveryLetterOf(const CodePage& page);

// The characters of a text from the space up, each once, in order of first use: the letters
// a translation's text wants, as coverage lists them.
std::vector<char32_t> LettersOfText(QStringView text);

} // namespace fontlathe
