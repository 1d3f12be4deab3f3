#include "CharCodec.h"

#include "ByteOrder.h"
#include "CharBlockLayout.h"
#include "DisplayColors.h"
#include "PaletteLookup.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace fontlathe {

namespace {

using namespace layout;
using namespace byteorder;

void WriteHeaderFields(const Charset& set, const BlockLayout& layout, std::uint8_t* out) {
    std::memcpy(out + TagOffset, set.tag().data(), set.tag().size());
    PutBig32(out + BlockSizeOffset, layout.blockSize);
    PutLittle32(out + DataSizeOffset, layout.dataSize);
    PutLittle16(out + VersionOffset, static_cast<std::uint16_t>(set.version()));
    std::copy(set.colorMap().begin(), set.colorMap().end(), out + ColorMapOffset);
    out[BitsPerPixelOffset] = set.bitsPerPixel();
    out[FontHeightOffset] = set.fontHeight();
    PutLittle16(out + NumCharsOffset, static_cast<std::uint16_t>(set.numChars()));
}

void ReadHeaderFields(const std::uint8_t* in, Charset& set, BlockLayout& layout) {
    std::array<char, 4> tag{};
    std::memcpy(tag.data(), in + TagOffset, tag.size());
    set.SetTag(tag);
    layout.blockSize = GetBig32(in + BlockSizeOffset);
    layout.dataSize = GetLittle32(in + DataSizeOffset);
    set.SetVersion(static_cast<std::int16_t>(GetLittle16(in + VersionOffset)));
    std::array<std::uint8_t, ColorMapSize> colorMap{};
    std::copy_n(in + ColorMapOffset, ColorMapSize, colorMap.begin());
    set.SetColorMap(colorMap);
    set.SetBitsPerPixel(in[BitsPerPixelOffset]);
    set.SetFontHeight(in[FontHeightOffset]);
    set.SetNumChars(static_cast<std::int16_t>(GetLittle16(in + NumCharsOffset)));
}

// Bounds-checked access to the bytes of a file: whatever lies outside them reads as 0, as a
// read past the end of a file delivers nothing.
class ByteSource {
public:
    explicit ByteSource(QByteArrayView bytes)
        : data_(reinterpret_cast<const std::uint8_t*>(bytes.data())), size_(bytes.size()) {}

    std::uint8_t At(std::int64_t position) const {
        return position >= 0 && position < size_ ? data_[position] : 0;
    }

    // Copies count bytes from position over out, leaving out as it was where the file has
    // no bytes.
    void CopyOver(std::int64_t position, std::int64_t count, std::uint8_t* out) const {
        const std::int64_t first = std::max<std::int64_t>(position, 0);
        const std::int64_t last = std::min<std::int64_t>(position + count, size_);
        if (first < last) {
            std::memcpy(out + (first - position), data_ + first, static_cast<size_t>(last - first));
        }
    }

    // The bytes from position on, or nullptr when the file does not hold all count of them.
    const std::uint8_t* Span(std::int64_t position, std::int64_t count) const {
        if (position < 0 || count < 0 || position > size_ || count > size_ - position) {
            return nullptr;
        }
        return data_ + position;
    }

private:
    const std::uint8_t* data_;
    std::int64_t size_;
};

QImage UnpackRaster(const std::uint8_t* data, int width, int height, int bitsPerPixel) {
    QImage raster(width, height, QImage::Format_RGB32);
    const unsigned mask = (1u << bitsPerPixel) - 1;
    std::size_t bit = 0;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(raster.scanLine(y));
        for (int x = 0; x < width; ++x, bit += static_cast<std::size_t>(bitsPerPixel)) {
            const unsigned shift = 8 - static_cast<unsigned>(bitsPerPixel) - (bit & 7);
            const unsigned index = (data[bit >> 3] >> shift) & mask;
            line[x] = DisplayColors[index];
        }
    }
    return raster;
}

