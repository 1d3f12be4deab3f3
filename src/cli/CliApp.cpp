#include "CliApp.h"

#include "CharsetReport.h"
#include "charset/CharCodec.h"
#include "charset/Charset.h"

#include <functional>
#include <map>

namespace fontlathe {

namespace {

// The words of one command line: its flags (arguments starting with "--") and the rest.
struct ParsedArgs {
    QStringList flags;
    QStringList positionals;
};

ParsedArgs Split(const QStringList& args) {
    ParsedArgs parsed;
    for (const QString& arg : args) {
        (arg.startsWith(QStringLiteral("--")) ? parsed.flags : parsed.positionals) << arg;
    }
    return parsed;
}

bool OnlyFlagsFrom(const ParsedArgs& parsed, const QStringList& allowed) {
    for (const QString& flag : parsed.flags) {
        if (!allowed.contains(flag)) {
            return false;
        }
    }
    return true;
}

int Fail(QTextStream& err, const QString& path, const QString& reason) {
    err << "fontlathe-cli: " << path << ": " << reason << Qt::endl;
    return ExitFailure;
}

int UsageError(QTextStream& err, const QString& problem) {
    err << "fontlathe-cli: " << problem << "\n\n" << CliUsage();
    err.flush();
    return ExitUsage;
}

int RunInfo(const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    if (!OnlyFlagsFrom(parsed, {QStringLiteral("--json")}) || parsed.positionals.size() != 1) {
        return UsageError(err, QStringLiteral("info takes one FILE and an optional --json"));
    }
    const QString& path = parsed.positionals.first();
    Charset set;
    set.NewCharset(1);
    if (const FileResult loaded = LoadCharset(set, path); !loaded) {
        return Fail(err, path, loaded.reason());
    }
    if (parsed.flags.contains(QStringLiteral("--json"))) {
        out << QString::fromUtf8(CharsetToJson(set));
    } else {
        out << DescribeCharset(set, path);
    }
    out.flush();
    return ExitSuccess;
}

int RunResave(const ParsedArgs& parsed, QTextStream&, QTextStream& err) {
    if (!OnlyFlagsFrom(parsed, {QStringLiteral("--dirty-bytes")}) ||
        parsed.positionals.size() != 2) {
        return UsageError(err,
                          QStringLiteral("resave takes IN and OUT and an optional --dirty-bytes"));
    }
    const QString& input = parsed.positionals.at(0);
    const QString& output = parsed.positionals.at(1);
    Charset set;
    set.NewCharset(1);
    if (const FileResult loaded = LoadCharset(set, input); !loaded) {
        return Fail(err, input, loaded.reason());
    }
    const DirtyBytes dirty =
        parsed.flags.contains(QStringLiteral("--dirty-bytes")) ? DirtyBytes::On : DirtyBytes::Off;
    if (const FileResult saved = SaveCharset(set, output, dirty); !saved) {
        return Fail(err, output, saved.reason());
    }
    return ExitSuccess;
}

} // namespace

QString CliUsage() {
    return QStringLiteral(
        "Usage: fontlathe-cli COMMAND [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  info [--json] FILE               show the header and the stored glyphs of FILE\n"
        "  resave IN OUT [--dirty-bytes]    load IN and save it as OUT\n"
        "\n"
        "Options:\n"
        "  --json         print one JSON object instead of the table\n"
        "  --dirty-bytes  add a 0x00 byte after every glyph that fills whole bytes,\n"
        "                 as the game maker's own files do\n"
        "  --help         show this text\n"
        "\n"
        "Exit status: 0 on success, 1 when a file can't be read, is refused or can't be\n"
        "written, 2 for wrong arguments.\n");
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << CliUsage();
        out.flush();
        return ExitSuccess;
    }
    if (args.isEmpty()) {
        return UsageError(err, QStringLiteral("no command given"));
    }
    using Command = std::function<int(const ParsedArgs&, QTextStream&, QTextStream&)>;
    const std::map<QString, Command> commands = {
        {QStringLiteral("info"), RunInfo},
        {QStringLiteral("resave"), RunResave},
    };
    const auto command = commands.find(args.first());
    if (command == commands.end()) {
        return UsageError(err, QStringLiteral("unknown command \"%1\"").arg(args.first()));
    }
    return command->second(Split(args.mid(1)), out, err);
}

} // namespace fontlathe
