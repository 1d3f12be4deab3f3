#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace fontlathe {

// One glyph of a bitmap face: how far it moves the pen, and its bitmap placed against the origin
// (the pen position on the baseline), x to the right and y downwards, so that box.top() is
// negative for ink above the baseline.
struct FaceGlyph {
    int advance = 0;
    QRect box;
    // box.width() x box.height() bits, each row starting on a byte, the leftmost pixel in the
    // highest bit.
    std::vector<std::uint8_t> bits;

    int Stride() const { return (box.width() + 7) / 8; }
    bool Ink(int column, int row) const {
        return (bits[static_cast<std::size_t>(row * Stride() + column / 8)] &
                (0x80 >> (column % 8))) != 0;
    }
    // The rectangle of the pixels that are set, against the origin; null for a blank glyph.
    QRect InkRect() const;
};

// A bitmap font as BDF, PCF and PSF files hold it: glyphs keyed by the character they show, and
// the line they stand on. Glyphs a file gives no character (BDF's "ENCODING -1 CODE") are kept
// by that code.
struct BitmapFace {
    QString name;
    int pixelSize = 0;
    int ascent = 0;
    int descent = 0;
    std::unordered_map<char32_t, FaceGlyph> glyphs;
    std::map<int, FaceGlyph> byCode;
    // Whether each glyph's box is a font file's raster as it stands (a file this program wrote),
    // to be imported as it is rather than spread over the line.
    bool exactBoxes = false;
    // What the reader had to assume ("charset FOO-1 is not known: ...").
    QStringList notes;

    int LineHeight() const { return ascent + descent; }
    const FaceGlyph* GlyphOf(char32_t character) const {
        const auto found = glyphs.find(character);
        return found == glyphs.end() ? nullptr : &found->second;
    }
};

} // namespace fontlathe