void DecodeGlyph(const ByteSource& source, std::int64_t recordStart, int bitsPerPixel, Glyph& glyph,
                 std::vector<std::uint8_t>& scratch) {
    const int width = static_cast<std::int8_t>(source.At(recordStart));
    const int height = static_cast<std::int8_t>(source.At(recordStart + 1));
    glyph.xOffset = static_cast<std::int8_t>(source.At(recordStart + 2));
    glyph.yOffset = static_cast<std::int8_t>(source.At(recordStart + 3));
    if (width <= 0 || height <= 0) {
        return;
    }
    const std::int64_t pixelStart = recordStart + RecordHeaderSize;
    const std::int64_t byteCount = PixelDataBytes(width, height, bitsPerPixel);
    const std::uint8_t* pixels = source.Span(pixelStart, byteCount);
    if (pixels == nullptr) {
        // A record cut short by the end of the file: the missing bytes read as index 0.
        scratch.assign(static_cast<std::size_t>(byteCount), 0);
        source.CopyOver(pixelStart, byteCount, scratch.data());
        pixels = scratch.data();
    }
    glyph.raster = UnpackRaster(pixels, width, height, bitsPerPixel);
}

QString DescribeUnwritable(int code, const Glyph& glyph) {
    if (glyph.width() > MaxGlyphSide || glyph.height() > MaxGlyphSide) {
        return QStringLiteral("character %1 is %2 x %3 pixels; a font file holds at most %4 x %4")
            .arg(code)
            .arg(glyph.width())
            .arg(glyph.height())
            .arg(MaxGlyphSide);
    }
    return QStringLiteral("character %1 has the offsets (%2, %3); a font file holds %4 to %5")
        .arg(code)
        .arg(glyph.xOffset)
        .arg(glyph.yOffset)
        .arg(MinGlyphOffset)
        .arg(MaxGlyphOffset);
}

bool IsWritable(const Glyph& glyph) {
    return glyph.width() <= MaxGlyphSide && glyph.height() <= MaxGlyphSide &&
           IsValidGlyphOffset(glyph.xOffset) && IsValidGlyphOffset(glyph.yOffset);
}

// "the set has 3 bits per pixel; ...", "the header says 3 bits per pixel; ..."
QString BitsPerPixelRefusal(const char* whose, int bits) {
    return QStringLiteral("%1 %2 bits per pixel; a font has 1, 2 or 4")
        .arg(QLatin1String(whose))
        .arg(bits);
}

// Packs one raster at out; returns the number of bytes written.
std::int64_t PackRaster(const QImage& raster, int bitsPerPixel, const PaletteLookup& palette,
                        DirtyBytes dirtyBytes, std::uint8_t* out) {
    const QImage rgb = raster.format() == QImage::Format_RGB32
                           ? raster
                           : raster.convertToFormat(QImage::Format_RGB32);
    const unsigned mask = (1u << bitsPerPixel) - 1;
    std::uint8_t* const start = out;
    unsigned accumulator = 0;
    int freeBits = 8;
    const int width = rgb.width();
    const int height = rgb.height();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            freeBits -= bitsPerPixel;
            accumulator |= (static_cast<unsigned>(palette.IndexOf(line[x])) & mask) << freeBits;
            if (freeBits == 0) {
                *out++ = static_cast<std::uint8_t>(accumulator);
                accumulator = 0;
                freeBits = 8;
            }
        }
    }
    if (freeBits < 8) {
        *out++ = static_cast<std::uint8_t>(accumulator);
    } else if (dirtyBytes == DirtyBytes::On) {
        *out++ = 0;
    }
    return out - start;
}

std::int64_t RecordSize(const Glyph& glyph, int bitsPerPixel, DirtyBytes dirtyBytes) {
    const std::int64_t bits = std::int64_t(glyph.width()) * glyph.height() * bitsPerPixel;
    const bool fillsWholeBytes = bits % 8 == 0;
    return RecordHeaderSize + PixelDataBytes(glyph.width(), glyph.height(), bitsPerPixel) +
           (fillsWholeBytes && dirtyBytes == DirtyBytes::On ? 1 : 0);
}

} // namespace

