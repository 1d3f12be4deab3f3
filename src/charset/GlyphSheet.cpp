#include "GlyphSheet.h"

#include "FileAccess.h"
#include "PaletteLookup.h"

#include <QBuffer>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace fontlathe {

namespace {

// A sheet of the largest cells is about 4 MB of pixels; no honest sheet file comes near this.
constexpr qint64 MaxSheetFileSize = qint64(64) * 1024 * 1024;
constexpr int CellGrowth = 4;
constexpr int EmptySetCell = 8;
// Deflate level 1 keeps the export of the largest set well inside what an interactive command
// may take; a sheet of an ordinary font is still only some kilobytes.
constexpr int PngCompressionLevel = 1;
constexpr std::uint8_t UnknownIndex = 0xFF;

int SheetSide(int cellSide, int cellCount) {
    return cellCount * (cellSide + 1) + 1;
}

// The cell side of a sheet side, or 0 when the side is no grid of cellCount cells of 1 to 127.
int CellSideOf(int sheetSide, int cellCount) {
    if (sheetSide < SheetSide(1, cellCount) || sheetSide > SheetSide(MaxGlyphSide, cellCount) ||
        (sheetSide - 1) % cellCount != 0) {
        return 0;
    }
    return (sheetSide - 1) / cellCount - 1;
}

QPoint CellOrigin(int code, QSize cell) {
    return QPoint((code % SheetColumns) * (cell.width() + 1) + 1,
                  (code / SheetColumns) * (cell.height() + 1) + 1);
}

bool InOffsetRange(int offset) {
    return offset >= MinGlyphOffset && offset <= MaxGlyphOffset;
}

// --- The fontlathe chunk --------------------------------------------------------------------

// The header and offsets that a sheet's chunk carries.
struct SheetMetadata {
    std::array<char, 4> tag{};
    std::int16_t version = 0;
    std::array<std::uint8_t, ColorMapSize> colorMap{};
    std::uint8_t bitsPerPixel = 0;
    std::uint8_t fontHeight = 0;
    std::int16_t numChars = 0;
    std::array<std::optional<std::pair<std::int16_t, std::int16_t>>, GlyphSlotCount> offsets{};
};

// Plain ASCII, so that the text reads the same whether a program takes a tEXt chunk as Latin-1
// or as UTF-8.
QByteArray JsonTag(const std::array<char, 4>& tag) {
    QByteArray text("\"");
    for (char byte : tag) {
        const auto value = static_cast<unsigned char>(byte);
        if (value == '"' || value == '\\') {
            text += '\\';
            text += byte;
        } else if (value < 0x20 || value >= 0x7F) {
            text += "\\u00" + QByteArray::number(value, 16).rightJustified(2, '0');
        } else {
            text += byte;
        }
    }
    return text + '"';
}

QByteArray MetadataJson(const Charset& set) {
    QByteArray json;
    json += "{\"format\":" + QByteArray::number(SheetFormat);
    json += ",\"tag\":" + JsonTag(set.tag);
    json += ",\"version\":" + QByteArray::number(set.version);
    json += ",\"colorMap\":[";
    for (int i = 0; i < ColorMapSize; ++i) {
        json += (i > 0 ? "," : "") + QByteArray::number(set.colorMap[static_cast<std::size_t>(i)]);
    }
    json += "],\"bitsPerPixel\":" + QByteArray::number(set.bitsPerPixel);
    json += ",\"fontHeight\":" + QByteArray::number(set.fontHeight);
    json += ",\"numChars\":" + QByteArray::number(set.numChars);
    json += ",\"offsets\":[";
    bool first = true;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph* glyph = set.GlyphAt(code);
        if (glyph == nullptr) {
            continue;
        }
        json += (first ? "" : ",") + QByteArray("{\"code\":") + QByteArray::number(code) +
                ",\"xOffset\":" + QByteArray::number(glyph->xOffset) +
                ",\"yOffset\":" + QByteArray::number(glyph->yOffset) + "}";
        first = false;
    }
    return json + "]}";
}

std::optional<int> WholeNumber(const QJsonValue& value, int min, int max) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (std::floor(number) != number || number < min || number > max) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

SheetResult BadField(const char* field, const char* expected) {
    return SheetResult::Failure(SheetProblem::BadMetadata,
                                QStringLiteral("the fontlathe chunk's \"%1\" is missing or not %2")
                                    .arg(QLatin1String(field), QLatin1String(expected)));
}

