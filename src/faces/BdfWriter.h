#pragma once

#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QByteArray>
#include <QString>

namespace fontlathe {

// The set as a BDF 2.1 file that other bitmap font editors and X11's tools read: each present
// glyph at the ISO10646 encoding of the character the page puts at its code, or as
// "ENCODING -1 CODE" where the page gives it none (codes 0 to 31, the page's holes). A pixel is
// ink where its colour is not colour 0, so a 2- or 4-bit set comes out in one colour. The
// baseline is the row under the ink of "H" (or of "0"), the line the set's height; each glyph's
// box is its raster as it stands, which a property tells this program's import to keep.
QByteArray WriteBdf(const Charset& set, const CodePage& page, const QString& name);

// The property that marks a file whose glyph boxes are a set's rasters.
inline constexpr char ExactBoxesProperty[] = "FONTLATHE_EXACT_BOXES";

} // namespace fontlathe
