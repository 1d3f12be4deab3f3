#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"
#include "support/FullDisk.h"
#include "support/SampleSets.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

QByteArray Encode(const Charset& set, DirtyBytes dirty = DirtyBytes::Off) {
    EncodedBlock block;
    EXPECT_TRUE(EncodeCharset(set, dirty, block).ok());
    return block.bytes;
}

// Everything of the set a file can hold, every glyph stored or not, and how many are stored.
QByteArray Whole(Charset set) {
    const QByteArray stored = QByteArray::number(set.numChars());
    set.SetNumChars(GlyphSlotCount);
    return Encode(set) + stored;
}

TEST(CharCodecTest, ByteExactFilesPackFromTheTopBitAcrossRowsAndWholeBytesGetTheDirtyByte) {
    Charset set;
    set.NewCharset(1);
    EXPECT_EQ(Encode(set).toHex(),
              "43484152000004210a04000063030f00030405060708090a0b0c0d0e0f010a0001" +
                  QByteArray(2048, '0'));
    SetGlyph(
        set, 65, 8, 8, [](int x, int y) { return (x + y) % 2; }, -3, 2);
    QByteArray offsets(1024, '\0');
    offsets.replace(4 * 65, 4, QByteArray::fromHex("04040000"));
    const QByteArray clean = Encode(set), dirty = Encode(set, DirtyBytes::On);
    EXPECT_EQ(clean.mid(4, 8).toHex() + dirty.mid(4, 8).toHex(),
              "0000042d160400000000042e17040000");
    EXPECT_EQ(clean.mid(33), offsets + QByteArray::fromHex("0808fd02 55aa55aa55aa55aa"));
    EXPECT_EQ(dirty.mid(12), clean.mid(12) + '\0');
    const auto ink = [](int, int) { return 1; };
    // Depth, width, height, indices, and the pixel bytes with dirty bytes on.
    const std::tuple<int, int, int, int (*)(int, int), const char*> packed[] = {
        {1, 3, 3, ink, "ff80"},
        {1, 3, 3, [](int x, int y) { return int(x == y); }, "8880"},
        {2, 3, 1, [](int x, int) { return x + 1; }, "6c"},
        {2, 4, 1, ink, "5500"},
        {4, 2, 1, [](int x, int) { return x + 1; }, "1200"},
        {4, 3, 3, ink, "1111111110"}};
    for (const auto& [bits, width, height, indexAt, expected] : packed) {
        set.NewCharset(bits);
        set.SetNumChars(1);
        SetGlyph(set, 0, width, height, indexAt);
        EXPECT_EQ(Encode(set, DirtyBytes::On).mid(33 + 4 + 4).toHex(), expected)
            << bits << " bits " << width << "x" << height;
    }
}

TEST(CharCodecTest, RoundTripsThroughARealFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"round.char"_s);
    for (int bits : {1, 2, 4}) {
        for (DirtyBytes dirty : {DirtyBytes::Off, DirtyBytes::On}) {
            SCOPED_TRACE(::testing::Message() << bits << " bits, dirty " << int(dirty));
            Charset original = VariedSet(bits, 1000u + unsigned(bits));
            original.SetNumChars(230);
            original.SlotAt(0)->raster.setPixel(0, 0, qRgb(1, 2, 3)); // no colour of the set
            BlockLayout saved, read;
            ASSERT_TRUE(SaveCharset(original, path, dirty, &saved).ok());
            EXPECT_EQ(saved.blockSize, std::uint32_t(QFileInfo(path).size()));
            EXPECT_EQ(saved.dataSize, saved.blockSize - 23);
            Charset loaded;
            ASSERT_TRUE(LoadCharset(loaded, path, &read).ok());
            EXPECT_EQ(read.glyphOffsets, saved.glyphOffsets);
            EXPECT_EQ(Encode(loaded, dirty), ReadBytes(path)) << "what was loaded saves the same";
            original.SlotAt(0)->raster.setPixel(0, 0, DisplayColors[0]);
            for (int code = 230; code < GlyphSlotCount; ++code) {
                original.ClearGlyph(code); // not stored, so not written
            }
            EXPECT_EQ(Whole(loaded), Whole(original));
        }
    }
}

