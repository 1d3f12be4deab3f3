#include "sheet/GlyphSheet.h"
#include "support/SampleSets.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

using test::ExpectSameSet;
using test::SetGlyph;

QByteArray Sheet(const Charset& set, std::optional<QSize> cell = std::nullopt) {
    QByteArray png;
    const Result result = EncodeSheet(set, cell, png);
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return png;
}

QImage ImageOf(const QByteArray& png) {
    return QImage::fromData(png, "PNG");
}

QByteArray PngOf(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return png;
}

Charset ImportOf(const QByteArray& png) {
    Charset set;
    const Result result = DecodeSheet(png, set);
    EXPECT_TRUE(result.ok()) << result.reason().toStdString();
    return set;
}

// A 2-bit set with two small glyphs; its default cell is 7 x 6, so code 65 stands at (9, 29).
Charset SmallSet() {
    Charset set;
    set.NewCharset(2);
    set.SetNumChars(70);
    SetGlyph(
        set, 65, 3, 2, [](int x, int y) { return (x + y) % 4; }, -1, 2);
    SetGlyph(set, 66, 2, 2, [](int, int) { return 3; });
    return set;
}

TEST(GlyphSheetTest, RandomSetsOfEveryDepthComeBackAndSaveByteForByte) {
    for (int bits : {1, 2, 4}) {
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            Charset set = test::VariedSet(bits, seed * 31 + bits);
            set.SetNumChars(static_cast<std::int16_t>(seed * 70 % 256));
            set.SetTag({'\0', '"', '\xE9', 'Z'});
            set.SetColorMapEntry(14, 255);
            const std::string what =
                "bits " + std::to_string(bits) + " seed " + std::to_string(seed);
            Charset imported = test::VariedSet(4, 99);
            ASSERT_TRUE(DecodeSheet(Sheet(set), imported).ok()) << what;
            ExpectSameSet(imported, set, what);
            EXPECT_EQ(test::Encoded(imported), test::Encoded(set)) << what;
        }
    }
}

TEST(GlyphSheetTest, LayoutPaletteAndChunk) {
    const QByteArray png = Sheet(SmallSet());
    // IHDR: 16 x 8 + 1 by 16 x 7 + 1, 8 bits, colour type 3; then the palette and the tEXt.
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 16), 129u);
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 20), 113u);
    EXPECT_EQ(png.mid(24, 2), QByteArray::fromHex("0803"));
    const qsizetype palette = png.indexOf("PLTE");
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + palette - 4), 54u);
    EXPECT_EQ(png.mid(palette + 4 + 48, 6), QByteArray::fromHex("ff00ff404040"));
    EXPECT_GT(png.indexOf("tEXtfontlathe\0{\"format\":1,"_ba), palette);

    const QImage image = ImageOf(png);
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    const auto index = [&](int x, int y) { return image.pixelIndex(x, y); };
    EXPECT_EQ(index(0, 50), SheetGridIndex);
    EXPECT_EQ(index(16, 50), SheetGridIndex);
    EXPECT_EQ(index(50, 112), SheetGridIndex);
    EXPECT_EQ(index(9, 29), 0);  // code 65, pixel (0, 0)
    EXPECT_EQ(index(11, 30), 3); // code 65, pixel (2, 1)
    EXPECT_EQ(index(12, 29), SheetOutsideIndex);
    EXPECT_EQ(index(1, 29), SheetOutsideIndex); // code 64 is absent
}

TEST(GlyphSheetTest, CellSizes) {
    Charset set = SmallSet();
    EXPECT_EQ(DefaultSheetCell(set), QSize(7, 6));
    SetGlyph(set, 200, 125, 1, [](int, int) { return 0; });
    EXPECT_EQ(DefaultSheetCell(set), QSize(127, 6));
    set.NewCharset(1);
    EXPECT_EQ(DefaultSheetCell(set), QSize(8, 8));

    const Charset small = SmallSet();
    EXPECT_EQ(ImageOf(Sheet(small, QSize(3, 2))).size(), QSize(65, 49));
    QByteArray png;
    const Result refused = EncodeSheet(small, QSize(2, 9), png);
    EXPECT_EQ(refused.problem(), ResultKind::CellTooSmall);
    EXPECT_EQ(refused.code(), 65);
    EXPECT_TRUE(png.isEmpty());
}

