#include "bundle/GameBundle.h"
#include "bundle/BundleBytes.h"
#include "bundle/BundleRewrite.h"
#include "charset/CharCodec.h"
#include "support/BundleBuilder.h"
#include "support/SampleSets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using bundle::Tag;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Two rooms with fonts and, after font 1, a sound, a costume and a script of the same room.
BundleBuilder SampleBuilder(int version) {
    BundleBuilder builder(version);
    builder.Room(1).Add("SCRP", 1, 40).Font(1, SampleFontBlock(1, 20, 1)).Add("SOUN", 1, 30);
    builder.Add(version == 7 ? "AKOS" : "COST", 1, 20).Add("SCRP", 2, 12);
    builder.Room(2).Font(2, SampleFontBlock(2, 12, 2)).Add("SCRP", 3, 9);
    builder.Font(4, SampleFontBlock(4, 6, 4)).Room(3).Add("SOUN", 2, 50);
    return builder;
}

// Every block a directory entry of the bundle lands on, by directory and entry.
std::map<std::pair<std::uint32_t, std::size_t>, QByteArray> EntryBlocks(const GameBundle& game) {
    std::map<std::pair<std::uint32_t, std::size_t>, QByteArray> blocks;
    for (const BundleDirectory& directory : game.layout().directories) {
        for (std::size_t i = 0; i < directory.rooms.size(); ++i) {
            const auto room = game.layout().roomByNumber.find(directory.rooms[i]);
            if (directory.block.tag != Tag("DROO") && room != game.layout().roomByNumber.end()) {
                const std::int64_t at =
                    game.layout().rooms[room->second].base() + directory.offsets[i];
                blocks[{directory.block.tag, i}] =
                    game.data().mid(at, bundle::Big32(game.data(), at + 4));
            }
        }
    }
    return blocks;
}

class GameBundleTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        built_ = SampleBuilder(GetParam()).Build();
        index_ = WriteBundleFiles(folder_.path(), u"GAME"_s, GetParam(), built_);
        data_ = index_.chopped(1) + u'1';
        const BundleResult opened = GameBundle::Open(data_, bundle_);
        ASSERT_TRUE(opened.ok()) << opened.reason().toStdString();
    }
    // Replaces the font and writes the bundle; returns the message.
    QString Insert(int number, const QByteArray& block) {
        RewrittenBundle rewritten;
        QString message;
        const BundleResult result = ReplaceFont(bundle_, number, block, rewritten);
        EXPECT_TRUE(result.ok()) << result.reason().toStdString();
        EXPECT_TRUE(WriteBundle(bundle_, rewritten, message).ok());
        return message;
    }

    QTemporaryDir folder_;
    BuiltBundle built_;
    QString index_, data_;
    GameBundle bundle_;
};

TEST_P(GameBundleTest, ListsEveryFontWithItsBlockAndHeader) {
    GameBundle fromIndex;
    ASSERT_TRUE(GameBundle::Open(index_, fromIndex).ok());
    EXPECT_EQ(fromIndex.paths().data, data_);
    EXPECT_EQ(bundle_.encrypted(), GetParam() != 7);
    EXPECT_EQ(bundle_.version(), GetParam());
    // Font number, room, bits per pixel, glyphs, seed: as SampleBuilder puts them.
    const int expected[][5] = {{1, 1, 1, 20, 1}, {2, 2, 2, 12, 2}, {4, 2, 4, 6, 4}};
    ASSERT_EQ(bundle_.fonts().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const BundleFont& font = bundle_.fonts()[i];
        const int* row = expected[i];
        EXPECT_EQ(font.number, row[0]);
        EXPECT_EQ(font.room, row[1]);
        const QByteArray block = SampleFontBlock(row[2], row[3], std::uint32_t(row[4]));
        EXPECT_EQ(bundle_.FontBlock(font), block) << "font " << font.number;
        Charset set;
        ASSERT_TRUE(DecodeCharset(block, set).ok());
        EXPECT_EQ(font.bitsPerPixel, row[2]);
        EXPECT_EQ(font.fontHeight, set.fontHeight);
        EXPECT_EQ(font.numChars, set.numChars);
        EXPECT_EQ(font.glyphCount, set.PresentGlyphCount());
    }
}

TEST_P(GameBundleTest, TheSameFontLeavesBothFilesAsTheyWere) {
    const QString message = Insert(2, bundle_.FontBlock(*bundle_.Font(2)));
    EXPECT_TRUE(message.contains(u"nothing was written"_s)) << message.toStdString();
    EXPECT_EQ(ReadAll(index_), built_.index);
    EXPECT_EQ(ReadAll(data_), built_.data);
}

