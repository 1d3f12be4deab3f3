#include "editor/ClipboardImage.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"
#include "support/TiffSamples.h"

#include <QBuffer>
#include <QMimeData>

#include <tiffio.h>

#include <gtest/gtest.h>

namespace fontlathe {
namespace {

using test::TiffVariant;
using test::WriteTiff;

constexpr QRgb Background = 0xFF00AAAA;

QRgb Pattern(int x, int y) {
    return DisplayColors[std::size_t((x + 2 * y) % 16)];
}

void ExpectPattern(const DecodedImage& decoded, int width, int height, const char* what) {
    ASSERT_EQ(decoded.outcome, DecodedImage::Outcome::Image)
        << what << ": " << decoded.problem.toStdString();
    ASSERT_EQ(decoded.image.size(), QSize(width, height)) << what;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(decoded.image.pixel(x, y), Pattern(x, y)) << what << " at " << x << "," << y;
        }
    }
}

TEST(ClipboardImageTest, OwnTiffIsOpaqueRgbaAndRoundTrips) {
    QImage raster = MakeBlankRaster(7, 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            raster.setPixel(x, y, Pattern(x, y));
        }
    }
    const QByteArray tiff = EncodeTiff(raster);
    ASSERT_FALSE(tiff.isEmpty());
    ExpectPattern(DecodeTiff(tiff, 127, Background), 7, 5, "own");

    QMimeData* data = MakeClipboardData(raster);
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/tiff")));
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/png")));
    QImage png;
    ASSERT_TRUE(png.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), raster);
    ExpectPattern(ReadClipboardImage(data, 127), 7, 5, "clipboard");
    delete data;
}

TEST(ClipboardImageTest, TiffVariantsOtherProgramsWrite) {
    const TiffVariant variants[] = {
        {"rgb8", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_NONE},
        {"rgb8 packbits", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_PACKBITS},
        {"rgb8 lzw", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_LZW},
        {"rgb8 deflate", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_ADOBE_DEFLATE},
        {"rgba8", PHOTOMETRIC_RGB, 8, 4, COMPRESSION_NONE},
        {"rgb16", PHOTOMETRIC_RGB, 16, 3, COMPRESSION_NONE},
        {"rgba16 lzw", PHOTOMETRIC_RGB, 16, 4, COMPRESSION_LZW},
        {"palette", PHOTOMETRIC_PALETTE, 8, 1, COMPRESSION_PACKBITS},
    };
    for (const TiffVariant& variant : variants) {
        const QByteArray tiff = WriteTiff(variant, 9, 6, Pattern);
        ExpectPattern(DecodeTiff(tiff, 127, Background), 9, 6, variant.name);
    }
    const TiffVariant grey{"grey", PHOTOMETRIC_MINISBLACK, 8, 1, COMPRESSION_LZW};
    const DecodedImage decoded = DecodeTiff(
        WriteTiff(grey, 3, 1, [](int x, int) { return qRgb(x * 85, 0, 0); }), 127, Background);
    ASSERT_EQ(decoded.outcome, DecodedImage::Outcome::Image);
    EXPECT_EQ(decoded.image.pixel(2, 0), qRgb(170, 170, 170));
}

