#include "GlyphSheet.h"

#include "IndexedPngWriter.h"
#include "SheetMetadata.h"
#include "SheetPngScan.h"
#include "charset/CharCodec.h"
#include "charset/FileAccess.h"
#include "charset/PaletteLookup.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include <cstdint>
#include <cstring>
#include <vector>

namespace fontlathe {

namespace {

// A sheet of the largest cells is about 4 MB of pixels; no honest sheet file comes near this.
constexpr qint64 MaxSheetFileSize = qint64(64) * 1024 * 1024;

struct CellGlyph {
    int width = 0;
    int height = 0;
};

struct ScannedCells {
    std::array<CellGlyph, GlyphSlotCount> glyphs{};
    int highestIndex = 0;
};

// Finds the glyph of every cell and checks that the cell holds nothing else: known colours,
// ink in one rectangle at the top-left, indices below indexLimit.
Result ScanCells(const QImage& image, const std::vector<std::uint8_t>& indices, QSize cell,
                 int indexLimit, ScannedCells& scanned) {
    const std::size_t stride = static_cast<std::size_t>(image.width());
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const QPoint origin = CellOrigin(code, cell);
        const std::uint8_t* corner =
            indices.data() + std::size_t(origin.y()) * stride + std::size_t(origin.x());
        int width = 0;
        while (width < cell.width() && corner[width] != SheetOutsideIndex) {
            ++width;
        }
        int height = 0;
        while (height < cell.height() &&
               corner[std::size_t(height) * stride] != SheetOutsideIndex) {
            ++height;
        }
        for (int y = 0; y < cell.height(); ++y) {
            const std::uint8_t* line = corner + std::size_t(y) * stride;
            const int inkEnd = y < height ? width : 0;
            for (int x = 0; x < cell.width(); ++x) {
                const std::uint8_t index = line[x];
                const bool ink = index != SheetOutsideIndex;
                if (index == SheetUnknownIndex || index == SheetGridIndex) {
                    const QPoint pixel = origin + QPoint(x, y);
                    return Result::Failure(ResultKind::UnknownColor,
                                           DescribeStrayColor(image, pixel, index), code, pixel);
                }
                if (ink != (x < inkEnd)) {
                    return Result::Failure(
                        ResultKind::NotARectangle,
                        QStringLiteral("the ink is not one rectangle at the top-left of the cell"),
                        code, origin + QPoint(x, y));
                }
                if (ink && index >= indexLimit) {
                    return Result::Failure(
                        ResultKind::TooManyColors,
                        QStringLiteral("palette index %1 is beyond the %2 colours of the set")
                            .arg(index)
                            .arg(indexLimit),
                        code, origin + QPoint(x, y));
                }
                if (ink && index > scanned.highestIndex) {
                    scanned.highestIndex = index;
                }
            }
        }
        scanned.glyphs[static_cast<std::size_t>(code)] = CellGlyph{width, height};
    }
    return Result::Success();
}

int SmallestBitsPerPixel(int highestIndex) {
    if (highestIndex < 2) {
        return 1;
    }
    return highestIndex < 4 ? 2 : 4;
}

QImage RasterFromCell(const std::uint8_t* corner, std::size_t stride, CellGlyph size) {
    QImage raster = MakeBlankRaster(size.width, size.height);
    for (int y = 0; y < size.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(raster.scanLine(y));
        const std::uint8_t* source = corner + std::size_t(y) * stride;
        for (int x = 0; x < size.width; ++x) {
            line[x] = DisplayColors[source[x]];
        }
    }
    return raster;
}

} // namespace

Result EncodeSheet(const Charset& set, std::optional<QSize> chosenCell, QByteArray& png,
                   const QString& codePage) {
    if (const QString refusal = UnwritableHeaderReason(set); !refusal.isEmpty()) {
        return Result::Failure(ResultKind::NotExportable, refusal);
    }
    const QSize cell = chosenCell.value_or(DefaultSheetCell(set));
    if (cell.width() < 1 || cell.height() < 1 || cell.width() > MaxGlyphSide ||
        cell.height() > MaxGlyphSide) {
        return Result::Failure(ResultKind::NotExportable,
                               QStringLiteral("a cell of %1 x %2 pixels is not 1 to %3 a side")
                                   .arg(cell.width())
                                   .arg(cell.height())
                                   .arg(MaxGlyphSide));
    }
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph* glyph = set.GlyphAt(code);
        if (glyph == nullptr) {
            continue;
        }
        if (glyph->width() > cell.width() || glyph->height() > cell.height()) {
            return Result::Failure(
                ResultKind::CellTooSmall,
                QStringLiteral("the glyph is %1 x %2 pixels and does not fit a %3 x %4 cell")
                    .arg(glyph->width())
                    .arg(glyph->height())
                    .arg(cell.width())
                    .arg(cell.height()),
                code);
        }
        if (!IsValidGlyphOffset(glyph->xOffset) || !IsValidGlyphOffset(glyph->yOffset)) {
            return Result::Failure(ResultKind::NotExportable,
                                   QStringLiteral("the offsets (%1, %2) lie outside %3 to %4")
                                       .arg(glyph->xOffset)
                                       .arg(glyph->yOffset)
                                       .arg(MinGlyphOffset)
                                       .arg(MaxGlyphOffset),
                                   code);
        }
    }

    const QSize size = SheetSizeFor(cell);
    const auto stride = static_cast<std::size_t>(size.width());
    std::vector<std::uint8_t> pixels(stride * size.height(), SheetOutsideIndex);
    for (int k = 0; k <= SheetRows; ++k) {
        std::memset(pixels.data() + std::size_t(k) * (cell.height() + 1) * stride, SheetGridIndex,
                    stride);
    }
    for (int y = 0; y < size.height(); ++y) {
        std::uint8_t* line = pixels.data() + std::size_t(y) * stride;
        for (int k = 0; k <= SheetColumns; ++k) {
            line[k * (cell.width() + 1)] = SheetGridIndex;
        }
    }
    const PaletteLookup palette(set.ColorCount());
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph* glyph = set.GlyphAt(code);
        if (glyph == nullptr) {
            continue;
        }
        const QImage rgb = glyph->raster.format() == QImage::Format_RGB32
                               ? glyph->raster
                               : glyph->raster.convertToFormat(QImage::Format_RGB32);
        const QPoint origin = CellOrigin(code, cell);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            std::uint8_t* out = pixels.data() + std::size_t(origin.y() + y) * stride + origin.x();
            for (int x = 0; x < rgb.width(); ++x) {
                out[x] = static_cast<std::uint8_t>(palette.IndexOf(line[x]));
            }
        }
    }
    if (!WriteIndexedPng(pixels, size, SheetMetadataJson(set, QFileInfo(codePage).fileName()),
                         png)) {
        return Result::Failure(ResultKind::Unwritable,
                               QStringLiteral("the PNG image could not be made"));
    }
    return Result::Success();
}