TEST_P(GameBundleTest, ASmallerFontKeepsItsBlockAndLeavesTheIndexAlone) {
    const BundleFont old = *bundle_.Font(1);
    const QByteArray smaller = SampleFontBlock(1, 5, 9);
    ASSERT_LT(smaller.size(), old.size);
    const QString message = Insert(1, smaller);
    EXPECT_TRUE(message.contains(u"index was not rewritten"_s)) << message.toStdString();
    EXPECT_TRUE(message.contains(u".orig"_s)) << message.toStdString();
    EXPECT_EQ(ReadAll(index_), built_.index);
    EXPECT_EQ(ReadAll(index_ + u".orig"_s), built_.index);
    EXPECT_EQ(ReadAll(data_ + u".orig"_s), built_.data);
    GameBundle after;
    ASSERT_TRUE(GameBundle::Open(data_, after).ok());
    ASSERT_EQ(after.data().size(), bundle_.data().size());
    QByteArray expected = bundle_.data();
    expected.replace(old.offset + 8, old.size - 8,
                     smaller.mid(8) + QByteArray(old.size - smaller.size(), '\0'));
    EXPECT_EQ(after.data(), expected);
}

TEST_P(GameBundleTest, ALargerFontMovesWhatFollowsAndEveryEntryStillLands) {
    const auto before = EntryBlocks(bundle_);
    const QByteArray larger = SampleFontBlock(1, 60, 7);
    const QString message = Insert(1, larger);
    EXPECT_TRUE(message.contains(u"index was rewritten"_s)) << message.toStdString();
    GameBundle after;
    const BundleResult reopened = GameBundle::Open(index_, after);
    ASSERT_TRUE(reopened.ok()) << reopened.reason().toStdString();
    auto expected = before;
    expected[{Tag("DCHR"), 1}] = larger;
    EXPECT_EQ(EntryBlocks(after), expected);
    for (const BundleDirectory& directory : after.layout().directories) {
        const BundleDirectory* old = bundle_.layout().Directory(directory.block.tag);
        for (std::size_t i = 0; i < directory.rooms.size(); ++i) {
            if (directory.rooms[i] != 1) {
                EXPECT_EQ(directory.offsets[i], old->offsets[i]);
            }
        }
    }
    // A second write keeps the copies of the files as they first were.
    ASSERT_TRUE(GameBundle::Open(index_, bundle_).ok());
    Insert(2, SampleFontBlock(2, 40, 3));
    EXPECT_EQ(ReadAll(data_ + u".orig"_s), built_.data);
    EXPECT_EQ(ReadAll(index_ + u".orig"_s), built_.index);
}

INSTANTIATE_TEST_SUITE_P(Versions, GameBundleTest, testing::Values(5, 6, 7));

// Each damaged or unsupported bundle is refused with the file and what is wrong, and no file is
// written. A change puts bytes at an offset of one file, or replaces the index when at is -1.
TEST(GameBundleRefusalTest, NamesTheFileAndWhatIsWrong) {
    const BuiltBundle valid = SampleBuilder(7).Build();
    GameBundle parsed;
    ASSERT_TRUE(GameBundle::FromBytes(valid.index, valid.data, {}, parsed).ok());
    const auto size = [&](std::uint32_t tag) {
        const BundleDirectory* directory = parsed.layout().Directory(tag);
        return parsed.layout().rooms[0].base() + directory->offsets[1] + 4;
    };
    const qint64 dchr = parsed.layout().Directory(Tag("DCHR"))->OffsetField(1);
    BuiltBundle he = SampleBuilder(7).Build();
    he.index += MakeBlock("DLFL", QByteArray(6, '\0'));
    BuiltBundle v8 = SampleBuilder(8).Build(); // version 8 has DIR* directories too
    v8.index += MakeBlock("DIRR", QByteArray(6, '\0'));
    const struct {
        const char* name;
        bool inIndex;
        qint64 at;
        QByteArray put;
        const char* says;
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
        const BundleResult result = GameBundle::Open(index, bundle);
        EXPECT_EQ(result.path(), c.inIndex ? index : index.chopped(1) + u'1') << c.name;
        EXPECT_TRUE(result.reason().contains(QLatin1String(c.says)))
            << c.name << ": " << result.reason().toStdString();
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << c.name;
    }
}

TEST(GameBundleRefusalTest, RefusesFilesThatAreNoBundleBeforeReadingThem) {
    QTemporaryDir folder;
    WriteBundleFiles(folder.path(), u"GAME"_s, 5, SampleBuilder(5).Build());
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.filePath(u"PIPE.000"_s)).constData(), 0600), 0);
    QFile::copy(folder.filePath(u"GAME.001"_s), folder.filePath(u"PIPE.001"_s));
    QFile::copy(folder.filePath(u"GAME.000"_s), folder.filePath(u"HUGE.000"_s));
    QFile huge(folder.filePath(u"HUGE.001"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(2) << 30));
    const std::pair<QString, const char*> cases[] = {
        {u"PIPE.001"_s, "not a regular file"},       {u"HUGE.000"_s, "2147483648 bytes, more than"},
        {u"000.LFL"_s, "version 3 or 4 game"},       {u"FONT.NUT"_s, "NUT font file"},
        {u"GAME.txt"_s, "no file of a game bundle"},
    };
    for (const auto& [name, says] : cases) {
        GameBundle bundle;
        const BundleResult result = GameBundle::Open(folder.filePath(name), bundle);
        EXPECT_TRUE(result.reason().contains(QLatin1String(says)))
            << name.toStdString() << ": " << result.reason().toStdString();
    }
}

} // namespace
} // namespace fontlathe::test
