#include "GlyphTransforms.h"

#include "charset/DisplayColors.h"

#include <algorithm>

namespace fontlathe {

namespace {

QImage Rolled(const QImage& raster, int dx, int dy) {
    const int width = raster.width();
    const int height = raster.height();
    QImage rolled(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int sourceY = ((y - dy) % height + height) % height;
        const auto* source = reinterpret_cast<const QRgb*>(raster.constScanLine(sourceY));
        auto* target = reinterpret_cast<QRgb*>(rolled.scanLine(y));
        for (int x = 0; x < width; ++x) {
            target[x] = source[((x - dx) % width + width) % width];
        }
    }
    return rolled;
}

QImage Resized(const QImage& raster, int width, int height) {
    QImage resized = MakeBlankRaster(width, height);
    const int keptWidth = std::min(width, raster.width());
    const int keptHeight = std::min(height, raster.height());
    for (int y = 0; y < keptHeight; ++y) {
        std::copy_n(reinterpret_cast<const QRgb*>(raster.constScanLine(y)), keptWidth,
                    reinterpret_cast<QRgb*>(resized.scanLine(y)));
    }
    return resized;
}

} // namespace

void ShiftGlyph(Charset& set, int code, int dx, int dy, ShiftMode mode) {
    Glyph* present = set.GlyphAt(code);
    if (!present) {
        return;
    }
    Glyph& glyph = *present;
    const QImage raster = glyph.raster.format() == QImage::Format_RGB32
                              ? glyph.raster
                              : glyph.raster.convertToFormat(QImage::Format_RGB32);
    switch (mode) {
    case ShiftMode::Roll:
        glyph.raster = Rolled(raster, dx, dy);
        break;
    case ShiftMode::Resize: {
        const int width = raster.width() + dx;
        const int height = raster.height() + dy;
        // Never below 1 pixel, and never more than a file can hold.
        if (width >= 1 && height >= 1 && width <= MaxGlyphSide && height <= MaxGlyphSide) {
            glyph.raster = Resized(raster, width, height);
        }
        break;
    }
    case ShiftMode::Offset:
        if (IsValidGlyphOffset(glyph.xOffset + dx) && IsValidGlyphOffset(glyph.yOffset + dy)) {
            glyph.xOffset = static_cast<std::int16_t>(glyph.xOffset + dx);
            glyph.yOffset = static_cast<std::int16_t>(glyph.yOffset + dy);
        }
        break;
    case ShiftMode::None:
        break;
    }
}

} // namespace fontlathe
