#pragma once

#include "charset/ByteOrder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

// Field access for the blocks of a game's resource bundle. Callers check the bounds first; these
// only put the bytes together in the order the format uses.
namespace fontlathe::bundle {

inline constexpr std::int64_t BlockHeaderSize = 8;

inline std::uint8_t Byte(QByteArrayView bytes, std::int64_t at) {
    return static_cast<std::uint8_t>(bytes[static_cast<qsizetype>(at)]);
}

inline const std::uint8_t* At(QByteArrayView bytes, std::int64_t at) {
    return reinterpret_cast<const std::uint8_t*>(bytes.data()) + at;
}

inline std::uint8_t* At(QByteArray& bytes, std::int64_t at) {
    return reinterpret_cast<std::uint8_t*>(bytes.data()) + at;
}

inline std::uint32_t Big32(QByteArrayView bytes, std::int64_t at) {
    return byteorder::GetBig32(At(bytes, at));
}

inline std::uint32_t Little32(QByteArrayView bytes, std::int64_t at) {
    return byteorder::GetLittle32(At(bytes, at));
}

inline std::uint16_t Little16(QByteArrayView bytes, std::int64_t at) {
    return byteorder::GetLittle16(At(bytes, at));
}

inline void PutBig32(QByteArray& bytes, std::int64_t at, std::uint32_t value) {
    byteorder::PutBig32(At(bytes, at), value);
}

inline void PutLittle32(QByteArray& bytes, std::int64_t at, std::uint32_t value) {
    byteorder::PutLittle32(At(bytes, at), value);
}

// A tag as the number its four bytes make, read big-endian: Tag("CHAR").
constexpr std::uint32_t Tag(const char (&text)[5]) {
    return std::uint32_t(std::uint8_t(text[0])) << 24 | std::uint32_t(std::uint8_t(text[1])) << 16 |
           std::uint32_t(std::uint8_t(text[2])) << 8 | std::uint32_t(std::uint8_t(text[3]));
}

// The tag as text for messages; bytes that are no printable ASCII show as '?'.
inline QString TagText(std::uint32_t tag) {
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>(tag >> shift);
        text += c >= 0x20 && c < 0x7f ? QChar::fromLatin1(c) : QChar(u'?');
    }
    return text;
}

// "offset 1234 (0x4d2)", as every message names a place in a file.
inline QString OffsetText(std::int64_t offset) {
    return QStringLiteral("offset %1 (0x%2)").arg(offset).arg(offset, 0, 16);
}

} // namespace fontlathe::bundle
