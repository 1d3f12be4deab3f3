#include "TiffSamples.h"

#include "charset/DisplayColors.h"

#include <QFile>
#include <QTemporaryDir>

#include <tiffio.h>

#include <algorithm>
#include <vector>

namespace fontlathe::test {

QByteArray WriteTiff(const TiffVariant& variant, int width, int height,
                     const std::function<QRgb(int, int)>& rgba) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("image.tif"));
    TIFF* tiff = TIFFOpen(path.toLocal8Bit().constData(), "w");
    if (tiff == nullptr) {
        return QByteArray();
    }
    const int samples = variant.samplesPerPixel;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, variant.bitsPerSample);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, variant.samplesPerPixel);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, variant.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, variant.compression);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, std::uint32_t(2));
    if (variant.photometric == PHOTOMETRIC_RGB && samples == 4) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    // Palette images use the 16 display colours as their palette.
    std::vector<std::uint16_t> red(256), green(256), blue(256);
    for (int i = 0; i < DisplayColorCount; ++i) {
        red[i] = std::uint16_t(qRed(DisplayColors[i]) * 257);
        green[i] = std::uint16_t(qGreen(DisplayColors[i]) * 257);
        blue[i] = std::uint16_t(qBlue(DisplayColors[i]) * 257);
    }
    if (variant.photometric == PHOTOMETRIC_PALETTE) {
        TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    }
    std::vector<std::uint8_t> row8(std::size_t(width * samples));
    std::vector<std::uint16_t> row16(row8.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = rgba(x, y);
            const auto paletteIndex =
                std::find(DisplayColors.begin(), DisplayColors.end(), pixel | 0xFF000000u);
            const int values[4] = {variant.photometric == PHOTOMETRIC_PALETTE
                                       ? int(paletteIndex - DisplayColors.begin())
                                       : qRed(pixel),
                                   qGreen(pixel), qBlue(pixel), qAlpha(pixel)};
            for (int s = 0; s < samples; ++s) {
                row8[std::size_t(x * samples + s)] = std::uint8_t(values[s]);
                row16[std::size_t(x * samples + s)] = std::uint16_t(values[s] * 257);
            }
        }
        TIFFWriteScanline(
            tiff, variant.bitsPerSample == 16 ? static_cast<void*>(row16.data()) : row8.data(),
            std::uint32_t(y), 0);
    }
    TIFFClose(tiff);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace fontlathe::test