TEST(CharCodecTest, RecordsAreFoundWhereverTheyStandAndOffsetsOutsideTheFileReadAsNothing) {
    QByteArray bytes = HandMadeHeader(2, 4, 4);
    // Codes 1 and 2 share the first record; code 3's height byte reads as -128: it is dropped.
    for (std::int32_t offset : {25, 20, 20, 30}) {
        AppendLittle32(bytes, offset);
    }
    Charset set;
    BlockLayout layout;
    ASSERT_TRUE(
        DecodeCharset(bytes + QByteArray::fromHex("0301fe026c 01010000c0 01800000"), set, &layout)
            .ok());
    EXPECT_EQ(QStringList({Describe(set, 0), Describe(set, 1), Describe(set, 2), Describe(set, 3)}),
              QStringList({u"1x1 0,0 3"_s, u"3x1 -2,2 123"_s, u"3x1 -2,2 123"_s, u"absent"_s}));
    EXPECT_EQ(layout.glyphOffsets[3], 30) << "a dropped glyph keeps the offset read";
    // Saved again, every present code has a record of its own, in code order.
    EXPECT_EQ(Encode(set).mid(33, 16).toHex(), "14000000190000001e00000000000000");

    QByteArray wild = HandMadeHeader(4, 8, 6);
    for (std::int64_t offset : {-30LL, -1000LL, 2147483647LL, -2147483648LL, 5000LL, -29LL}) {
        AppendLittle32(wild, offset);
    }
    ASSERT_TRUE(DecodeCharset(wild, set).ok());
    EXPECT_EQ(set.PresentGlyphCount(), 1);
    EXPECT_EQ(set.glyphs()[5].raster.size(), QSize('C', 'H'))
        << "the file's first byte is a record";
}

TEST(CharCodecTest, ShortFilesKeepTheNewSetBytesForWhatIsMissing) {
    Charset original;
    original.NewCharset(2);
    original.SetVersion(0x1234);
    original.SetNumChars(3);
    SetGlyph(
        original, 1, 8, 2, [](int x, int y) { return (x + 2 * y) % 4; }, 1, -1);
    const QByteArray full = Encode(original);
    const QString pixels = Describe(original, 1).section(u' ', 2);
    for (qsizetype length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(::testing::Message() << "cut at " << length);
        Charset loaded;
        // At 32 bytes numChars takes the new set's high byte: 3 + 256 is refused.
        ASSERT_EQ(DecodeCharset(QByteArrayView(full).first(length), loaded).ok(), length != 32);
        if (length == 32) {
            continue;
        }
        EXPECT_EQ(loaded.version(), length <= 12 ? 867 : length == 13 ? 0x0334 : 0x1234);
        EXPECT_EQ(loaded.bitsPerPixel(), length >= 30 ? 2 : 1);
        EXPECT_EQ(loaded.numChars(), length >= 33 ? 3 : 256);
        // The record starts at byte 45, its pixels at 49; pixel bytes that are missing read as 0.
        ASSERT_EQ(loaded.glyphs()[1].present(), length >= 47);
        const qsizetype kept = std::clamp<qsizetype>(length - 49, 0, 4) * 4;
        EXPECT_EQ(Describe(loaded, 1).section(u' ', 2),
                  length >= 47 ? pixels.left(kept) + QString(16 - kept, u'0') : QString());
    }
}

