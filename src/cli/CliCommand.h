#pragma once

#include "CliArguments.h"

#include <QString>
#include <QTextStream>

#include <vector>

namespace fontlathe {

struct CliCommand;
using CliRunner = int (*)(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                          QTextStream& err);

// One command of fontlathe-cli: what it accepts, what it says when it is given too little, its
// lines of the usage text, and what runs it.
struct CliCommand {
    QString name;
    CommandSyntax syntax;
    // The problem told for the wrong number of plain arguments.
    QString shape;
    // The problem told when an option the command needs is missing or does not fit the others.
    QString needs;
    // The command's lines in the usage text.
    QString usage;
    CliRunner run;
    // Whether it draws with installed fonts, and so needs a GUI application.
    bool drawsWithFonts = false;
};

// Every command, in the order of the usage text.
const std::vector<CliCommand>& CliCommands();

// The runners, each in the file of its concern: FontCommands.cpp, FaceCommands.cpp,
// BundleCommands.cpp and AddLettersCommand.cpp.
using CliRunFunction = int(const CliCommand& command, const ParsedArgs& parsed, QTextStream& out,
                           QTextStream& err);
CliRunFunction RunInfo, RunResave, RunRender, RunGenerate, RunExport, RunImport, RunCoverage,
    RunCodePages, RunFonts, RunExtract, RunInsert, RunRepair, RunAddLetters, RunImportFont,
    RunExportFont;

} // namespace fontlathe
