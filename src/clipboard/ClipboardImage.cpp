#include "ClipboardImage.h"

#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>

namespace fontlathe {

namespace {

QImage OverBackground(const QImage& image) {
    QImage composed(image.size(), QImage::Format_RGB32);
    composed.fill(DisplayColors[0]);
    QPainter painter(&composed);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, image);
    return composed;
}

// Reads data of the image type the clipboard names, with the decoder for that type alone.
DecodedImage ReadWithQt(const QByteArray& bytes, const QString& mimeType, int maxSide) {
    DecodedImage decoded;
    const QList<QByteArray> formats = QImageReader::imageFormatsForMimeType(mimeType.toLatin1());
    if (formats.isEmpty()) {
        return decoded;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formats.first());
    reader.setDecideFormatFromContent(false);
    // No honest glyph image needs more than this.
    reader.setAllocationLimit(16);
    if (!reader.canRead()) {
        return decoded;
    }
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > maxSide || size.height() > maxSide)) {
        decoded.outcome = DecodedImage::Outcome::TooLarge;
        decoded.size = size;
        return decoded;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        decoded.problem = reader.errorString();
        return decoded;
    }
    decoded.size = image.size();
    if (image.width() > maxSide || image.height() > maxSide) {
        decoded.outcome = DecodedImage::Outcome::TooLarge;
        return decoded;
    }
    decoded.outcome = DecodedImage::Outcome::Image;
    decoded.image = OverBackground(image);
    return decoded;
}

} // namespace

QMimeData* MakeClipboardData(const QImage& raster) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(TiffMimeType), EncodeTiff(raster));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    raster.convertToFormat(QImage::Format_RGB32).save(&buffer, "PNG");
    data->setData(QStringLiteral("image/png"), png);
    return data;
}

DecodedImage ReadClipboardImage(const QMimeData* data, int maxSide) {
    DecodedImage decoded;
    if (data == nullptr) {
        return decoded;
    }
    const QString tiffType = QString::fromLatin1(TiffMimeType);
    if (data->hasFormat(tiffType)) {
        decoded = DecodeTiff(data->data(tiffType), maxSide, DisplayColors[0]);
        if (decoded.outcome != DecodedImage::Outcome::NotAnImage) {
            return decoded;
        }
    }
    for (const QString& format : data->formats()) {
        if (!format.startsWith(QStringLiteral("image/")) || format == tiffType) {
            continue;
        }
        DecodedImage other = ReadWithQt(data->data(format), format, maxSide);
        if (other.outcome != DecodedImage::Outcome::NotAnImage) {
            return other;
        }
    }
    return decoded;
}

void SnapToDisplayColors(Charset& set, int code) {
    Glyph* glyph = set.GlyphAt(code);
    if (!glyph) {
        return;
    }
    QImage& raster = glyph->raster;
    if (raster.format() != QImage::Format_RGB32) {
        raster = raster.convertToFormat(QImage::Format_RGB32);
    }
    const PaletteLookup palette(set.ColorCount());
    for (int y = 0; y < raster.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(raster.scanLine(y));
        for (int x = 0; x < raster.width(); ++x) {
            line[x] = DisplayColorOf(palette.NearestIndexOf(line[x]));
        }
    }
}

} // namespace fontlathe
