#include "bundle/GameBundle.h"
#include "bundle/BundleBytes.h"
#include "bundle/BundleRewrite.h"
#include "bundle/EngineLimits.h"
#include "charset/CharBlockLayout.h"
#include "charset/CharCodec.h"
#include "support/BundleBuilder.h"
#include "support/FullDisk.h"
#include "support/SampleSets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

using bundle::Tag;

// Fails the write or replacement of one file; with Stop::Dies it ends the write there as a
// killed program would, leaving whatever was on disk.
class FailingFiles : public BundleFiles {
public:
    enum class Stop { Fails, Dies };
    struct Died {};
    FailingFiles(QString target, Stop stop) : target_(std::move(target)), stop_(stop) {}
    Result Write(const QString& path, QByteArrayView bytes) override {
        return path == target_ ? Fault() : BundleFiles::Write(path, bytes);
    }
    Result Replace(const QString& from, const QString& to) override {
        return to == target_ ? Fault() : BundleFiles::Replace(from, to);
    }

private:
    Result Fault() const {
        if (stop_ == Stop::Dies) {
            throw Died{};
        }
        return Result::Failure(u"the disk is full"_s);
    }
    QString target_;
    Stop stop_;
};

class GameBundleTest : public testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        built_ = SampleBundle(GetParam());
        index_ =
            WriteBundleFiles(folder_.path(), QString::fromLatin1(GetParam().stem),
                             GetParam().version, built_, QString::fromLatin1(GetParam().letters));
        data_ = index_.chopped(1) + u'1';
        const Result opened = GameBundle::Open(data_, bundle_);
        ASSERT_TRUE(opened.ok()) << opened.reason().toStdString();
    }
    // Replaces the font and writes the bundle; returns the message, or the reason of a failure.
    QString Insert(int number, const QByteArray& block, BundleFiles& files = BundleFiles::Real()) {
        RewrittenBundle rewritten;
        QString message;
        const Result result = ReplaceFont(bundle_, number, block, rewritten);
        EXPECT_TRUE(result.ok()) << result.reason().toStdString();
        const Result written = WriteBundle(bundle_, rewritten, message, files);
        return written ? message : written.reason();
    }
    bool Untidy() const { return GetParam().tidiness == Tidiness::Untidy; }

    QTemporaryDir folder_;
    BuiltBundle built_;
    QString index_, data_;
    GameBundle bundle_;
};

TEST_P(GameBundleTest, ListsEveryFontWithItsBlockAndHeader) {
    GameBundle fromIndex;
    ASSERT_TRUE(GameBundle::Open(index_, fromIndex).ok());
    EXPECT_EQ(fromIndex.paths().data, data_);
    EXPECT_EQ(bundle_.encrypted(), GetParam().version != 7);
    EXPECT_EQ(bundle_.version(), GetParam().version);
    std::vector<GameBundle> disks;
    QStringList remarks;
    ASSERT_TRUE(GameBundle::OpenDisks(data_, disks, remarks).ok());
    std::vector<BundleFont> fonts;
    for (const GameBundle& disk : disks) {
        fonts.insert(fonts.end(), disk.fonts().begin(), disk.fonts().end());
        remarks += disk.remarks();
    }
    EXPECT_EQ(disks.size(), Untidy() ? 2u : 1u);
    const QString all = remarks.join(u'\n');
    for (const char* remark :
         {"DSOU entry 10 points at no block", "DSCR entry 11 points at no block",
          "DCOS entry 9 points at a ROOM block", "ends with 3 bytes after its last block",
          "the 10 bytes after it are kept"}) {
        EXPECT_EQ(all.contains(QLatin1String(remark)), Untidy()) << remark << all.toStdString();
    }
    // Font number, room, bits per pixel, glyphs, seed: as SampleBundle puts them.
    const int expected[][5] = {
        {1, 1, 1, 20, 1}, {2, 2, 2, 12, 2}, {4, 2, 4, 6, 4}, {5, 3, 1, 8, 5}};
    ASSERT_EQ(fonts.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const BundleFont& font = fonts[i];
        const GameBundle& holder = font.number == 5 ? disks.back() : bundle_;
        const int* row = expected[i];
        EXPECT_EQ(font.number, row[0]);
        EXPECT_EQ(font.room, row[1]);
        const QByteArray block = SampleFontBlock(row[2], row[3], std::uint32_t(row[4]));
        EXPECT_EQ(holder.FontBlock(font), block) << "font " << font.number;
        Charset set;
        ASSERT_TRUE(DecodeCharset(block, set).ok());
        EXPECT_EQ(font.bitsPerPixel, row[2]);
        EXPECT_EQ(font.fontHeight, set.fontHeight());
        EXPECT_EQ(font.numChars, set.numChars());
        EXPECT_EQ(font.glyphCount, set.PresentGlyphCount());
    }
}

