#pragma once

#include "CodePage.h"
#include "ReservedCodes.h"
#include "charset/Charset.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace fontlathe {

// Why a character of a text has no glyph that the game can show.
enum class MissingReason {
    NotInCodePage, // the code page gives it no code
    ReservedCode,  // its code is one the game's text reader takes as a control code; it ranks
                   // before the others as no glyph stored there would ever show
    NotStored,     // its code is at or past numChars: the file does not hold it
    Absent,        // its code is stored, but no glyph is present there
    OtherLetter,   // the glyph at its code shows another letter in the page the font is drawn for
};

struct MissingCharacter {
    char32_t codePoint = 0;
    qint64 count = 0;
    MissingReason reason = MissingReason::Absent;
    char32_t shows = 0; // for OtherLetter: the letter the glyph at code shows
    int code = -1;

    bool operator==(const MissingCharacter&) const = default;
};

// Which characters of a text a set covers. A character is a Unicode code point: a surrogate pair
// is one, a combining mark is one of its own. CR and LF are line breaks and count nowhere.
struct TextCoverage {
    qint64 distinct = 0;                   // the different characters of the text
    std::vector<MissingCharacter> missing; // each once, in order of first use
    QString codePage;                      // the name of the page the text was read through

    bool complete() const { return missing.empty(); }
};

// Why the set does not cover the code point; nothing when it does (the page gives it a code
// below numChars that the game's text reader does not reserve, and the glyph there is present).
// Coverage takes AnyGameVersion's reserved codes: a font file does not say which game reads it.
// With drawnFor, the page the font's glyphs are drawn for, a glyph that shows another letter
// there does not cover the code point either.
std::optional<MissingReason> MissingReasonOf(const Charset& set, char32_t codePoint,
                                             const CodePage& page = CodePage(),
                                             const CodePage* drawnFor = nullptr);

// The name scripts see: "notInCodePage", "reservedCode", "notStored", "absent" or
// "otherLetter".
QString MissingReasonName(MissingReason reason);

// "U+00E9", "U+1F600".
QString CodePointName(char32_t codePoint);

// The missing characters themselves, separated by spaces, in order of first use. One that would
// show as a gap or not at all is named: "space", or its code point for any other blank, control,
// format character or combining mark ("U+00A0", "U+0301").
QString MissingCharacterList(const TextCoverage& coverage);

// The text is read through the page. An unpaired surrogate counts as a character of its own.
TextCoverage CheckCoverage(const Charset& set, QStringView text, const CodePage& page = CodePage(),
                           const CodePage* drawnFor = nullptr);

// The same for UTF-8 bytes; a byte that FirstInvalidUtf8Byte would stop at counts as U+FFFD.
TextCoverage CheckCoverageUtf8(const Charset& set, QByteArrayView utf8,
                               const CodePage& page = CodePage(),
                               const CodePage* drawnFor = nullptr);

// The offset of the first byte that is not part of a well-formed UTF-8 sequence (overlong forms,
// surrogates and code points above U+10FFFF are not), or -1 when there is none.
qsizetype FirstInvalidUtf8Byte(QByteArrayView bytes);

} // namespace fontlathe
