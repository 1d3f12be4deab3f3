#pragma once

#include <QImage>

#include <cstdint>

namespace fontlathe {

// One character code's slot. The glyph is present exactly when it has a raster; the raster is
// an RGB32 image whose pixels are display colours.
struct Glyph {
    QImage raster;
    std::int16_t xOffset = 0;
    std::int16_t yOffset = 0;

    bool present() const { return !raster.isNull(); }
    int width() const { return raster.width(); }
    int height() const { return raster.height(); }
};

} // namespace fontlathe