Result DecodeCharset(QByteArrayView bytes, Charset& set, BlockLayout* layout) {
    const ByteSource source(bytes);

    Charset loaded;
    loaded.NewCharset(1);
    BlockLayout read;

    // The header is read over the bytes of the new set, so a file cut inside a field keeps
    // the new set's bytes for whatever is missing.
    std::uint8_t header[HeaderSize];
    WriteHeaderFields(loaded, read, header);
    source.CopyOver(0, HeaderSize, header);
    ReadHeaderFields(header, loaded, read);

    const int numChars = loaded.numChars();
    if (numChars < 0 || numChars > GlyphSlotCount) {
        return Result::Failure(
            QStringLiteral("the header says it stores %1 characters; a font holds 0 to %2")
                .arg(numChars)
                .arg(GlyphSlotCount));
    }
    if (!Charset::IsValidBitsPerPixel(loaded.bitsPerPixel())) {
        return Result::Failure(BitsPerPixelRefusal("the header says", loaded.bitsPerPixel()));
    }

    // A cut entry keeps zero bytes where it is cut.
    for (int code = 0; code < numChars; ++code) {
        std::uint8_t entry[4] = {0, 0, 0, 0};
        source.CopyOver(OffsetTableOffset + 4 * std::int64_t(code), 4, entry);
        read.glyphOffsets[static_cast<std::size_t>(code)] =
            static_cast<std::int32_t>(GetLittle32(entry));
    }

    std::vector<std::uint8_t> scratch;
    for (int code = 0; code < numChars; ++code) {
        const std::int32_t offset = read.glyphOffsets[static_cast<std::size_t>(code)];
        if (offset != 0) {
            DecodeGlyph(source, RecordBase + std::int64_t(offset), loaded.bitsPerPixel(),
                        *loaded.SlotAt(code), scratch);
        }
    }

    set = std::move(loaded);
    if (layout != nullptr) {
        *layout = read;
    }
    return Result::Success();
}

QString UnwritableHeaderReason(const Charset& set) {
    if (!Charset::IsValidBitsPerPixel(set.bitsPerPixel())) {
        return BitsPerPixelRefusal("the set has", set.bitsPerPixel());
    }
    if (set.numChars() < 0 || set.numChars() > GlyphSlotCount) {
        return QStringLiteral("the set stores %1 characters; a font holds 0 to %2")
            .arg(set.numChars())
            .arg(GlyphSlotCount);
    }
    return QString();
}

Result EncodeCharset(const Charset& set, DirtyBytes dirtyBytes, EncodedBlock& out) {
    if (const QString refusal = UnwritableHeaderReason(set); !refusal.isEmpty()) {
        return Result::Failure(refusal);
    }

    const int bitsPerPixel = set.bitsPerPixel();
    const int numChars = set.numChars();
    const std::int64_t tableEnd = OffsetTableOffset + 4 * std::int64_t(numChars);
    std::int64_t length = tableEnd;
    for (int code = 0; code < numChars; ++code) {
        const Glyph& glyph = set.glyphs()[static_cast<std::size_t>(code)];
        if (!glyph.present()) {
            continue;
        }
        if (!IsWritable(glyph)) {
            return Result::Failure(DescribeUnwritable(code, glyph));
        }
        length += RecordSize(glyph, bitsPerPixel, dirtyBytes);
    }

    EncodedBlock block;
    block.bytes = QByteArray(static_cast<qsizetype>(length), '\0');
    auto* const data = reinterpret_cast<std::uint8_t*>(block.bytes.data());
    const PaletteLookup palette(set.ColorCount());
    std::int64_t position = tableEnd;
    for (int code = 0; code < numChars; ++code) {
        const Glyph& glyph = set.glyphs()[static_cast<std::size_t>(code)];
        if (!glyph.present()) {
            continue;
        }
        block.layout.glyphOffsets[static_cast<std::size_t>(code)] =
            static_cast<std::int32_t>(position - RecordBase);
        std::uint8_t* record = data + position;
        record[0] = static_cast<std::uint8_t>(glyph.width());
        record[1] = static_cast<std::uint8_t>(glyph.height());
        record[2] = static_cast<std::uint8_t>(glyph.xOffset);
        record[3] = static_cast<std::uint8_t>(glyph.yOffset);
        position += RecordHeaderSize;
        position += PackRaster(glyph.raster, bitsPerPixel, palette, dirtyBytes, data + position);
    }

    block.layout.blockSize = static_cast<std::uint32_t>(length);
    block.layout.dataSize = static_cast<std::uint32_t>(length - DataSizeBias);
    WriteHeaderFields(set, block.layout, data);
    for (int code = 0; code < numChars; ++code) {
        PutLittle32(
            data + OffsetTableOffset + 4 * code,
            static_cast<std::uint32_t>(block.layout.glyphOffsets[static_cast<std::size_t>(code)]));
    }
    out = std::move(block);
    return Result::Success();
}

} // namespace fontlathe
