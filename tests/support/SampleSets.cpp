#include "SampleSets.h"

#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"

#include <random>

namespace fontlathe::test {

void SetGlyph(Charset& set, int code, int width, int height,
              const std::function<int(int x, int y)>& indexAt, int xOffset, int yOffset) {
    QImage raster = MakeBlankRaster(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            raster.setPixel(x, y, DisplayColorOf(indexAt(x, y)));
        }
    }
    Glyph& glyph = set.glyphs[static_cast<std::size_t>(code)];
    glyph.raster = raster;
    glyph.xOffset = static_cast<std::int16_t>(xOffset);
    glyph.yOffset = static_cast<std::int16_t>(yOffset);
}

std::vector<int> IndicesOf(const Charset& set, int code) {
    const QImage& raster = set.glyphs[static_cast<std::size_t>(code)].raster;
    std::vector<int> indices;
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            indices.push_back(set.PaletteIndexOf(raster.pixel(x, y)));
        }
    }
    return indices;
}

Charset VariedSet(int bitsPerPixel, std::uint32_t seed, int glyphCount) {
    std::mt19937 random(seed);
    Charset set;
    set.NewCharset(bitsPerPixel);
    set.fontHeight = 13;
    set.version = -2;
    set.colorMap[4] = 200;
    const int colors = set.ColorCount();
    std::uniform_int_distribution<int> code(0, 255);
    std::uniform_int_distribution<int> side(1, 127);
    std::uniform_int_distribution<int> smallSide(1, 9);
    std::uniform_int_distribution<int> offset(-128, 127);
    std::uniform_int_distribution<int> index(0, colors - 1);
    for (int i = 0; i < glyphCount; ++i) {
        const bool small = i % 4 != 0;
        const int width = small ? smallSide(random) : side(random);
        const int height = small ? smallSide(random) : side(random);
        const std::uint32_t pixelSeed = random();
        SetGlyph(
            set, code(random), width, height,
            [&](int x, int y) {
                return static_cast<int>(
                    (pixelSeed ^ static_cast<std::uint32_t>(x * 7919 + y * 104729)) %
                    static_cast<std::uint32_t>(colors));
            },
            offset(random), offset(random));
    }
    // The extreme codes always take part.
    SetGlyph(
        set, 0, 1, 1, [](int, int) { return 1; }, -128, 127);
    SetGlyph(
        set, 255, 3, 5, [&](int x, int y) { return (x + y) % colors; }, 127, -128);
    return set;
}

Charset LargestSet() {
    Charset set;
    set.NewCharset(4);
    set.fontHeight = 127;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        SetGlyph(set, code, MaxGlyphSide, MaxGlyphSide,
                 [code](int x, int y) { return (x * 3 + y * 5 + code) % 16; });
    }
    return set;
}

QByteArray Encoded(const Charset& set) {
    EncodedBlock block;
    return EncodeCharset(set, DirtyBytes::Off, block) ? block.bytes : QByteArray();
}

void AppendLittle16(QByteArray& bytes, int value) {
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>((value >> 8) & 0xFF));
}

void AppendLittle32(QByteArray& bytes, std::int64_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

QByteArray HandMadeHeader(int bitsPerPixel, int fontHeight, int numChars) {
    QByteArray bytes("CHAR");
    AppendLittle32(bytes, 0);
    AppendLittle32(bytes, 0);
    AppendLittle16(bytes, 867);
    for (int entry : {15, 0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        bytes.append(static_cast<char>(entry));
    }
    bytes.append(static_cast<char>(bitsPerPixel));
    bytes.append(static_cast<char>(fontHeight));
    AppendLittle16(bytes, numChars);
    return bytes;
}

} // namespace fontlathe::test