TEST_P(GameBundleTest, TheSameFontLeavesBothFilesAsTheyWere) {
    const QString message = Insert(2, bundle_.FontBlock(*bundle_.Font(2)));
    EXPECT_TRUE(message.contains(u"nothing was written"_s)) << message.toStdString();
    EXPECT_EQ(ReadBytes(index_), built_.index);
    EXPECT_EQ(ReadBytes(data_), built_.data);
}

TEST_P(GameBundleTest, ASmallerFontKeepsItsBlockAndLeavesTheIndexAlone) {
    const BundleFont old = *bundle_.Font(1);
    const QByteArray smaller = SampleFontBlock(1, 5, 9);
    ASSERT_LT(smaller.size(), old.size);
    const QString message = Insert(1, smaller);
    EXPECT_TRUE(message.contains(u"index was not rewritten"_s)) << message.toStdString();
    EXPECT_TRUE(message.contains(u"which keeps its size"_s)) << message.toStdString();
    EXPECT_TRUE(message.contains(u".orig"_s)) << message.toStdString();
    EXPECT_EQ(ReadBytes(index_), built_.index);
    EXPECT_EQ(ReadBytes(index_ + u".orig"_s), built_.index);
    EXPECT_EQ(ReadBytes(data_ + u".orig"_s), built_.data);
    GameBundle after;
    ASSERT_TRUE(GameBundle::Open(data_, after).ok());
    ASSERT_EQ(after.data().size(), bundle_.data().size());
    QByteArray expected = bundle_.data();
    expected.replace(old.offset + 8, old.size - 8,
                     smaller.mid(8) + QByteArray(old.size - smaller.size(), '\0'));
    EXPECT_EQ(after.data(), expected);
}

TEST_P(GameBundleTest, ALargerFontMovesWhatFollowsAndEveryEntryStillLands) {
    const auto before = EntryBlocks(index_);
    const QByteArray larger = SampleFontBlock(1, 60, 7);
    const QString message = Insert(1, larger);
    EXPECT_TRUE(message.contains(u"index was rewritten"_s)) << message.toStdString();
    GameBundle after;
    const Result reopened = GameBundle::Open(index_, after);
    ASSERT_TRUE(reopened.ok()) << reopened.reason().toStdString();
    auto expected = before;
    expected[{Tag("DCHR"), 1}] = larger;
    EXPECT_EQ(EntryBlocks(index_), expected);
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
    EXPECT_EQ(ReadBytes(data_ + u".orig"_s), built_.data);
    EXPECT_EQ(ReadBytes(index_ + u".orig"_s), built_.index);
    // A font of another data file goes into that file.
    expected = EntryBlocks(index_);
    ASSERT_TRUE(GameBundle::OpenFont(index_, 5, bundle_).ok());
    const QByteArray fifth = SampleFontBlock(1, 50, 6);
    Insert(5, fifth);
    expected[{Tag("DCHR"), 5}] = fifth;
    EXPECT_EQ(EntryBlocks(index_), expected);
    EXPECT_EQ(QFileInfo::exists(index_.chopped(1) + u'2' + u".orig"_s), Untidy());
}

TEST_P(GameBundleTest, AnIndexThatCannotBeReplacedPutsTheDataFileBackAsItWas) {
    FailingFiles files(index_, FailingFiles::Stop::Fails);
    const QString message = Insert(1, SampleFontBlock(1, 60, 7), files);
    EXPECT_TRUE(message.contains(u"the data file was put back as it was"_s))
        << message.toStdString();
    EXPECT_EQ(ReadBytes(data_), built_.data);
    EXPECT_EQ(ReadBytes(index_), built_.index);
    EXPECT_EQ(QDir(folder_.path()).entryList({u"*.fontlathe-*"_s}, QDir::Files), QStringList());
}

