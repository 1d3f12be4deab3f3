#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

using test::AppendLittle16;
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

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every stored, present glyph of expected comes back with its pixels and offsets, every other
// code is absent, and the header fields the file holds match.
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
        if (!written) {
            continue;
        }
        EXPECT_EQ(got.width(), want.width()) << "code " << code;
        EXPECT_EQ(got.height(), want.height()) << "code " << code;
        EXPECT_EQ(got.xOffset, want.xOffset) << "code " << code;
        EXPECT_EQ(got.yOffset, want.yOffset) << "code " << code;
        EXPECT_EQ(IndicesOf(actual, code), IndicesOf(expected, code)) << "code " << code;
    }
}

std::uint8_t Byte(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint8_t>(bytes.at(at));
}

TEST(CharCodecTest, NewSetIsHeaderAndEmptyOffsetTable) {
    const QByteArray bytes = Encode(NewSet());
    ASSERT_EQ(bytes.size(), 1057);
    EXPECT_EQ(bytes.left(4), QByteArray("CHAR"));
    EXPECT_EQ(bytes.mid(4, 4), QByteArray::fromHex("00000421"));
    EXPECT_EQ(bytes.mid(8, 4), QByteArray::fromHex("0a040000"));
    EXPECT_EQ(bytes.mid(12, 2), QByteArray::fromHex("6303"));
    EXPECT_EQ(bytes.mid(14, 15), QByteArray::fromHex("0f00030405060708090a0b0c0d0e0f"));
    EXPECT_EQ(bytes.mid(29, 4), QByteArray::fromHex("010a0001"));
    EXPECT_EQ(bytes.mid(33), QByteArray(1024, '\0'));
}

TEST(CharCodecTest, OneGlyphRecordAndTheDirtyByte) {
    Charset set = NewSet();
    SetGlyph(
        set, 65, 8, 8, [](int x, int y) { return (x + y) % 2; }, -3, 2);

    const QByteArray clean = Encode(set);
    ASSERT_EQ(clean.size(), 1069);
    EXPECT_EQ(clean.mid(4, 4), QByteArray::fromHex("0000042d"));
    EXPECT_EQ(clean.mid(8, 4), QByteArray::fromHex("16040000"));
    for (int code = 0; code < 256; ++code) {
        const QByteArray entry = clean.mid(33 + 4 * code, 4);
        EXPECT_EQ(entry, code == 65 ? QByteArray::fromHex("04040000") : QByteArray(4, '\0'))
            << "offset of code " << code;
    }
    EXPECT_EQ(clean.mid(1057, 4), QByteArray::fromHex("0808fd02"));
    EXPECT_EQ(clean.mid(1061), QByteArray::fromHex("55aa55aa55aa55aa"));

    const QByteArray dirty = Encode(set, DirtyBytes::On);
    ASSERT_EQ(dirty.size(), 1070);
    EXPECT_EQ(dirty.mid(8, 4), QByteArray::fromHex("17040000"));
    EXPECT_EQ(Byte(dirty, 1069), 0);
    EXPECT_EQ(dirty.left(1069).mid(12), clean.mid(12));
}

