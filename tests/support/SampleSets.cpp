#include "SampleSets.h"

#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace fontlathe::test {

void SetGlyph(Charset& set, int code, int width, int height,
              const std::function<int(int x, int y)>& indexAt, int xOffset, int yOffset) {
    Glyph& glyph = *set.SlotAt(code);
    glyph.raster = MakeBlankRaster(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            glyph.raster.setPixel(x, y, DisplayColorOf(indexAt(x, y)));
        }
    }
    glyph.xOffset = static_cast<std::int16_t>(xOffset);
    glyph.yOffset = static_cast<std::int16_t>(yOffset);
}

QString Describe(const Charset& set, int code) {
    const Glyph& glyph = set.glyphs()[static_cast<std::size_t>(code)];
    if (!glyph.present()) {
        return QStringLiteral("absent");
    }
    QString text = QStringLiteral("%1x%2 %3,%4 ").arg(glyph.width()).arg(glyph.height());
    text = text.arg(glyph.xOffset).arg(glyph.yOffset);
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            text += QString::number(set.PaletteIndexOf(glyph.raster.pixel(x, y)), 16);
        }
    }
    return text;
}

Charset VariedSet(int bitsPerPixel, std::uint32_t seed, int glyphCount) {
    std::mt19937 random(seed);
    const auto draw = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    Charset set;
    set.NewCharset(bitsPerPixel);
    set.SetFontHeight(13);
    set.SetVersion(-2);
    set.SetColorMapEntry(4, 200);
    const int colors = set.ColorCount();
    for (int i = 0; i < glyphCount; ++i) {
        // One glyph in four may be as large as a file holds.
        const int largest = i % 4 == 0 ? MaxGlyphSide : 9;
        const int code = draw(0, 255), width = draw(1, largest), height = draw(1, largest);
        const int x = draw(-128, 127), y = draw(-128, 127), pixels = draw(0, 1 << 20);
        SetGlyph(
            set, code, width, height,
            [&](int px, int py) { return (pixels ^ (px * 7919 + py * 104729)) % colors; }, x, y);
    }
    // The extreme codes and offsets always take part.
    SetGlyph(
        set, 0, 1, 1, [](int, int) { return 1; }, -128, 127);
    SetGlyph(
        set, 255, 3, 5, [&](int x, int y) { return (x + y) % colors; }, 127, -128);
    return set;
}

Charset LargestSet() {
    Charset set;
    set.NewCharset(4);
    set.SetFontHeight(127);
    for (int code = 0; code < GlyphSlotCount; ++code) {
        SetGlyph(set, code, MaxGlyphSide, MaxGlyphSide,
                 [code](int x, int y) { return (x * 3 + y * 5 + code) % 16; });
    }
    return set;
}

void ExpectSameSet(const Charset& actual, const Charset& expected, const std::string& what) {
    EXPECT_EQ(actual.tag(), expected.tag()) << what;
    EXPECT_EQ(actual.version(), expected.version()) << what;
    EXPECT_EQ(actual.colorMap(), expected.colorMap()) << what;
    EXPECT_EQ(actual.bitsPerPixel(), expected.bitsPerPixel()) << what;
    EXPECT_EQ(actual.fontHeight(), expected.fontHeight()) << what;
    EXPECT_EQ(actual.numChars(), expected.numChars()) << what;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph& got = actual.glyphs()[code];
        const Glyph& want = expected.glyphs()[code];
        ASSERT_EQ(got.present(), want.present()) << what << ", code " << code;
        EXPECT_TRUE(got.raster == want.raster) << what << ", code " << code;
        EXPECT_EQ(got.xOffset, want.xOffset) << what << ", code " << code;
        EXPECT_EQ(got.yOffset, want.yOffset) << what << ", code " << code;
    }
}

QByteArray Encoded(const Charset& set) {
    EncodedBlock block;
    return EncodeCharset(set, DirtyBytes::Off, block) ? block.bytes : QByteArray();
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static void AppendLittle16(QByteArray& bytes, int value) {
    bytes.append(static_cast<char>(value & 0xFF)).append(static_cast<char>((value >> 8) & 0xFF));
}

void AppendLittle32(QByteArray& bytes, std::int64_t value) {
    AppendLittle16(bytes, static_cast<int>(value & 0xFFFF));
    AppendLittle16(bytes, static_cast<int>((value >> 16) & 0xFFFF));
}

QByteArray HandMadeHeader(int bitsPerPixel, int fontHeight, int numChars) {
    QByteArray bytes("CHAR\0\0\0\0\0\0\0\0", 12);
    AppendLittle16(bytes, 867);
    bytes.append(QByteArray::fromHex("0f00030405060708090a0b0c0d0e0f"));
    bytes.append(static_cast<char>(bitsPerPixel)).append(static_cast<char>(fontHeight));
    AppendLittle16(bytes, numChars);
    return bytes;
}

} // namespace fontlathe::test
