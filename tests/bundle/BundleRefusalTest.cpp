#include "bundle/BundleBytes.h"
#include "bundle/GameBundle.h"
#include "support/BundleBuilder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using bundle::Tag;

// Each damaged or unsupported bundle is refused with the file and what is wrong, and no file is
// written. A change puts bytes at an offset of one file, or replaces the index when at is -1.
TEST(GameBundleRefusalTest, NamesTheFileAndWhatIsWrong) {
    const BuiltBundle valid = SampleBundle({7, "GAME", "", Tidiness::Tidy});
    GameBundle parsed;
    ASSERT_TRUE(GameBundle::FromBytes(valid.index, valid.data, {}, parsed).ok());
    const auto size = [&](std::uint32_t tag) {
        const BundleDirectory* directory = parsed.layout().Directory(tag);
        return parsed.layout().rooms[0].base() + directory->offsets[1] + 4;
    };
    const qint64 dchr = parsed.layout().Directory(Tag("DCHR"))->OffsetField(1);
    BuiltBundle he = valid;
    he.index += MakeBlock("DLFL", QByteArray(6, '\0'));
    BuiltBundle v8 = SampleBundle({8, "GAME", "", Tidiness::Tidy}); // it has DIR* directories too
    v8.index += MakeBlock("DIRR", QByteArray(6, '\0'));
    const struct {
        const char* name;
        bool inIndex;
        qint64 at;
        QByteArray put;
        QByteArray says;
    } cases[] = {
        {"past parent", false, size(Tag("DSCR")), QByteArray::fromHex("00100000"),
         "runs past its LFLF block"},
        {"below header", false, size(Tag("DSOU")), QByteArray::fromHex("00000004"),
         "smaller than its 8-byte header"},
        {"outside room", true, dchr, QByteArray::fromHex("00000001"), "points outside its room"},
        {"wrong kind", true, dchr, QByteArray::fromHex("18000000"), "points at a SCRP block"},
        {"room twice", false, LoffEntryOffset(1), QByteArray::fromHex("01"),
         "names room 1 a second time"},
        {"truncated index", true, -1, valid.index.chopped(1), "runs past the file"},
        {"version 8", true, -1, v8.index,
         "version 8 game (its fonts are NUT files): not supported yet"},
        {"HE 70", true, -1, he.index,
         "HE game of version 70 or later (a DLFL block): not supported yet"},
        {"small header", true, -1, QByteArray("\x0a\0\0\0RN\0\0\0\0", 10), "version 3 or 4 game"},
        {"small header, encrypted", true, -1, QByteArray("\x63\x69\x69\x69;'\x69\x69\x69\x69", 10),
         "version 3 or 4 game"},
        {"cut short", false, -1, valid.data.first(valid.data.size() - 20),
         u"GAME.LA1 is %1 bytes, but its LECF block says %2: the file is cut short"_s
             .arg(QLocale(QLocale::English).toString(valid.data.size() - 20),
                  QLocale(QLocale::English).toString(valid.data.size()))
             .toLatin1()},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        BuiltBundle damaged = valid;
        QByteArray& bytes = c.inIndex ? damaged.index : damaged.data;
        if (c.at < 0) {
            bytes = c.put;
        } else {
            bytes.replace(c.at, c.put.size(), c.put);
        }
        const QString index = WriteBundleFiles(folder.path(), u"GAME"_s, 7, damaged);
        GameBundle bundle;
        const Result result = GameBundle::Open(index, bundle);
        EXPECT_EQ(result.path(), c.inIndex ? index : index.chopped(1) + u'1') << c.name;
        EXPECT_TRUE(result.reason().contains(QString::fromLatin1(c.says)))
            << c.name << ": " << result.reason().toStdString();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << c.name;
    }
}

