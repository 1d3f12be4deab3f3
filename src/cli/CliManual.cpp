// The parts of the manual pages that are written from the help texts, in roff.
#include "CliManual.h"

#include "CliHelp.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace fontlathe {

namespace {

QString RoffEscaped(const QString& text) {
    QString escaped;
    for (const char32_t c : text.toUcs4()) {
        escaped += c == u'\\'  ? u"\\e"_s
                   : c == u'-' ? u"\\-"_s
                   : c < 0x80
                       ? QString(QChar(c))
                       : u"\\[u%1]"_s.arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'));
    }
    return escaped.startsWith(u'.') || escaped.startsWith(u'\'') ? u"\\&"_s + escaped : escaped;
}

// Option names in bold in escaped text.
QString BoldOptions(const QString& escaped) {
    static const QRegularExpression option(
        u"(?<![\\w\\\\])((?:\\\\-){1,2}[a-z][a-z0-9]*(?:\\\\-[a-z0-9]+)*)"_s);
    return QString(escaped).replace(option, u"\\fB\\1\\fR"_s);
}

// A synopsis in roff: options in bold, the values to fill in in italics, a bracketed group
// kept on one line.
QString RoffSynopsis(const QString& synopsis) {
    static const QRegularExpression value(
        u"(?<![\\w\\\\.-])([A-Z][A-Z0-9]*(?:\\.[a-z0-9]+)?)(?!\\w)"_s);
    QStringList groups;
    for (const QString& group : SynopsisGroups(synopsis)) {
        groups << BoldOptions(RoffEscaped(group))
                      .replace(value, u"\\fI\\1\\fR"_s)
                      .replace(u' ', u"\\ "_s);
    }
    return groups.join(u' ');
}

// A line of the help as a sentence of the manual page.
QString Sentence(const QString& text) {
    QString sentence = RoffText(text);
    if (!sentence.isEmpty()) {
        sentence[0] = sentence.at(0).toUpper();
    }
    return sentence.endsWith(u'.') ? sentence : sentence + u'.';
}

QString RoffExamples(const QStringList& examples) {
    QString text =
        u".PP\n%1\n.RS 4\n.nf\n"_s.arg(examples.size() == 1 ? u"Example:"_s : u"Examples:"_s);
    for (const QString& example : examples) {
        for (const QString& line : example.split(u'\n')) {
            text += RoffEscaped(line) + u'\n';
        }
    }
    return text + u".fi\n.RE\n"_s;
}

QString Synopsis() {
    QString text;
    for (const CliCommand& command : CliCommands()) {
        text += u".SY \"fontlathe\\-cli %1\"\n%2\n.YS\n"_s.arg(RoffEscaped(command.name),
                                                               RoffSynopsis(command.help.synopsis));
    }
    return text;
}

QString Commands() {
    QString text;
    for (const CliCommand& command : CliCommands()) {
        text += u".SS %1\n"_s.arg(RoffEscaped(command.name));
        for (const QString& paragraph : command.help.about.split(u'\n')) {
            text += RoffText(paragraph) + u"\n.PP\n"_s;
        }
        text.chop(4);
        text += RoffOptions(OptionsOf(command));
        // The statuses this command gives a meaning of its own.
        QStringList own;
        for (const ExitHelp& exit : command.help.exits) {
            if (!exit.text.isEmpty()) {
                own << u"\\fB%1\\fR: %2"_s.arg(exit.status).arg(RoffText(exit.text));
            }
        }
        if (!own.isEmpty()) {
            text += u".PP\nExit status "_s + own.join(u"; "_s) + u".\n"_s;
        }
        text += RoffExamples(command.help.examples);
    }
    return text;
}

QString ExitStatus() {
    QString text;
    for (const ExitHelp& exit : SharedExits()) {
        text += u".TP\n.B %1\n%2\n"_s.arg(exit.status).arg(Sentence(exit.text));
    }
    return text;
}

} // namespace

QString RoffText(const QString& text) {
    return BoldOptions(RoffEscaped(text));
}

QString RoffOptions(const std::vector<OptionHelp>& options) {
    QString text;
    for (const OptionHelp& option : options) {
        const QString name = RoffEscaped(option.name);
        const QString quoted = name.contains(u' ') ? u'"' + name + u'"' : name;
        text += option.value.isEmpty()
                    ? u".TP\n.B %1\n"_s.arg(quoted)
                    : u".TP\n.BI %1 \" %2\"\n"_s.arg(quoted, RoffEscaped(option.value));
        text += Sentence(option.text) + u'\n';
    }
    return text;
}

std::map<QString, QString> CliManualParts() {
    return {{u"synopsis"_s, Synopsis()},
            {u"commands"_s, Commands()},
            {u"options"_s, RoffOptions(SharedOptions())},
            {u"exit status"_s, ExitStatus()}};
}

std::optional<QString> FillManual(const QString& page, const std::map<QString, QString>& parts,
                                  QString& problem) {
    QString filled;
    std::map<QString, bool> used;
    for (const QString& line : page.split(u'\n')) {
        if (!line.startsWith(ManualMarker)) {
            filled += line + u'\n';
            continue;
        }
        const QString name = line.mid(ManualMarker.size()).trimmed();
        const auto part = parts.find(name);
        if (part == parts.end()) {
            problem = u"the template asks for \"%1\", which is no part"_s.arg(name);
            return std::nullopt;
        }
        filled += part->second;
        used[name] = true;
    }
    for (const auto& [name, text] : parts) {
        if (!used[name]) {
            problem = u"the template has no place for \"%1\""_s.arg(name);
            return std::nullopt;
        }
    }
    filled.chop(1);
    return filled;
}

} // namespace fontlathe
