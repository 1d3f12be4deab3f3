#include "LetterReading.h"

#include "GlyphInk.h"
#include "StrokeKeeping.h"

#include <cstdlib>
#include <vector>

namespace fontlathe {

namespace {

// The ink of a raster cropped to its rectangle, as rows of booleans.
class InkGrid {
public:
    InkGrid(const QImage& raster, const PaletteLookup& palette) {
        const QRect ink = InkRectOf(raster, palette);
        width_ = ink.width();
        height_ = ink.height();
        cells_.resize(static_cast<std::size_t>(width_ * height_));
        for (int y = 0; y < height_; ++y) {
            const auto* line = PixelsOf(raster, ink.top() + y);
            for (int x = 0; x < width_; ++x) {
                cells_[Index(x, y)] = palette.IndexOf(line[ink.left() + x]) != 0;
            }
        }
    }
    int width() const { return width_; }
    int height() const { return height_; }
    bool ink(int x, int y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ && cells_[Index(x, y)];
    }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
    int width_ = 0;
    int height_ = 0;
    std::vector<bool> cells_;
};

} // namespace

int LetterReading::DistanceTo(const LetterReading& other) const {
    int distance = 3 * std::abs(counters - other.counters);
    for (int i = 0; i < Heights; ++i) {
        distance += std::abs(across[i] - other.across[i]);
        distance += across[i] == 1 && other.across[i] == 1 && side[i] != other.side[i];
    }
    for (int i = 0; i < Widths; ++i) {
        distance += std::abs(down[i] - other.down[i]);
    }
    return distance;
}

LetterReading ReadingOf(const QImage& raster, const PaletteLookup& palette) {
    LetterReading reading;
    const InkGrid grid(raster, palette);
    if (grid.width() == 0 || grid.height() == 0) {
        return reading;
    }
    reading.counters = CountersOf(LetterInk{raster, QPoint()});
    for (int i = 0; i < LetterReading::Heights; ++i) {
        const int y = ((2 * i + 1) * grid.height()) / (2 * LetterReading::Heights);
        int runs = 0, first = -1, last = -1;
        for (int x = 0; x < grid.width(); ++x) {
            if (grid.ink(x, y)) {
                runs += !grid.ink(x - 1, y);
                first = first < 0 ? x : first;
                last = x;
            }
        }
        reading.across[i] = runs;
        // A lone stroke counts as standing to a side when it leaves two thirds of the width on
        // the other side of its middle.
        const int doubledMiddle = first + last, width = grid.width();
        reading.side[i] = 3 * doubledMiddle < 2 * (width - 1)   ? -1
                          : 3 * doubledMiddle > 4 * (width - 1) ? 1
                                                                : 0;
    }
    for (int i = 0; i < LetterReading::Widths; ++i) {
        const int x = ((i + 1) * grid.width()) / (LetterReading::Widths + 1);
        int runs = 0;
        for (int y = 0; y < grid.height(); ++y) {
            runs += grid.ink(x, y) && !grid.ink(x, y - 1);
        }
        reading.down[i] = runs;
    }
    return reading;
}

} // namespace fontlathe
