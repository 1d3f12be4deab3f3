#pragma once

#include "charset/Charset.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

// Lets test failures show Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace fontlathe::test {

// Gives code a width x height raster whose pixel (x, y) has the palette index indexAt(x, y).
void SetGlyph(Charset& set, int code, int width, int height,
              const std::function<int(int x, int y)>& indexAt, int xOffset = 0, int yOffset = 0);

// A glyph in a few words: "absent", or its size, offsets and palette indices in hex, as
// "3x2 1,-1 012345".
QString Describe(const Charset& set, int code);

// A set with glyphs of many odd sizes, every colour of its depth and offsets of both signs,
// made the same way for the same seed.
Charset VariedSet(int bitsPerPixel, std::uint32_t seed, int glyphCount = 40);

// The largest set the file format holds: 256 glyphs of 127 x 127 at 4 bits per pixel.
Charset LargestSet();

// Expects every field, offset table entry and glyph of the two sets to be equal; what names the
// case in the failures.
void ExpectSameSet(const Charset& actual, const Charset& expected, const std::string& what);

// The bytes Save would write for the set (dirty bytes off); empty when it can't be written.
QByteArray Encoded(const Charset& set);

// The bytes of the file, or nothing when it can't be read.
QByteArray ReadBytes(const QString& path);

// A little-endian number for building files by hand.
void AppendLittle32(QByteArray& bytes, std::int64_t value);

// A header for a hand-made file: tag "CHAR", sizes 0, version 867, the new-set colour map.
QByteArray HandMadeHeader(int bitsPerPixel, int fontHeight, int numChars);

} // namespace fontlathe::test
