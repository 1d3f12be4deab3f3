// Writes the starting corpus of a fuzz target into a folder: "charset" for the CHAR decoder,
// "clipboard" for the clipboard image reader (a leading byte picks the image type), "sheet" for
// the glyph sheet reader (a leading byte picks a PNG file or a sheet built from the bytes),
// "bundle" for the bundle reader (two bytes give the index's length, then both files).
#include "charset/CharCodec.h"
#include "charset/DisplayColors.h"
#include "clipboard/TiffCodec.h"
#include "sheet/GlyphSheet.h"
#include "support/BundleBuilder.h"
#include "support/FaceSamples.h"
#include "support/SampleSets.h"
#include "support/TiffSamples.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <tiffio.h>

#include <cstdio>
#include <cstring>

using namespace fontlathe;

namespace {

bool Write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WriteSet(const QDir& folder, const QString& name, const Charset& set, DirtyBytes dirty) {
    EncodedBlock block;
    return EncodeCharset(set, dirty, block) && Write(folder, name, block.bytes);
}

bool WriteCharsetSeeds(const QDir& folder) {
    Charset empty;
    empty.NewCharset(1);
    bool ok = WriteSet(folder, QStringLiteral("new-2-colors.char"), empty, DirtyBytes::Off);
    for (int bits : {1, 2, 4}) {
        Charset set = test::VariedSet(bits, static_cast<std::uint32_t>(bits), 12);
        set.SetNumChars(200);
        ok = ok &&
             WriteSet(folder, QStringLiteral("varied-%1.char").arg(bits), set, DirtyBytes::Off);
        ok = ok && WriteSet(folder, QStringLiteral("varied-%1-dirty.char").arg(bits), set,
                            DirtyBytes::On);
    }
    // A small block whose two codes share one record, with the records out of order.
    QByteArray shared = test::HandMadeHeader(2, 4, 3);
    test::AppendLittle32(shared, 4 + 12 + 5);
    test::AppendLittle32(shared, 4 + 12);
    test::AppendLittle32(shared, 4 + 12);
    shared.append(QByteArray::fromHex("0301fe026c01010000c0"));
    return ok && Write(folder, QStringLiteral("shared-records.char"), shared);
}

QRgb Pattern(int x, int y) {
    return DisplayColors[static_cast<std::size_t>((x * 3 + y) % 16)];
}

bool WriteClipboardSeeds(const QDir& folder) {
    QImage raster = MakeBlankRaster(9, 7);
    for (int y = 0; y < raster.height(); ++y) {
        for (int x = 0; x < raster.width(); ++x) {
            raster.setPixel(x, y, Pattern(x, y));
        }
    }
    bool ok = Write(folder, QStringLiteral("own.tiff"), QByteArray(1, '\0') + EncodeTiff(raster));
    const test::TiffVariant variants[] = {
        {"rgb-lzw", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_LZW},
        {"rgba16-deflate", PHOTOMETRIC_RGB, 16, 4, COMPRESSION_ADOBE_DEFLATE},
        {"palette-packbits", PHOTOMETRIC_PALETTE, 8, 1, COMPRESSION_PACKBITS},
        {"grey", PHOTOMETRIC_MINISBLACK, 8, 1, COMPRESSION_NONE},
    };
    for (const test::TiffVariant& variant : variants) {
        ok = ok && Write(folder, QString::fromLatin1(variant.name) + QStringLiteral(".tiff"),
                         QByteArray(1, '\0') + test::WriteTiff(variant, 6, 5, Pattern));
    }
    const std::pair<char, const char*> others[] = {{'\1', "PNG"}, {'\2', "BMP"}};
    for (auto [selector, format] : others) {
        QByteArray bytes(1, selector);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::Append);
        ok = ok && raster.save(&buffer, format) &&
             Write(folder, QStringLiteral("image.") + QString::fromLatin1(format).toLower(), bytes);
    }
    return ok;
}

