#pragma once

#include "charset/PaletteLookup.h"

#include <QImage>

#include <array>

namespace fontlathe {

// How a letter reads, whatever its size and weight: the strokes a reader's eye meets crossing
// it at a few heights and widths, where a lone stroke stands, and the counters its ink closes.
// И and N read alike (a mirror changes no crossing); u and и, ц and щ, H and Ч do not.
struct LetterReading {
    static constexpr int Heights = 5;
    static constexpr int Widths = 3;
    int counters = 0;
    std::array<int, Heights> across{}; // strokes met across the ink at 1/10, 3/10, ... 9/10 down
    std::array<int, Heights> side{};   // where a lone stroke across stands: -1 left, 0, 1 right
    std::array<int, Widths> down{};    // strokes met down the ink at 1/4, 1/2 and 3/4 across

    // How far apart two readings are: each stroke more or fewer, each lone stroke on another
    // side, and each counter more or fewer (which counts thrice).
    int DistanceTo(const LetterReading& other) const;
};

// The reading of the ink of a raster (palette index 0 is no ink).
LetterReading ReadingOf(const QImage& raster, const PaletteLookup& palette);

} // namespace fontlathe
