#pragma once

#include "Glyph.h"

#include <QRgb>
#include <QString>

#include <array>
#include <cstdint>

namespace fontlathe {

inline constexpr int GlyphSlotCount = 256;
inline constexpr int ColorMapSize = 15;
// The file holds a glyph's width and height in one byte that is read back signed, and its
// offsets in one signed byte: these are the limits of what survives a save.
inline constexpr int MaxGlyphSide = 127;
inline constexpr int MinGlyphOffset = -128;
inline constexpr int MaxGlyphOffset = 127;

constexpr bool IsValidGlyphOffset(int offset) {
    return offset >= MinGlyphOffset && offset <= MaxGlyphOffset;
}

// The one character set being edited: the header of a CHAR block, the offset table as last
// read or written, and a glyph slot for every code 0 to 255. Other parts of the program read
// and change the fields directly; an edit takes effect at once.
class Charset {
public:
    std::array<char, 4> tag{};
    std::uint32_t blockSize = 0;
    std::uint32_t dataSize = 0;
    std::int16_t version = 0;
    std::array<std::uint8_t, ColorMapSize> colorMap{};
    std::uint8_t bitsPerPixel = 0;
    std::uint8_t fontHeight = 0;
    std::int16_t numChars = 0;
    std::array<std::int32_t, GlyphSlotCount> glyphOffsets{};
    std::array<Glyph, GlyphSlotCount> glyphs{};
    // Generator scratch: the smallest inkBox.top of the last generation.
    std::int32_t minInkTop = 0;

    // 2, 4 or 16 for 1, 2 or 4 bits per pixel; 0 while the set holds no bit depth.
    int ColorCount() const;
    // The first index below ColorCount() whose display colour equals the colour; 0 when none.
    int PaletteIndexOf(QRgb color) const;

    void ClearGlyph(int code);
    // A fontHeight x fontHeight raster of background colour, at most 127 a side; with
    // fontHeight 0 the glyph keeps the raster it had.
    void CreateBlankGlyph(int code);
    void NewCharset(int newBitsPerPixel);

    // The present glyph at code, or nullptr for an absent glyph or a code outside 0..255.
    const Glyph* GlyphAt(int code) const;
    Glyph* GlyphAt(int code);
    // The slot of code whether or not its glyph is present; nullptr outside 0..255.
    Glyph* SlotAt(int code);

    // Present glyphs at any code, stored or not.
    int PresentGlyphCount() const;
    // Present glyphs at the codes below numChars: those the file holds.
    int StoredGlyphCount() const;
    static bool IsValidBitsPerPixel(int bits) { return bits == 1 || bits == 2 || bits == 4; }
    static bool IsValidCode(int code) { return code >= 0 && code < GlyphSlotCount; }

private:
    // Sets the offsets of code's glyph to 0 and gives its slot; nullptr outside 0..255.
    Glyph* ResetOffsets(int code);
};

// A blank raster of display colour 0 in the format every glyph uses.
QImage MakeBlankRaster(int width, int height);

} // namespace fontlathe
