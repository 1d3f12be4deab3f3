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

// The bytes of a CHAR block as SaveCharset writes them, with the offset table they hold.
struct EncodedBlock {
    QByteArray bytes;
    std::array<std::int32_t, GlyphSlotCount> glyphOffsets{};
};

// Reads a CHAR block into the set. The read is lenient: a block that ends early keeps the
// bytes of a new set for whatever is missing, and pixel bytes past the end read as 0. A header
// whose numChars lies outside 0..256 or whose bitsPerPixel is not 1, 2 or 4 is refused, and
// then the set stays exactly as it was. The generator scratch survives a load.
Result DecodeCharset(QByteArrayView bytes, Charset& set);

// Why a font file can't hold the set's header: its bits per pixel are not 1, 2 or 4, or
// numChars lies outside 0..256. Empty when it can.
QString UnwritableHeaderReason(const Charset& set);

// Packs the stored, present glyphs. Refuses (and produces nothing) when a glyph could not be
// read back: wider or higher than 127 pixels, or an offset outside -128..127.
Result EncodeCharset(const Charset& set, DirtyBytes dirtyBytes, EncodedBlock& out);

// Takes the sizes and offsets of a block just written into the set, as Save does.
void AdoptWrittenLayout(Charset& set, const EncodedBlock& written);

// Reads the file at path into the set; on failure the set is untouched.
Result LoadCharset(Charset& set, const QString& path);

// Writes the set to path, replacing the file atomically: on failure the file that was there
// stays whole and the set is untouched. On success blockSize, dataSize and glyphOffsets take
// the values written.
Result SaveCharset(Charset& set, const QString& path, DirtyBytes dirtyBytes);

} // namespace fontlathe
