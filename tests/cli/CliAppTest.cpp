#include "cli/CliApp.h"
#include "charset/CharCodec.h"
#include "support/SampleSets.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
};

CliRun RunTool(const QStringList& args) {
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = RunCli(args, out, err);
    return run;
}

class CliAppTest : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return folder_.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QString WriteSet(const QString& name, const Charset& set) {
        return Write(name, test::Encoded(set));
    }
    QTemporaryDir folder_;
};

Charset SmallSet() {
    Charset set;
    set.NewCharset(2);
    set.version = -1;
    set.numChars = 100;
    test::SetGlyph(
        set, 65, 3, 2, [](int x, int y) { return x + y; }, -2, 3);
    test::SetGlyph(set, 10, 1, 1, [](int, int) { return 3; });
    return set;
}

TEST_F(CliAppTest, InfoForPeopleAndForScripts) {
    const QString path = WriteSet(u"small.char"_s, SmallSet());
    const CliRun text = RunTool({u"info"_s, path});
    EXPECT_EQ(text.status, 0);
    for (const char* expected :
         {"Version:         -1", "Bits per pixel:  2 (4 colors)", "Stored codes:    100",
          "   65  A         3       2        -2         3", "   10  n.p."}) {
        EXPECT_TRUE(text.out.contains(QString::fromLatin1(expected))) << expected << "\n"
                                                                      << text.out.toStdString();
    }

    const CliRun json = RunTool({u"info"_s, u"--json"_s, path});
    ASSERT_EQ(json.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QStringList keys = root.keys();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{"bitsPerPixel", "blockSize", "colorMap", "dataSize", "fontHeight",
                                 "glyphs", "numChars", "tag", "version"}));
    EXPECT_EQ(root["tag"].toString(), u"CHAR"_s);
    EXPECT_EQ(root["version"].toInt(), -1);
    EXPECT_EQ(root["blockSize"].toInt(), 33 + 400 + (4 + 1) + (4 + 2));
    EXPECT_EQ(root["dataSize"].toInt(), root["blockSize"].toInt() - 23);
    EXPECT_EQ(root["colorMap"].toArray().size(), 15);
    const QJsonArray glyphs = root["glyphs"].toArray();
    ASSERT_EQ(glyphs.size(), 2);
    EXPECT_EQ(glyphs[0].toObject()["code"].toInt(), 10);
    EXPECT_EQ(glyphs[1].toObject(), (QJsonObject{{"code", 65},
                                                 {"width", 3},
                                                 {"height", 2},
                                                 {"xOffset", -2},
                                                 {"yOffset", 3},
                                                 {"rows", QJsonArray{"012", "123"}}}));
}

TEST_F(CliAppTest, ResaveWritesWhatLoadsBack) {
    const QString input = WriteSet(u"in.char"_s, test::VariedSet(4, 21));
    EXPECT_EQ(RunTool({u"resave"_s, input, PathOf(u"out.char"_s)}).status, 0);
    EXPECT_EQ(RunTool({u"resave"_s, u"--dirty-bytes"_s, input, PathOf(u"d.char"_s)}).status, 0);
    QFile in(input), out(PathOf(u"out.char"_s));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly) && out.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), out.readAll());
    EXPECT_GT(QFileInfo(PathOf(u"d.char"_s)).size(), out.size());
}

TEST_F(CliAppTest, FailuresNameTheFileOnOneLine) {
    const QString refused = Write(u"bad.char"_s, test::HandMadeHeader(3, 8, 2));
    const QString missing = PathOf(u"missing.char"_s);
    const QString good = WriteSet(u"good.char"_s, SmallSet());
    const QString fifo = PathOf(u"pipe.char"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QStringList, QString> failing[] = {
        {{u"info"_s, refused}, refused},
        // Neither a device nor a pipe is read: one never ends, the other blocks the open.
        {{u"info"_s, u"/dev/zero"_s}, u"/dev/zero"_s},
        {{u"info"_s, fifo}, fifo},
        {{u"resave"_s, missing, PathOf(u"x.char"_s)}, missing},
        {{u"resave"_s, good, folder_.path()}, folder_.path()}};
    for (const auto& [args, blamed] : failing) {
        const CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith(u"fontlathe-cli: "_s + blamed + u':'))
            << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(PathOf(u"x.char"_s)));
}