// Bytes after the index's last block that make no block, padding of any length, are kept and
// told as a remark, as the engine reads to the end of the file.
TEST(GameBundleRefusalTest, KeepsBytesAfterTheLastBlockOfTheIndex) {
    const BuiltBundle valid = SampleBundle({7, "GAME", "", Tidiness::Tidy});
    for (int count = 1; count <= 20; ++count) {
        for (const char byte : {'\0', '\xFF'}) {
            GameBundle parsed;
            const Result result = GameBundle::FromBytes(valid.index + QByteArray(count, byte),
                                                        valid.data, {}, parsed);
            ASSERT_TRUE(result.ok()) << count << ": " << result.reason().toStdString();
            EXPECT_TRUE(parsed.remarks().join(u' ').contains(
                u"ends with %1 bytes after its last block"_s.arg(count)))
                << count;
        }
    }
}

// Either file of a game finds the other whatever the letter case of the two names.
TEST(GameBundleNamesTest, EachFileFindsTheOtherInAnyLetterCase) {
    // A version and its index's and data file's names in lower, upper and mixed case.
    const std::tuple<int, QStringList, QStringList> kinds[] = {
        {6, {"game.000", "GAME.000", "GaMe.000"}, {"game.001", "GAME.001", "gAmE.001"}},
        {7, {"game.la0", "GAME.LA0", "GaMe.La0"}, {"game.la1", "GAME.LA1", "gAmE.lA1"}}};
    for (const auto& [version, indexNames, dataNames] : kinds) {
        const BuiltBundle built = SampleBundle({version, "GAME", "", Tidiness::Tidy});
        for (const QString& indexName : indexNames) {
            for (const QString& dataName : dataNames) {
                QTemporaryDir folder;
                const QString index = folder.filePath(indexName), data = folder.filePath(dataName);
                const QString written = WriteBundleFiles(folder.path(), u"x"_s, version, built);
                ASSERT_TRUE(QFile::rename(written, index) &&
                            QFile::rename(written.chopped(1) + u'1', data));
                for (const QString& given : {index, data}) {
                    GameBundle bundle;
                    const Result opened = GameBundle::Open(given, bundle);
                    ASSERT_TRUE(opened.ok())
                        << given.toStdString() << ": " << opened.reason().toStdString();
                    EXPECT_EQ(bundle.paths().index, index);
                    EXPECT_EQ(bundle.paths().data, data);
                }
            }
        }
    }
}

TEST(GameBundleRefusalTest, RefusesFilesThatAreNoBundleBeforeReadingThem) {
    QTemporaryDir folder;
    WriteBundleFiles(folder.path(), u"GAME"_s, 5, SampleBundle({5, "GAME", "", Tidiness::Tidy}));
    WriteBundleFiles(folder.path(), u"game"_s, 7, SampleBundle({7, "game", "la", Tidiness::Tidy}),
                     u"la"_s);
    QFile::remove(folder.filePath(u"game.la0"_s));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.filePath(u"PIPE.000"_s)).constData(), 0600), 0);
    QFile::copy(folder.filePath(u"GAME.001"_s), folder.filePath(u"PIPE.001"_s));
    QFile::copy(folder.filePath(u"GAME.000"_s), folder.filePath(u"HUGE.000"_s));
    QFile huge(folder.filePath(u"HUGE.001"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(2) << 30));
    const std::pair<QString, const char*> cases[] = {
        {u"PIPE.001"_s, "not a regular file"},
        {u"HUGE.000"_s, "2147483648 bytes, more than"},
        {u"000.LFL"_s, "version 3 or 4 game"},
        {u"FONT.NUT"_s, "NUT font file"},
        {u"GAME.txt"_s, "no file of a game bundle"},
        {u"game.la1"_s, "no game.la0 was found, in any letter case. Some releases keep the index "
                        "inside the game's program"},
    };
    for (const auto& [name, says] : cases) {
        GameBundle bundle;
        const Result result = GameBundle::Open(folder.filePath(name), bundle);
        EXPECT_TRUE(result.reason().contains(QLatin1String(says)))
            << name.toStdString() << ": " << result.reason().toStdString();
    }
}

} // namespace
} // namespace fontlathe::test
