#pragma once

#include <QImage>

#include <cstdint>

namespace fontlathe {

// What the generator found of a glyph's ink: the extreme columns and rows of pixels with an
// index other than 0, and empty = 1 when there were none. Scratch of the generator only.
struct InkBox {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    std::uint8_t empty = 0;

    bool operator==(const InkBox&) const = default;
};

// One character code's slot. The glyph is present exactly when it has a raster; the raster is
// an RGB32 image whose pixels are display colours.
struct Glyph {
    QImage raster;
    std::int16_t xOffset = 0;
    std::int16_t yOffset = 0;
    InkBox inkBox;

    bool present() const { return !raster.isNull(); }
    int width() const { return raster.width(); }
    int height() const { return raster.height(); }
};

} // namespace fontlathe
