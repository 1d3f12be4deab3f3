#pragma once

#include <cstdint>

// The byte orders of the games' files: the fields of a CHAR block and of a bundle's directories
// are little-endian, block sizes and tags big-endian. Callers check the bounds first; these only
// put the bytes together.
namespace fontlathe::byteorder {

inline std::uint16_t GetLittle16(const std::uint8_t* in) {
    return static_cast<std::uint16_t>(in[0] | in[1] << 8);
}

inline std::uint32_t GetLittle32(const std::uint8_t* in) {
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
           std::uint32_t(in[3]) << 24;
}

inline std::uint32_t GetBig32(const std::uint8_t* in) {
    return std::uint32_t(in[0]) << 24 | std::uint32_t(in[1]) << 16 | std::uint32_t(in[2]) << 8 |
           std::uint32_t(in[3]);
}

inline void PutLittle16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutLittle32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

inline void PutBig32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
    }
}

} // namespace fontlathe::byteorder
