#include "DrawingFit.h"

#include "GlyphInk.h"
#include "StrokeKeeping.h"
#include "charset/Charset.h"
#include "charset/DisplayColors.h"

#include <algorithm>
#include <vector>

namespace fontlathe {

namespace {

// The ink with its rows for columns.
LetterInk Transposed(const LetterInk& ink) {
    LetterInk out{MakeBlankRaster(ink.image.height(), ink.image.width()), ink.at};
    for (int y = 0; y < ink.image.height(); ++y) {
        for (int x = 0; x < ink.image.width(); ++x) {
            out.image.setPixel(y, x, ink.image.pixel(x, y));
        }
    }
    return out;
}

// Stems made `by` pixels wider (each ink pixel carried on to the right) or, for a negative
// `by`, narrower (short runs of a row lose pixels at their right, keeping one).
LetterInk WidenStems(const LetterInk& ink, int by, int drawnStem) {
    if (by == 0) {
        return ink;
    }
    LetterInk out{MakeBlankRaster(ink.image.width() + std::max(0, by), ink.image.height()), ink.at};
    for (int y = 0; y < ink.image.height(); ++y) {
        const auto* from = PixelsOf(ink.image, y);
        auto* to = WritablePixelsOf(out.image, y);
        for (int x = 0; x < ink.image.width(); ++x) {
            if (!IsLetterInk(from[x])) {
                continue;
            }
            int run = 1;
            while (x + run < ink.image.width() && IsLetterInk(from[x + run])) {
                ++run;
            }
            const int keep =
                by < 0 && run >= 2 && run <= 2 * drawnStem ? std::max(1, run + by) : run;
            for (int i = 0; i < keep + std::max(0, by); ++i) {
                to[x + i] = from[std::min(x + i, x + run - 1)];
            }
            x += run - 1;
        }
    }
    return out;
}

// Stems made `by` pixels wider by repeating their first column, the letter growing with them:
// the widening that joins no strokes, for a drawing whose strokes lie a pixel apart. A stem is
// a column whose ink runs down at least half the ink's height.
LetterInk StemsRepeated(const LetterInk& ink, int by) {
    const QImage& image = ink.image;
    std::vector<int> from;
    bool inStem = false;
    for (int x = 0; x < image.width(); ++x) {
        int run = 0, longest = 0;
        for (int y = 0; y < image.height(); ++y) {
            run = IsLetterInk(image.pixel(x, y)) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        const bool stem = longest >= 2 && 2 * longest >= image.height();
        for (int i = 0; i < (stem && !inStem ? by : 0); ++i) {
            from.push_back(x);
        }
        from.push_back(x);
        inStem = stem;
    }
    LetterInk out{MakeBlankRaster(static_cast<int>(from.size()), image.height()), ink.at};
    for (int y = 0; y < image.height(); ++y) {
        for (std::size_t x = 0; x < from.size(); ++x) {
            out.image.setPixel(static_cast<int>(x), y, image.pixel(from[x], y));
        }
    }
    return out;
}

} // namespace

int StemWidthOf(const QImage& drawn, const PaletteLookup& palette) {
    const InkRaster raster(drawn, palette);
    const QRect ink = raster.Bounds();
    int run = 0;
    for (int x = ink.left(); !ink.isNull() && x <= ink.right() && raster.Ink(x, ink.center().y());
         ++x) {
        ++run;
    }
    return std::max(1, run);
}

int BarHeightOf(const QImage& image, const PaletteLookup& palette) {
    const InkRaster raster(image, palette);
    const QRect ink = raster.Bounds();
    int y = ink.top();
    while (!ink.isNull() && y <= ink.bottom() && !raster.Ink(ink.center().x(), y)) {
        ++y;
    }
    int run = 0;
    for (; !ink.isNull() && y <= ink.bottom() && raster.Ink(ink.center().x(), y); ++y) {
        ++run;
    }
    return std::max(1, run);
}

LetterInk BarsThinned(const LetterInk& ink, int by, int drawnBar) {
    LetterInk thinned = ink;
    for (int x = 0; by < 0 && x < ink.image.width(); ++x) {
        for (int y = 0; y < ink.image.height(); ++y) {
            int run = 0;
            while (y + run < ink.image.height() && IsLetterInk(ink.image.pixel(x, y + run))) {
                ++run;
            }
            // A bar keeps its outer edge: the one that closes a counter from below, or that
            // stands alone in the lower half, loses pixels at its head and stays on the line.
            const auto inkIn = [&](int from, int to) {
                for (int row = from; row < to; ++row) {
                    if (IsLetterInk(ink.image.pixel(x, row))) {
                        return true;
                    }
                }
                return false;
            };
            const bool above = inkIn(0, y), below = inkIn(y + run, ink.image.height());
            const bool lower = above != below ? above : !above && 2 * y + run > ink.image.height();
            const int kept = std::max(1, run + by);
            for (int i = 0; run >= 2 && run <= drawnBar && i < run - kept; ++i) {
                thinned.image.setPixel(x, lower ? y + i : y + kept + i, DisplayColorOf(0));
            }
            y += run;
        }
    }
    // A stem or foot that ends on a thinned bar loses the pixels beside which the bar lost its
    // row: Д's feet start at the bar's kept row, not a pixel above it.
    const int width = ink.image.width(), height = ink.image.height();
    const auto inkAt = [&](const QImage& image, int x, int y) {
        return x >= 0 && x < width && y >= 0 && y < height && IsLetterInk(image.pixel(x, y));
    };
    const auto beside = [&](int x, int y, int keptY) {
        for (const int side : {x - 1, x + 1}) {
            if (inkAt(ink.image, side, y) && !inkAt(thinned.image, side, y) &&
                inkAt(thinned.image, side, keptY)) {
                return true;
            }
        }
        return false;
    };
    for (int x = 0; by < 0 && x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            int run = 0;
            while (inkAt(thinned.image, x, y + run)) {
                ++run;
            }
            if (run > drawnBar) {
                int first = y, last = y + run - 1;
                while (first < last && beside(x, first, first + 1)) {
                    thinned.image.setPixel(x, first++, DisplayColorOf(0));
                }
                while (last > first && beside(x, last, last - 1)) {
                    thinned.image.setPixel(x, last--, DisplayColorOf(0));
                }
            }
            y += run;
        }
    }
    return SameStrokes(Transposed(ink), Transposed(thinned)) ? thinned : ink;
}

LetterInk RowsScaled(const LetterInk& ink, int baseline, int rows, int drawnRows) {
    const auto scaled = [&](int count) {
        return std::max(1, (count * rows + drawnRows / 2) / drawnRows);
    };
    const int above = std::clamp(baseline - ink.Top() + 1, 0, ink.image.height());
    std::vector<QImage> parts;
    int top = ink.Top();
    if (above > 0) {
        const LetterInk part{ink.image.copy(0, 0, ink.image.width(), above), ink.at};
        parts.push_back(ResizedKeepingStrokes(part, part.image.width(), scaled(above)).image);
        top = baseline + 1 - parts.back().height();
    }
    if (above < ink.image.height()) {
        const int below = ink.image.height() - above;
        const LetterInk part{ink.image.copy(0, above, ink.image.width(), below), ink.at};
        parts.push_back(ResizedKeepingStrokes(part, part.image.width(), scaled(below)).image);
    }
    int height = 0;
    for (const QImage& part : parts) {
        height += part.height();
    }
    LetterInk out{MakeBlankRaster(ink.image.width(), height), QPoint(ink.Left(), top)};
    int y = 0;
    for (const QImage& part : parts) {
        for (int row = 0; row < part.height(); ++row, ++y) {
            std::copy_n(PixelsOf(part, row), part.width(), WritablePixelsOf(out.image, y));
        }
    }
    return out;
}

LetterInk FittedToStems(const LetterInk& drawn, int by, int drawnStem, int widest) {
    std::optional<LetterInk> best;
    const KeptStrokes strokes(drawn);
    for (int step = by;; step += step > 0 ? -1 : 1) {
        LetterInk widened = WidenStems(drawn, step, drawnStem);
        if (step > 0 && !strokes.By(widened)) {
            widened = StemsRepeated(drawn, step);
        }
        if (step == 0 || strokes.By(widened)) {
            if (widest > 0) {
                widened = NarrowedKeepingStrokes(widened, widest, drawnStem + step);
            }
            if (!best || widened.image.width() < best->image.width()) {
                best = std::move(widened);
            }
            if (best->image.width() <= widest || widest == 0) {
                break;
            }
        }
        if (step == 0) {
            break;
        }
    }
    return *best;
}

} // namespace fontlathe
