#pragma once

#include "CliCommand.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace fontlathe {

// A template line "MarkerPrefix NAME" stands for the part NAME of a manual page.
inline const QString ManualMarker = QStringLiteral(".\\\" written from the help: ");

// Plain text as roff: escaped, with option names in bold.
QString RoffText(const QString& text);
// The options as a list of tagged paragraphs.
QString RoffOptions(const std::vector<OptionHelp>& options);

// The parts of fontlathe-cli(1) written from the command table, by name: the synopsis, the
// commands, the options several commands share, and the exit statuses.
std::map<QString, QString> CliManualParts();

// The page with every marker line replaced by its part; nothing where a marker names no part or
// a part has no marker, which problem then names.
std::optional<QString> FillManual(const QString& page, const std::map<QString, QString>& parts,
                                  QString& problem);

} // namespace fontlathe
