#include "cli/CliApp.h"
#include "charset/CharCodec.h"
#include "support/SampleSets.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    QString PathOf(const QString& name) const { return folder_.filePath(name); }

    QString WriteBytes(const QString& name, const QByteArray& bytes) {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QString WriteSet(const QString& name, const Charset& set) {
        EncodedBlock block;
        EXPECT_TRUE(EncodeCharset(set, DirtyBytes::Off, block).ok());
        return WriteBytes(name, block.bytes);
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

TEST_F(CliAppTest, InfoShowsTheHeaderAndTheGlyphs) {
    const QString path = WriteSet(QStringLiteral("small.char"), SmallSet());
    const CliRun run = RunTool({QStringLiteral("info"), path});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    for (const char* expected :
         {"Version:         -1", "Bits per pixel:  2 (4 colors)", "Stored codes:    100",
          "Glyphs:          2", "Tag:             CHAR"}) {
        EXPECT_TRUE(run.out.contains(QString::fromLatin1(expected))) << expected << "\n"
                                                                     << run.out.toStdString();
    }
    EXPECT_TRUE(run.out.contains(QStringLiteral("   65  A         3       2        -2         3")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("   10  n.p.")));
}

TEST_F(CliAppTest, InfoJsonHoldsExactlyTheFieldsAfterLoading) {
    const QString path = WriteSet(QStringLiteral("small.char"), SmallSet());
    const CliRun run = RunTool({QStringLiteral("info"), QStringLiteral("--json"), path});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    const QJsonObject root = document.object();
    QStringList keys = root.keys();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{"bitsPerPixel", "blockSize", "colorMap", "dataSize", "fontHeight",
                                 "glyphs", "numChars", "tag", "version"}));
    EXPECT_EQ(root["tag"].toString(), QStringLiteral("CHAR"));
    EXPECT_EQ(root["version"].toInt(), -1);
    EXPECT_EQ(root["blockSize"].toInt(), 33 + 400 + 4 + 2 + 4 + 1);
    EXPECT_EQ(root["dataSize"].toInt(), root["blockSize"].toInt() - 23);
    EXPECT_EQ(root["colorMap"].toArray().size(), 15);
    EXPECT_EQ(root["colorMap"].toArray().at(0).toInt(), 15);
    EXPECT_EQ(root["bitsPerPixel"].toInt(), 2);
    EXPECT_EQ(root["numChars"].toInt(), 100);

    const QJsonArray glyphs = root["glyphs"].toArray();
    ASSERT_EQ(glyphs.size(), 2);
    EXPECT_EQ(glyphs[0].toObject()["code"].toInt(), 10);
    const QJsonObject a = glyphs[1].toObject();
    QStringList glyphKeys = a.keys();
    glyphKeys.sort();
    EXPECT_EQ(glyphKeys, (QStringList{"code", "height", "rows", "width", "xOffset", "yOffset"}));
    EXPECT_EQ(a["code"].toInt(), 65);
    EXPECT_EQ(a["width"].toInt(), 3);
    EXPECT_EQ(a["xOffset"].toInt(), -2);
    EXPECT_EQ(a["yOffset"].toInt(), 3);
    EXPECT_EQ(a["rows"].toArray(), (QJsonArray{"012", "123"}));
}

TEST_F(CliAppTest, ResaveWritesWhatLoadsBack) {
    const Charset original = test::VariedSet(4, 21);
    const QString input = WriteSet(QStringLiteral("in.char"), original);
    const QString output = PathOf(QStringLiteral("out.char"));
    const QString dirty = PathOf(QStringLiteral("dirty.char"));
    EXPECT_EQ(RunTool({QStringLiteral("resave"), input, output}).status, 0);
    EXPECT_EQ(
        RunTool({QStringLiteral("resave"), QStringLiteral("--dirty-bytes"), input, dirty}).status,
        0);

    QFile in(input), out(output);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly) && out.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), out.readAll());
    EXPECT_GT(QFileInfo(dirty).size(), QFileInfo(output).size());
}

TEST_F(CliAppTest, FailuresNameTheFileOnOneLine) {
    const QString refused = WriteBytes(QStringLiteral("bad.char"), test::HandMadeHeader(3, 8, 2));
    const QString missing = PathOf(QStringLiteral("missing.char"));
    const QString good = WriteSet(QStringLiteral("good.char"), SmallSet());
    struct Case {
        QStringList args;
        QString blamed;
    };
    const Case failing[] = {
        {{QStringLiteral("info"), refused}, refused},
        {{QStringLiteral("info"), QStringLiteral("--json"), missing}, missing},
        {{QStringLiteral("resave"), missing, PathOf(QStringLiteral("x.char"))}, missing},
        {{QStringLiteral("resave"), good, folder_.path()}, folder_.path()},
    };
    for (const Case& c : failing) {
        const CliRun run = RunTool(c.args);
        EXPECT_EQ(run.status, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("fontlathe-cli: ") + c.blamed + u':'))
            << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("x.char"))));
}

TEST_F(CliAppTest, WrongArgumentsGiveTheUsage) {
    const QStringList wrong[] = {
        {},
        {QStringLiteral("paint")},
        {QStringLiteral("info")},
        {QStringLiteral("info"), QStringLiteral("a"), QStringLiteral("b")},
        {QStringLiteral("info"), QStringLiteral("--dirty-bytes"), QStringLiteral("a")},
        {QStringLiteral("resave"), QStringLiteral("a")},
    };
    for (const QStringList& args : wrong) {
        const CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage:")));
    }
    const CliRun help = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage:")));
}

} // namespace
} // namespace fontlathe
