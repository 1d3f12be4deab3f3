#pragma once

#include "charset/Charset.h"
#include "charset/Result.h"
#include "text/TextCoverage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QTextStream>

#include <optional>

namespace fontlathe {

enum class ReportStyle { Table, Json };

// Where the text to check comes from: the text itself, or the path of a UTF-8 file.
struct CoverageText {
    enum class Kind { Inline, File };
    Kind kind = Kind::Inline;
    QString value;
    // The file's encoding when it is named (--text-encoding); UTF-8 or UTF-16 by its byte order
    // mark without it.
    std::optional<CodePage> encoding;
};

// One line per missing character (code point, the character, its count, the reason), then a
// summary line, and a line of advice when a letter sits at a code the game's text reserves.
QString DescribeCoverage(const TextCoverage& coverage);

// { "distinct": N, "missing": [ { "codepoint", "char", "count", "reason" } ] }
QByteArray CoverageToJson(const TextCoverage& coverage);

// Reads the text file at path into body as UTF-8: through the page named as its encoding, else
// as UTF-16 behind its byte order mark, else as UTF-8 without a leading byte order mark (which is
// no character of the text). A file that is none of these is refused with the offset of the
// first byte that is no UTF-8, and advice to name its encoding.
// note, where given, says when a file named as a page is valid UTF-8 with letters outside ASCII,
// which that page makes other letters of.
Result ReadTextToCheck(const QString& path, const std::optional<CodePage>& encoding,
                       QByteArray& body, QString* note = nullptr);

// Checks the text against the font (a text file read as ReadTextToCheck reads it).
Result CheckTextCoverage(const Charset& set, const CoverageText& text, const CodePage& page,
                         const CodePage* drawnFor, TextCoverage& coverage,
                         QString* note = nullptr);

} // namespace fontlathe
