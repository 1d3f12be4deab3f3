#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace fontlathe {

// A raster as TIFF data: 8 bits per channel, RGB with an alpha channel that is opaque
// everywhere, uncompressed. Empty when the raster is.
QByteArray EncodeTiff(const QImage& raster);

// What came of decoding TIFF data.
struct DecodedImage {
    enum class Outcome { Image, NotAnImage, TooLarge };

    Outcome outcome = Outcome::NotAnImage;
    // An RGB32 image, transparency composited over the given background (Outcome::Image).
    QImage image;
    // The image's own size as its header gives it (Outcome::Image and TooLarge).
    QSize size;
    // Why the data was not an image (for the curious; never shown as an error of the program).
    QString problem;
};

// Decodes the first image of TIFF data with libtiff: RGB and RGBA, 8 and 16 bits, palette and
// greyscale, uncompressed, PackBits, LZW and Deflate among others. The size is read from the
// header before anything is allocated; an image wider or higher than maxSide is refused as
// TooLarge. Damaged data gives NotAnImage; libtiff's messages stay inside the program.
DecodedImage DecodeTiff(QByteArrayView data, int maxSide, QRgb background);

} // namespace fontlathe
