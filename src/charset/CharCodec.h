#pragma once

#include "Charset.h"
#include "Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>

namespace fontlathe {

// The largest valid block is about 2 MB; anything far beyond that is no font file, and reading
// it whole would only exhaust memory.
inline constexpr qint64 MaxFontFileSize = qint64(64) * 1024 * 1024;

// Whether Save adds one byte 0x00 after every glyph whose pixels fill whole bytes, which gives
// the same file sizes as the game maker's own files.
enum class DirtyBytes { Off, On };

// Where the parts of a CHAR block stand: the sizes its header gives and the offset table, as a
// block was read or written. No part of the set: the document keeps its file's, and the codec
// computes a block's own when it writes one.
struct BlockLayout {
    std::uint32_t blockSize = 0;
    std::uint32_t dataSize = 0;
    std::array<std::int32_t, GlyphSlotCount> glyphOffsets{};

    bool operator==(const BlockLayout&) const = default;
};

// The bytes of a CHAR block as SaveCharset writes them, with the layout they hold.
struct EncodedBlock {
    QByteArray bytes;
    BlockLayout layout;
};

// Reads a CHAR block into the set, and its layout into layout when given. The read is lenient:
// a block that ends early keeps the bytes of a new set for whatever is missing, and pixel bytes
// past the end read as 0. A header whose numChars lies outside 0..256 or whose bitsPerPixel is not
// 1, 2 or 4 is refused, and then the set and the layout stay exactly as they were.
Result DecodeCharset(QByteArrayView bytes, Charset& set, BlockLayout* layout = nullptr);

// Why a font file can't hold the set's header: its bits per pixel are not 1, 2 or 4, or
// numChars lies outside 0..256. Empty when it can.
QString UnwritableHeaderReason(const Charset& set);

// Packs the stored, present glyphs. Refuses (and produces nothing) when a glyph could not be
// read back: wider or higher than 127 pixels, or an offset outside -128..127.
Result EncodeCharset(const Charset& set, DirtyBytes dirtyBytes, EncodedBlock& out);

// Reads the file at path into the set, and its layout into layout when given; on failure both
// are untouched.
Result LoadCharset(Charset& set, const QString& path, BlockLayout* layout = nullptr);

// Writes the set to path, replacing the file atomically: on failure the file that was there
// stays whole. written, when given, receives the layout written on success and stays as it was
// on failure.
Result SaveCharset(const Charset& set, const QString& path, DirtyBytes dirtyBytes,
                   BlockLayout* written = nullptr);

} // namespace fontlathe
