// Feeds arbitrary bytes to the glyph sheet reader. The first byte picks how: 0 reads the rest as
// a PNG file; 1 builds a small indexed sheet from the rest (cell width and height, the length of
// the fontlathe chunk, the chunk, then the cell pixels in code order as palette entries, two of
// them none of the sheet's colours), since mutated PNG bytes rarely get past the CRC checks.
// Whatever the reader accepts must save as a font file and come back through a new sheet the
// same; whatever it refuses must leave the set as it was.
#include "charset/CharCodec.h"
#include "sheet/GlyphSheet.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace fontlathe;

namespace {

bool SameSet(const Charset& a, const Charset& b) {
    if (a.tag() != b.tag() || a.version() != b.version() || a.colorMap() != b.colorMap() ||
        a.bitsPerPixel() != b.bitsPerPixel() || a.fontHeight() != b.fontHeight() ||
        a.numChars() != b.numChars()) {
        return false;
    }
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph& x = a.glyphs()[static_cast<std::size_t>(code)];
        const Glyph& y = b.glyphs()[static_cast<std::size_t>(code)];
        if (x.present() != y.present() || x.xOffset != y.xOffset || x.yOffset != y.yOffset ||
            x.raster != y.raster) {
            return false;
        }
    }
    return true;
}

QByteArray BuiltSheet(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return QByteArray();
    }
    const QSize cell(1 + data[0] % 4, 1 + data[1] % 4);
    const std::size_t textLength = std::min<std::size_t>(data[2] * 4u, size - 3);
    QImage image(SheetSizeFor(cell), QImage::Format_Indexed8);
    QList<QRgb> palette(SheetPalette.begin(), SheetPalette.end());
    palette << qRgb(1, 2, 3) << qRgba(0, 0, 0, 128);
    image.setColorTable(palette);
    image.fill(SheetOutsideIndex);
    if (textLength > 0) {
        image.setText(QLatin1String(SheetTextKey),
                      QString::fromLatin1(reinterpret_cast<const char*>(data + 3),
                                          static_cast<qsizetype>(textLength)));
    }
    std::size_t next = 3 + textLength;
    for (int code = 0; code < GlyphSlotCount && next < size; ++code) {
        const QPoint origin((code % SheetColumns) * (cell.width() + 1) + 1,
                            (code / SheetColumns) * (cell.height() + 1) + 1);
        for (int y = 0; y < cell.height() && next < size; ++y) {
            for (int x = 0; x < cell.width() && next < size; ++x) {
                image.setPixel(origin + QPoint(x, y), data[next++] % palette.size());
            }
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray png = data[0] % 2 == 0 ? QByteArray(reinterpret_cast<const char*>(data + 1),
                                                         static_cast<qsizetype>(size - 1))
                                            : BuiltSheet(data + 1, size - 1);
    Charset set;
    set.NewCharset(1);
    const Charset untouched = set;
    if (!DecodeSheet(png, set)) {
        if (!SameSet(set, untouched)) {
            std::abort();
        }
        return 0;
    }
    EncodedBlock block;
    QByteArray again;
    Charset reread;
    if (!EncodeCharset(set, DirtyBytes::Off, block) || !EncodeSheet(set, std::nullopt, again) ||
        !DecodeSheet(again, reread) || !SameSet(set, reread)) {
        std::abort();
    }
    return 0;
}
