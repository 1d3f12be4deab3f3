#pragma once

#include "CliArguments.h"
#include "generate/DrawingSource.h"
#include "text/CodePage.h"

#include <QString>
#include <QTextStream>

#include <map>
#include <optional>

namespace fontlathe {

// The options of add-letters that are given per font.

// The values of an option given once for every font (VALUE) and once for each font of a game
// that has one of its own (N=VALUE).
struct PerFont {
    std::optional<QString> plain;
    std::map<int, QString> numbered;
};

// Reads such an option; the status to end with for N=VALUE on a font file or a value twice.
std::optional<int> ReadPerFont(const ParsedArgs& parsed, const QString& option,
                               const QString& value, bool game, QTextStream& err, PerFont& read);
// A page by its name or mapping file; the status to end with where it is none.
std::optional<int> ReadPage(const QString& nameOrFile, QTextStream& err, CodePage& page);
// An installed family or a bitmap face to draw with; the status to end with where it is none.
std::optional<int> ReadDrawing(const QString& family, QTextStream& err,
                               std::optional<DrawingSource>& source);

} // namespace fontlathe
