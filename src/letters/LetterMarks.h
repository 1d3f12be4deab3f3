#pragma once

#include "GlyphInk.h"
#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>

#include <optional>

namespace fontlathe {

enum class MarkKind {
    Acute,
    Grave,
    Circumflex,
    Diaeresis,
    Tilde,
    Cedilla,
    Breve,
    Caron,
    DotAbove,
    Ring,
    DoubleAcute,
    Ogonek,
    Macron,
};

// Where a mark sits on its base letter: Beside is at its top right, as the apostrophe Czech
// and Slovak write for the caron of ď ť ľ Ľ.
enum class MarkPlace { Above, Below, BelowRight, Beside };

// Where a designer put a mark on its base, kept as font compilers keep anchors: the mark's
// centre against the base's in half pixels (so that half a pixel off centre is kept), the blank
// rows between mark and base (fewer than none where they overlap; blank columns for a mark
// beside the base), and the mark's right side against the base's (what an ogonek keeps).
struct MarkAnchor {
    int doubledCentre = 0;
    int gap = 0;
    int fromRight = 0;

    bool operator==(const MarkAnchor&) const = default;
};

// The anchor of a mark at `mark` on a base whose ink is `base`, both in one raster.
MarkAnchor AnchorBetween(const QRect& mark, const QRect& base, MarkPlace place);

// The top left of a mark `size` big on a base whose ink is `base`, placed by the anchor: centre
// against centre (half a pixel over going the way `half` says); for an ogonek, right side
// against right side; beside the base, the anchor's gap in blank columns past its right side and
// top against top (no half pixel there).
QPoint AlignedOn(const MarkAnchor& anchor, QSize size, const QRect& base, MarkPlace place,
                 HalfPixel half);

struct MarkInfo {
    MarkKind kind;
    char32_t combining; // the combining character of canonical decompositions
    char32_t spacing;   // the spacing character a font may hold as a glyph of its own
    const char* name;   // "acute", as the report names it
    MarkPlace place;
};

// The mark a combining character stands for, or nothing for one the table does not know.
std::optional<MarkInfo> MarkOfCombining(char32_t combining);

// A mark in pixels, cropped to its ink.
using MarkImage = QImage;

// The built-in mark of that kind for a font whose capitals are capitalHeight pixels tall, in
// the colour given.
MarkImage BuiltInMark(MarkKind kind, int capitalHeight, QRgb ink);

// An ogonek rows tall, its strokes weight pixels wide: a hook down from the base that turns right
// into a tail (#.. / .## for two rows; .#. / #.. / .## for three, longer ones with a longer
// upright and tail), each pixel widened to the right by the weight; one row is a single pixel.
MarkImage OgonekMark(int rows, int weight, QRgb ink);

// The mark of an accented letter: the ink of `accented` where `base`, laid over it at the same
// place in the line, has none, and only on the mark's side of the base's ink (above its top row
// for a mark above, from its bottom row down for one below). A null image when nothing is left.
// where, when given, is set to the mark's rectangle in the accented letter's raster.
MarkImage CutMark(const Glyph& accented, const Glyph& base, MarkPlace place,
                  const PaletteLookup& palette, QRect* where = nullptr);

// The ink of a spacing mark's glyph, cropped; a null image when it has none.
MarkImage MarkOfSpacingGlyph(const Glyph& glyph, const PaletteLookup& palette);

// Whether the letter carries a dot that a mark above replaces: i and j, and the Cyrillic і and ј
// (ї is і with a diaeresis, and the font draws і as its i).
constexpr bool HasDotAbove(char32_t letter) {
    return letter == U'i' || letter == U'j' || letter == U'\u0456' || letter == U'\u0458';
}

// An i or j without its dot, so that a mark above takes the dot's place: the ink above the
// first blank row below the ink's top is cleared. The glyph is returned as it was when it has
// no such row.
Glyph WithoutDot(const Glyph& glyph, const PaletteLookup& palette);

} // namespace fontlathe
