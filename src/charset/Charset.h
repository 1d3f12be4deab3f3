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

// A character set: the header of a CHAR block and a glyph slot for every code 0 to 255. A set is a
// value: code that builds a new one (the codec, the generator, the importers, the sheet reader,
// Add Letters) writes it through the setters below. The document's set is read-only outside the
// document, and the document changes it only through an edit of edit/, which records the step.
// Where the glyphs stood in the file it came from is no part of the set (see BlockLayout).
class Charset {
public:
    const std::array<char, 4>& tag() const { return tag_; }
    std::int16_t version() const { return version_; }
    const std::array<std::uint8_t, ColorMapSize>& colorMap() const { return colorMap_; }
    std::uint8_t bitsPerPixel() const { return bitsPerPixel_; }
    std::uint8_t fontHeight() const { return fontHeight_; }
    // The codes below it are the ones a file stores.
    std::int16_t numChars() const { return numChars_; }
    const std::array<Glyph, GlyphSlotCount>& glyphs() const { return glyphs_; }

    void SetTag(const std::array<char, 4>& tag) { tag_ = tag; }
    void SetVersion(std::int16_t version) { version_ = version; }
    void SetColorMap(const std::array<std::uint8_t, ColorMapSize>& colorMap) {
        colorMap_ = colorMap;
    }
    // Entry index of the colour map; nothing outside 0..14.
    void SetColorMapEntry(int index, std::uint8_t value);
    void SetBitsPerPixel(std::uint8_t bitsPerPixel) { bitsPerPixel_ = bitsPerPixel; }
    void SetFontHeight(std::uint8_t fontHeight) { fontHeight_ = fontHeight; }
    void SetNumChars(std::int16_t numChars) { numChars_ = numChars; }

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
    const Glyph* SlotAt(int code) const;
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

    std::array<char, 4> tag_{};
    std::int16_t version_ = 0;
    std::array<std::uint8_t, ColorMapSize> colorMap_{};
    std::uint8_t bitsPerPixel_ = 0;
    std::uint8_t fontHeight_ = 0;
    std::int16_t numChars_ = 0;
    std::array<Glyph, GlyphSlotCount> glyphs_{};
};

// A blank raster of display colour 0 in the format every glyph uses.
QImage MakeBlankRaster(int width, int height);

} // namespace fontlathe