TEST(ClipboardImageTest, TransparencyBecomesBackground) {
    const TiffVariant rgba{"rgba8", PHOTOMETRIC_RGB, 8, 4, COMPRESSION_NONE};
    const QByteArray tiff = WriteTiff(rgba, 3, 1, [](int x, int) {
        return x == 0   ? qRgba(255, 255, 255, 0)
               : x == 1 ? qRgba(255, 255, 255, 255)
                        : qRgba(0, 0, 0, 128);
    });
    const DecodedImage decoded = DecodeTiff(tiff, 127, Background);
    ASSERT_EQ(decoded.outcome, DecodedImage::Outcome::Image);
    EXPECT_EQ(decoded.image.pixel(0, 0), Background);
    EXPECT_EQ(decoded.image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_NE(decoded.image.pixel(2, 0), Background) << "half transparent black is a mix";

    QImage transparent(2, 1, QImage::Format_ARGB32);
    transparent.setPixel(0, 0, qRgba(0, 0, 0, 0));
    transparent.setPixel(1, 0, qRgba(0, 0, 0, 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    transparent.save(&buffer, "PNG");
    QMimeData data;
    data.setData(QStringLiteral("image/png"), png);
    const DecodedImage fromPng = ReadClipboardImage(&data, 127);
    ASSERT_EQ(fromPng.outcome, DecodedImage::Outcome::Image);
    EXPECT_EQ(fromPng.image.pixel(0, 0), Background);
    EXPECT_EQ(fromPng.image.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(ClipboardImageTest, OtherImageTypesAreReadWhenThereIsNoTiff) {
    QImage image(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            image.setPixel(x, y, Pattern(x, y));
        }
    }
    for (const char* format : {"BMP", "PNG"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, format));
        QMimeData data;
        data.setText(QStringLiteral("not an image"));
        data.setData(QStringLiteral("image/") + QString::fromLatin1(format).toLower(), bytes);
        ExpectPattern(ReadClipboardImage(&data, 127), 4, 3, format);
    }
    // A TIFF that does not decode gives way to another image on the clipboard.
    QMimeData both;
    both.setData(QStringLiteral("image/tiff"), QByteArray("II*\0garbage", 11));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    both.setData(QStringLiteral("image/png"), png);
    ExpectPattern(ReadClipboardImage(&both, 127), 4, 3, "tiff then png");

    QMimeData text;
    text.setText(QStringLiteral("hello"));
    EXPECT_EQ(ReadClipboardImage(&text, 127).outcome, DecodedImage::Outcome::NotAnImage);
    EXPECT_EQ(ReadClipboardImage(nullptr, 127).outcome, DecodedImage::Outcome::NotAnImage);
}

TEST(ClipboardImageTest, OversizedImagesAreRefusedBeforeDecoding) {
    const TiffVariant rgb{"rgb8", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_NONE};
    const DecodedImage wide = DecodeTiff(WriteTiff(rgb, 128, 2, Pattern), 127, Background);
    EXPECT_EQ(wide.outcome, DecodedImage::Outcome::TooLarge);
    EXPECT_EQ(wide.size, QSize(128, 2));
    ExpectPattern(DecodeTiff(WriteTiff(rgb, 127, 127, Pattern), 127, Background), 127, 127, "127");

    // A header that claims 4 billion pixels a side, with nothing behind it: the width entry
    // (tag 256, one SHORT of 2) becomes one LONG of 0xFFFFFFFF.
    QByteArray hostile = EncodeTiff(MakeBlankRaster(2, 2));
    const qsizetype at = hostile.indexOf(QByteArray::fromHex("000103000100000002000000"));
    ASSERT_GE(at, 0);
    hostile.replace(at, 12, QByteArray::fromHex("0001040001000000ffffffff"));
    const DecodedImage huge = DecodeTiff(hostile, 127, Background);
    EXPECT_EQ(huge.outcome, DecodedImage::Outcome::TooLarge);

    QImage big(300, 10, QImage::Format_RGB32);
    big.fill(Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    big.save(&buffer, "PNG");
    QMimeData data;
    data.setData(QStringLiteral("image/png"), png);
    const DecodedImage fromPng = ReadClipboardImage(&data, 127);
    EXPECT_EQ(fromPng.outcome, DecodedImage::Outcome::TooLarge);
    EXPECT_EQ(fromPng.size, QSize(300, 10));
}

TEST(ClipboardImageTest, DamagedTiffNeverDecodesHalfway) {
    const TiffVariant lzw{"rgb8 lzw", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_LZW};
    const QByteArray whole = WriteTiff(lzw, 20, 20, Pattern);
    for (qsizetype length = 0; length < whole.size(); ++length) {
        const DecodedImage decoded =
            DecodeTiff(QByteArrayView(whole).first(length), 127, Background);
        EXPECT_NE(decoded.outcome, DecodedImage::Outcome::TooLarge) << length;
    }
    // Every byte flipped in turn: whatever comes out is an image of at most 127 a side, or none.
    for (qsizetype at = 0; at < whole.size(); ++at) {
        QByteArray damaged = whole;
        damaged[at] = char(~damaged[at]);
        const DecodedImage decoded = DecodeTiff(damaged, 127, Background);
        if (decoded.outcome == DecodedImage::Outcome::Image) {
            EXPECT_LE(decoded.image.width(), 127);
            EXPECT_LE(decoded.image.height(), 127);
        }
    }
    EXPECT_EQ(DecodeTiff(QByteArray(), 127, Background).outcome, DecodedImage::Outcome::NotAnImage);
    EXPECT_EQ(DecodeTiff(QByteArray("MM\0*\xff\xff\xff\xff", 8), 127, Background).outcome,
              DecodedImage::Outcome::NotAnImage);
}

TEST(ClipboardImageTest, SnapKeepsOnlyTheSetsOwnColors) {
    Charset set;
    set.NewCharset(1);
    test::SetGlyph(set, 5, 4, 1, [](int x, int) { return x; });
    set.glyphs[5].raster.setPixel(1, 0, qRgb(254, 255, 255)); // almost white
    SnapToDisplayColors(set, 5);
    EXPECT_EQ(test::IndicesOf(set, 5), (std::vector<int>{0, 0, 0, 0}));
    test::SetGlyph(set, 6, 2, 1, [](int x, int) { return x; });
    SnapToDisplayColors(set, 6);
    EXPECT_EQ(set.glyphs[6].raster.pixel(1, 0), DisplayColors[1]);
    SnapToDisplayColors(set, 7); // absent: nothing
    EXPECT_FALSE(set.glyphs[7].present());
}

} // namespace
} // namespace fontlathe