TEST(CharCodecTest, PixelDataLengthAndPacking) {
    struct Case {
        int bits, width, height;
        qsizetype cleanBytes, dirtyBytes;
    };
    const Case cases[] = {
        {1, 8, 2, 2, 3}, {1, 3, 3, 2, 2}, {2, 3, 1, 1, 1},
        {2, 4, 1, 1, 2}, {4, 3, 3, 5, 5}, {4, 2, 1, 1, 2},
    };
    for (const Case& c : cases) {
        Charset set = NewSet(c.bits);
        set.numChars = 1;
        SetGlyph(set, 0, c.width, c.height, [](int, int) { return 1; });
        const qsizetype recordStart = 33 + 4 + 4;
        EXPECT_EQ(Encode(set).size() - recordStart, c.cleanBytes)
            << c.bits << " bits, " << c.width << "x" << c.height;
        EXPECT_EQ(Encode(set, DirtyBytes::On).size() - recordStart, c.dirtyBytes)
            << c.bits << " bits, " << c.width << "x" << c.height << " dirty";
    }

    // Indices 1, 2, 3 in two bits each, most significant first: 01 10 11 00.
    Charset set = NewSet(2);
    set.numChars = 1;
    SetGlyph(set, 0, 3, 1, [](int x, int) { return x + 1; });
    const QByteArray bytes = Encode(set);
    EXPECT_EQ(Byte(bytes, bytes.size() - 1), 0x6C);

    // Rows are not padded: the second row of a 3-wide 1-bit glyph continues the first byte.
    set = NewSet(1);
    set.numChars = 1;
    SetGlyph(set, 0, 3, 3, [](int x, int y) { return x == y ? 1 : 0; });
    EXPECT_EQ(Encode(set).right(2), QByteArray::fromHex("8880"));
}

TEST(CharCodecTest, RoundTripsThroughARealFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (int bits : {1, 2, 4}) {
        for (DirtyBytes dirty : {DirtyBytes::Off, DirtyBytes::On}) {
            SCOPED_TRACE(::testing::Message()
                         << bits << " bits, dirty " << (dirty == DirtyBytes::On));
            Charset original = test::VariedSet(bits, 1000u + static_cast<unsigned>(bits));
            original.numChars = 230;
            SetGlyph(original, 240, 2, 2, [](int, int) { return 1; });
            const QString path = folder.filePath(QStringLiteral("round.char"));

            Charset saved = original;
            ASSERT_TRUE(SaveCharset(saved, path, dirty).ok());
            EXPECT_EQ(saved.blockSize, static_cast<std::uint32_t>(QFileInfo(path).size()));
            EXPECT_EQ(saved.dataSize, saved.blockSize - 23);

            Charset loaded = NewSet();
            const FileResult result = LoadCharset(loaded, path);
            ASSERT_TRUE(result.ok()) << result.reason().toStdString();
            ExpectStoredGlyphsEqual(original, loaded);
            EXPECT_EQ(loaded.glyphOffsets, saved.glyphOffsets);
            EXPECT_EQ(loaded.blockSize, saved.blockSize);
            EXPECT_FALSE(loaded.glyphs[240].present())
                << "codes at or above numChars are not written";

            // Saving what was loaded gives the same bytes again.
            EXPECT_EQ(Encode(loaded, dirty), ReadFile(path));
        }
    }
}

