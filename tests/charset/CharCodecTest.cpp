#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

using test::AppendLittle32;
using test::HandMadeHeader;
using test::IndicesOf;
using test::SetGlyph;

QByteArray Encode(const Charset& set, DirtyBytes dirty = DirtyBytes::Off) {
    EncodedBlock block;
    const FileResult result = EncodeCharset(set, dirty, block);
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return block.bytes;
}

Charset Decode(const QByteArray& bytes) {
    Charset set;
    const FileResult result = DecodeCharset(bytes, set);
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return set;
}

Charset NewSet(int bits = 1) {
    Charset set;
    set.NewCharset(bits);
    return set;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every stored, present glyph comes back with its pixels and offsets, every other code is absent,
// and the header fields the file holds match.
void ExpectStoredGlyphsEqual(const Charset& expected, const Charset& actual) {
    EXPECT_EQ(actual.tag, expected.tag);
    EXPECT_EQ(actual.version, expected.version);
    EXPECT_EQ(actual.colorMap, expected.colorMap);
    EXPECT_EQ(actual.bitsPerPixel, expected.bitsPerPixel);
    EXPECT_EQ(actual.fontHeight, expected.fontHeight);
    EXPECT_EQ(actual.numChars, expected.numChars);
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph& want = expected.glyphs[code];
        const Glyph& got = actual.glyphs[code];
        const bool written = code < expected.numChars && want.present();
        ASSERT_EQ(got.present(), written) << "code " << code;
        if (written) {
            EXPECT_EQ(got.xOffset, want.xOffset) << "code " << code;
            EXPECT_EQ(got.yOffset, want.yOffset) << "code " << code;
            EXPECT_EQ(got.raster.size(), want.raster.size()) << "code " << code;
            EXPECT_EQ(IndicesOf(actual, code), IndicesOf(expected, code)) << "code " << code;
        }
    }
}

TEST(CharCodecTest, ByteExactNewSetAndOneGlyph) {
    Charset set = NewSet();
    const QByteArray empty = Encode(set);
    ASSERT_EQ(empty.size(), 1057);
    EXPECT_EQ(empty.left(33),
              QByteArray("CHAR") + QByteArray::fromHex("00000421"
                                                       "0a040000"
                                                       "6303"
                                                       "0f00030405060708090a0b0c0d0e0f"
                                                       "010a0001"));
    EXPECT_EQ(empty.mid(33), QByteArray(1024, '\0'));

    SetGlyph(
        set, 65, 8, 8, [](int x, int y) { return (x + y) % 2; }, -3, 2);
    const QByteArray clean = Encode(set);
    ASSERT_EQ(clean.size(), 1069);
    EXPECT_EQ(clean.mid(4, 8), QByteArray::fromHex("0000042d"
                                                   "16040000"));
    QByteArray offsets(1024, '\0');
    offsets.replace(4 * 65, 4, QByteArray::fromHex("04040000"));
    EXPECT_EQ(clean.mid(33, 1024), offsets);
    EXPECT_EQ(clean.mid(1057), QByteArray::fromHex("0808fd02"
                                                   "55aa55aa55aa55aa"));

    const QByteArray dirty = Encode(set, DirtyBytes::On);
    ASSERT_EQ(dirty.size(), 1070);
    EXPECT_EQ(dirty.mid(8, 4), QByteArray::fromHex("17040000"));
    EXPECT_EQ(dirty.back(), '\0');
}

TEST(CharCodecTest, PixelPackingAndTheDirtyByte) {
    struct Case {
        int bits, width, height;
        qsizetype cleanBytes, dirtyBytes;
    };
    const Case cases[] = {{1, 8, 2, 2, 3}, {1, 3, 3, 2, 2}, {2, 4, 1, 1, 2}, {4, 3, 3, 5, 5}};
    for (const Case& c : cases) {
        Charset set = NewSet(c.bits);
        set.numChars = 1;
        SetGlyph(set, 0, c.width, c.height, [](int, int) { return 1; });
        const qsizetype pixelStart = 33 + 4 + 4;
        EXPECT_EQ(Encode(set).size() - pixelStart, c.cleanBytes)
            << c.bits << " bits " << c.width << "x" << c.height;
        EXPECT_EQ(Encode(set, DirtyBytes::On).size() - pixelStart, c.dirtyBytes)
            << c.bits << " bits " << c.width << "x" << c.height;
    }
    // Indices 1, 2, 3 in two bits each, most significant first: 01 10 11 00.
    Charset set = NewSet(2);
    set.numChars = 1;
    SetGlyph(set, 0, 3, 1, [](int x, int) { return x + 1; });
    EXPECT_EQ(Encode(set).back(), char(0x6C));
    // Rows are not padded: a 3-wide diagonal is 100 010 001.
    set = NewSet(1);
    set.numChars = 1;
    SetGlyph(set, 0, 3, 3, [](int x, int y) { return x == y ? 1 : 0; });
    EXPECT_EQ(Encode(set).right(2), QByteArray::fromHex("8880"));
}

