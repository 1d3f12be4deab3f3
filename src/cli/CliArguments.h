#pragma once

#include "CliApp.h"
#include "charset/Result.h"
#include "generate/GenerationFont.h"
#include "text/CodePage.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <map>
#include <optional>

namespace fontlathe {

// What one command accepts: its flags, its options that take a value, and how many plain
// arguments.
struct CommandSyntax {
    QStringList flags;
    QStringList valueOptions;
    int positionals;
    int optionalPositionals = 0;
    // Value options that may be given more than once; Value gives the last.
    QStringList repeatable = {};
};

struct ParsedArgs {
    QStringList flags;
    std::map<QString, QString> values;
    QStringList positionals;
    // Every value of each repeatable option, in order.
    std::map<QString, QStringList> repeated;
    QStringList Values(const QString& option) const {
        const auto found = repeated.find(option);
        return found == repeated.end() ? QStringList() : found->second;
    }

    bool Has(const QString& flag) const { return flags.contains(flag); }
    std::optional<QString> Value(const QString& option) const {
        const auto found = values.find(option);
        return found == values.end() ? std::nullopt : std::optional<QString>(found->second);
    }
};

// A parse gives the arguments, a request for help, or what is wrong with the command line.
struct ParseOutcome {
    std::optional<ParsedArgs> args;
    bool helpAsked = false;
    QString problem;
};

bool IsHelpOption(const QString& arg);

// Help is asked only where an option may stand: the value of an option is taken as it is, even
// when it reads "-h". shape is the problem reported for the wrong number of plain arguments.
ParseOutcome Parse(const QStringList& args, const CommandSyntax& syntax, const QString& shape);

// One line on err: "fontlathe-cli: PATH: REASON" (path is empty when the reason names the file
// itself); returns status.
int Fail(QTextStream& err, const QString& path, const QString& reason, int status = ExitFailure);

// The problem, then the hint where help is; returns ExitUsage.
int UsageError(QTextStream& err, const QString& problem,
               const QString& hint = QStringLiteral("fontlathe-cli --help"));

// Reads the code page option (--codepage unless another is named) into page, which stays as it
// is without it. On failure, the status to end with: a name that is no page is a usage error, a
// mapping file that can't be read the file's failure.
std::optional<int> ReadCodePage(const ParsedArgs& parsed, QTextStream& err, CodePage& page,
                                const QString& option = QStringLiteral("--codepage"));

// Reads --text-encoding, the page a text file is written in, into encoding; nothing without it.
std::optional<int> ReadTextEncoding(const ParsedArgs& parsed, QTextStream& err,
                                    std::optional<CodePage>& encoding);

// Reads --style into style (normal without it); the status to end with for a name that is no
// style.
std::optional<int> ReadGenerationStyle(const ParsedArgs& parsed, QTextStream& err,
                                       GenerationStyle& style);

// The exit status of a command's result: success, or a failure told on err. An output over the
// input, or a font number the game lacks, is a slip of the command line.
int Finish(const Result& result, QTextStream& err, int success = ExitSuccess);

} // namespace fontlathe
