#include "SheetPngScan.h"

#include "SheetFormat.h"
#include "charset/PaletteLookup.h"

#include <QStringList>
#include <QtEndian>

#include <array>

namespace fontlathe {

namespace {

std::uint8_t SheetIndexOf(QRgb color, const PaletteLookup& display) {
    const int alpha = qAlpha(color);
    if (alpha == 0) {
        return SheetOutsideIndex;
    }
    if (alpha != 255) {
        return SheetUnknownIndex;
    }
    const int index = display.IndexOf(color);
    if (SameRgb(DisplayColors[static_cast<std::size_t>(index)], color)) {
        return static_cast<std::uint8_t>(index);
    }
    if (SameRgb(color, SheetOutsideColor)) {
        return SheetOutsideIndex;
    }
    return SameRgb(color, SheetGridColor) ? SheetGridIndex : SheetUnknownIndex;
}

// A 16-bit colour is one of the sheet's only when every channel is an 8-bit value widened.
std::uint8_t SheetIndexOf(QRgba64 color, const PaletteLookup& display) {
    const auto narrow = [](quint16 channel) { return channel % 257 == 0; };
    if (color.alpha() == 0) {
        return SheetOutsideIndex;
    }
    if (!narrow(color.red()) || !narrow(color.green()) || !narrow(color.blue()) ||
        !narrow(color.alpha())) {
        return SheetUnknownIndex;
    }
    return SheetIndexOf(color.toArgb32(), display);
}

// "#RRGGBB"
QString HexColor(QRgb color) {
    return u'#' + QStringLiteral("%1").arg(color & 0xFFFFFFu, 6, 16, QChar(u'0')).toUpper();
}

} // namespace

Result ScanPngChunks(QByteArrayView png, bool& holdsMetadata) {
    constexpr qsizetype SignatureSize = 8;
    constexpr qsizetype ChunkFrameSize = 12;                          // length, type and CRC
    const QByteArrayView keyword(SheetTextKey, sizeof(SheetTextKey)); // with its closing 0
    holdsMetadata = false;
    qsizetype position = SignatureSize;
    while (position + ChunkFrameSize <= png.size()) {
        const auto length = qFromBigEndian<quint32>(png.data() + position);
        if (length > quint64(png.size() - position - ChunkFrameSize)) {
            return Result::Failure(
                ResultKind::Unreadable,
                QStringLiteral("the PNG file is damaged: the chunk at byte %1 claims %2 bytes, "
                               "more than the file holds")
                    .arg(position)
                    .arg(length));
        }
        const QByteArrayView type = png.sliced(position + 4, 4);
        if (type == QByteArrayView("IEND")) {
            break;
        }
        const bool text = type == QByteArrayView("tEXt") || type == QByteArrayView("zTXt") ||
                          type == QByteArrayView("iTXt");
        if (text && png.sliced(position + 8, length).startsWith(keyword)) {
            holdsMetadata = true;
        }
        position += ChunkFrameSize + qsizetype(length);
    }
    return Result::Success();
}

std::vector<std::uint8_t> ClassifySheetPixels(const QImage& image) {
    const PaletteLookup display(DisplayColorCount);
    const int width = image.width();
    std::vector<std::uint8_t> indices(std::size_t(width) * image.height());
    if (image.format() == QImage::Format_Indexed8) {
        std::array<std::uint8_t, 256> table;
        table.fill(SheetUnknownIndex);
        const QList<QRgb> colors = image.colorTable();
        for (qsizetype i = 0; i < colors.size() && i < 256; ++i) {
            table[static_cast<std::size_t>(i)] = SheetIndexOf(colors.at(i), display);
        }
        for (int y = 0; y < image.height(); ++y) {
            const uchar* line = image.constScanLine(y);
            std::uint8_t* out = indices.data() + std::size_t(y) * width;
            for (int x = 0; x < width; ++x) {
                out[x] = table[line[x]];
            }
        }
    } else if (image.depth() == 64 || image.format() == QImage::Format_Grayscale16) {
        const QImage wide = image.convertToFormat(QImage::Format_RGBA64);
        for (int y = 0; y < wide.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgba64*>(wide.constScanLine(y));
            std::uint8_t* out = indices.data() + std::size_t(y) * width;
            for (int x = 0; x < width; ++x) {
                out[x] = SheetIndexOf(line[x], display);
            }
        }
    } else {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            std::uint8_t* out = indices.data() + std::size_t(y) * width;
            for (int x = 0; x < width; ++x) {
                out[x] = SheetIndexOf(line[x], display);
            }
        }
    }
    return indices;
}

QString DescribeStrayColor(const QImage& image, QPoint pixel, std::uint8_t index) {
    if (index == SheetGridIndex) {
        return QStringLiteral("the grid colour stands inside a cell");
    }
    if (image.format() == QImage::Format_Indexed8) {
        const int entry = image.constScanLine(pixel.y())[pixel.x()];
        if (entry >= image.colorCount()) {
            return QStringLiteral("palette entry %1 lies beyond the image's palette").arg(entry);
        }
    }
    QString colour;
    int alpha = 255;
    if (image.depth() == 64 || image.format() == QImage::Format_Grayscale16) {
        const QRgba64 wide = image.pixelColor(pixel).rgba64();
        const bool between = wide.red() % 257 != 0 || wide.green() % 257 != 0 ||
                             wide.blue() % 257 != 0 || wide.alpha() % 257 != 0;
        colour = (between ? QStringLiteral("the 16-bit colour next to ")
                          : QStringLiteral("the colour ")) +
                 HexColor(wide.toArgb32());
        alpha = wide.alpha8();
    } else {
        const QRgb narrow = image.pixel(pixel);
        colour = QStringLiteral("the colour ") + HexColor(narrow);
        alpha = qAlpha(narrow);
    }
    if (alpha != 255) {
        colour += QStringLiteral(" at alpha %1").arg(alpha);
    }
    QStringList palette;
    for (const QRgb display : DisplayColors) {
        palette << HexColor(display);
    }
    return QStringLiteral(
               "%1 is none a sheet may hold: indices 0 to 15 are %2; \"outside\" is %3 or "
               "any colour of alpha 0; the grid lines are %4")
        .arg(colour, palette.join(u' '), HexColor(SheetOutsideColor), HexColor(SheetGridColor));
}

} // namespace fontlathe