TEST(CharCodecTest, RefusedHeadersAndSavesChangeNothing) {
    for (auto [bits, numChars] : {std::pair{1, -1}, {1, 257}, {0, 10}, {3, 10}, {8, 10}}) {
        Charset set = VariedSet(2, 7);
        const Charset before = set;
        const Result result =
            DecodeCharset(HandMadeHeader(bits, 10, numChars) + QByteArray(64, 1), set);
        EXPECT_FALSE(result.ok()) << bits << " bits " << numChars;
        EXPECT_FALSE(result.reason().isEmpty()) << bits << " bits " << numChars;
        ExpectSameSet(set, before, std::to_string(bits) + " bits " + std::to_string(numChars));
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(u"font.char"_s);
    Charset good = VariedSet(1, 3);
    ASSERT_TRUE(SaveCharset(good, path, DirtyBytes::Off).ok());
    const QByteArray saved = ReadBytes(path);
    // Glyphs a file can't hold: width, height, offsets, and what the reason names.
    const std::tuple<int, int, int, int, QString> tooLarge[] = {{128, 4, 0, 0, u"128 x 4"_s},
                                                                {4, 200, 0, 0, u"4 x 200"_s},
                                                                {4, 4, 200, 0, u"(200, 0)"_s},
                                                                {4, 4, 0, -129, u"(0, -129)"_s}};
    for (const auto& [width, height, x, y, named] : tooLarge) {
        Charset bad = good;
        SetGlyph(
            bad, 66, width, height, [](int, int) { return 1; }, x, y);
        BlockLayout layout;
        layout.glyphOffsets[66] = 4242;
        const QString reason = SaveCharset(bad, path, DirtyBytes::Off, &layout).reason();
        EXPECT_TRUE(reason.contains(u"character 66"_s)) << reason.toStdString();
        EXPECT_TRUE(reason.contains(named)) << reason.toStdString();
        EXPECT_EQ(layout.glyphOffsets[66], 4242) << "a refused save changes nothing in memory";
        bad.SetNumChars(66);
        EXPECT_FALSE(Encode(bad).isEmpty()) << "a glyph that is not stored is no obstacle";
    }
    // A read-only font is refused and stays as it is; a font written keeps its permission bits.
    namespace fs = std::filesystem;
    const fs::path file = QFileInfo(path).filesystemFilePath();
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(SaveCharset(good, path, DirtyBytes::Off).reason().contains(u"read-only"_s));
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    ASSERT_TRUE(SaveCharset(good, path, DirtyBytes::Off).ok());
    EXPECT_EQ(fs::status(file).permissions(), mode);
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"folder.char"_s));
    EXPECT_FALSE(SaveCharset(good, folder.filePath(u"folder.char"_s), DirtyBytes::Off).ok());
    EXPECT_FALSE(SaveCharset(good, folder.filePath(u"missing/font.char"_s), DirtyBytes::Off).ok());
    EXPECT_EQ(ReadBytes(path), saved);
    // Nothing is left beside the file.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"font.char"_s});
    EXPECT_FALSE(LoadCharset(good, folder.path()).ok()) << "a folder";
    EXPECT_FALSE(LoadCharset(good, path + u'x').ok()) << "a missing file";
}

// A disk that fills up, or loses what it is given, leaves the font that was there as it was and
// nothing beside it; the system's reason is the one given. A symbolic link stays one.
TEST(CharCodecTest, AFullDiskLeavesTheFontAsItWasAndSaysWhy) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"font.char"_s);
    const Charset small = VariedSet(1, 3);
    const Charset large = VariedSet(4, 5, 200);
    ASSERT_TRUE(SaveCharset(small, path, DirtyBytes::Off).ok());
    const QByteArray saved = ReadBytes(path);
    ASSERT_GT(Encode(large).size(), 4096 + saved.size());
    struct Case {
        long long freeBytes;
        FullDisk::Fault fault;
        QString reason;
    };
    const Case cases[] = {{0, FullDisk::Fault::NoSpace, u"No space left on device"_s},
                          {4096, FullDisk::Fault::NoSpace, u"No space left on device"_s},
                          {4096, FullDisk::Fault::Lost, u"reads back as 4096 bytes"_s}};
    for (const auto& [freeBytes, fault, reason] : cases) {
        for (const QString& name : {u"font.char"_s, u"new.char"_s}) {
            const FullDisk disk(folder.path(), freeBytes, fault);
            const Result result = SaveCharset(large, folder.filePath(name), DirtyBytes::Off);
            EXPECT_GT(disk.faults(), 0);
            EXPECT_FALSE(result.ok()) << freeBytes << ' ' << name.toStdString();
            EXPECT_TRUE(result.reason().contains(reason)) << result.reason().toStdString();
        }
        EXPECT_EQ(ReadBytes(path), saved);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"font.char"_s});
    }
    ASSERT_TRUE(QFile::link(path, folder.filePath(u"link.char"_s)));
    ASSERT_TRUE(SaveCharset(large, folder.filePath(u"link.char"_s), DirtyBytes::Off).ok());
    EXPECT_TRUE(QFileInfo(folder.filePath(u"link.char"_s)).isSymLink());
    EXPECT_EQ(ReadBytes(path), Encode(large));
}

TEST(CharsetTest, PaletteLookupAgreesWithPaletteIndexOfOnEveryColour) {
    const int channels[] = {0, 1, 84, 85, 86, 169, 170, 171, 254, 255};
    for (int bits : {1, 2, 4}) {
        Charset set;
        set.NewCharset(bits);
        const PaletteLookup lookup(set.ColorCount());
        for (int red : channels) {
            for (int green : channels) {
                for (int blue : channels) {
                    const QRgb color = qRgba(red, green, blue, blue); // only 24 bits count
                    ASSERT_EQ(lookup.IndexOf(color), set.PaletteIndexOf(color))
                        << bits << " bits " << std::hex << color;
                }
            }
        }
    }
}

} // namespace
} // namespace fontlathe::test
