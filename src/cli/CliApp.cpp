#include "CliApp.h"

#include "CliCommand.h"

#include <algorithm>

namespace fontlathe {

namespace {

int PrintUsage(QTextStream& stream, int status) {
    stream << CliUsage();
    stream.flush();
    return status;
}

const CliCommand* CommandNamed(const QString& name) {
    const std::vector<CliCommand>& commands = CliCommands();
    const auto found = std::ranges::find(commands, name, &CliCommand::name);
    return found == commands.end() ? nullptr : &*found;
}

} // namespace

QString CliUsage() {
    QString usage = QStringLiteral("Usage: fontlathe-cli COMMAND [OPTIONS]\n"
                                   "\n"
                                   "Commands:\n");
    for (const CliCommand& command : CliCommands()) {
        usage += command.usage;
    }
    return usage +
           QStringLiteral(
               "\n"
               "Options:\n"
               "  --json         print one JSON object instead of the table\n"
               "  --codepage P   read codes through code page P (a name, or a mapping file: a\n"
               "                 value with a \"/\" or ending in \".txt\"); latin1 without it\n"
               "  --dirty-bytes  add a 0x00 byte after every glyph that fills whole bytes,\n"
               "                 as the game maker's own files do\n"
               "  --help         show this text\n"
               "  --version      show the version\n"
               "\n"
               "Exit status: 0 on success, 1 when a file can't be read, is refused or can't be\n"
               "written, 2 for wrong arguments (an output that is the input file among them),\n"
               "3 when coverage finds characters missing.\n");
}

bool CliNeedsFonts(const QStringList& args) {
    const CliCommand* command = args.isEmpty() ? nullptr : CommandNamed(args.first());
    return command != nullptr && command->drawsWithFonts;
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty()) {
        return PrintUsage(err, ExitUsage);
    }
    if (IsHelpOption(args.first())) {
        return PrintUsage(out, ExitSuccess);
    }
    const CliCommand* command = CommandNamed(args.first());
    if (command == nullptr) {
        return UsageError(err, QStringLiteral("unknown command \"%1\"").arg(args.first()));
    }
    const ParseOutcome parsed = Parse(args.mid(1), command->syntax, command->shape);
    if (parsed.helpAsked) {
        return PrintUsage(out, ExitSuccess);
    }
    if (!parsed.args) {
        return UsageError(err, parsed.problem);
    }
    return command->run(*command, *parsed.args, out, err);
}

} // namespace fontlathe
