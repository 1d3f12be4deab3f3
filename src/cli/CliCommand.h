#pragma once

#include "CliArguments.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <vector>

namespace fontlathe {

struct CliCommand;
using CliRunner = int (*)(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                          QTextStream& err);

// One option in the help: its name, the value it takes (empty for a flag) and one line on what it
// does.
struct OptionHelp {
    QString name;
    QString value;
    QString text;
};

// One exit status in the help; an empty text is the meaning every command gives it.
struct ExitHelp {
    int status;
    QString text = {};
};

// What a command's help and the manual page say of it.
struct CommandHelp {
    // Its line in the list of commands.
    QString summary;
    // What follows the command's name on its usage line.
    QString synopsis;
    // What it does, a paragraph.
    QString about;
    // The options whose text here is the command's own; the others of its syntax take the text
    // every command gives them (SharedOptions).
    std::vector<OptionHelp> options;
    // Its exit statuses; empty for 0, 1 and 2 as every command means them.
    std::vector<ExitHelp> exits;
    QStringList examples;
};

// One command of fontlathe-cli: what it accepts, what it says when it is given too little, its
// help, and what runs it.
struct CliCommand {
    QString name;
    CommandSyntax syntax;
    // The problem told for the wrong number of plain arguments.
    QString shape;
    // The problem told when an option the command needs is missing or does not fit the others.
    QString needs;
    CommandHelp help;
    CliRunner run;
    // Whether it draws with installed fonts, and so needs a GUI application.
    bool drawsWithFonts = false;
};

// Every command, in the order of the list of commands.
const std::vector<CliCommand>& CliCommands();

// Where a usage error of the command sends the user: its own help.
inline QString HelpHint(const CliCommand& command) {
    return QStringLiteral("fontlathe-cli help ") + command.name;
}

// The command called name, or nullptr.
const CliCommand* CommandNamed(const QString& name);

// The commands of each concern, in their order in the list: those on font files and faces, and
// those on games' bundles (with add-letters and help).
std::vector<CliCommand> FontFileCommands();
std::vector<CliCommand> GameAndLetterCommands();

// The runners, each in the file of its concern: FontCommands.cpp, FaceCommands.cpp,
// CoverageCommand.cpp, BundleCommands.cpp, AddLettersCommand.cpp and CliHelp.cpp.
using CliRunFunction = int(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                           QTextStream& err);
CliRunFunction RunInfo, RunResave, RunRender, RunGenerate, RunExport, RunImport, RunCoverage,
    RunCodePages, RunFonts, RunExtract, RunInsert, RunRepair, RunAddLetters, RunImportFont,
    RunExportFont, RunHelp;

} // namespace fontlathe
