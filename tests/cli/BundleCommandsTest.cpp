#include "cli/BundleCommands.h"
#include "support/BundleBuilder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(BundleCommandsTest, ListsExtractsAndInsertsAFont) {
    QTemporaryDir folder;
    BundleBuilder builder(6);
    builder.Room(3).Font(1, SampleFontBlock(2, 10, 5)).Add("SCRP", 1, 30);
    const QString game =
        WriteBundleFiles(folder.path(), u"game"_s, u"000"_s, u"001"_s, builder.Build(true));
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(ListBundleFonts(game, ReportStyle::Table, out).status, ExitSuccess);
    EXPECT_TRUE(text.contains(u"version 6, XOR-encrypted, 1 fonts"_s)) << text.toStdString();
    text.clear();
    ListBundleFonts(game, ReportStyle::Json, out);
    const QJsonObject json = QJsonDocument::fromJson(text.toUtf8()).object();
    EXPECT_EQ(json["fonts"].toArray().at(0).toObject()["room"].toInt(), 3);
    EXPECT_EQ(json["encrypted"].toBool(), true);

    const QString extracted = folder.filePath(u"font.char"_s);
    EXPECT_EQ(ExtractBundleFont(game, 1, extracted).status, ExitSuccess);
    EXPECT_EQ(ReadAll(extracted), SampleFontBlock(2, 10, 5));

    const QString larger = folder.filePath(u"larger.char"_s);
    QFile file(larger);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(SampleFontBlock(2, 30, 6)) > 0);
    file.close();
    text.clear();
    EXPECT_EQ(InsertBundleFont(game, 1, larger, out).status, ExitSuccess);
    EXPECT_TRUE(text.contains(u"the index was rewritten"_s)) << text.toStdString();
    ExtractBundleFont(game, 1, extracted);
    EXPECT_EQ(ReadAll(extracted), ReadAll(larger));
}

TEST(BundleCommandsTest, AFailureNamesTheFileAtFault) {
    QTemporaryDir folder;
    BundleBuilder builder(7);
    builder.Room(1).Font(1, SampleFontBlock(1, 4, 1));
    const QString game =
        WriteBundleFiles(folder.path(), u"g"_s, u"LA0"_s, u"LA1"_s, builder.Build(false));
    const CommandOutcome missing = ExtractBundleFont(game, 3, folder.filePath(u"x.char"_s));
    EXPECT_EQ(missing.status, ExitFailure);
    EXPECT_EQ(missing.path, game);
    const QString shortFile = folder.filePath(u"short.char"_s);
    QFile file(shortFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("CHAR") == 4);
    file.close();
    QString text;
    QTextStream out(&text);
    const CommandOutcome refused = InsertBundleFont(game, 1, shortFile, out);
    EXPECT_EQ(refused.path, shortFile);
    EXPECT_TRUE(refused.reason.contains(u"shorter than a CHAR header"_s));
    EXPECT_FALSE(ParseFontNumber(u"-1"_s).has_value());
    EXPECT_EQ(ParseFontNumber(u"12"_s), 12);
}

} // namespace
} // namespace fontlathe::test