// A disk that fills at any byte of the write (the .orig copies, the new data file, the new index,
// the journal), or loses what it is given, leaves every file of the game as it was and nothing
// beside them, no .orig copy either, and says why.
TEST_P(GameBundleTest, AFullDiskAtAnyStepLeavesTheGameAsItWas) {
    const QByteArray block = SampleFontBlock(1, 60, 7);
    long long whole = 0;
    {
        QTemporaryDir copy;
        WriteBundleFiles(copy.path(), QString::fromLatin1(GetParam().stem), GetParam().version,
                         built_, QString::fromLatin1(GetParam().letters));
        const FullDisk disk(copy.path(), 1LL << 30);
        ASSERT_TRUE(GameBundle::Open(copy.filePath(QFileInfo(data_).fileName()), bundle_).ok());
        Insert(1, block);
        whole = disk.stored();
    }
    const QStringList files = QDir(folder_.path()).entryList(QDir::Files);
    std::vector<std::pair<long long, FullDisk::Fault>> disks = {
        {0, FullDisk::Fault::NoSpace},
        {whole - 1, FullDisk::Fault::NoSpace},
        {whole / 2, FullDisk::Fault::Lost},
        {whole - 1, FullDisk::Fault::Lost}};
    for (long long free = 4096; free < whole; free += whole / 12 + 1) {
        disks.emplace_back(free, FullDisk::Fault::NoSpace);
    }
    for (const auto& [free, fault] : disks) {
        ASSERT_TRUE(GameBundle::Open(data_, bundle_).ok());
        const FullDisk disk(folder_.path(), free, fault);
        const QString reason = Insert(1, block);
        EXPECT_TRUE(reason.contains(fault == FullDisk::Fault::NoSpace ? u"No space left on device"_s
                                                                      : u"reads back as"_s))
            << free << ": " << reason.toStdString();
        EXPECT_EQ(ReadBytes(data_), built_.data) << free;
        EXPECT_EQ(ReadBytes(index_), built_.index) << free;
        EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), files) << free;
    }
}

// A program killed between the two replacements, or before it wrote its journal, leaves a pair
// the next open reads whole, the new one or the old one, without writing into the folder; a
// repair then finishes the write, or removes what it left.
TEST_P(GameBundleTest, AWriteStoppedBetweenTheReplacementsIsReadWholeAndFinishedByARepair) {
    const auto before = EntryBlocks(index_);
    const struct {
        QString stopAt;
        int glyphs;
        bool newPair;
    } stops[] = {
        {index_, 60, true}, {data_, 80, true}, {index_ + u".fontlathe-pending"_s, 90, false}};
    for (const auto& stop : stops) {
        ASSERT_TRUE(GameBundle::Open(data_, bundle_).ok());
        const QByteArray block = SampleFontBlock(1, stop.glyphs, 7);
        const QByteArray old = bundle_.FontBlock(*bundle_.Font(1));
        FailingFiles files(stop.stopAt, FailingFiles::Stop::Dies);
        EXPECT_THROW(Insert(1, block, files), FailingFiles::Died);
        const QStringList left = QDir(folder_.path()).entryList({u"*.fontlathe-*"_s}, QDir::Files);
        GameBundle reopened;
        const Result opened = GameBundle::Open(data_, reopened);
        ASSERT_TRUE(opened.ok()) << opened.reason().toStdString();
        EXPECT_EQ(reopened.FontBlock(*reopened.Font(1)), stop.newPair ? block : old);
        EXPECT_EQ(reopened.pendingWrite().contains(u"fontlathe-cli repair"_s), stop.newPair);
        auto expected = before;
        expected[{Tag("DCHR"), 1}] = reopened.FontBlock(*reopened.Font(1));
        EXPECT_EQ(EntryBlocks(index_), expected);
        EXPECT_EQ(QDir(folder_.path()).entryList({u"*.fontlathe-*"_s}, QDir::Files), left);
        QStringList done;
        ASSERT_TRUE(FinishPendingWrite(index_, done).ok());
        EXPECT_EQ(EntryBlocks(index_), expected);
        EXPECT_EQ(QDir(folder_.path()).entryList({u"*.fontlathe-*"_s}, QDir::Files), QStringList());
    }
}

