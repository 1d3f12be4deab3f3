#include "EditorOptions.h"
#include "cli/CliApp.h"
#include "cli/CliCommand.h"
#include "cli/CliManual.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

struct Outcome {
    int status;
    QString out, err;
};

Outcome Cli(const QStringList& args) {
    Outcome run;
    QTextStream out(&run.out), err(&run.err);
    run.status = RunCli(args, out, err);
    return run;
}

// Every option a command's parser takes, the help's own among them.
QStringList AcceptedOptions(const CliCommand& command) {
    return command.syntax.flags + command.syntax.valueOptions + QStringList{u"-h"_s, u"--help"_s};
}

void ExpectLinesFit(const QString& text, const QString& what) {
    for (const QString& line : text.split(u'\n')) {
        EXPECT_LE(line.size(), 80) << what.toStdString() << ": " << line.toStdString();
    }
}

QString ReadManual(const QString& name) {
    QFile file(QStringLiteral(FONTLATHE_MANUALS "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

// Whether the page names the option as the tag of a paragraph.
bool TagsOption(const QString& page, const QString& option) {
    const QString roff = QString(option).replace(u'-', u"\\-"_s);
    return page.contains(u"\n.B "_s + roff + u'\n') ||
           page.contains(u"\n.BI "_s + roff + u" \""_s) || page.contains(u"\n.B \""_s + roff);
}

TEST(CliHelpTest, EachCommandsHelpNamesEveryOptionItsParserTakesWithinEightyColumns) {
    for (const CliCommand& command : CliCommands()) {
        SCOPED_TRACE(command.name.toStdString());
        const Outcome help = Cli({command.name, u"--help"_s});
        EXPECT_EQ(help.status, ExitSuccess);
        EXPECT_EQ(help.err, QString());
        EXPECT_TRUE(help.out.startsWith(u"Usage: fontlathe-cli "_s + command.name + u' '));
        ExpectLinesFit(help.out, command.name);
        for (const QString& option : AcceptedOptions(command)) {
            // A line of its own with a text after the name and its value.
            const QRegularExpression line(u"^  (-h, )?"_s + QRegularExpression::escape(option) +
                                              u"(, --help)?( \\S+)? {2,}\\S"_s,
                                          QRegularExpression::MultilineOption);
            EXPECT_TRUE(line.match(help.out).hasMatch()) << option.toStdString();
        }
        for (const OptionHelp& own : command.help.options) {
            EXPECT_TRUE(AcceptedOptions(command).contains(own.name)) << own.name.toStdString();
        }
        EXPECT_FALSE(command.help.examples.isEmpty());
    }
}

TEST(CliHelpTest, HelpCommandPrintsWhatTheHelpOptionPrints) {
    for (const CliCommand& command : CliCommands()) {
        const Outcome asked = Cli({u"help"_s, command.name});
        const Outcome option = Cli({command.name, u"-h"_s});
        EXPECT_EQ(asked.status, ExitSuccess) << command.name.toStdString();
        EXPECT_EQ(asked.out, option.out) << command.name.toStdString();
    }
    const Outcome list = Cli({u"--help"_s});
    EXPECT_EQ(Cli({u"help"_s}).out, list.out);
    EXPECT_EQ(Cli({}).err, list.out);
    EXPECT_TRUE(list.out.endsWith(u"\nfontlathe-cli help COMMAND for one command's options\n"_s));
    ExpectLinesFit(list.out, u"--help"_s);
    for (const CliCommand& command : CliCommands()) {
        EXPECT_EQ(list.out.count(u"\n  "_s + command.name + u' '), 1) << command.name.toStdString();
    }
    for (const QStringList& wrong :
         {QStringList{u"help"_s, u"nonesuch"_s}, QStringList{u"help"_s, u"info"_s, u"render"_s}}) {
        const Outcome run = Cli(wrong);
        EXPECT_EQ(run.status, ExitUsage) << wrong.join(u' ').toStdString();
        EXPECT_EQ(run.out, QString());
    }
}

TEST(CliHelpTest, ManualPagesNameEveryCommandAndOption) {
    const QString page = ReadManual(u"fontlathe-cli.1"_s);
    for (const CliCommand& command : CliCommands()) {
        const QString name = QString(command.name).replace(u'-', u"\\-"_s);
        EXPECT_TRUE(page.contains(u".SY \"fontlathe\\-cli "_s + name + u'"')) << name.toStdString();
        const qsizetype start = page.indexOf(u"\n.SS "_s + name + u'\n');
        ASSERT_GE(start, 0) << name.toStdString();
        const QString section = page.mid(start, page.indexOf(u"\n.S"_s, start + 1) - start);
        for (const QString& option : command.syntax.flags + command.syntax.valueOptions) {
            EXPECT_TRUE(TagsOption(section, option))
                << name.toStdString() << " " << option.toStdString();
        }
    }
    const QString editor = ReadManual(u"fontlathe.1"_s);
    for (const EditorOption& option : EditorOptions) {
        EXPECT_TRUE(TagsOption(editor, QString::fromUtf8(option.names))) << option.names;
        EXPECT_NE(EditorUsage().find(option.names), std::string::npos) << option.names;
    }
    EXPECT_FALSE(page.contains(ManualMarker) || editor.contains(ManualMarker));
}

TEST(CliHelpTest, ManualTemplateAndPartsMustMatch) {
    const std::map<QString, QString> parts = {{u"options"_s, u".TP\n"_s}};
    QString problem;
    EXPECT_EQ(FillManual(u"a\n"_s + ManualMarker + u"options\nb"_s, parts, problem),
              u"a\n.TP\nb"_s);
    for (const QString& page : {u"a\nb"_s, ManualMarker + u"options\n"_s + ManualMarker + u"x"_s}) {
        EXPECT_EQ(FillManual(page, parts, problem), std::nullopt) << page.toStdString();
        EXPECT_FALSE(problem.isEmpty());
        problem.clear();
    }
}

} // namespace
} // namespace fontlathe::test