TEST(CharCodecTest, RoundTripsThroughARealFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"round.char"_s);
    for (int bits : {1, 2, 4}) {
        for (DirtyBytes dirty : {DirtyBytes::Off, DirtyBytes::On}) {
            SCOPED_TRACE(::testing::Message()
                         << bits << " bits, dirty " << (dirty == DirtyBytes::On));
            Charset original = test::VariedSet(bits, 1000u + unsigned(bits));
            original.numChars = 230;
            SetGlyph(original, 240, 2, 2, [](int, int) { return 1; });
            // A colour this set doesn't have comes back as background.
            original.glyphs[0].raster.setPixel(0, 0, qRgb(1, 2, 3));
            Charset saved = original;
            ASSERT_TRUE(SaveCharset(saved, path, dirty).ok());
            EXPECT_EQ(saved.blockSize, std::uint32_t(QFileInfo(path).size()));
            EXPECT_EQ(saved.dataSize, saved.blockSize - 23);

            Charset loaded = NewSet();
            ASSERT_TRUE(LoadCharset(loaded, path).ok());
            original.glyphs[0].raster.setPixel(0, 0, DisplayColors[0]);
            ExpectStoredGlyphsEqual(original, loaded);
            EXPECT_EQ(loaded.glyphOffsets, saved.glyphOffsets);
            EXPECT_EQ(Encode(loaded, dirty), ReadFile(path))
                << "saving what was loaded gives the same bytes";
        }
    }
}

