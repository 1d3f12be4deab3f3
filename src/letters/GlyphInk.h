#pragma once

#include "charset/Glyph.h"
#include "charset/PaletteLookup.h"

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <utility>

namespace fontlathe {

// Row y of an RGB32 raster as its pixels, to read; the writable one detaches a shared raster.
inline const QRgb* PixelsOf(const QImage& raster, int y) {
    return reinterpret_cast<const QRgb*>(raster.constScanLine(y));
}
inline QRgb* WritablePixelsOf(QImage& raster, int y) {
    return reinterpret_cast<QRgb*>(raster.scanLine(y));
}

// How many pixels of row y of the raster are ink (palette index not 0); 0 for a row outside it.
int RowInkCount(const QImage& raster, int y, const PaletteLookup& palette);

// The smallest rectangle that holds every pixel of the raster whose palette index is not 0; a
// null rectangle when there is none.
QRect InkRectOf(const QImage& raster, const PaletteLookup& palette);

// The ink of row y of the raster: from its first to its last ink pixel, one row high; a null
// rectangle when the row has none or lies outside the raster.
QRect RowInkOf(const QImage& raster, int y, const PaletteLookup& palette);

// A raster read as ink: each pixel's palette index, whether it is ink (any index but 0), the
// ink of a row and of the whole. Pixels outside the raster are index 0, no ink, so that a caller
// may look past its edge. It holds its own (shared) copy of the raster.
class InkRaster {
public:
    InkRaster(QImage raster, const PaletteLookup& palette)
        : raster_(raster.format() == QImage::Format_RGB32
                      ? std::move(raster)
                      : raster.convertToFormat(QImage::Format_RGB32)),
          palette_(palette) {}

    int Index(int x, int y) const {
        return x >= 0 && y >= 0 && x < raster_.width() && y < raster_.height()
                   ? palette_.IndexOf(PixelsOf(raster_, y)[x])
                   : 0;
    }
    bool Ink(int x, int y) const { return Index(x, y) != 0; }
    bool Ink(QPoint at) const { return Ink(at.x(), at.y()); }
    // From the row's first ink pixel to its last, one row high; null where it has none.
    QRect Row(int y) const { return RowInkOf(raster_, y, palette_); }
    // The smallest rectangle that holds all the ink; null where there is none.
    QRect Bounds() const { return InkRectOf(raster_, palette_); }
    int Width() const { return raster_.width(); }
    int Height() const { return raster_.height(); }

private:
    QImage raster_;
    PaletteLookup palette_;
};

// Whether a row's ink (as RowInkOf gives it) is a third of the glyph's ink width or less: a stem
// standing alone at the top or foot of a letter (L's, t's, T's).
inline bool IsLoneStem(const QRect& rowInk, const QRect& ink) {
    return !rowInk.isNull() && 3 * rowInk.width() <= ink.width();
}

// Whether the top row of the raster's ink is two or more separate runs (U, N, Y), not one
// (O, A, E); false for a raster with no ink.
bool HasOpenTop(const QImage& raster, const PaletteLookup& palette);

// How many pixels of the raster have each palette index.
using InkCounts = std::array<std::int64_t, 16>;
void CountInk(const QImage& raster, const PaletteLookup& palette, InkCounts& counts);
// The index other than 0 with the most pixels, the lowest on a tie; 0 when every count is 0.
int MostUsedInk(const InkCounts& counts, int except = 0);

// The part of the raster inside rect, rect being inside the raster.
QImage Crop(const QImage& raster, const QRect& rect);

// Copies the ink pixels of source onto target with source's top left at `at`; the background
// pixels of source leave target as it is, and pixels outside target are dropped.
void StampInk(QImage& target, const QImage& source, QPoint at, const PaletteLookup& palette);

// Stamps the ink of mark onto the glyph with mark's top left at `at` in its raster, growing the
// glyph to hold it.
void StampGrowing(Glyph& glyph, const QImage& mark, QPoint at, const PaletteLookup& palette);

// Whether the ink of mark, with its top left at `at` in the body's raster, stands wholly above
// the body's ink without touching it: at a corner neither, unless cornersMayTouch.
bool StandsClearAbove(const QImage& body, const QImage& mark, QPoint at,
                      const PaletteLookup& palette, bool cornersMayTouch);

// Adds blank margins round the glyph without moving what it shows: rows added on top move its
// y offset up, columns added on the left move its x offset left.
void GrowGlyph(Glyph& glyph, const QMargins& margins);

// Grows the glyph just enough to hold the rectangle given in its raster's coordinates, which
// then moves by the margins added on the left and top; returns that move.
QPoint GrowToHold(Glyph& glyph, const QRect& rect);

// Which way a mark goes where it cannot be centred to the pixel.
enum class HalfPixel { Left, Right };

// Half of a length given in half pixels, to the pixel: half a pixel over goes the way `half`
// says, for a length of either sign. Marks are centred and aligned with this one rule.
inline int HalfOf(int doubled, HalfPixel half) {
    const int up = doubled + (half == HalfPixel::Right ? 1 : 0);
    return up >= 0 ? up / 2 : -((1 - up) / 2);
}

// The left column of something `width` wide centred over `over`; half a pixel over goes the way
// `half` says, also where it is wider than `over`.
inline int CentredOver(const QRect& over, int width, HalfPixel half) {
    return over.left() + HalfOf(over.width() - width, half);
}

// How many pixels of the two glyphs' ink differ (a pixel of one with no ink of the other's
// index at its place in the line, x plus the x offset, y plus the y offset), at the best of a
// shift of one column either way or none: two glyphs within 2 show the same letter.
int InkDistance(const Glyph& a, const Glyph& b, const PaletteLookup& palette);

// Whether the file format can hold the glyph: at most 127 pixels a side, offsets -128..127.
bool FitsFontFile(const Glyph& glyph);

} // namespace fontlathe