SheetResult ReadOffsets(const QJsonValue& value, SheetMetadata& metadata) {
    if (!value.isArray()) {
        return BadField("offsets", "an array");
    }
    for (const QJsonValue& entry : value.toArray()) {
        const QJsonObject object = entry.toObject();
        const auto code = WholeNumber(object.value(QLatin1String("code")), 0, GlyphSlotCount - 1);
        const auto x =
            WholeNumber(object.value(QLatin1String("xOffset")), MinGlyphOffset, MaxGlyphOffset);
        const auto y =
            WholeNumber(object.value(QLatin1String("yOffset")), MinGlyphOffset, MaxGlyphOffset);
        if (!code || !x || !y) {
            return BadField("offsets",
                            "a list of { code 0 to 255, xOffset and yOffset -128 to 127 }");
        }
        auto& slot = metadata.offsets[static_cast<std::size_t>(*code)];
        if (slot) {
            return SheetResult::Failure(
                SheetProblem::BadMetadata,
                QStringLiteral("the fontlathe chunk lists its offsets twice"), *code);
        }
        slot = std::pair(static_cast<std::int16_t>(*x), static_cast<std::int16_t>(*y));
    }
    return SheetResult::Success();
}

SheetResult ReadMetadata(const QString& text, SheetMetadata& metadata) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        return SheetResult::Failure(SheetProblem::BadMetadata,
                                    QStringLiteral("the fontlathe chunk is no valid JSON: %1 at %2")
                                        .arg(error.errorString())
                                        .arg(error.offset));
    }
    if (!document.isObject()) {
        return SheetResult::Failure(SheetProblem::BadMetadata,
                                    QStringLiteral("the fontlathe chunk holds no JSON object"));
    }
    const QJsonObject root = document.object();
    const auto format = WholeNumber(root.value(QLatin1String("format")), 1, INT32_MAX);
    if (!format) {
        return BadField("format", "a whole number from 1 on");
    }
    if (*format > SheetFormat) {
        return SheetResult::Failure(
            SheetProblem::LaterFormat,
            QStringLiteral("the sheet is of format %1; this program reads format %2 and earlier")
                .arg(*format)
                .arg(SheetFormat));
    }

    const QString tag = root.value(QLatin1String("tag")).toString();
    if (tag.size() != 4 ||
        std::any_of(tag.begin(), tag.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
        return BadField("tag", "four characters of codes 0 to 255");
    }
    for (int i = 0; i < 4; ++i) {
        metadata.tag[static_cast<std::size_t>(i)] = static_cast<char>(tag.at(i).unicode());
    }
    const QJsonArray colorMap = root.value(QLatin1String("colorMap")).toArray();
    if (colorMap.size() != ColorMapSize) {
        return BadField("colorMap", "15 numbers from 0 to 255");
    }
    for (int i = 0; i < ColorMapSize; ++i) {
        const auto entry = WholeNumber(colorMap.at(i), 0, 255);
        if (!entry) {
            return BadField("colorMap", "15 numbers from 0 to 255");
        }
        metadata.colorMap[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(*entry);
    }
    const auto version = WholeNumber(root.value(QLatin1String("version")), INT16_MIN, INT16_MAX);
    const auto bits = WholeNumber(root.value(QLatin1String("bitsPerPixel")), 1, 4);
    const auto height = WholeNumber(root.value(QLatin1String("fontHeight")), 0, 255);
    const auto numChars = WholeNumber(root.value(QLatin1String("numChars")), 0, GlyphSlotCount);
    if (!version) {
        return BadField("version", "a whole number from -32768 to 32767");
    }
    if (!bits || !Charset::IsValidBitsPerPixel(*bits)) {
        return BadField("bitsPerPixel", "1, 2 or 4");
    }
    if (!height) {
        return BadField("fontHeight", "a whole number from 0 to 255");
    }
    if (!numChars) {
        return BadField("numChars", "a whole number from 0 to 256");
    }
    metadata.version = static_cast<std::int16_t>(*version);
    metadata.bitsPerPixel = static_cast<std::uint8_t>(*bits);
    metadata.fontHeight = static_cast<std::uint8_t>(*height);
    metadata.numChars = static_cast<std::int16_t>(*numChars);
    return ReadOffsets(root.value(QLatin1String("offsets")), metadata);
}

// --- Writing the PNG ------------------------------------------------------------------------

struct PngWriteJob {
    int width;
    int height;
    png_bytepp rows;
    png_textp text;
    png_const_colorp palette;
    QByteArray* out;
};

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void FlushNothing(png_structp) {}

[[noreturn]] void LeaveOnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

// libpng reports an error by a long jump back into this function, so it holds nothing that
// would need destroying.
bool RunPngWrite(png_structp png, png_infop info, const PngWriteJob& job) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, job.out, AppendPngBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.width),
                 static_cast<png_uint_32>(job.height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, job.palette, SheetPaletteSize);
    png_set_text(png, info, job.text, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, PngCompressionLevel);
    png_write_info(png, info);
    png_write_image(png, job.rows);
    png_write_end(png, nullptr);
    return true;
}