TEST(CharCodecTest, ColorsOutsideTheSetReadBackAsBackground) {
    Charset set = NewSet(1);
    set.numChars = 1;
    SetGlyph(set, 0, 4, 1, [](int x, int) { return x; }); // indices 0..3 in a 2-colour set
    set.glyphs[0].raster.setPixel(0, 0, qRgb(1, 2, 3));
    const Charset loaded = Decode(Encode(set));
    EXPECT_EQ(IndicesOf(loaded, 0), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(loaded.glyphs[0].raster.pixel(2, 0), DisplayColors[0]);
}

TEST(CharCodecTest, SharedAndOutOfOrderRecords) {
    QByteArray bytes = HandMadeHeader(2, 4, 3);
    AppendLittle32(bytes, 4 + 12 + 5); // code 0: the second record
    AppendLittle32(bytes, 4 + 12);     // codes 1 and 2 share the first
    AppendLittle32(bytes, 4 + 12);
    bytes.append(QByteArray::fromHex("0301fe026c"));
    bytes.append(QByteArray::fromHex("01010000c0"));

    Charset loaded = Decode(bytes);
    EXPECT_EQ(IndicesOf(loaded, 0), (std::vector<int>{3}));
    EXPECT_EQ(IndicesOf(loaded, 1), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(IndicesOf(loaded, 2), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(loaded.glyphs[2].xOffset, -2);
    EXPECT_EQ(loaded.glyphs[2].yOffset, 2);
    EXPECT_EQ(loaded.glyphOffsets[0], 21);

    // Saved again, every code gets a record of its own, in code order.
    EncodedBlock block;
    ASSERT_TRUE(EncodeCharset(loaded, DirtyBytes::Off, block).ok());
    EXPECT_EQ(block.glyphOffsets[0], 16);
    EXPECT_EQ(block.glyphOffsets[1], 21);
    EXPECT_EQ(block.glyphOffsets[2], 26);
    EXPECT_EQ(block.bytes.size(), 45 + 5 + 5 + 5);
}

TEST(CharCodecTest, UnreadableGlyphSizesDropOnlyThatGlyph) {
    QByteArray bytes = HandMadeHeader(1, 8, 4);
    const int table = 16;
    AppendLittle32(bytes, 4 + table);      // code 0: width byte 0
    AppendLittle32(bytes, 4 + table + 4);  // code 1: height byte 0x80 (reads as -128)
    AppendLittle32(bytes, 4 + table + 8);  // code 2: width byte 0xFF (reads as -1)
    AppendLittle32(bytes, 4 + table + 12); // code 3: a good 1 x 1 glyph
    bytes.append(QByteArray::fromHex("00010000"
                                     "01800000"
                                     "ff010000"
                                     "01010506"
                                     "80"));

    Charset loaded = Decode(bytes);
    for (int code : {0, 1, 2}) {
        EXPECT_FALSE(loaded.glyphs[code].present()) << "code " << code;
        EXPECT_NE(loaded.glyphOffsets[code], 0) << "the offset read is kept, code " << code;
    }
    ASSERT_TRUE(loaded.glyphs[3].present());
    EXPECT_EQ(IndicesOf(loaded, 3), (std::vector<int>{1}));
    EXPECT_EQ(loaded.glyphs[3].xOffset, 5);

    EncodedBlock block;
    ASSERT_TRUE(EncodeCharset(loaded, DirtyBytes::Off, block).ok());
    EXPECT_EQ(block.glyphOffsets[0], 0);
    EXPECT_EQ(block.glyphOffsets[3], 4 + table);
}

TEST(CharCodecTest, WildOffsetsReadAsNothingThere) {
    // Codes 0 to 4 point before the file, far past it or just past it.
    const std::int64_t outside[] = {-30, -1000, 2147483647, -2147483647 - 1, 5000};
    QByteArray bytes = HandMadeHeader(4, 8, 8);
    for (std::int64_t offset : outside) {
        AppendLittle32(bytes, offset);
    }
    AppendLittle32(bytes, -29);       // code 5: the first byte of the file
    AppendLittle32(bytes, 4 + 4 * 8); // code 6: a record right after the table
    AppendLittle32(bytes, 0);         // code 7: no glyph
    bytes.append(QByteArray::fromHex("02010000ab"));

    Charset loaded = Decode(bytes);
    for (int code = 0; code < 5; ++code) {
        EXPECT_FALSE(loaded.glyphs[code].present()) << "code " << code;
    }
    // Whatever stands where an offset points is read as a record: "CH" makes 67 x 72 pixels,
    // most of them past the end of the file and so index 0.
    ASSERT_TRUE(loaded.glyphs[5].present());
    EXPECT_EQ(loaded.glyphs[5].width(), 'C');
    EXPECT_EQ(loaded.glyphs[5].height(), 'H');
    EXPECT_EQ(IndicesOf(loaded, 5).back(), 0);
    EXPECT_EQ(IndicesOf(loaded, 6), (std::vector<int>{10, 11}));
    EXPECT_FALSE(loaded.glyphs[7].present());
}

TEST(CharCodecTest, ShortFilesKeepTheNewSetBytesForWhatIsMissing) {
    Charset original = NewSet(2);
    original.version = 0x1234;
    original.fontHeight = 9;
    original.numChars = 3;
    original.colorMap[14] = 99;
    SetGlyph(
        original, 1, 8, 2, [](int x, int y) { return (x + 2 * y) % 4; }, 1, -1);
    const QByteArray full = Encode(original);
    ASSERT_EQ(full.size(), 33 + 12 + 4 + 4);

    for (qsizetype length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(::testing::Message() << "cut at " << length);
        Charset loaded;
        const FileResult result = DecodeCharset(QByteArrayView(full).first(length), loaded);
        if (length == 32) {
            // numChars is cut after its low byte: 3 with the new set's high byte 0x01 is 259.
            EXPECT_FALSE(result.ok());
            continue;
        }
        ASSERT_TRUE(result.ok()) << result.reason().toStdString();
        EXPECT_EQ(std::string(loaded.tag.data(), 4), std::string("CHAR"));
        if (length <= 12) {
            EXPECT_EQ(loaded.version, 867);
        } else if (length == 13) {
            EXPECT_EQ(loaded.version, 0x0334)
                << "low byte from the file, high byte from the new set";
        } else {
            EXPECT_EQ(loaded.version, 0x1234);
        }
        EXPECT_EQ(loaded.colorMap[14], length >= 29 ? 99 : 15);
        EXPECT_EQ(loaded.bitsPerPixel, length >= 30 ? 2 : 1);
        EXPECT_EQ(loaded.fontHeight, length >= 31 ? 9 : 10);
        EXPECT_EQ(loaded.numChars, length >= 33 ? 3 : 256);
        const qsizetype recordStart = 33 + 12;
        // Width and height are enough to make a glyph; missing offsets read as 0.
        const bool sizeComplete = length >= recordStart + 2;
        EXPECT_EQ(loaded.glyphs[1].present(), sizeComplete);
        if (length < 33 + 5) {
            EXPECT_EQ(loaded.glyphOffsets[1], 0) << "the low byte of the entry is cut";
        } else {
            EXPECT_EQ(loaded.glyphOffsets[1], 16) << "the entry's missing high bytes are 0";
        }
        if (sizeComplete) {
            // Missing pixel bytes read as index 0.
            std::vector<int> expected = IndicesOf(original, 1);
            const qsizetype pixelBytes = std::max<qsizetype>(0, length - (recordStart + 4));
            for (std::size_t i = static_cast<std::size_t>(pixelBytes) * 4; i < expected.size();
                 ++i) {
                expected[i] = 0;
            }
            EXPECT_EQ(IndicesOf(loaded, 1), expected);
        }
    }
}

TEST(CharCodecTest, RefusedHeadersLeaveTheSetUntouched) {
    struct Case {
        int bits, numChars;
    };
    const Case cases[] = {{1, -1}, {1, 257}, {1, 32767}, {0, 10}, {3, 10}, {8, 10}, {255, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bits << " bits, " << c.numChars << " chars");
        Charset set = test::VariedSet(2, 7);
        const Charset before = set;
        QByteArray bytes = HandMadeHeader(c.bits, 10, c.numChars);
        bytes.append(QByteArray(64, '\x01'));
        const FileResult result = DecodeCharset(bytes, set);
        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.reason().isEmpty());
        ExpectStoredGlyphsEqual(before, set);
        EXPECT_EQ(set.glyphOffsets, before.glyphOffsets);
    }
}

TEST(CharCodecTest, LoadKeepsGeneratorScratchAndFillsFromANewSet) {
    Charset set = NewSet(1);
    set.minInkTop = 4;
    set.glyphs[3].inkBox = InkBox{1, 2, 3, 4, 1};
    SetGlyph(set, 200, 2, 2, [](int, int) { return 1; });
    QByteArray bytes = HandMadeHeader(1, 12, 100);
    bytes.append(QByteArray(400, '\0'));
    ASSERT_TRUE(DecodeCharset(bytes, set).ok());
    EXPECT_EQ(set.minInkTop, 4);
    EXPECT_EQ(set.glyphs[3].inkBox, (InkBox{1, 2, 3, 4, 1}));
    EXPECT_FALSE(set.glyphs[200].present()) << "codes past the file's numChars are cleared";
    EXPECT_EQ(set.numChars, 100);
}

TEST(CharCodecTest, EncodeRefusesGlyphsTheFileCannotHold) {
    struct Case {
        int width, height, xOffset, yOffset;
        const char* mentions;
    };
    const Case cases[] = {
        {128, 4, 0, 0, "128 x 4"},
        {4, 200, 0, 0, "4 x 200"},
        {4, 4, 200, 0, "200"},
        {4, 4, 0, -129, "-129"},
    };
    for (const Case& c : cases) {
        Charset set = NewSet(1);
        SetGlyph(
            set, 66, c.width, c.height, [](int, int) { return 1; }, c.xOffset, c.yOffset);
        EncodedBlock block;
        const FileResult result = EncodeCharset(set, DirtyBytes::Off, block);
        ASSERT_FALSE(result.ok());
        EXPECT_TRUE(result.reason().contains(QStringLiteral("character 66")))
            << result.reason().toStdString();
        EXPECT_TRUE(result.reason().contains(QString::fromLatin1(c.mentions)))
            << result.reason().toStdString();
        EXPECT_TRUE(block.bytes.isEmpty());

        // The same glyph above numChars is never written, so it blocks nothing.
        set.numChars = 66;
        EXPECT_TRUE(EncodeCharset(set, DirtyBytes::Off, block).ok());
    }
    Charset limits = NewSet(1);
    SetGlyph(
        limits, 1, 127, 127, [](int x, int) { return x % 2; }, -128, 127);
    ExpectStoredGlyphsEqual(limits, Decode(Encode(limits)));
}

TEST(CharCodecTest, FailedSavesLeaveTheOldFileWhole) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("font.char"));
    Charset good = test::VariedSet(1, 3);
    ASSERT_TRUE(SaveCharset(good, path, DirtyBytes::Off).ok());
    const QByteArray before = ReadFile(path);

    Charset bad = good;
    SetGlyph(bad, 10, 130, 2, [](int, int) { return 1; });
    bad.glyphOffsets[10] = 4242;
    const Charset untouched = bad;
    const FileResult refused = SaveCharset(bad, path, DirtyBytes::Off);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(bad.glyphOffsets, untouched.glyphOffsets);
    EXPECT_EQ(bad.blockSize, untouched.blockSize);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("font.char")})
        << "nothing is left beside the file";

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("in-the-way.char")));
    const FileResult folderInTheWay =
        SaveCharset(good, folder.filePath(QStringLiteral("in-the-way.char")), DirtyBytes::Off);
    EXPECT_FALSE(folderInTheWay.ok());
    EXPECT_FALSE(folderInTheWay.reason().isEmpty());

    const FileResult noFolder =
        SaveCharset(good, folder.filePath(QStringLiteral("missing/font.char")), DirtyBytes::Off);
    EXPECT_FALSE(noFolder.ok());
    EXPECT_FALSE(noFolder.reason().isEmpty());
}

TEST(CharCodecTest, FailedLoadsLeaveTheSetUntouched) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Charset set = test::VariedSet(4, 9);
    const Charset before = set;

    const FileResult missing = LoadCharset(set, folder.filePath(QStringLiteral("nothing.char")));
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.reason().isEmpty());

    const FileResult directory = LoadCharset(set, folder.path());
    EXPECT_FALSE(directory.ok());

    const QString refusedPath = folder.filePath(QStringLiteral("refused.char"));
    WriteFile(refusedPath, HandMadeHeader(3, 10, 1));
    EXPECT_FALSE(LoadCharset(set, refusedPath).ok());

    ExpectStoredGlyphsEqual(before, set);
}

} // namespace
} // namespace fontlathe
