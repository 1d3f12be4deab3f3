#pragma once

#include "CliCommand.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace fontlathe {

// The names of the options that several commands take.
namespace option {
inline const QString Output = QStringLiteral("-o");
inline const QString Json = QStringLiteral("--json");
inline const QString CodePage = QStringLiteral("--codepage");
inline const QString DirtyBytes = QStringLiteral("--dirty-bytes");
inline const QString Font = QStringLiteral("--font");
inline const QString Text = QStringLiteral("--text");
inline const QString TextFile = QStringLiteral("--text-file");
inline const QString TextEncoding = QStringLiteral("--text-encoding");
inline const QString Style = QStringLiteral("--style");
inline const QString FromPage = QStringLiteral("--from-page");
} // namespace option

// The lines of help texts are at most this wide.
inline constexpr int HelpColumns = 80;

// The options that several commands take, each with the text a command gives it unless it has
// its own.
const std::vector<OptionHelp>& SharedOptions();
// The help option, which every command takes.
OptionHelp HelpOption();
// Every exit status with the meaning every command gives it.
const std::vector<ExitHelp>& SharedExits();

// The options a command's syntax takes with their texts, in the order its synopsis names them.
std::vector<OptionHelp> OptionsOf(const CliCommand& command);
// The exit statuses of a command with their texts.
std::vector<ExitHelp> ExitsOf(const CliCommand& command);

// The list of commands, one line each, that fontlathe-cli --help prints.
QString CliOverview();
// One command's help: its usage, what it does, its options, exit statuses and examples.
QString CommandHelpText(const CliCommand& command);

// The words joined into lines of at most HelpColumns, the first after first, the others after
// next; each line ends with a newline.
QString WrapWords(const QStringList& words, const QString& first, const QString& next);
// A synopsis split into the words a line may break between: a bracketed group is one, and so
// is an option with its value.
QStringList SynopsisGroups(const QString& synopsis);

} // namespace fontlathe
