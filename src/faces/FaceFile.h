#pragma once

#include "BitmapFace.h"
#include "charset/Result.h"

#include <QByteArrayView>
#include <QString>

namespace fontlathe {

// The largest face file read, and the most its gzip stream may unpack to: X11's largest faces
// unpack to a few megabytes.
inline constexpr qint64 MaxFaceFileSize = 64 * 1024 * 1024;
// The widest and tallest glyph bitmap a face may hold.
inline constexpr int MaxFaceGlyphSide = 512;

// Reads a BDF, PCF or PSF (1 or 2) file, gzip-compressed or not, told apart by their first
// bytes; a face that names no family is named by the file. A damaged or hostile file is refused
// with the byte offset and the reason; face is then left as it was.
Result ReadFaceFile(const QString& path, BitmapFace& face);
Result ParseFace(QByteArrayView bytes, BitmapFace& face);

// Whether a "family" a user typed is a path to a face file rather than an installed family: a
// family name holds no "/" and does not end in a face file's extension.
bool NamesFaceFile(const QString& familyOrPath);

// "Bitmap fonts (*.bdf *.pcf ...)", in the program's notation for file requesters.
QString FaceFilePattern();

} // namespace fontlathe