bool WriteIndexedPng(std::vector<std::uint8_t>& pixels, QSize size, QByteArray json,
                     QByteArray& out) {
    std::vector<png_bytep> rows(static_cast<std::size_t>(size.height()));
    for (int y = 0; y < size.height(); ++y) {
        rows[static_cast<std::size_t>(y)] = pixels.data() + std::size_t(y) * size.width();
    }
    std::array<png_color, SheetPaletteSize> palette{};
    for (int i = 0; i < SheetPaletteSize; ++i) {
        const QRgb color = SheetPalette[static_cast<std::size_t>(i)];
        palette[static_cast<std::size_t>(i)] =
            png_color{static_cast<png_byte>(qRed(color)), static_cast<png_byte>(qGreen(color)),
                      static_cast<png_byte>(qBlue(color))};
    }
    QByteArray key(SheetTextKey);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = key.data();
    text.text = json.data();
    text.text_length = static_cast<png_size_t>(json.size());

    QByteArray written;
    const PngWriteJob job{size.width(), size.height(),  rows.data(),
                          &text,        palette.data(), &written};
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, LeaveOnPngError, IgnorePngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    const bool ok = info != nullptr && RunPngWrite(png, info, job);
    png_destroy_write_struct(&png, &info);
    if (ok) {
        out = std::move(written);
    }
    return ok;
}

// --- Reading the pixels ---------------------------------------------------------------------

