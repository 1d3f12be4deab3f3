#pragma once

#include "CommandOutcome.h"
#include "text/TextCoverage.h"

#include <QByteArray>
#include <QString>
#include <QTextStream>

namespace fontlathe {

enum class ReportStyle { Table, Json };

// Where the text to check comes from: the text itself, or the path of a UTF-8 file.
struct CoverageText {
    enum class Kind { Inline, File };
    Kind kind = Kind::Inline;
    QString value;
};

// One line per missing character (code point, the character, its count, the reason), then a
// summary line, and a line of advice when a letter sits at a code the game's text reserves.
QString DescribeCoverage(const TextCoverage& coverage);

// { "distinct": N, "missing": [ { "codepoint", "char", "count", "reason" } ] }
QByteArray CoverageToJson(const TextCoverage& coverage);

// Reads the UTF-8 text file at path into body, without a leading byte order mark (which is no
// character of the text). A file that is not UTF-8 is refused with the offset of the first byte
// that is not.
CommandOutcome ReadTextToCheck(const QString& path, QByteArray& body);

// Checks the text against the font file input and prints the report to out. The status is
// ExitMissing when the font lacks a character of the text; a text file is read as
// ReadTextToCheck reads it.
CommandOutcome ReportCoverage(const QString& input, const CoverageText& text, ReportStyle style,
                              QTextStream& out, const CodePage& page = CodePage());

} // namespace fontlathe