// What the engine would not read is refused before writing; so is a file that can't be written,
// before its .orig copy is made. Each file keeps its permissions.
TEST_P(GameBundleTest, WritingKeepsPermissionsAndRefusesWhatCannotBeWritten) {
    RewrittenBundle rewritten;
    const Result tooLarge = ReplaceFont(bundle_, 1, Encoded(LargestSet()), rewritten);
    EXPECT_TRUE(tooLarge.reason().contains(u"the game reads no glyph at 81920 or beyond"_s))
        << tooLarge.reason().toStdString();
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(data_, mode));
    ASSERT_TRUE(QFile::setPermissions(index_, mode | QFileDevice::ReadOther));
    const auto dataMode = QFile::permissions(data_), indexMode = QFile::permissions(index_);
    QFile(index_ + u".orig"_s).open(QIODevice::WriteOnly); // empty, as a full disk once left it
    Insert(1, SampleFontBlock(1, 60, 7));
    EXPECT_EQ(QFile::permissions(data_), dataMode);
    EXPECT_EQ(QFile::permissions(index_), indexMode);
    EXPECT_EQ(ReadBytes(index_ + u".orig"_s), built_.index) << "an empty copy is made anew";
    QFile::remove(data_ + u".orig"_s);
    QFile::remove(index_ + u".orig"_s);
    ASSERT_TRUE(GameBundle::Open(data_, bundle_).ok());
    ASSERT_TRUE(QFile::setPermissions(index_, QFileDevice::ReadOwner));
    const QString refused = Insert(1, SampleFontBlock(1, 70, 8));
    EXPECT_TRUE(refused.contains(u"nothing was written. Use File > Save As"_s))
        << refused.toStdString();
    EXPECT_FALSE(QFileInfo::exists(data_ + u".orig"_s));
    EXPECT_EQ(bundle_.FontBlock(*bundle_.Font(1)), SampleFontBlock(1, 60, 7));
}

// The game reads a glyph that starts just below 0x14000 bytes into the font (counted from its
// bits-per-pixel byte), and stops on one that starts there or beyond.
TEST(EngineLimitsTest, AGlyphMayStartUpToJustBelowTheOffsetLimit) {
    const auto ink = [](int x, int y) { return (x + y) % 16; };
    for (const std::int64_t start :
         {EngineGlyphOffsetLimit - 1, EngineGlyphOffsetLimit, EngineGlyphOffsetLimit + 1}) {
        Charset set;
        set.NewCharset(4);
        // A row of 126 pixels takes 63 bytes and one of 2 pixels a byte, after a 4-byte header.
        std::int64_t left =
            start - (layout::OffsetTableOffset + 4 * GlyphSlotCount - layout::RecordBase);
        int code = 0;
        for (; left > 4 + 63 * 127 + 72; left -= 4 + 63 * 127) {
            SetGlyph(set, code++, 126, 127, ink);
        }
        const int rows = static_cast<int>(left - 9) / 63;
        SetGlyph(set, code++, 126, rows, ink);
        SetGlyph(set, code++, 2, static_cast<int>(left - 8 - 63 * rows), ink);
        SetGlyph(set, code, 1, 1, ink);
        const QByteArray block = Encoded(set);
        ASSERT_EQ(bundle::Little32(block, layout::OffsetTableOffset + 4 * code), start);
        EXPECT_EQ(CheckEngineLimits(block).ok(), start < EngineGlyphOffsetLimit) << start;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, GameBundleTest,
                         testing::Values(Kind{5, "GAME", "", Tidiness::Tidy},
                                         Kind{6, "GAME", "", Tidiness::Tidy},
                                         Kind{7, "GAME", "", Tidiness::Tidy},
                                         Kind{6, "TENTACLE", "", Tidiness::Untidy},
                                         Kind{6, "samnmax", "sm", Tidiness::Tidy},
                                         Kind{6, "puttputt", "he", Tidiness::Tidy},
                                         Kind{6, "FREDDI", "HE", Tidiness::Untidy}));

} // namespace
} // namespace fontlathe::test
