#pragma once

#include "BitmapFace.h"
#include "charset/Charset.h"
#include "charset/Result.h"
#include "text/CodePage.h"

#include <QImage>

#include <vector>

namespace fontlathe {

// One character of a face drawn as a raster of display colours 0 and 1, as wide as
// min(0, its box's left) to max(advance, its ink's right) and as high as the face's line, grown
// upwards and downwards for ink that leaves the line; topLeft is where the raster's top-left
// pixel lies against the pen position on the line's top.
struct FaceRaster {
    QImage raster;
    QPoint topLeft;
};
FaceRaster RasterOf(const BitmapFace& face, const FaceGlyph& glyph);

// What an import made: the codes whose character the face lacks.
struct FaceImportReport {
    std::vector<int> missing;
};

// A new 1-bit set of the face's glyphs: each code gets the glyph of the character the page puts
// there (a glyph the face keeps by code, as an export writes codes with no character, goes to
// that code); the line height is the face's ascent plus descent. A face whose line or glyphs
// would not fit a font file is refused with its size, and set stays as it was.
Result ImportFace(const BitmapFace& face, const CodePage& page, Charset& set,
                  FaceImportReport& report);

} // namespace fontlathe
