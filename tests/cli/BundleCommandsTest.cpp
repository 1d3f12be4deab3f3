#include "cli/BundleCommands.h"
#include "support/BundleBuilder.h"

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

TEST(BundleCommandsTest, ListsExtractsAndInsertsAFontAndNamesTheFileAtFault) {
    QTemporaryDir folder;
    BundleBuilder builder(6);
    builder.Room(3).Font(1, SampleFontBlock(2, 10, 5)).Add("SCRP", 1, 30);
    const QString game = WriteBundleFiles(folder.path(), u"game"_s, 6, builder.Build());
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(ListBundleFonts(game, ReportStyle::Table, out).status, ExitSuccess);
    EXPECT_TRUE(text.contains(u"version 6, XOR-encrypted, 1 fonts"_s)) << text.toStdString();
    text.clear();
    ListBundleFonts(game, ReportStyle::Json, out);
    const QJsonObject json = QJsonDocument::fromJson(text.toUtf8()).object();
    EXPECT_EQ(json["fonts"].toArray().at(0).toObject()["room"].toInt(), 3);

    const QString extracted = folder.filePath(u"font.char"_s);
    EXPECT_EQ(ExtractBundleFont(game, 1, extracted).status, ExitSuccess);
    EXPECT_EQ(ReadAll(extracted), SampleFontBlock(2, 10, 5));
    EXPECT_EQ(InsertBundleFont(game, 1, extracted, out).status, ExitSuccess);

    const CommandOutcome missing = ExtractBundleFont(game, 3, extracted);
    EXPECT_EQ(missing.status, ExitFailure);
    EXPECT_EQ(missing.path, game);
    QFile file(extracted);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("CHAR");
    file.close();
    const CommandOutcome refused = InsertBundleFont(game, 1, extracted, out);
    EXPECT_EQ(refused.path, extracted);
    EXPECT_TRUE(refused.reason.contains(u"shorter than a CHAR header"_s));
}

} // namespace
} // namespace fontlathe::test
