#include "editor/ClipboardImage.h"
#include "charset/DisplayColors.h"
#include "support/SampleSets.h"
#include "support/TiffSamples.h"

#include <QBuffer>
#include <QMimeData>

#include <tiffio.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe {
namespace {

using test::TiffVariant;
using test::WriteTiff;

constexpr QRgb Background = 0xFF00AAAA;

QByteArray Saved(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

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
    EXPECT_TRUE(data->hasFormat(u"image/tiff"_s));
    EXPECT_TRUE(data->hasFormat(u"image/png"_s));
    QImage png;
    ASSERT_TRUE(png.loadFromData(data->data(u"image/png"_s), "PNG"));
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
        {"palette", PHOTOMETRIC_PALETTE, 8, 1, COMPRESSION_PACKBITS}};
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
    const DecodedImage decoded =
        DecodeTiff(WriteTiff(rgba, 3, 1,
                             [](int x, int) {
                                 return qRgba(255, 255, 255, x == 0 ? 0 : x == 1 ? 255 : 128);
                             }),
                   127, Background);
    ASSERT_EQ(decoded.outcome, DecodedImage::Outcome::Image);
    EXPECT_EQ(decoded.image.pixel(0, 0), Background);
    EXPECT_EQ(decoded.image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_NE(decoded.image.pixel(2, 0), Background) << "half transparent white is a mix";

    QImage transparent(2, 1, QImage::Format_ARGB32);
    transparent.setPixel(0, 0, qRgba(0, 0, 0, 0));
    transparent.setPixel(1, 0, qRgba(0, 0, 0, 255));
    QMimeData data;
    data.setData(u"image/png"_s, Saved(transparent, "PNG"));
    const DecodedImage fromPng = ReadClipboardImage(&data, 127);
    ASSERT_EQ(fromPng.outcome, DecodedImage::Outcome::Image);
    EXPECT_EQ(fromPng.image.pixel(0, 0), Background);
    EXPECT_EQ(fromPng.image.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(ClipboardImageTest, OtherImageTypesAreReadWhenThereIsNoUsableTiff) {
    QImage image(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            image.setPixel(x, y, Pattern(x, y));
        }
    }
    QMimeData bmp;
    bmp.setText(u"not an image"_s);
    bmp.setData(u"image/bmp"_s, Saved(image, "BMP"));
    ExpectPattern(ReadClipboardImage(&bmp, 127), 4, 3, "bmp");
    QMimeData both;
    both.setData(u"image/tiff"_s, QByteArray("II*\0garbage", 11));
    both.setData(u"image/png"_s, Saved(image, "PNG"));
    ExpectPattern(ReadClipboardImage(&both, 127), 4, 3, "tiff that does not decode, then png");
    QMimeData text;
    text.setText(u"hello"_s);
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
    QMimeData data;
    data.setData(u"image/png"_s, Saved(big, "PNG"));
    const DecodedImage fromPng = ReadClipboardImage(&data, 127);
    EXPECT_EQ(fromPng.outcome, DecodedImage::Outcome::TooLarge);
    EXPECT_EQ(fromPng.size, QSize(300, 10));
}

} // namespace
} // namespace fontlathe