TEST(GlyphSheetTest, SheetDrawnFromScratchWithAGrownGlyph) {
    // Cells of 5 x 4, no grid lines drawn: a glyph that fills its cell, one of only background,
    // then one in index 5.
    QImage image(SheetSizeFor(QSize(5, 4)), QImage::Format_RGB32);
    image.fill(SheetOutsideColor);
    const auto paint = [&](int code, int width, int height, int first) {
        const QPoint origin((code % 16) * 6 + 1, (code / 16) * 5 + 1);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(origin + QPoint(x, y), DisplayColors[first + x % 3]);
            }
        }
    };
    paint(65, 5, 4, 1);
    paint(66, 1, 1, 0);
    const Charset twoBit = ImportOf(PngOf(image));
    EXPECT_EQ(twoBit.bitsPerPixel(), 2) << "indices 0 to 3";
    Charset expected;
    expected.NewCharset(2);
    SetGlyph(expected, 65, 5, 4, [](int x, int) { return 1 + x % 3; });
    SetGlyph(expected, 66, 1, 1, [](int, int) { return 0; });
    ExpectSameSet(twoBit, expected, "from scratch");

    paint(67, 1, 1, 5);
    EXPECT_EQ(ImportOf(PngOf(image)).bitsPerPixel(), 4);

    // A glyph grown in a paint program keeps the header and offsets of the chunk.
    const Charset set = SmallSet();
    QImage exported = ImageOf(Sheet(set));
    for (int x = 9; x < 14; ++x) {
        exported.setPixel(x, 31, 2);
    }
    for (int x = 12; x < 14; ++x) {
        exported.setPixel(x, 29, 1);
        exported.setPixel(x, 30, 1);
    }
    const Charset grown = ImportOf(PngOf(exported));
    EXPECT_EQ(grown.numChars(), 70);
    EXPECT_EQ(test::Describe(grown, 65), u"5x3 -1,2 012111231122222"_s);
}

TEST(GlyphSheetTest, RgbRgbaWideAndOtherPalettesReadAsTheIndexedSheet) {
    // Glyphs of at most 30 a side keep the pixel loops below short.
    Charset set = test::VariedSet(4, 7);
    for (int code = 0; code < GlyphSlotCount; ++code) {
        if (set.glyphs()[code].width() > 30 || set.glyphs()[code].height() > 30) {
            set.ClearGlyph(code);
        }
    }
    const QImage indexed = ImageOf(Sheet(set));
    QImage rgba = indexed.convertToFormat(QImage::Format_ARGB32);
    // "Outside" may be any colour of alpha 0.
    for (int y = 0; y < rgba.height(); ++y) {
        for (int x = 0; x < rgba.width(); ++x) {
            if (indexed.pixelIndex(x, y) == SheetOutsideIndex) {
                rgba.setPixel(x, y, qRgba(x % 256, y % 256, 7, 0));
            }
        }
    }
    QImage reordered = indexed;
    QList<QRgb> table = indexed.colorTable();
    std::reverse(table.begin(), table.end());
    reordered.setColorTable(table);
    for (int y = 0; y < reordered.height(); ++y) {
        for (int x = 0; x < reordered.width(); ++x) {
            reordered.setPixel(x, y, SheetPaletteSize - 1 - indexed.pixelIndex(x, y));
        }
    }
    const std::pair<const char*, QImage> variants[] = {
        {"rgb", indexed.convertToFormat(QImage::Format_RGB32)},
        {"rgba", rgba},
        {"rgba64", indexed.convertToFormat(QImage::Format_RGBA64)},
        {"reversed palette", reordered},
    };
    for (const auto& [name, image] : variants) {
        ASSERT_FALSE(image.text(QLatin1String(SheetTextKey)).isEmpty()) << name;
        ExpectSameSet(ImportOf(PngOf(image)), set, name);
    }
}

