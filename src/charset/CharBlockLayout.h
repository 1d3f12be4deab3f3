#pragma once

#include <cstdint>

namespace fontlathe::layout {

// Where the fields of a CHAR block stand, counted from its first byte (the first byte of the
// file). Numbers are little-endian except blockSize, which is big-endian.
inline constexpr int TagOffset = 0;           // 4 bytes, taken as they are
inline constexpr int BlockSizeOffset = 4;     // uint32, big-endian: length of the file
inline constexpr int DataSizeOffset = 8;      // uint32: length of the file minus 23
inline constexpr int VersionOffset = 12;      // int16
inline constexpr int ColorMapOffset = 14;     // 15 bytes
inline constexpr int BitsPerPixelOffset = 29; // uint8: 1, 2 or 4
inline constexpr int FontHeightOffset = 30;   // uint8
inline constexpr int NumCharsOffset = 31;     // int16: 0 to 256
inline constexpr int HeaderSize = 33;
inline constexpr int OffsetTableOffset = 33; // int32 per stored code

// Glyph offsets count from the bitsPerPixel byte; 0 means "no glyph".
inline constexpr int RecordBase = BitsPerPixelOffset;
inline constexpr int DataSizeBias = 23;

// A glyph record: width, height (read back as signed bytes), x and y offset (signed bytes),
// then the packed pixels, MSB first, rows not padded.
inline constexpr int RecordHeaderSize = 4;

constexpr std::int64_t PixelDataBytes(std::int64_t width, std::int64_t height, int bitsPerPixel) {
    return (width * height * bitsPerPixel + 7) / 8;
}

} // namespace fontlathe::layout
