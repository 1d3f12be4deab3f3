// The help texts of fontlathe-cli, all written from the command table: the list of commands and
// each command's own help; and the help command that prints them.
#include "CliHelp.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace fontlathe {

namespace {

// Where the synopsis names an option; past its end where it does not.
qsizetype PositionIn(const QString& synopsis, const QString& option) {
    const QRegularExpression named(u"(?<![\\w-])"_s + QRegularExpression::escape(option) +
                                   u"(?![\\w-])"_s);
    const QRegularExpressionMatch match = named.match(synopsis);
    return match.hasMatch() ? match.capturedStart() : synopsis.size();
}

QString OptionLeft(const OptionHelp& option) {
    return option.value.isEmpty() ? option.name : option.name + u' ' + option.value;
}

// The options as lines of two columns; a name wider than the first column pushes its text on.
QString OptionLines(const std::vector<OptionHelp>& options) {
    constexpr qsizetype WidestColumn = 22;
    qsizetype width = 0;
    for (const OptionHelp& option : options) {
        width = std::max(width, std::min(OptionLeft(option).size(), WidestColumn));
    }
    QString lines;
    for (const OptionHelp& option : options) {
        lines += u"  "_s + OptionLeft(option).leftJustified(width) + u"  "_s + option.text + u'\n';
    }
    return lines;
}

QString Paragraphs(const QString& text) {
    QString wrapped;
    for (const QString& paragraph : text.split(u'\n')) {
        wrapped += (wrapped.isEmpty() ? QString() : u"\n"_s) +
                   WrapWords(paragraph.split(u' ', Qt::SkipEmptyParts), QString(), QString());
    }
    return wrapped;
}

} // namespace

const std::vector<OptionHelp>& SharedOptions() {
    static const std::vector<OptionHelp> options = {
        {option::Output, u"OUT"_s, u"the file to write"_s},
        {option::Json, QString(), u"print one JSON object instead of the table"_s},
        {option::CodePage, u"P"_s, u"the page the font's codes stand for (default latin1)"_s},
        {option::DirtyBytes, QString(), u"add a 0x00 byte after each glyph filling whole bytes"_s},
        {option::Font, u"N"_s, u"font N of GAME's bundle, as fonts GAME lists them"_s},
        {option::Text, u"TEXT"_s, u"the text, on the command line"_s},
        {option::TextFile, u"PATH"_s, u"read the text from PATH (UTF-8, UTF-16 with its mark)"_s},
        {option::TextEncoding, u"E"_s, u"read --text-file in page E instead of UTF-8"_s},
        {option::Style, u"S"_s, u"normal, shadowed or outlined (default normal)"_s},
        {option::FromPage, u"P"_s, u"the page the font is drawn for"_s},
    };
    return options;
}

OptionHelp HelpOption() {
    return {u"-h, --help"_s, QString(), u"print this help and exit"_s};
}

const std::vector<ExitHelp>& SharedExits() {
    static const std::vector<ExitHelp> exits = {
        {ExitSuccess, u"success"_s},
        {ExitFailure, u"a file can't be read, is refused or can't be written"_s},
        {ExitUsage, u"wrong arguments, such as an unknown option"_s},
        {ExitMissing, u"the font lacks characters of the text (coverage)"_s},
    };
    return exits;
}

std::vector<OptionHelp> OptionsOf(const CliCommand& command) {
    std::vector<OptionHelp> options;
    for (const QString& name : command.syntax.valueOptions + command.syntax.flags) {
        const auto own = std::ranges::find(command.help.options, name, &OptionHelp::name);
        const auto shared = std::ranges::find(SharedOptions(), name, &OptionHelp::name);
        options.push_back(own != command.help.options.end() ? *own
                          : shared != SharedOptions().end() ? *shared
                                                            : OptionHelp{name, {}, {}});
    }
    std::ranges::stable_sort(options, {}, [&command](const OptionHelp& option) {
        return PositionIn(command.help.synopsis, option.name);
    });
    return options;
}

std::vector<ExitHelp> ExitsOf(const CliCommand& command) {
    std::vector<ExitHelp> exits = command.help.exits;
    if (exits.empty()) {
        exits = {{ExitSuccess}, {ExitFailure}, {ExitUsage}};
    }
    for (ExitHelp& exit : exits) {
        if (exit.text.isEmpty()) {
            exit.text = std::ranges::find(SharedExits(), exit.status, &ExitHelp::status)->text;
        }
    }
    return exits;
}

QString WrapWords(const QStringList& words, const QString& first, const QString& next) {
    QString text;
    QString line = first;
    bool started = false;
    for (const QString& word : words) {
        if (started && line.size() + 1 + word.size() > HelpColumns) {
            text += line + u'\n';
            line = next;
            started = false;
        }
        line += (started ? u" "_s : QString()) + word;
        started = true;
    }
    return text + line + u'\n';
}

QStringList SynopsisGroups(const QString& synopsis) {
    QStringList groups(QString{});
    int depth = 0;
    for (const QChar c : synopsis) {
        if (c == u' ' && depth == 0) {
            groups << QString();
            continue;
        }
        depth += int(c == u'[' || c == u'(') - int(c == u']' || c == u')');
        groups.last() += c;
    }
    groups.removeAll(QString());
    // An option stays with its value: "-o OUT.char".
    for (qsizetype i = 0; i + 1 < groups.size(); ++i) {
        if (groups.at(i).startsWith(u'-') && groups.at(i + 1).front().isUpper()) {
            groups[i] += u' ' + groups.takeAt(i + 1);
        }
    }
    return groups;
}

QString CliOverview() {
    QString text = u"Usage: fontlathe-cli COMMAND [OPTIONS]\n"
                   "       fontlathe-cli --version\n"
                   "\n"
                   "Commands:\n"_s;
    for (const CliCommand& command : CliCommands()) {
        text += u"  "_s + command.name.leftJustified(13) + command.help.summary + u'\n';
    }
    return text + u"\nfontlathe-cli help COMMAND for one command's options\n"_s;
}

QString CommandHelpText(const CliCommand& command) {
    const QString usage = u"Usage: fontlathe-cli "_s + command.name + u' ';
    QString text = WrapWords(SynopsisGroups(command.help.synopsis), usage, QString(11, u' '));
    text += u'\n' + Paragraphs(command.help.about);
    std::vector<OptionHelp> options = OptionsOf(command);
    options.push_back(HelpOption());
    text += u"\nOptions:\n"_s + OptionLines(options) + u"\nExit status:\n"_s;
    for (const ExitHelp& exit : ExitsOf(command)) {
        text += WrapWords(exit.text.split(u' '), u"  %1  "_s.arg(exit.status), QString(5, u' '));
    }
    text += command.help.examples.size() == 1 ? u"\nExample:\n"_s : u"\nExamples:\n"_s;
    for (const QString& example : command.help.examples) {
        text += u"  "_s + QString(example).replace(u"\n"_s, u"\n  "_s) + u'\n';
    }
    return text;
}

int RunHelp(const CliCommand&, const ParsedArgs& parsed, QTextStream& out, QTextStream& err) {
    if (parsed.positionals.isEmpty()) {
        out << CliOverview();
        out.flush();
        return ExitSuccess;
    }
    const CliCommand* asked = CommandNamed(parsed.positionals.first());
    if (asked == nullptr) {
        return UsageError(err,
                          QStringLiteral("unknown command \"%1\"").arg(parsed.positionals.first()));
    }
    out << CommandHelpText(*asked);
    out.flush();
    return ExitSuccess;
}

} // namespace fontlathe
