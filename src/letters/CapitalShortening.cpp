#include "CapitalShortening.h"

#include "GlyphInk.h"
#include "charset/DisplayColors.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace fontlathe {

namespace {

bool SameRows(const QImage& raster, int a, int b) {
    return std::equal(PixelsOf(raster, a), PixelsOf(raster, a) + raster.width(),
                      PixelsOf(raster, b));
}

struct Run {
    int first;
    int last;
    int length() const { return last - first + 1; }
};

// The rows of the letter's bar: the block of rows with the most ink strictly between the ink's
// first and last rows, when those rows are one block, no other row has as much, and some row
// between has less.
std::optional<Run> BarOf(const QImage& raster, const QRect& ink, const PaletteLookup& palette) {
    std::optional<Run> bar;
    int most = 0, least = raster.width();
    for (int y = ink.top() + 1; y < ink.bottom(); ++y) {
        const int count = RowInkCount(raster, y, palette);
        least = std::min(least, count);
        if (count > most) {
            most = count;
            bar = Run{y, y};
        } else if (count == most && bar) {
            if (bar->last != y - 1) {
                bar.reset(); // two blocks of as much ink: no one bar
                most = count;
                continue;
            }
            bar->last = y;
        }
    }
    return least < most ? bar : std::nullopt; // a bar stands out from the rows round it
}

// The run of equal rows the next row is taken from; nothing when no row repeats.
std::optional<Run> RunToShorten(const QImage& raster, const PaletteLookup& palette,
                                ShorteningRule rule) {
    const QRect ink = InkRectOf(raster, palette);
    std::vector<Run> runs;
    for (int y = ink.top(); y <= ink.bottom();) {
        int end = y;
        while (end + 1 <= ink.bottom() && SameRows(raster, y, end + 1)) {
            ++end;
        }
        if (end > y) {
            runs.push_back({y, end});
        }
        y = end + 1;
    }
    if (runs.empty()) {
        return std::nullopt;
    }
    if (rule == ShorteningRule::TopRun) {
        return runs.front();
    }
    const std::optional<Run> bar =
        rule == ShorteningRule::CentredBar ? BarOf(raster, ink, palette) : std::nullopt;
    int side = 0; // -1: above the bar, 1: below it, 0: anywhere
    if (bar) {
        const int above = bar->first - ink.top();
        const int below = ink.bottom() - bar->last;
        side = above > below ? -1 : (below > above ? 1 : 0);
    }
    const auto pick = [&](bool sided) {
        std::optional<Run> best;
        for (const Run& run : runs) {
            if (sided &&
                ((side < 0 && run.first > bar->first) || (side > 0 && run.last < bar->last))) {
                continue;
            }
            // Below the bar, the farther of equal runs is the lower one.
            const bool fartherTie = best && sided && side > 0 && run.length() == best->length();
            if (!best || run.length() > best->length() || fartherTie) {
                best = run;
            }
        }
        return best;
    };
    const std::optional<Run> onSide = pick(true);
    return onSide ? onSide : pick(false);
}

// Whether rows a and b of the raster would touch, as neighbours or diagonally.
bool RowsTouch(const QImage& raster, int a, int b, const PaletteLookup& palette) {
    const InkRaster ink(raster, palette);
    for (int x = 0; x < ink.Width(); ++x) {
        if (ink.Ink(x, a) && (ink.Ink(x - 1, b) || ink.Ink(x, b) || ink.Ink(x + 1, b))) {
            return true;
        }
    }
    return false;
}

// A row of a diagonal that can go with the stroke still whole (Z has no rows to spare): one
// whose neighbours touch, a row wider than both of them (a step drawn twice) before the
// topmost.
std::optional<int> DiagonalRowToDrop(const QImage& raster, const PaletteLookup& palette) {
    const QRect ink = InkRectOf(raster, palette);
    std::optional<int> topmost;
    for (int y = ink.top() + 1; y < ink.bottom(); ++y) {
        if (!RowsTouch(raster, y - 1, y + 1, palette)) {
            continue;
        }
        const int count = RowInkCount(raster, y, palette);
        if (count > RowInkCount(raster, y - 1, palette) &&
            count > RowInkCount(raster, y + 1, palette)) {
            return y;
        }
        topmost = topmost ? topmost : y;
    }
    return topmost;
}

// The first row of a stroke that leaves a bar and runs on (R's leg under its bowl): less ink than
// the bar above it, no more than the row below it, which touches the bar and is no row of equal
// rows either (a corner turning into a side is not such a stroke).
std::optional<int> StrokeStartRow(const QImage& raster, const PaletteLookup& palette) {
    const QRect ink = InkRectOf(raster, palette);
    for (int y = ink.top() + 1; y + 1 < ink.bottom(); ++y) {
        const int count = RowInkCount(raster, y, palette);
        const QRect above = RowInkOf(raster, y - 1, palette);
        const bool bar = 2 * above.width() >= ink.width() &&
                         RowInkCount(raster, y - 1, palette) == above.width();
        if (bar && count < above.width() && count <= RowInkCount(raster, y + 1, palette) &&
            !SameRows(raster, y, y + 1) && !SameRows(raster, y + 1, y + 2) &&
            RowsTouch(raster, y - 1, y + 1, palette)) {
            return y;
        }
    }
    return std::nullopt;
}

} // namespace

Glyph ShortenedCapital(const Glyph& body, int rows, const PaletteLookup& palette,
                       ShorteningRule rule) {
    Glyph shortened = body;
    std::vector<int> given; // the runs that gave a row, by their first row
    for (int dropped = 0; dropped < rows; ++dropped) {
        std::optional<int> row;
        if (const std::optional<Run> run = RunToShorten(shortened.raster, palette, rule)) {
            row = run->last;
            // A run that gave a row keeps its others where a stroke can give one instead.
            if (rule != ShorteningRule::TopRun &&
                std::ranges::find(given, run->first) != given.end()) {
                if (const std::optional<int> thin = StrokeStartRow(shortened.raster, palette)) {
                    row = thin;
                }
            }
            if (*row == run->last) {
                given.push_back(run->first + 1); // the run's rows move down with the drop
            }
        } else if (rule != ShorteningRule::TopRun) {
            row = DiagonalRowToDrop(shortened.raster, palette);
        }
        if (!row) {
            return shortened;
        }
        // The rows above the dropped one move down by one.
        QImage raster = shortened.raster.copy();
        for (int y = *row; y > 0; --y) {
            std::copy_n(PixelsOf(shortened.raster, y - 1), raster.width(),
                        WritablePixelsOf(raster, y));
        }
        std::fill_n(WritablePixelsOf(raster, 0), raster.width(), DisplayColors[0]);
        shortened.raster = raster;
    }
    return shortened;
}

} // namespace fontlathe
