#pragma once

#include <QByteArray>
#include <QRgb>

#include <cstdint>
#include <functional>

namespace fontlathe::test {

// One way of writing a TIFF, as another program might.
struct TiffVariant {
    const char* name;
    std::uint16_t photometric;
    std::uint16_t bitsPerSample;
    std::uint16_t samplesPerPixel;
    std::uint16_t compression;
};

// A width x height TIFF written by libtiff itself; rgba(x, y) gives each pixel, with alpha. Palette
// images use the 16 display colours as their palette.
QByteArray WriteTiff(const TiffVariant& variant, int width, int height,
                     const std::function<QRgb(int, int)>& rgba);

} // namespace fontlathe::test