// Walks the chunks of a PNG file before the decoder does. libpng sets aside as much memory as a
// chunk's length field claims before it reads the chunk, so a damaged length could ask for
// gigabytes; no chunk of an intact file is longer than the file. And libpng silently drops a text
// chunk whose checksum fails, which would turn a damaged sheet into one without metadata; the walk
// notes whether the file holds a fontlathe chunk at all.
SheetResult ScanChunks(QByteArrayView png, bool& holdsMetadata) {
    constexpr qsizetype SignatureSize = 8;
    constexpr qsizetype ChunkFrameSize = 12;                          // length, type and CRC
    const QByteArrayView keyword(SheetTextKey, sizeof(SheetTextKey)); // with its closing 0
    holdsMetadata = false;
    qsizetype position = SignatureSize;
    while (position + ChunkFrameSize <= png.size()) {
        const auto length = qFromBigEndian<quint32>(png.data() + position);
        if (length > quint64(png.size() - position - ChunkFrameSize)) {
            return SheetResult::Failure(
                SheetProblem::Unreadable,
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
    return SheetResult::Success();
}

std::uint8_t SheetIndexOf(QRgb color, const PaletteLookup& display) {
    const int alpha = qAlpha(color);
    if (alpha == 0) {
        return SheetOutsideIndex;
    }
    if (alpha != 255) {
        return UnknownIndex;
    }
    const int index = display.IndexOf(color);
    if (SameRgb(DisplayColors[static_cast<std::size_t>(index)], color)) {
        return static_cast<std::uint8_t>(index);
    }
    if (SameRgb(color, SheetOutsideColor)) {
        return SheetOutsideIndex;
    }
    return SameRgb(color, SheetGridColor) ? SheetGridIndex : UnknownIndex;
}

// A 16-bit colour is one of the sheet's only when every channel is an 8-bit value widened.
std::uint8_t SheetIndexOf(QRgba64 color, const PaletteLookup& display) {
    const auto narrow = [](quint16 channel) { return channel % 257 == 0; };
    if (color.alpha() == 0) {
        return SheetOutsideIndex;
    }
    if (!narrow(color.red()) || !narrow(color.green()) || !narrow(color.blue()) ||
        !narrow(color.alpha())) {
        return UnknownIndex;
    }
    return SheetIndexOf(color.toArgb32(), display);
}

// The sheet index of every pixel, row by row; UnknownIndex where a colour is none of the 18.
std::vector<std::uint8_t> ClassifyPixels(const QImage& image) {
    const PaletteLookup display(DisplayColorCount);
    const int width = image.width();
    std::vector<std::uint8_t> indices(std::size_t(width) * image.height());
    if (image.format() == QImage::Format_Indexed8) {
        std::array<std::uint8_t, 256> table;
        table.fill(UnknownIndex);
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
    if (image.depth() == 64 || image.format() == QImage::Format_Grayscale16) {
        const QRgba64 color = image.pixelColor(pixel).rgba64();
        return QStringLiteral("the 16-bit colour (%1, %2, %3, alpha %4) is none of the sheet's %5")
            .arg(color.red())
            .arg(color.green())
            .arg(color.blue())
            .arg(color.alpha())
            .arg(SheetPaletteSize);
    }
    const QRgb color = image.pixel(pixel);
    const QString alpha =
        qAlpha(color) == 255 ? QString() : QStringLiteral(", alpha %1").arg(qAlpha(color));
    return QStringLiteral("the colour (%1, %2, %3%4) is none of the sheet's %5")
        .arg(qRed(color))
        .arg(qGreen(color))
        .arg(qBlue(color))
        .arg(alpha)
        .arg(SheetPaletteSize);
}

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
SheetResult ScanCells(const QImage& image, const std::vector<std::uint8_t>& indices, QSize cell,
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
                if (index == UnknownIndex || index == SheetGridIndex) {
                    const QPoint pixel = origin + QPoint(x, y);
                    return SheetResult::Failure(SheetProblem::UnknownColor,
                                                DescribeStrayColor(image, pixel, index), code,
                                                pixel);
                }
                if (ink != (x < inkEnd)) {
                    return SheetResult::Failure(
                        SheetProblem::NotARectangle,
                        QStringLiteral("the ink is not one rectangle at the top-left of the cell"),
                        code, origin + QPoint(x, y));
                }
                if (ink && index >= indexLimit) {
                    return SheetResult::Failure(
                        SheetProblem::TooManyColors,
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
    return SheetResult::Success();
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

QSize SheetSizeFor(QSize cell) {
    return QSize(SheetSide(cell.width(), SheetColumns), SheetSide(cell.height(), SheetRows));
}

QSize DefaultSheetCell(const Charset& set) {
    int width = 0;
    int height = 0;
    for (const Glyph& glyph : set.glyphs) {
        if (glyph.present()) {
            width = std::max(width, glyph.width());
            height = std::max(height, glyph.height());
        }
    }
    if (width == 0) {
        return QSize(EmptySetCell, EmptySetCell);
    }
    return QSize(std::min(width + CellGrowth, MaxGlyphSide),
                 std::min(height + CellGrowth, MaxGlyphSide));
}

SheetResult EncodeSheet(const Charset& set, std::optional<QSize> chosenCell, QByteArray& png) {
    if (!Charset::IsValidBitsPerPixel(set.bitsPerPixel)) {
        return SheetResult::Failure(
            SheetProblem::NotExportable,
            QStringLiteral("the set has %1 bits per pixel; a font has 1, 2 or 4")
                .arg(set.bitsPerPixel));
    }
    if (set.numChars < 0 || set.numChars > GlyphSlotCount) {
        return SheetResult::Failure(SheetProblem::NotExportable,
                                    QStringLiteral("the set stores %1 characters; a font holds "
                                                   "0 to %2")
                                        .arg(set.numChars)
                                        .arg(GlyphSlotCount));
    }
    const QSize cell = chosenCell.value_or(DefaultSheetCell(set));
    if (cell.width() < 1 || cell.height() < 1 || cell.width() > MaxGlyphSide ||
        cell.height() > MaxGlyphSide) {
        return SheetResult::Failure(SheetProblem::NotExportable,
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
            return SheetResult::Failure(
                SheetProblem::CellTooSmall,
                QStringLiteral("the glyph is %1 x %2 pixels and does not fit a %3 x %4 cell")
                    .arg(glyph->width())
                    .arg(glyph->height())
                    .arg(cell.width())
                    .arg(cell.height()),
                code);
        }
        if (!InOffsetRange(glyph->xOffset) || !InOffsetRange(glyph->yOffset)) {
            return SheetResult::Failure(SheetProblem::NotExportable,
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
    if (!WriteIndexedPng(pixels, size, MetadataJson(set), png)) {
        return SheetResult::Failure(SheetProblem::Unwritable,
                                    QStringLiteral("the PNG image could not be made"));
    }
    return SheetResult::Success();
}

SheetResult DecodeSheet(QByteArrayView bytes, Charset& set) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    // The largest sheet in 16-bit RGBA takes 32 MB.
    reader.setAllocationLimit(64);
    if (!reader.canRead()) {
        return SheetResult::Failure(SheetProblem::Unreadable,
                                    QStringLiteral("it is not a PNG image"));
    }
    bool holdsMetadata = false;
    if (SheetResult intact = ScanChunks(bytes, holdsMetadata); !intact) {
        return intact;
    }
    const QSize size = reader.size();
    if (!size.isValid()) {
        return SheetResult::Failure(SheetProblem::Unreadable,
                                    QStringLiteral("the PNG image has no readable header"));
    }
    const QSize cell(CellSideOf(size.width(), SheetColumns), CellSideOf(size.height(), SheetRows));
    if (cell.width() == 0 || cell.height() == 0) {
        return SheetResult::Failure(
            SheetProblem::NotAGrid,
            QStringLiteral("the image is %1 x %2 pixels, no grid of 16 x 16 cells of 1 to %3 "
                           "pixels a side (16 x (width + 1) + 1 by 16 x (height + 1) + 1)")
                .arg(size.width())
                .arg(size.height())
                .arg(MaxGlyphSide));
    }
    const QImage image = reader.read();
    if (image.isNull() || image.size() != size) {
        return SheetResult::Failure(
            SheetProblem::Unreadable,
            QStringLiteral("the PNG image does not decode: %1").arg(reader.errorString()));
    }

    const QString text = image.text(QLatin1String(SheetTextKey));
    if (text.isNull() && holdsMetadata) {
        return SheetResult::Failure(SheetProblem::BadMetadata,
                                    QStringLiteral("the fontlathe chunk is damaged and can't be "
                                                   "read (its checksum or its data is wrong)"));
    }
    std::optional<SheetMetadata> metadata;
    if (!text.isNull()) {
        metadata.emplace();
        if (SheetResult read = ReadMetadata(text, *metadata); !read) {
            return read;
        }
    }

    const std::vector<std::uint8_t> indices = ClassifyPixels(image);
    const int indexLimit = metadata ? 1 << metadata->bitsPerPixel : DisplayColorCount;
    ScannedCells scanned;
    if (SheetResult cells = ScanCells(image, indices, cell, indexLimit, scanned); !cells) {
        return cells;
    }

    Charset loaded = set;
    loaded.NewCharset(metadata ? metadata->bitsPerPixel
                               : SmallestBitsPerPixel(scanned.highestIndex));
    if (metadata) {
        loaded.tag = metadata->tag;
        loaded.version = metadata->version;
        loaded.colorMap = metadata->colorMap;
        loaded.fontHeight = metadata->fontHeight;
        loaded.numChars = metadata->numChars;
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
    return SheetResult::Success();
}

SheetResult ExportSheet(const Charset& set, const QString& path, std::optional<QSize> cell) {
    QByteArray png;
    if (SheetResult encoded = EncodeSheet(set, cell, png); !encoded) {
        return encoded;
    }
    if (const FileResult written = WriteWholeFile(path, png); !written) {
        return SheetResult::Failure(SheetProblem::Unwritable, written.reason());
    }
    return SheetResult::Success();
}

SheetResult ImportSheet(Charset& set, const QString& path) {
    QByteArray bytes;
    if (const FileResult read =
            ReadWholeFile(path, MaxSheetFileSize, QStringLiteral("sheet"), bytes);
        !read) {
        return SheetResult::Failure(SheetProblem::Unreadable, read.reason());
    }
    return DecodeSheet(bytes, set);
}

} // namespace fontlathe
