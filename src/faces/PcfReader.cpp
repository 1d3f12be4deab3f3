// PCF, X11's compiled bitmap font: a table of contents and tables in either byte order.
#include "FaceFile.h"
#include "FaceReaders.h"
#include "PcfTableReader.h"

#include <QHash>

#include <cstdint>
#include <optional>
#include <vector>

namespace fontlathe {

namespace {

enum TableType : std::uint32_t {
    Properties = 1 << 0,
    Accelerators = 1 << 1,
    Metrics = 1 << 2,
    Bitmaps = 1 << 3,
    Encodings = 1 << 5,
    BdfAccelerators = 1 << 8,
};

constexpr std::uint32_t CompressedMetrics = 0x100;
constexpr std::uint32_t FormatMask = 0xFFFFFF00;
constexpr std::uint32_t BitOrderMsb = 1 << 3;
// Each glyph's decoded bits count towards this, so that glyphs sharing one bitmap can't make a
// small file fill the memory.
constexpr qint64 MaxDecodedBits = qint64(MaxFaceFileSize) * 8;

struct Metric {
    int left = 0, right = 0, width = 0, ascent = 0, descent = 0;
};

struct TableEntry {
    std::uint32_t format = 0;
    qint64 offset = 0;
    qint64 size = 0;
};

class PcfReader {
public:
    PcfReader(QByteArrayView bytes, BitmapFace& face) : bytes_(bytes), face_(face) {}

    Result Read() {
        TableReader toc(bytes_, 4, bytes_.size() - 4, 0);
        const std::uint32_t count = toc.U32();
        if (count > 64 || !toc.Has(qint64(count) * 16)) {
            return FaceFailure(4, QStringLiteral("the table of contents is cut short or names "
                                                 "%1 tables")
                                      .arg(count));
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t type = toc.U32();
            TableEntry entry;
            entry.format = toc.U32();
            entry.size = toc.U32();
            entry.offset = toc.U32();
            // X11's own writer gives the last table a size that may run past the file's end:
            // a table is read only up to that end.
            if (entry.offset >= bytes_.size()) {
                return FaceFailure(toc.at() - 16,
                                   QStringLiteral("a table starts past the end of the file"));
            }
            tables_.insert(type, entry);
        }
        for (const std::uint32_t needed : {Metrics, Bitmaps, Encodings}) {
            if (!tables_.contains(needed)) {
                return FaceFailure(4, QStringLiteral("the font has no %1 table")
                                          .arg(needed == Metrics   ? QStringLiteral("metrics")
                                               : needed == Bitmaps ? QStringLiteral("bitmaps")
                                                                   : QStringLiteral("encodings")));
            }
        }
        Result result = ReadProperties();
        if (result) {
            result = ReadMetrics();
        }
        if (result) {
            result = ReadAccelerators();
        }
        if (result) {
            result = ReadBitmaps();
        }
        if (result) {
            result = ReadEncodings();
        }
        return result;
    }

private:
    // A cursor on the table of that type, past its format word, which must repeat the table of
    // contents' one.
    std::optional<TableReader> Open(std::uint32_t type, Result& refused) {
        const TableEntry entry = tables_.value(type);
        TableReader reader(bytes_, entry.offset, entry.size, entry.format);
        if (reader.FormatLsb() != entry.format || reader.failed()) {
            refused = FaceFailure(entry.offset, QStringLiteral("the table's format is not the "
                                                               "one its entry gives"));
            return std::nullopt;
        }
        return reader;
    }

    static Result CutShort(const TableReader& reader) {
        return FaceFailure(reader.end(), QStringLiteral("a table is cut short"));
    }

    Result ReadProperties() {
        if (!tables_.contains(Properties)) {
            return Result::Success();
        }
        Result refused = Result::Success();
        std::optional<TableReader> reader = Open(Properties, refused);
        if (!reader) {
            return refused;
        }
        const std::int32_t count = reader->I32();
        if (count < 0 || !reader->Has(qint64(count) * 9)) {
            return CutShort(*reader);
        }
        struct Property {
            std::int32_t name;
            bool isString;
            std::int32_t value;
        };
        std::vector<Property> properties(static_cast<std::size_t>(count));
        for (Property& property : properties) {
            property.name = reader->I32();
            property.isString = reader->U8() != 0;
            property.value = reader->I32();
        }
        reader->Skip((count & 3) == 0 ? 0 : 4 - (count & 3));
        const std::int32_t stringSize = reader->I32();
        const qint64 strings = reader->at();
        if (reader->failed() || stringSize < 0 || !reader->Has(stringSize)) {
            return CutShort(*reader);
        }
        const QByteArrayView text = bytes_.sliced(strings, stringSize);
        const auto stringAt = [&text](std::int32_t at) -> QString {
            if (at < 0 || at >= text.size()) {
                return {};
            }
            const QByteArrayView rest = text.sliced(at);
            const qsizetype end = rest.indexOf('\0');
            return QString::fromLatin1(end < 0 ? rest : rest.first(end));
        };
        for (const Property& property : properties) {
            properties_.insert(stringAt(property.name), property.isString
                                                            ? stringAt(property.value)
                                                            : QString::number(property.value));
        }
        return Result::Success();
    }

