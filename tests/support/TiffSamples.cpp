#include "TiffSamples.h"

#include "charset/DisplayColors.h"

#include <QFile>
#include <QTemporaryDir>

#include <tiffio.h>

#include <algorithm>
#include <cstring>
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
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, std::uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, std::uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, variant.bitsPerSample);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, variant.samplesPerPixel);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, variant.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, variant.compression);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, std::uint32_t(2));
    const bool alpha = variant.photometric == PHOTOMETRIC_RGB && variant.samplesPerPixel == 4;
    if (alpha) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    // A palette of the 16 display colours.
    std::vector<std::uint16_t> red(256), green(256), blue(256);
    if (variant.photometric == PHOTOMETRIC_PALETTE) {
        for (int i = 0; i < 16; ++i) {
            red[i] = std::uint16_t(qRed(DisplayColors[i]) * 257);
            green[i] = std::uint16_t(qGreen(DisplayColors[i]) * 257);
            blue[i] = std::uint16_t(qBlue(DisplayColors[i]) * 257);
        }
        TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    }
    const int bytesPerSample = variant.bitsPerSample / 8;
    std::vector<std::uint8_t> row(std::size_t(width) * variant.samplesPerPixel * bytesPerSample);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = rgba(x, y);
            int samples[4] = {qRed(pixel), qGreen(pixel), qBlue(pixel), qAlpha(pixel)};
            if (variant.photometric == PHOTOMETRIC_MINISBLACK) {
                samples[0] = qRed(pixel);
            } else if (variant.photometric == PHOTOMETRIC_PALETTE) {
                samples[0] =
                    int(std::find(DisplayColors.begin(), DisplayColors.end(), pixel | 0xFF000000u) -
                        DisplayColors.begin());
            }
            for (int s = 0; s < variant.samplesPerPixel; ++s) {
                const std::size_t at =
                    (std::size_t(x) * variant.samplesPerPixel + s) * bytesPerSample;
                if (bytesPerSample == 2) {
                    const std::uint16_t wide = std::uint16_t(samples[s] * 257);
                    std::memcpy(&row[at], &wide, 2);
                } else {
                    row[at] = std::uint8_t(samples[s]);
                }
            }
        }
        TIFFWriteScanline(tiff, row.data(), std::uint32_t(y), 0);
    }
    TIFFClose(tiff);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace fontlathe::test