Result DecodeSheet(QByteArrayView bytes, Charset& set) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    // The largest sheet in 16-bit RGBA takes 32 MB.
    reader.setAllocationLimit(64);
    if (!reader.canRead()) {
        return Result::Failure(ResultKind::Unreadable, QStringLiteral("it is not a PNG image"));
    }
    bool holdsMetadata = false;
    if (Result intact = ScanPngChunks(bytes, holdsMetadata); !intact) {
        return intact;
    }
    const QSize size = reader.size();
    if (!size.isValid()) {
        return Result::Failure(ResultKind::Unreadable,
                               QStringLiteral("the PNG image has no readable header"));
    }
    const QSize cell(CellSideOf(size.width(), SheetColumns), CellSideOf(size.height(), SheetRows));
    if (cell.width() == 0 || cell.height() == 0) {
        return Result::Failure(
            ResultKind::NotAGrid,
            QStringLiteral("the image is %1 x %2 pixels, no grid of 16 x 16 cells of 1 to %3 "
                           "pixels a side (16 x (width + 1) + 1 by 16 x (height + 1) + 1)")
                .arg(size.width())
                .arg(size.height())
                .arg(MaxGlyphSide));
    }
    const QImage image = reader.read();
    if (image.isNull() || image.size() != size) {
        return Result::Failure(
            ResultKind::Unreadable,
            QStringLiteral("the PNG image does not decode: %1").arg(reader.errorString()));
    }

    const QString text = image.text(QLatin1String(SheetTextKey));
    if (text.isNull() && holdsMetadata) {
        return Result::Failure(ResultKind::BadMetadata,
                               QStringLiteral("the fontlathe chunk is damaged and can't be "
                                              "read (its checksum or its data is wrong)"));
    }
    std::optional<SheetMetadata> metadata;
    if (!text.isNull()) {
        metadata.emplace();
        if (Result read = ReadSheetMetadata(text, *metadata); !read) {
            return read;
        }
    }

    const std::vector<std::uint8_t> indices = ClassifySheetPixels(image);
    const int indexLimit = metadata ? 1 << metadata->bitsPerPixel : DisplayColorCount;
    ScannedCells scanned;
    if (Result cells = ScanCells(image, indices, cell, indexLimit, scanned); !cells) {
        return cells;
    }

    Charset loaded = set;
    loaded.NewCharset(metadata ? metadata->bitsPerPixel
                               : SmallestBitsPerPixel(scanned.highestIndex));
    if (metadata) {
        loaded.SetTag(metadata->tag);
        loaded.SetVersion(metadata->version);
        loaded.SetColorMap(metadata->colorMap);
        loaded.SetFontHeight(metadata->fontHeight);
        loaded.SetNumChars(metadata->numChars);
    }
    const auto stride = static_cast<std::size_t>(image.width());
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const CellGlyph found = scanned.glyphs[static_cast<std::size_t>(code)];
        if (found.width == 0) {
            continue;
        }
        const QPoint origin = CellOrigin(code, cell);
        Glyph& glyph = *loaded.SlotAt(code);
        glyph.raster = RasterFromCell(indices.data() + std::size_t(origin.y()) * stride +
                                          std::size_t(origin.x()),
                                      stride, found);
        if (metadata) {
            if (const auto& offsets = metadata->offsets[static_cast<std::size_t>(code)]) {
                glyph.xOffset = offsets->first;
                glyph.yOffset = offsets->second;
            }
        }
    }
    set = std::move(loaded);
    return Result::Success();
}

Result ExportSheet(const Charset& set, const QString& path, std::optional<QSize> cell,
                   const QString& codePage) {
    QByteArray png;
    if (Result encoded = EncodeSheet(set, cell, png, codePage); !encoded) {
        return encoded;
    }
    if (const Result written = WriteWholeFile(path, png); !written) {
        return Result::Failure(ResultKind::Unwritable, written.reason());
    }
    return Result::Success();
}

Result ImportSheet(Charset& set, const QString& path) {
    QByteArray bytes;
    if (const Result read = ReadWholeFile(path, MaxSheetFileSize, QStringLiteral("sheet"), bytes);
        !read) {
        return Result::Failure(ResultKind::Unreadable, read.reason());
    }
    return DecodeSheet(bytes, set);
}

} // namespace fontlathe