// Each refused sheet names what it can, and the set it was read into stays exactly as it was.
TEST(GlyphSheetTest, RefusalsLeaveTheSetAsItWas) {
    const QImage base = ImageOf(Sheet(SmallSet()));
    const auto edited = [&](const std::function<void(QImage&)>& edit) {
        QImage image = base.convertToFormat(QImage::Format_ARGB32);
        edit(image);
        return PngOf(image);
    };
    const auto withText = [&](const QString& text) {
        return edited([&](QImage& image) { image.setText(QLatin1String(SheetTextKey), text); });
    };
    const QString valid = base.text(QLatin1String(SheetTextKey));
    QString later = valid;
    later.replace(u"\"format\":1"_s, u"\"format\":2"_s);
    QString tooMany = valid;
    tooMany.replace(u"\"numChars\":70"_s, u"\"numChars\":300"_s);
    QByteArray hugeChunk = Sheet(SmallSet());
    qToBigEndian<quint32>(0x7FFFFFF0, hugeChunk.data() + hugeChunk.indexOf("tEXt") - 4);
    QByteArray damagedChunk = Sheet(SmallSet());
    damagedChunk[damagedChunk.indexOf("numChars")] = 'N';
    QString twice = valid;
    twice.replace(u"{\"code\":66"_s, u"{\"code\":65"_s);

    struct Refusal {
        const char* name;
        QByteArray png;
        ResultKind problem;
        int code;
        std::optional<QPoint> pixel;
    };
    const Refusal refusals[] = {
        {"no PNG", "GIF89a"_ba, ResultKind::Unreadable, -1, {}},
        {"cut short", Sheet(SmallSet()).chopped(30), ResultKind::Unreadable, -1, {}},
        {"chunk longer than the file", hugeChunk, ResultKind::Unreadable, -1, {}},
        {"no grid", PngOf(base.copy(0, 0, 128, 113)), ResultKind::NotAGrid, -1, {}},
        {"stray colour", edited([](QImage& i) { i.setPixel(10, 30, qRgb(1, 2, 3)); }),
         ResultKind::UnknownColor, 65, QPoint(10, 30)},
        {"half transparent", edited([](QImage& i) { i.setPixel(20, 29, qRgba(0, 0, 0, 128)); }),
         ResultKind::UnknownColor, 66, QPoint(20, 29)},
        {"grid colour in a cell", edited([](QImage& i) { i.setPixel(3, 3, SheetGridColor); }),
         ResultKind::UnknownColor, 0, QPoint(3, 3)},
        {"hole", edited([](QImage& i) { i.setPixel(10, 30, SheetOutsideColor); }),
         ResultKind::NotARectangle, 65, QPoint(10, 30)},
        {"stray ink", edited([](QImage& i) { i.setPixel(14, 33, DisplayColors[1]); }),
         ResultKind::NotARectangle, 65, QPoint(14, 33)},
        {"index 5 in 2 bits", edited([](QImage& i) { i.setPixel(18, 30, DisplayColors[5]); }),
         ResultKind::TooManyColors, 66, QPoint(18, 30)},
        {"not JSON", withText(u"{\"format\":1,"_s), ResultKind::BadMetadata, -1, {}},
        {"chunk fails its checksum", damagedChunk, ResultKind::BadMetadata, -1, {}},
        {"numChars 300", withText(tooMany), ResultKind::BadMetadata, -1, {}},
        {"offsets twice", withText(twice), ResultKind::BadMetadata, 65, {}},
        {"later format", withText(later), ResultKind::LaterFormat, -1, {}},
    };
    const Charset before = test::VariedSet(1, 3);
    for (const Refusal& refusal : refusals) {
        Charset set = before;
        const Result result = DecodeSheet(refusal.png, set);
        EXPECT_EQ(result.problem(), refusal.problem) << refusal.name;
        EXPECT_EQ(result.code(), refusal.code) << refusal.name;
        EXPECT_EQ(result.pixel(), refusal.pixel) << refusal.name;
        if (refusal.pixel) {
            const QString where =
                u"pixel (%1, %2)"_s.arg(refusal.pixel->x()).arg(refusal.pixel->y());
            EXPECT_TRUE(result.reason().contains(where)) << result.reason().toStdString();
        }
        ExpectSameSet(set, before, refusal.name);
    }
    Charset set;
    EXPECT_TRUE(DecodeSheet(refusals[4].png, set)
                    .reason()
                    .contains(u"the colour #010203 is none a sheet may hold: indices 0 to 15 are "
                              u"#00AAAA #FFFFFF"_s));
}

TEST(GlyphSheetTest, FilesAreWrittenWholeOrNotAtAll) {
    QTemporaryDir folder;
    const QString path = folder.filePath(u"sheet.png"_s);
    const Charset set = SmallSet();
    ASSERT_TRUE(ExportSheet(set, path).ok());
    Charset imported;
    ASSERT_TRUE(ImportSheet(imported, path).ok());
    ExpectSameSet(imported, set, "through a file");

    const QByteArray before = test::ReadBytes(path);
    EXPECT_EQ(ExportSheet(set, path, QSize(1, 1)).problem(), ResultKind::CellTooSmall);
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(ExportSheet(set, folder.path()).problem(), ResultKind::Unwritable);
    EXPECT_EQ(ImportSheet(imported, folder.filePath(u"none.png"_s)).problem(),
              ResultKind::Unreadable);
}

} // namespace
} // namespace fontlathe