// Small sheets, so that every run of the fuzzer stays quick.
bool WriteSheetSeeds(const QDir& folder) {
    bool ok = true;
    for (int bits : {1, 2, 4}) {
        Charset set;
        set.NewCharset(bits);
        set.SetNumChars(static_cast<std::int16_t>(60 * bits));
        for (int code : {0, 33, 65, 66, 200, 255}) {
            test::SetGlyph(
                set, code, 1 + code % 5, 1 + code % 4,
                [&](int x, int y) { return (x + y + code) % set.ColorCount(); }, code % 7 - 3,
                3 - code % 5);
        }
        QByteArray png;
        ok = ok && EncodeSheet(set, std::nullopt, png);
        ok = ok &&
             Write(folder, QStringLiteral("sheet-%1.png").arg(bits), QByteArray(1, '\0') + png);
        QImage rgb = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32);
        QByteArray rgbPng(1, '\0');
        QBuffer buffer(&rgbPng);
        buffer.open(QIODevice::Append);
        ok = ok && rgb.save(&buffer, "PNG") &&
             Write(folder, QStringLiteral("sheet-%1-rgba.png").arg(bits), rgbPng);

        // The same set built by the fuzzer: cells of 4 x 4, the chunk, then the cells.
        const QByteArray json =
            QImage::fromData(png, "PNG").text(QLatin1String(SheetTextKey)).toLatin1();
        QByteArray built("\1\3\3");
        const int padded = (static_cast<int>(json.size()) + 3) / 4;
        built += static_cast<char>(padded);
        built += json.leftJustified(padded * 4, ' ');
        for (int code = 0; code <= 66; ++code) {
            const Glyph& glyph = set.glyphs()[static_cast<std::size_t>(code)];
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 4; ++x) {
                    const bool ink = x < glyph.width() && y < glyph.height();
                    built += static_cast<char>(ink ? set.PaletteIndexOf(glyph.raster.pixel(x, y))
                                                   : SheetOutsideIndex);
                }
            }
        }
        ok = ok && Write(folder, QStringLiteral("built-%1.bin").arg(bits), built);
    }
    return ok;
}

bool WriteBundleSeeds(const QDir& folder) {
    bool ok = true;
    for (int version : {5, 6, 7}) {
        test::BundleBuilder builder(version);
        builder.Room(1).Add("SCRP", 1, 6).Font(1, test::SampleFontBlock(1, 3, 1));
        builder.Add("SOUN", 1, 4).Room(2).Font(2, test::SampleFontBlock(2, 2, 2));
        const test::BuiltBundle built = builder.Build();
        QByteArray seed(2, '\0');
        seed[0] = static_cast<char>(built.index.size());
        seed[1] = static_cast<char>(built.index.size() >> 8);
        ok = ok && Write(folder, QStringLiteral("bundle-v%1.bin").arg(version),
                         seed + built.index + built.data);
    }
    return ok;
}

// The sample face in every format and layout the readers know, gzipped and not.
bool WriteFaceSeeds(const QDir& folder) {
    const test::SampleFace face = test::CellFace();
    const std::vector<std::pair<const char*, QByteArray>> files = {
        {"cell.bdf", test::BdfOf(face)},
        {"cell.pcf", test::PcfOf(face, {})},
        {"cell-lsb.pcf", test::PcfOf(face, {false, false, 1, 1, false})},
        {"cell-units.pcf", test::PcfOf(face, {true, false, 8, 4, true})},
        {"cell1.psf", test::PsfOf(face, 1, true)},
        {"cell2.psf", test::PsfOf(face, 2, true)},
        {"cell2-cp437.psf", test::PsfOf(face, 2, false)},
        {"cell.pcf.gz", test::Gzipped(test::PcfOf(face, {}))},
    };
    bool ok = true;
    for (const auto& [name, bytes] : files) {
        ok = ok && Write(folder, QString::fromLatin1(name), bytes);
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3 ||
        (std::strcmp(argv[1], "charset") != 0 && std::strcmp(argv[1], "clipboard") != 0 &&
         std::strcmp(argv[1], "sheet") != 0 && std::strcmp(argv[1], "bundle") != 0 &&
         std::strcmp(argv[1], "face") != 0)) {
        std::fprintf(stderr, "usage: %s charset|clipboard|sheet|bundle|face FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    bool ok = false;
    if (std::strcmp(argv[1], "charset") == 0) {
        ok = WriteCharsetSeeds(folder);
    } else if (std::strcmp(argv[1], "clipboard") == 0) {
        ok = WriteClipboardSeeds(folder);
    } else if (std::strcmp(argv[1], "bundle") == 0) {
        ok = WriteBundleSeeds(folder);
    } else if (std::strcmp(argv[1], "face") == 0) {
        ok = WriteFaceSeeds(folder);
    } else {
        ok = WriteSheetSeeds(folder);
    }
    return ok ? 0 : 1;
}
