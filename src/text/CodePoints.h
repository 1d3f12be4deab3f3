#pragma once

#include <QString>
#include <QStringView>

namespace fontlathe {

// The codes 0 to 31 are control codes in every page: no letter stands there, and the table shows
// them as "n.p." (not printable).
inline constexpr int FirstPrintableCode = 32;

// The C0 and C1 control characters and DEL.
constexpr bool IsControlCharacter(char32_t character) {
    return character < 0x20 || (character >= 0x7F && character <= 0x9F);
}

constexpr bool IsSurrogate(char32_t character) {
    return character >= 0xD800 && character <= 0xDFFF;
}

// Whether a character reads as itself between quotes in a message ("Paint 'A'"): it is neither
// blank nor a control character, and no surrogate.
constexpr bool ReadsInQuotes(char32_t character) {
    return character > 0x20 && !(character >= 0x7F && character <= 0xA0) &&
           !IsSurrogate(character) && character <= 0x10FFFF;
}

// How a character of a text is shown to the user: "n.p." for a control code (below 32, DEL and
// 0x80-0x9F, which a terminal may take as the start of a command), else the character itself.
inline QString CharacterText(char32_t character) {
    return character < FirstPrintableCode || (character >= 0x7F && character <= 0x9F)
               ? QStringLiteral("n.p.")
               : QString::fromUcs4(&character, 1);
}

// The code point of text at position, which then moves past it: a surrogate pair is one code
// point, an unpaired surrogate counts as one of its own. position must lie inside the text.
inline char32_t NextCodePoint(QStringView text, qsizetype& position) {
    const QChar unit = text[position++];
    if (unit.isHighSurrogate() && position < text.size() && text[position].isLowSurrogate()) {
        return QChar::surrogateToUcs4(unit, text[position++]);
    }
    return unit.unicode();
}

} // namespace fontlathe