    Result ReadMetrics() {
        Result refused = Result::Success();
        std::optional<TableReader> reader = Open(Metrics, refused);
        if (!reader) {
            return refused;
        }
        const std::uint32_t format = tables_.value(Metrics).format;
        const bool compressed = (format & FormatMask) == CompressedMetrics;
        // The compressed count is an unsigned 16-bit number: a face may have 65,535 glyphs.
        const qint64 count = compressed ? qint64(reader->U16()) : qint64(reader->I32());
        if (count < 0 || !reader->Has(count * (compressed ? 5 : 12))) {
            return CutShort(*reader);
        }
        metrics_.resize(static_cast<std::size_t>(count));
        for (Metric& metric : metrics_) {
            if (compressed) {
                metric = {reader->U8() - 0x80, reader->U8() - 0x80, reader->U8() - 0x80,
                          reader->U8() - 0x80, reader->U8() - 0x80};
            } else {
                metric = {reader->I16(), reader->I16(), reader->I16(), reader->I16(),
                          reader->I16()};
                reader->U16();
            }
        }
        return Result::Success();
    }

    Result ReadAccelerators() {
        std::optional<int> ascent, descent;
        const std::uint32_t type = tables_.contains(BdfAccelerators)
                                       ? std::uint32_t(BdfAccelerators)
                                   : tables_.contains(Accelerators) ? std::uint32_t(Accelerators)
                                                                    : 0;
        if (type != 0) {
            Result refused = Result::Success();
            std::optional<TableReader> reader = Open(type, refused);
            if (!reader) {
                return refused;
            }
            reader->Skip(8);
            ascent = reader->I32();
            descent = reader->I32();
            if (reader->failed()) {
                return CutShort(*reader);
            }
        }
        const auto property = [this](const QString& name, std::optional<int> fallback) {
            bool ok = false;
            const int value = properties_.value(name).toInt(&ok);
            return ok ? std::optional<int>(value) : fallback;
        };
        // Without either, the tallest glyph gives the line.
        int tallest = 0, deepest = 0;
        for (const Metric& metric : metrics_) {
            tallest = std::max(tallest, metric.ascent);
            deepest = std::max(deepest, metric.descent);
        }
        face_.ascent =
            std::clamp(ascent.value_or(property(QStringLiteral("FONT_ASCENT"), tallest).value()),
                       -MaxFaceGlyphSide, MaxFaceGlyphSide);
        face_.descent =
            std::clamp(descent.value_or(property(QStringLiteral("FONT_DESCENT"), deepest).value()),
                       -MaxFaceGlyphSide, MaxFaceGlyphSide);
        face_.pixelSize =
            std::clamp(property(QStringLiteral("PIXEL_SIZE"), face_.LineHeight()).value(), 0,
                       MaxFaceGlyphSide);
        face_.name = properties_.value(QStringLiteral("FAMILY_NAME"),
                                       properties_.value(QStringLiteral("FONT")));
        return Result::Success();
    }

    Result ReadBitmaps() {
        Result refused = Result::Success();
        std::optional<TableReader> reader = Open(Bitmaps, refused);
        if (!reader) {
            return refused;
        }
        const std::uint32_t format = tables_.value(Bitmaps).format;
        const std::int32_t count = reader->I32();
        if (count < 0 || static_cast<std::size_t>(count) != metrics_.size() ||
            !reader->Has(qint64(count) * 4 + 16)) {
            return FaceFailure(tables_.value(Bitmaps).offset,
                               QStringLiteral("the bitmaps table holds %1 glyphs where the "
                                              "metrics hold %2")
                                   .arg(count)
                                   .arg(metrics_.size()));
        }
        std::vector<std::uint32_t> offsets(static_cast<std::size_t>(count));
        for (std::uint32_t& offset : offsets) {
            offset = reader->U32();
        }
        std::uint32_t sizes[4];
        for (std::uint32_t& size : sizes) {
            size = reader->U32();
        }
        const qint64 data = reader->at();
        const qint64 dataSize = sizes[format & 3];
        if (!reader->Has(dataSize)) {
            return CutShort(*reader);
        }
        const int pad = 1 << (format & 3);
        const int unit = 1 << ((format >> 4) & 3);
        const bool msbBits = (format & BitOrderMsb) != 0;
        const bool swapUnits = msbBits != ((format & ByteOrderMsb) != 0) && unit > 1;
        qint64 decodedBits = 0;
        bitmaps_.resize(static_cast<std::size_t>(count));
        for (std::size_t index = 0; index < offsets.size(); ++index) {
            const Metric& metric = metrics_[index];
            const int width = metric.right - metric.left;
            const int height = metric.ascent + metric.descent;
            if (width < 0 || height < 0 || width > MaxFaceGlyphSide || height > MaxFaceGlyphSide) {
                return FaceFailure(
                    tables_.value(Metrics).offset,
                    QStringLiteral("glyph %1 is %2 x %3 pixels").arg(index).arg(width).arg(height));
            }
            const int stride = ((width + 8 * pad - 1) / (8 * pad)) * pad;
            decodedBits += qint64(stride) * 8 * height;
            if (qint64(offsets[index]) + qint64(stride) * height > dataSize ||
                decodedBits > MaxDecodedBits) {
                return FaceFailure(data, QStringLiteral("glyph %1's bitmap lies outside the "
                                                        "bitmap data")
                                             .arg(index));
            }
            FaceGlyph& glyph = bitmaps_[index];
            glyph.advance = metric.width;
            glyph.box = QRect(metric.left, -metric.ascent, width, height);
            glyph.bits.assign(static_cast<std::size_t>(glyph.Stride() * height), 0);
            for (int row = 0; row < height; ++row) {
                const qint64 rowStart = data + offsets[index] + qint64(row) * stride;
                for (int byte = 0; byte < glyph.Stride(); ++byte) {
                    // Scan units are counted from the start of the bitmap data, as X11 swaps the
                    // whole block.
                    qint64 source = rowStart + byte;
                    if (swapUnits) {
                        const qint64 within = (source - data) % unit;
                        source += unit - 1 - 2 * within;
                        if (source >= data + dataSize) {
                            return FaceFailure(data, QStringLiteral("glyph %1's bitmap lies "
                                                                    "outside the bitmap data")
                                                         .arg(index));
                        }
                    }
                    auto value = static_cast<std::uint8_t>(bytes_[source]);
                    if (!msbBits) {
                        value = Reversed(value);
                    }
                    glyph.bits[static_cast<std::size_t>(row * glyph.Stride() + byte)] = value;
                }
                if (const int spare = width % 8; spare != 0) {
                    glyph.bits[static_cast<std::size_t>(row * glyph.Stride() + glyph.Stride() -
                                                        1)] &=
                        static_cast<std::uint8_t>(0xFF00 >> spare);
                }
            }
        }
        return Result::Success();
    }

