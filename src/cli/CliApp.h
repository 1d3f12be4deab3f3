#pragma once

#include <QStringList>
#include <QTextStream>

namespace fontlathe {

// ExitMissing: coverage found characters that the set lacks.
enum CliExit { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2, ExitMissing = 3 };

// Runs one fontlathe-cli command; generate needs a QGuiApplication, the others none. args excludes
// the program name. Results go to out, the one line that explains a failure to err.
int RunCli(const QStringList& args, QTextStream& out, QTextStream& err);

// Whether the command line asks for a command that draws with installed fonts.
bool CliNeedsFonts(const QStringList& args);

} // namespace fontlathe
