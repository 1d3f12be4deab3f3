#include "MarkReading.h"

#include "GlyphInk.h"
#include "charset/DisplayColors.h"

#include <algorithm>

namespace fontlathe {

namespace {

// The ink of the rows from `from` to `to` (both included), as a rectangle of the raster.
QRect InkOfRows(const QImage& raster, int from, int to, const PaletteLookup& palette) {
    if (from > to) {
        return {};
    }
    const QRect ink =
        InkRectOf(Crop(raster, QRect(0, from, raster.width(), to - from + 1)), palette);
    return ink.isNull() ? QRect() : ink.translated(0, from);
}

// Whether every ink pixel of the base, moved by shift, is ink in the accented letter too.
bool Contains(const QImage& accented, const QImage& base, QPoint shift,
              const PaletteLookup& palette) {
    const InkRaster letter(accented, palette);
    for (int y = 0; y < base.height(); ++y) {
        const auto* line = PixelsOf(base, y);
        for (int x = 0; x < base.width(); ++x) {
            if (palette.IndexOf(line[x]) == 0) {
                continue;
            }
            if (!letter.Ink(QPoint(x, y) + shift)) {
                return false;
            }
        }
    }
    return true;
}

// The leftmost ink column of the ink's bottom row.
int BottomLeft(const QImage& raster, const QRect& ink, const PaletteLookup& palette) {
    const auto* line = PixelsOf(raster, ink.bottom());
    int x = ink.left();
    while (x < ink.right() && palette.IndexOf(line[x]) == 0) {
        ++x;
    }
    return x;
}

} // namespace

bool SplitAbove(const QImage& raster, const PaletteLookup& palette, QRect& mark, QRect& base) {
    const QRect ink = InkRectOf(raster, palette);
    if (ink.isNull()) {
        return false;
    }
    for (int y = ink.top() + 1; y < ink.bottom(); ++y) {
        if (RowInkOf(raster, y, palette).isNull()) {
            mark = InkOfRows(raster, ink.top(), y - 1, palette);
            base = InkOfRows(raster, y + 1, ink.bottom(), palette);
            return !base.isNull();
        }
    }
    return false;
}

bool SubtractAbove(const QImage& accented, const Glyph& plain, const PaletteLookup& palette,
                   QRect& mark, QRect& base, int& shortened) {
    const QRect ink = InkRectOf(accented, palette);
    for (int tried = 0; tried <= 4 && !ink.isNull(); ++tried) {
        shortened = (tried + 1) / 2;
        const ShorteningRule rule =
            tried % 2 == 0 ? ShorteningRule::LongestRun : ShorteningRule::CentredBar;
        const QImage lowered = ShortenedCapital(plain, shortened, palette, rule).raster;
        const QRect loweredInk = InkRectOf(lowered, palette);
        if (loweredInk.isNull() || loweredInk.height() >= ink.height()) {
            return false;
        }
        const QPoint shift(BottomLeft(accented, ink, palette) -
                               BottomLeft(lowered, loweredInk, palette),
                           ink.bottom() - loweredInk.bottom());
        if (!Contains(accented, lowered, shift, palette)) {
            continue;
        }
        base = loweredInk.translated(shift);
        // Where the base lies, the letter shows nothing but the base: a mark touching a redrawn
        // base (6x10's Á, its acute on a flat-topped A) is not read as the base's apex less one
        // pixel.
        if (Crop(accented, base) != Crop(lowered, loweredInk)) {
            continue;
        }
        mark = InkOfRows(accented, ink.top(), base.top() - 1, palette);
        return !mark.isNull();
    }
    return false;
}

bool RowsFromBase(const QImage& drawn, const QImage& plain) {
    const auto same = [&](int drawnRow, int plainRow) {
        const auto* line = PixelsOf(drawn, drawnRow);
        return std::equal(line, line + drawn.width(), PixelsOf(plain, plainRow));
    };
    if (drawn.width() != plain.width() || drawn.height() == 0 || plain.height() == 0 ||
        !same(drawn.height() - 1, plain.height() - 1)) {
        return false;
    }
    for (int y = 0; y < drawn.height(); ++y) {
        bool found = false;
        for (int from = 0; from < plain.height() && !found; ++from) {
            found = same(y, from);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

void VoteShorteningRule(const QImage& drawn, const Glyph& plain, int rows,
                        const PaletteLookup& palette, std::map<ShorteningRule, int>& votes) {
    for (const ShorteningRule rule : {ShorteningRule::LongestRun, ShorteningRule::CentredBar}) {
        const QImage shortened = ShortenedCapital(plain, rows, palette, rule).raster;
        votes[rule] += Crop(shortened, InkRectOf(shortened, palette)) == drawn;
    }
}

} // namespace fontlathe