    Result ReadEncodings() {
        Result refused = Result::Success();
        std::optional<TableReader> reader = Open(Encodings, refused);
        if (!reader) {
            return refused;
        }
        const int firstColumn = reader->I16(), lastColumn = reader->I16();
        const int firstRow = reader->I16(), lastRow = reader->I16();
        reader->I16(); // the default character
        const qint64 columns = lastColumn - firstColumn + 1, rows = lastRow - firstRow + 1;
        if (firstColumn < 0 || firstRow < 0 || lastColumn > 255 || lastRow > 255 || columns < 1 ||
            rows < 1 || !reader->Has(columns * rows * 2)) {
            return FaceFailure(tables_.value(Encodings).offset,
                               QStringLiteral("the encodings table is damaged or cut short"));
        }
        const EncodingKeys keys(properties_.value(QStringLiteral("CHARSET_REGISTRY")),
                                properties_.value(QStringLiteral("CHARSET_ENCODING")), face_.notes);
        face_.glyphs.reserve(bitmaps_.size());
        // Each encoding gets a copy of its glyph: the copies together are held to the size of
        // the largest file, so that one bitmap named by every encoding can't fill the memory.
        qint64 copied = 0;
        for (qint64 row = firstRow; row <= lastRow; ++row) {
            for (qint64 column = firstColumn; column <= lastColumn; ++column) {
                const std::uint16_t index = reader->U16();
                if (index == 0xFFFF) {
                    continue;
                }
                if (index >= bitmaps_.size()) {
                    return FaceFailure(reader->at() - 2,
                                       QStringLiteral("an encoding names glyph %1 of %2")
                                           .arg(index)
                                           .arg(bitmaps_.size()));
                }
                const long encoding = static_cast<long>(row * 256 + column);
                if (const std::optional<char32_t> character = keys.CharacterOf(encoding)) {
                    copied += static_cast<qint64>(bitmaps_[index].bits.size()) + 64;
                    if (copied > MaxFaceFileSize) {
                        return FaceFailure(tables_.value(Encodings).offset,
                                           QStringLiteral("its encodings name more glyph bitmaps "
                                                          "than a face holds"));
                    }
                    face_.glyphs.try_emplace(*character, bitmaps_[index]);
                }
            }
        }
        return Result::Success();
    }

    static std::uint8_t Reversed(std::uint8_t byte) {
        byte = static_cast<std::uint8_t>((byte & 0xF0) >> 4 | (byte & 0x0F) << 4);
        byte = static_cast<std::uint8_t>((byte & 0xCC) >> 2 | (byte & 0x33) << 2);
        return static_cast<std::uint8_t>((byte & 0xAA) >> 1 | (byte & 0x55) << 1);
    }

    QByteArrayView bytes_;
    BitmapFace& face_;
    QHash<std::uint32_t, TableEntry> tables_;
    QHash<QString, QString> properties_;
    std::vector<Metric> metrics_;
    std::vector<FaceGlyph> bitmaps_;
};

} // namespace

Result ReadPcf(QByteArrayView bytes, BitmapFace& face) {
    return PcfReader(bytes, face).Read();
}

} // namespace fontlathe
