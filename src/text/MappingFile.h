#pragma once

#include "charset/Result.h"

#include <QByteArrayView>

#include <array>

namespace fontlathe {

inline constexpr int CodeCount = 256;
// The character of a code that stands for none.
inline constexpr char32_t NoCharacter = 0xFFFFFFFF;

// The character each code 0 to 255 stands for, or NoCharacter.
using CodeCharacters = std::array<char32_t, CodeCount>;

// What a mapping file gives: the character of each code, and how many of the codes below 0x20
// it gave one.
struct MappedCharacters {
    CodeCharacters characters{};
    int controlCodes = 0;
};

// Reads the text of a mapping file, as CodePage::ParseMapping describes it; on failure the
// reason names the line, and mapped holds no meaning.
Result ParseMappingText(QByteArrayView text, MappedCharacters& mapped);

} // namespace fontlathe