TEST_F(CliAppTest, WrongArgumentsGiveOneLineAndHelpOnlyWhereAnOptionMayStand) {
    const QString good = WriteSet(u"good.char"_s, SmallSet());
    const QStringList wrong[] = {{u"paint"_s},
                                 {u"info"_s},
                                 {u"info"_s, u"--dirty-bytes"_s, good},
                                 {u"resave"_s, good},
                                 {u"render"_s, good, u"--zoom"_s, u"9"_s, u"-o"_s, u"z.png"_s},
                                 {u"render"_s, good, u"-o"_s}};
    for (const QStringList& args : wrong) {
        const CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count(u'\n'), 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith(u"Try 'fontlathe-cli --help'.\n"_s)) << run.err.toStdString();
    }
    const CliRun bare = RunTool({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_TRUE(bare.err.contains(u"Usage:"_s));
    for (const QStringList& args :
         {QStringList{u"--help"_s}, QStringList{u"-h"_s}, QStringList{u"info"_s, u"--help"_s}}) {
        const CliRun help = RunTool(args);
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith(u"Usage:"_s));
        EXPECT_TRUE(help.err.isEmpty());
    }

    // A value that reads like the help option is still a value.
    const QString png = PathOf(u"h.png"_s);
    const CliRun render = RunTool({u"render"_s, good, u"--text"_s, u"-h"_s, u"-o"_s, png});
    EXPECT_EQ(render.status, 0) << render.err.toStdString();
    EXPECT_TRUE(render.out.isEmpty());
    EXPECT_TRUE(QFile::exists(png));
}

TEST_F(CliAppTest, SheetsGoOutAndComeBackByteForByte) {
    const QString font = WriteSet(u"in.char"_s, test::VariedSet(2, 5));
    const QString sheet = PathOf(u"sheet.png"_s);
    ASSERT_EQ(RunTool({u"export"_s, font, u"-o"_s, sheet}).status, 0);
    ASSERT_EQ(RunTool({u"import"_s, sheet, u"-o"_s, PathOf(u"back.char"_s)}).status, 0);
    QFile in(font), back(PathOf(u"back.char"_s));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly) && back.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), back.readAll());

    const CliRun tooSmall =
        RunTool({u"export"_s, font, u"--cell"_s, u"3x3"_s, u"-o"_s, PathOf(u"small.png"_s)});
    EXPECT_EQ(tooSmall.status, 1);
    EXPECT_TRUE(tooSmall.err.startsWith(u"fontlathe-cli: "_s + font + u": character "_s))
        << tooSmall.err.toStdString();
    EXPECT_FALSE(QFile::exists(PathOf(u"small.png"_s)));
    const CliRun notASheet = RunTool({u"import"_s, font, u"-o"_s, PathOf(u"x.char"_s)});
    EXPECT_EQ(notASheet.status, 1);
    EXPECT_TRUE(notASheet.err.startsWith(u"fontlathe-cli: "_s + font + u':'));

    const QStringList wrong[] = {{u"export"_s, font, u"--cell"_s, u"0x4"_s, u"-o"_s, sheet},
                                 {u"export"_s, font, u"--cell"_s, u"128x4"_s, u"-o"_s, sheet},
                                 {u"export"_s, font},
                                 {u"import"_s, sheet, u"--cell"_s, u"4x4"_s, u"-o"_s, font}};
    for (const QStringList& args : wrong) {
        EXPECT_EQ(RunTool(args).status, 2) << args.join(' ').toStdString();
    }
}

TEST_F(CliAppTest, CoverageListsWhatIsMissing) {
    const QString font = WriteSet(u"small.char"_s, SmallSet());
    const CliRun covered = RunTool({u"coverage"_s, font, u"--text"_s, u"AAA\r\n"_s});
    EXPECT_EQ(covered.status, 0);
    EXPECT_EQ(covered.out, u"All 1 distinct characters are covered.\n"_s);

    const CliRun json =
        RunTool({u"coverage"_s, font, u"--json"_s, u"--text"_s, u"A\u00E9A\u00E9\U0001F600\v"_s});
    EXPECT_EQ(json.status, 3);
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root["distinct"].toInt(), 4);
    EXPECT_EQ(root["missing"].toArray(), (QJsonArray{QJsonObject{{"codepoint", "U+00E9"},
                                                                 {"char", u"\u00E9"_s},
                                                                 {"count", 2},
                                                                 {"reason", "notStored"}},
                                                     QJsonObject{{"codepoint", "U+1F600"},
                                                                 {"char", u"\U0001F600"_s},
                                                                 {"count", 1},
                                                                 {"reason", "beyond255"}},
                                                     QJsonObject{{"codepoint", "U+000B"},
                                                                 {"char", "\v"},
                                                                 {"count", 1},
                                                                 {"reason", "absent"}}}));

    const QString text = Write(u"text.txt"_s, "\xEF\xBB\xBF"
                                              "AB\r\n");
    const CliRun table = RunTool({u"coverage"_s, font, u"--text-file"_s, text});
    EXPECT_EQ(table.status, 3);
    EXPECT_EQ(table.out,
              u"U+0042    B           1  absent\n1 of 2 distinct characters missing.\n"_s);
    const QString bad = Write(u"bad.txt"_s, "AB\xC3(");
    const CliRun refused = RunTool({u"coverage"_s, font, u"--text-file"_s, bad});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(bad + u": it is not UTF-8: the byte at offset 2"_s))
        << refused.err.toStdString();
    EXPECT_EQ(RunTool({u"coverage"_s, font}).status, 2);
    EXPECT_EQ(RunTool({u"coverage"_s, font, u"--text"_s, u"A"_s, u"--text-file"_s, text}).status,
              2);
}

} // namespace
} // namespace fontlathe