TEST(CharCodecTest, RecordsAreFoundWhereverTheyStand) {
    QByteArray bytes = HandMadeHeader(2, 4, 4);
    const std::int64_t table = 4 + 16;
    AppendLittle32(bytes, table + 5); // code 0: the second record
    AppendLittle32(bytes, table);     // codes 1 and 2 share the first
    AppendLittle32(bytes, table);
    AppendLittle32(bytes, table + 10); // code 3: height byte 0x80 reads as -128, dropped
    bytes.append(QByteArray::fromHex("0301fe026c"
                                     "01010000c0"
                                     "01800000"));
    Charset loaded = Decode(bytes);
    EXPECT_EQ(IndicesOf(loaded, 0), (std::vector<int>{3}));
    EXPECT_EQ(IndicesOf(loaded, 1), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(IndicesOf(loaded, 2), IndicesOf(loaded, 1));
    EXPECT_EQ(loaded.glyphs[2].xOffset, -2);
    EXPECT_FALSE(loaded.glyphs[3].present());
    EXPECT_EQ(loaded.glyphOffsets[3], table + 10) << "a dropped glyph keeps the offset read";

    // Saved again, every present code gets a record of its own in code order; the dropped one 0.
    EncodedBlock block;
    ASSERT_TRUE(EncodeCharset(loaded, DirtyBytes::Off, block).ok());
    EXPECT_EQ(block.glyphOffsets[0], table);
    EXPECT_EQ(block.glyphOffsets[1], table + 5);
    EXPECT_EQ(block.glyphOffsets[2], table + 10);
    EXPECT_EQ(block.glyphOffsets[3], 0);

    // Offsets that point before the file, far past it or just past it read as nothing there.
    QByteArray wild = HandMadeHeader(4, 8, 6);
    for (std::int64_t offset : {-30LL, -1000LL, 2147483647LL, -2147483648LL, 5000LL}) {
        AppendLittle32(wild, offset);
    }
    AppendLittle32(wild, -29); // the first byte of the file: "CH" makes 67 x 72
    const Charset odd = Decode(wild);
    for (int code = 0; code < 5; ++code) {
        EXPECT_FALSE(odd.glyphs[code].present()) << code;
    }
    EXPECT_EQ(odd.glyphs[5].raster.size(), QSize('C', 'H'));
}

TEST(CharCodecTest, ShortFilesKeepTheNewSetBytesForWhatIsMissing) {
    Charset original = NewSet(2);
    original.version = 0x1234;
    original.fontHeight = 9;
    original.numChars = 3;
    SetGlyph(
        original, 1, 8, 2, [](int x, int y) { return (x + 2 * y) % 4; }, 1, -1);
    const QByteArray full = Encode(original);
    const qsizetype recordStart = 33 + 12;
    for (qsizetype length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(::testing::Message() << "cut at " << length);
        Charset loaded;
        const FileResult result = DecodeCharset(QByteArrayView(full).first(length), loaded);
        if (length == 32) {
            EXPECT_FALSE(result.ok()) << "numChars 3 with the new set's high byte 0x01 is 259";
            continue;
        }
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(loaded.version, length <= 12 ? 867 : length == 13 ? 0x0334 : 0x1234);
        EXPECT_EQ(loaded.bitsPerPixel, length >= 30 ? 2 : 1);
        EXPECT_EQ(loaded.numChars, length >= 33 ? 3 : 256);
        EXPECT_EQ(loaded.glyphs[1].present(), length >= recordStart + 2);
        if (loaded.glyphs[1].present()) {
            std::vector<int> expected = IndicesOf(original, 1);
            const qsizetype pixelBytes = std::max<qsizetype>(0, length - (recordStart + 4));
            std::fill(expected.begin() + std::min<qsizetype>(pixelBytes * 4, 16), expected.end(),
                      0);
            EXPECT_EQ(IndicesOf(loaded, 1), expected) << "missing pixel bytes read as 0";
        }
    }
}

TEST(CharCodecTest, RefusedHeadersLeaveTheSetUntouched) {
    const std::pair<int, int> headers[] = {{1, -1}, {1, 257}, {0, 10}, {3, 10}, {8, 10}};
    for (auto [bits, numChars] : headers) {
        Charset set = test::VariedSet(2, 7);
        const Charset before = set;
        const FileResult result =
            DecodeCharset(HandMadeHeader(bits, 10, numChars) + QByteArray(64, 1), set);
        EXPECT_FALSE(result.ok()) << bits << " bits " << numChars << " chars";
        EXPECT_FALSE(result.reason().isEmpty());
        ExpectStoredGlyphsEqual(before, set);
    }
}

TEST(CharCodecTest, SaveRefusesWhatCanNotBeReadBack) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"font.char"_s);
    Charset good = test::VariedSet(1, 3);
    ASSERT_TRUE(SaveCharset(good, path, DirtyBytes::Off).ok());
    const QByteArray before = ReadFile(path);

    const std::tuple<int, int, int, int, const char*> cases[] = {{128, 4, 0, 0, "128 x 4"},
                                                                 {4, 200, 0, 0, "4 x 200"},
                                                                 {4, 4, 200, 0, "200"},
                                                                 {4, 4, 0, -129, "-129"}};
    for (auto [width, height, x, y, mentions] : cases) {
        Charset bad = good;
        SetGlyph(
            bad, 66, width, height, [](int, int) { return 1; }, x, y);
        bad.glyphOffsets[66] = 4242;
        const FileResult refused = SaveCharset(bad, path, DirtyBytes::Off);
        ASSERT_FALSE(refused.ok());
        EXPECT_TRUE(refused.reason().contains(u"character 66"_s)) << refused.reason().toStdString();
        EXPECT_TRUE(refused.reason().contains(QString::fromLatin1(mentions)))
            << refused.reason().toStdString();
        EXPECT_EQ(bad.glyphOffsets[66], 4242) << "a refused save changes nothing in memory";
        bad.numChars = 66; // not stored, so not written: no obstacle
        EncodedBlock block;
        EXPECT_TRUE(EncodeCharset(bad, DirtyBytes::Off, block).ok());
    }
    EXPECT_EQ(ReadFile(path), before);

    ASSERT_TRUE(QDir(folder.path()).mkdir(u"folder.char"_s));
    EXPECT_FALSE(SaveCharset(good, folder.filePath(u"folder.char"_s), DirtyBytes::Off).ok());
    EXPECT_FALSE(SaveCharset(good, folder.filePath(u"missing/font.char"_s), DirtyBytes::Off).ok());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"font.char"_s})
        << "nothing is left beside the file";

    Charset untouched = good;
    EXPECT_FALSE(LoadCharset(untouched, folder.filePath(u"nothing.char"_s)).ok());
    EXPECT_FALSE(LoadCharset(untouched, folder.path()).ok());
    ExpectStoredGlyphsEqual(good, untouched);
}

} // namespace
} // namespace fontlathe
