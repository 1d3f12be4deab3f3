#include "CoverageReport.h"

#include "charset/FileAccess.h"
#include "text/CodePoints.h"
#include "text/TextForms.h"

#include <algorithm>
#include <array>
#include <string>

namespace fontlathe {

namespace {

// A text file of this size is far beyond any game's script.
constexpr qint64 MaxTextFileSize = qint64(256) * 1024 * 1024;

} // namespace

QString DescribeCoverage(const TextCoverage& coverage) {
    QString text;
    for (const MissingCharacter& missing : coverage.missing) {
        text +=
            QStringLiteral("%1  %2 %3  %4%5\n")
                .arg(CodePointName(missing.codePoint), -8)
                .arg(CharacterText(missing.codePoint), -4)
                .arg(missing.count, 8)
                .arg(MissingReasonName(missing.reason))
                .arg(missing.reason == MissingReason::OtherLetter
                         ? QStringLiteral(" (%1 shows %2, not %3)")
                               .arg(CodeText(missing.code))
                               .arg(CharacterText(missing.shows), CharacterText(missing.codePoint))
                         : QString());
    }
    const QString characters =
        coverage.distinct == 1 ? QStringLiteral("character") : QStringLiteral("characters");
    if (coverage.distinct == 0) {
        text += QStringLiteral("The text holds no characters to cover.\n");
    } else if (coverage.complete()) {
        text += coverage.distinct == 1 ? QStringLiteral("Its one distinct character is covered.\n")
                                       : QStringLiteral("All %1 distinct characters are covered.\n")
                                             .arg(coverage.distinct);
    } else {
        text += QStringLiteral("%1 of %2 distinct %3 missing.\n")
                    .arg(coverage.missing.size())
                    .arg(coverage.distinct)
                    .arg(characters);
    }
    if (std::any_of(coverage.missing.begin(), coverage.missing.end(),
                    [](const MissingCharacter& missing) {
                        return missing.reason == MissingReason::ReservedCode;
                    })) {
        text += QStringLiteral("The game's text reader takes reservedCode letters as control "
                               "codes: move them to free codes with a mapping file "
                               "(--codepage FILE).\n");
    }
    return text;
}

QByteArray CoverageToJson(const TextCoverage& coverage) {
    // Written by hand to keep the keys in the documented order, one missing character a line.
    QByteArray json = "{\n    \"codePage\": " + JsonString(coverage.codePage) +
                      ",\n    \"distinct\": " + QByteArray::number(coverage.distinct) +
                      ",\n    \"missing\": [";
    for (std::size_t i = 0; i < coverage.missing.size(); ++i) {
        const MissingCharacter& character = coverage.missing[i];
        json += (i == 0 ? "\n" : ",\n") + QByteArray("        { \"codepoint\": ") +
                JsonString(CodePointName(character.codePoint)) +
                ", \"char\": " + JsonString(QString::fromUcs4(&character.codePoint, 1)) +
                ", \"count\": " + QByteArray::number(character.count) +
                ", \"reason\": " + JsonString(MissingReasonName(character.reason)) +
                (character.reason == MissingReason::OtherLetter
                     ? ", \"shows\": " + JsonString(QString::fromUcs4(&character.shows, 1))
                     : QByteArray()) +
                " }";
    }
    return json + (coverage.missing.empty() ? "]\n}\n" : "\n    ]\n}\n");
}

namespace {

// The text of a file in a single-byte page, each byte the page's character for it; a byte the
// page leaves empty reads as U+FFFD.
QByteArray DecodeThroughPage(QByteArrayView bytes, const CodePage& page) {
    // Each byte value is looked up once, not once a byte of a text that may be large.
    std::array<char32_t, 256> characters{};
    for (int code = 0; code < 256; ++code) {
        characters[std::size_t(code)] = page.CharacterAt(code).value_or(char32_t(0xFFFD));
    }
    std::u32string text;
    text.reserve(std::size_t(bytes.size()));
    for (const char byte : bytes) {
        text += characters[static_cast<unsigned char>(byte)];
    }
    return QString::fromUcs4(text.data(), qsizetype(text.size())).toUtf8();
}

} // namespace

Result ReadTextToCheck(const QString& path, const std::optional<CodePage>& encoding,
                       QByteArray& body, QString* note) {
    QByteArray bytes;
    if (const Result read =
            ReadWholeFile(path, MaxTextFileSize, QStringLiteral("text to check"), bytes);
        !read) {
        return read.At(path);
    }
    if (encoding) {
        body = DecodeThroughPage(bytes, *encoding);
        // A UTF-8 file named as another page: its letters outside ASCII become others.
        const QString asUtf8 = QString::fromUtf8(bytes);
        if (note != nullptr && FirstInvalidUtf8Byte(bytes) < 0 &&
            std::ranges::any_of(asUtf8,
                                [](QChar c) { return c.unicode() > 0x7F && c.isLetter(); })) {
            *note = QStringLiteral("%1 is valid UTF-8; read as %2 its letters become others "
                                   "(leave out --text-encoding to read it as UTF-8)")
                        .arg(path, encoding->name());
        }
        return Result::Success();
    }
    // Windows' editors save "Unicode" text as UTF-16 behind a byte order mark.
    for (const auto& [mark, kind] : {std::pair{"\xFF\xFE", QStringConverter::Utf16LE},
                                     std::pair{"\xFE\xFF", QStringConverter::Utf16BE}}) {
        if (bytes.startsWith(mark)) {
            QStringDecoder decoder(kind);
            const QString decoded = decoder.decode(QByteArrayView(bytes).sliced(2));
            body = decoded.toUtf8();
            return Result::Success();
        }
    }
    if (const qsizetype invalid = FirstInvalidUtf8Byte(bytes); invalid >= 0) {
        return Result::Failure(
            path,
            QStringLiteral("it is not UTF-8: the byte at offset %1 (0x%2) is no part of a UTF-8 "
                           "character. Name the text's encoding with --text-encoding, for example "
                           "cp1251 for Russian or latin1 for Western European text (fontlathe-cli "
                           "codepages lists them)")
                .arg(invalid)
                .arg(static_cast<unsigned char>(bytes.at(invalid)), 2, 16, QChar(u'0')));
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    body = std::move(bytes);
    return Result::Success();
}

Result CheckTextCoverage(const Charset& set, const CoverageText& text, const CodePage& page,
                         const CodePage* drawnFor, TextCoverage& coverage, QString* note) {
    if (text.kind == CoverageText::Kind::Inline) {
        coverage = CheckCoverage(set, text.value, page, drawnFor);
        return Result::Success();
    }
    QByteArray body;
    if (Result read = ReadTextToCheck(text.value, text.encoding, body, note); !read) {
        return read;
    }
    coverage = CheckCoverageUtf8(set, body, page, drawnFor);
    return Result::Success();
}

} // namespace fontlathe
