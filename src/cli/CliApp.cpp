#include "CliApp.h"

#include "CliCommand.h"
#include "CliHelp.h"

namespace fontlathe {

namespace {

int Print(QTextStream& stream, const QString& text, int status) {
    stream << text;
    stream.flush();
    return status;
}

} // namespace

bool CliNeedsFonts(const QStringList& args) {
    const CliCommand* command = args.isEmpty() ? nullptr : CommandNamed(args.first());
    return command != nullptr && command->drawsWithFonts;
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        return Print(err, CliOverview(), ExitUsage);
    }
    if (IsHelpOption(args.first())) {
        return Print(out, CliOverview(), ExitSuccess);
    }
    const CliCommand* command = CommandNamed(args.first());
    if (command == nullptr) {
        return UsageError(err, QStringLiteral("unknown command \"%1\"").arg(args.first()));
    }
    const ParseOutcome parsed = Parse(args.mid(1), command->syntax, command->shape);
    if (parsed.helpAsked) {
        return Print(out, CommandHelpText(*command), ExitSuccess);
    }
    if (!parsed.args) {
        return UsageError(err, parsed.problem, HelpHint(*command));
    }
    return command->run(*command, *parsed.args, out, err);
}

} // namespace fontlathe
