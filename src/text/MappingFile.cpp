#include "MappingFile.h"

#include "CodePoints.h"
#include "TextForms.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace fontlathe {

namespace {

constexpr char32_t LastCodePoint = 0x10FFFF;
// Unicode's tables have lines of some 60 characters; a line far longer is no such table.
constexpr qsizetype MaxLineLength = 1000;

bool IsBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\v' || byte == '\f';
}

std::optional<std::uint32_t> ParseHex(QByteArrayView token) {
    if (token.size() < 3 || token.size() > 10 || token[0] != '0' ||
        (token[1] != 'x' && token[1] != 'X')) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char digit : token.sliced(2)) {
        const int nibble = digit >= '0' && digit <= '9'   ? digit - '0'
                           : digit >= 'a' && digit <= 'f' ? digit - 'a' + 10
                           : digit >= 'A' && digit <= 'F' ? digit - 'A' + 10
                                                          : -1;
        if (nibble < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint32_t>(nibble);
    }
    return value;
}

// The whitespace-separated words of a line.
std::vector<QByteArrayView> Words(QByteArrayView line) {
    std::vector<QByteArrayView> words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        const bool blank = i == line.size() || IsBlank(line[i]);
        if (!blank && start < 0) {
            start = i;
        } else if (blank && start >= 0) {
            words.push_back(line.sliced(start, i - start));
            start = -1;
        }
    }
    return words;
}

} // namespace

Result ParseMappingText(QByteArrayView text, MappedCharacters& mapped) {
    if (text.contains('\0')) {
        return Result::Failure(
            QStringLiteral("it holds NUL bytes, so it is not a text file of code pairs"));
    }
    // Windows editors save text with a UTF-8 byte order mark ahead of the first line.
    if (text.startsWith("\xEF\xBB\xBF")) {
        text = text.sliced(3);
    }
    mapped.characters.fill(NoCharacter);
    mapped.controlCodes = 0;
    std::array<bool, CodeCount> given{};
    bool printable = false;
    int lineNumber = 0;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end;
        const QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.size() > MaxLineLength) {
            return Result::Failure(QStringLiteral("line %1 is longer than %2 characters")
                                       .arg(lineNumber)
                                       .arg(MaxLineLength));
        }
        const qsizetype hash = line.indexOf('#');
        const std::vector<QByteArrayView> words = Words(hash < 0 ? line : line.first(hash));
        if (words.empty()) {
            continue;
        }
        const bool undefined = hash >= 0 && words.size() == 1 &&
                               line.sliced(hash + 1).trimmed().startsWith("UNDEFINED");
        const std::optional<std::uint32_t> code = ParseHex(words[0]);
        const std::optional<std::uint32_t> value =
            words.size() == 2 ? ParseHex(words[1]) : std::nullopt;
        if (!code || (!value && !undefined) || words.size() > 2) {
            return Result::Failure(
                QStringLiteral("line %1 is not a code and a character such as \"0x82 0x00E9\"")
                    .arg(lineNumber));
        }
        if (*code >= CodeCount) {
            return Result::Failure(QStringLiteral("line %1 gives the code %2, above 0xFF")
                                       .arg(lineNumber)
                                       .arg(CodeText(int(*code))));
        }
        if (given[*code]) {
            return Result::Failure(QStringLiteral("line %1 gives the code %2 a second time")
                                       .arg(lineNumber)
                                       .arg(CodeText(int(*code))));
        }
        given[*code] = true;
        if (undefined) {
            continue;
        }
        if (*value > LastCodePoint || IsSurrogate(*value)) {
            return Result::Failure(
                QStringLiteral("line %1 gives %2, which is not a Unicode character")
                    .arg(lineNumber)
                    .arg(HexText(*value, 4)));
        }
        mapped.characters[*code] = *value;
        printable = printable || *code >= FirstPrintableCode;
        mapped.controlCodes += *code < FirstPrintableCode ? 1 : 0;
    }
    if (!printable) {
        return Result::Failure(QStringLiteral("it gives no code from 0x20 up a character"));
    }
    return Result::Success();
}

} // namespace fontlathe
