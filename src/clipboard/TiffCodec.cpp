#include "TiffCodec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace fontlathe {

namespace {

// A TIFF file in memory, read from a view or written into a byte array.
struct MemoryFile {
    const char* readData = nullptr;
    QByteArray* writeBuffer = nullptr;
    qint64 size = 0;
    qint64 position = 0;
};

MemoryFile& FileOf(thandle_t handle) {
    return *static_cast<MemoryFile*>(handle);
}

tmsize_t Read(thandle_t handle, void* buffer, tmsize_t count) {
    MemoryFile& file = FileOf(handle);
    if (file.readData == nullptr || count < 0 || file.position >= file.size) {
        return 0;
    }
    const qint64 available = std::min<qint64>(count, file.size - file.position);
    std::memcpy(buffer, file.readData + file.position, static_cast<size_t>(available));
    file.position += available;
    return static_cast<tmsize_t>(available);
}

tmsize_t Write(thandle_t handle, void* buffer, tmsize_t count) {
    MemoryFile& file = FileOf(handle);
    if (file.writeBuffer == nullptr || count < 0) {
        return -1;
    }
    const qint64 end = file.position + count;
    if (end > file.writeBuffer->size()) {
        file.writeBuffer->resize(static_cast<qsizetype>(end));
    }
    std::memcpy(file.writeBuffer->data() + file.position, buffer, static_cast<size_t>(count));
    file.position = end;
    file.size = std::max(file.size, end);
    return count;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
    MemoryFile& file = FileOf(handle);
    qint64 base = 0;
    if (whence == SEEK_CUR) {
        base = file.position;
    } else if (whence == SEEK_END) {
        base = file.size;
    }
    // Offsets are unsigned; a step back arrives as a huge number and wraps round here.
    const qint64 target = base + static_cast<qint64>(offset);
    if (target < 0) {
        return static_cast<toff_t>(-1);
    }
    file.position = target;
    return static_cast<toff_t>(target);
}

int Close(thandle_t) {
    return 0;
}

toff_t Size(thandle_t handle) {
    return static_cast<toff_t>(FileOf(handle).size);
}

int NoMap(thandle_t, void**, toff_t*) {
    return 0;
}

void NoUnmap(thandle_t, void*, toff_t) {}

// libtiff reports through these instead of printing to the terminal.
int KeepError(TIFF*, void* userData, const char* module, const char* format, va_list args) {
    char message[512];
    std::vsnprintf(message, sizeof message, format, args);
    *static_cast<QString*>(userData) = QStringLiteral("%1: %2").arg(
        QString::fromUtf8(module ? module : "libtiff"), QString::fromUtf8(message));
    return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

struct OptionsFreer {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

TiffHandle Open(MemoryFile& file, const char* mode, QString* lastError) {
    const std::unique_ptr<TIFFOpenOptions, OptionsFreer> options(TIFFOpenOptionsAlloc());
    // A glyph is at most 127 x 127; no honest strip or table needs more than this.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), 16 * 1024 * 1024);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepError, lastError);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), IgnoreWarning, nullptr);
    return TiffHandle(TIFFClientOpenExt("clipboard", mode, &file, Read, Write, Seek, Close, Size,
                                        NoMap, NoUnmap, options.get()));
}

// Channels from libtiff's RGBA reader are premultiplied by alpha.
QRgb OverBackground(std::uint32_t abgr, QRgb background) {
    const unsigned alpha = TIFFGetA(abgr);
    const auto blend = [alpha](unsigned premultiplied, unsigned under) {
        return std::min(255u, premultiplied + (under * (255 - alpha) + 127) / 255);
    };
    return qRgb(static_cast<int>(blend(TIFFGetR(abgr), qRed(background))),
                static_cast<int>(blend(TIFFGetG(abgr), qGreen(background))),
                static_cast<int>(blend(TIFFGetB(abgr), qBlue(background))));
}

} // namespace

QByteArray EncodeTiff(const QImage& raster) {
    if (raster.isNull()) {
        return QByteArray();
    }
    const QImage rgb = raster.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    MemoryFile file;
    file.writeBuffer = &bytes;
    QString lastError;
    {
        TiffHandle tiff = Open(file, "w", &lastError);
        if (!tiff) {
            return QByteArray();
        }
        const auto width = static_cast<std::uint32_t>(rgb.width());
        const auto height = static_cast<std::uint32_t>(rgb.height());
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff.get(), TIFFTAG_IMAGEWIDTH, width);
        TIFFSetField(tiff.get(), TIFFTAG_IMAGELENGTH, height);
        TIFFSetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, 4);
        TIFFSetField(tiff.get(), TIFFTAG_EXTRASAMPLES, 1, extra);
        TIFFSetField(tiff.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff.get(), TIFFTAG_COMPRESSION, COMPRESSION_NONE);
        TIFFSetField(tiff.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        TIFFSetField(tiff.get(), TIFFTAG_ROWSPERSTRIP, height);
        std::vector<std::uint8_t> row(width * 4);
        for (std::uint32_t y = 0; y < height; ++y) {
            const auto* line =
                reinterpret_cast<const QRgb*>(rgb.constScanLine(static_cast<int>(y)));
            for (std::uint32_t x = 0; x < width; ++x) {
                row[4 * x] = static_cast<std::uint8_t>(qRed(line[x]));
                row[4 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
                row[4 * x + 2] = static_cast<std::uint8_t>(qBlue(line[x]));
                row[4 * x + 3] = 255;
            }
            if (TIFFWriteScanline(tiff.get(), row.data(), y, 0) < 0) {
                return QByteArray();
            }
        }
    }
    return bytes;
}

DecodedImage DecodeTiff(QByteArrayView data, int maxSide, QRgb background) {
    DecodedImage decoded;
    MemoryFile file;
    file.readData = data.data();
    file.size = data.size();
    TiffHandle tiff = Open(file, "rm", &decoded.problem);
    if (!tiff) {
        return decoded;
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) != 1 || width == 0 || height == 0) {
        return decoded;
    }
    const auto side = static_cast<std::uint32_t>(maxSide);
    if (width > side || height > side) {
        decoded.outcome = DecodedImage::Outcome::TooLarge;
        decoded.size = QSize(static_cast<int>(std::min<std::uint32_t>(width, INT32_MAX)),
                             static_cast<int>(std::min<std::uint32_t>(height, INT32_MAX)));
        return decoded;
    }
    char why[1024] = {};
    if (TIFFRGBAImageOK(tiff.get(), why) != 1) {
        decoded.problem = QString::fromUtf8(why);
        return decoded;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (TIFFReadRGBAImageOriented(tiff.get(), width, height, pixels.data(), ORIENTATION_TOPLEFT,
                                  1) != 1) {
        return decoded;
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    for (std::uint32_t y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (std::uint32_t x = 0; x < width; ++x) {
            line[x] = OverBackground(pixels[y * width + x], background);
        }
    }
    decoded.outcome = DecodedImage::Outcome::Image;
    decoded.image = image;
    decoded.size = image.size();
    return decoded;
}

} // namespace fontlathe
