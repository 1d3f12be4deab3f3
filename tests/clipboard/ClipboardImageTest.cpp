#include "clipboard/ClipboardImage.h"
#include "charset/DisplayColors.h"
#include "support/TiffSamples.h"

#include <QBuffer>
#include <QMimeData>

#include <tiffio.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

constexpr QRgb Background = 0xFF00AAAA;

QRgb Pattern(int x, int y) {
    return DisplayColors[std::size_t((x + 2 * y) % 16)];
}

QMimeData* Offer(const QString& mimeType, const QByteArray& bytes,
                 QMimeData* data = new QMimeData) {
    data->setData(mimeType, bytes);
    return data;
}

QByteArray Saved(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The pattern at the size, its pixel (0, 0) replaced by first unless that is 0.
QImage PatternImage(QSize size, QRgb first = 0) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, x + y == 0 && first ? first : Pattern(x, y));
        }
    }
    return image;
}

void ExpectPattern(const DecodedImage& decoded, QSize size, const char* what, QRgb first = 0) {
    EXPECT_EQ(decoded.outcome, DecodedImage::Outcome::Image) << what;
    EXPECT_EQ(decoded.image, PatternImage(size, first)) << what;
}

TEST(ClipboardImageTest, ReadsItsOwnTiffAndTheTiffsOtherProgramsWrite) {
    const QImage raster = PatternImage({7, 5});
    std::unique_ptr<QMimeData> own(MakeClipboardData(raster));
    ExpectPattern(ReadClipboardImage(own.get(), 127), {7, 5}, "own");
    EXPECT_EQ(QImage::fromData(own->data(u"image/png"_s)).convertToFormat(QImage::Format_RGB32),
              raster);
    const TiffVariant variants[] = {
        {"rgb8", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_NONE},
        {"rgb8 packbits", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_PACKBITS},
        {"rgb8 lzw", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_LZW},
        {"rgb8 deflate", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_ADOBE_DEFLATE},
        {"rgb16", PHOTOMETRIC_RGB, 16, 3, COMPRESSION_NONE},
        {"palette", PHOTOMETRIC_PALETTE, 8, 1, COMPRESSION_PACKBITS},
        {"rgba8", PHOTOMETRIC_RGB, 8, 4, COMPRESSION_NONE},
        {"rgba16 lzw", PHOTOMETRIC_RGB, 16, 4, COMPRESSION_LZW}};
    for (const TiffVariant& variant : variants) {
        // With alpha, the first pixel is transparent white: the background shows through it.
        const bool alpha = variant.samplesPerPixel == 4;
        const QByteArray tiff = WriteTiff(variant, 9, 6, [alpha](int x, int y) {
            return x + y == 0 && alpha ? qRgba(255, 255, 255, 0) : Pattern(x, y);
        });
        ExpectPattern(DecodeTiff(tiff, 127, Background), {9, 6}, variant.name,
                      alpha ? Background : 0);
    }
    const TiffVariant grey{"grey", PHOTOMETRIC_MINISBLACK, 8, 1, COMPRESSION_LZW};
    const QByteArray greyTiff =
        WriteTiff(grey, 3, 1, [](int x, int) { return qRgb(x * 85, 0, 0); });
    EXPECT_EQ(DecodeTiff(greyTiff, 127, Background).image.pixel(2, 0), qRgb(170, 170, 170));
}

TEST(ClipboardImageTest, OversizedImagesAreRefusedBeforeDecoding) {
    const TiffVariant rgb{"rgb8", PHOTOMETRIC_RGB, 8, 3, COMPRESSION_NONE};
    const DecodedImage wide = DecodeTiff(WriteTiff(rgb, 128, 2, Pattern), 127, Background);
    EXPECT_EQ(wide.outcome, DecodedImage::Outcome::TooLarge);
    EXPECT_EQ(wide.size, QSize(128, 2));
    ExpectPattern(DecodeTiff(WriteTiff(rgb, 127, 127, Pattern), 127, Background), {127, 127},
                  "127");
    // A header that claims 4 billion pixels a side, with nothing behind it: the width entry (tag
    // 256, one SHORT of 2) becomes one LONG of 0xFFFFFFFF.
    QByteArray hostile = EncodeTiff(MakeBlankRaster(2, 2));
    const qsizetype at = hostile.indexOf(QByteArray::fromHex("000103000100000002000000"));
    ASSERT_GE(at, 0);
    hostile.replace(at, 12, QByteArray::fromHex("0001040001000000ffffffff"));
    EXPECT_EQ(DecodeTiff(hostile, 127, Background).outcome, DecodedImage::Outcome::TooLarge);
    // Where no TIFF decodes, other image types serve, their size read before they are decoded.
    QImage image(300, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    std::unique_ptr<QMimeData> data(Offer(u"image/png"_s, Saved(image, "PNG"),
                                          Offer(u"image/tiff"_s, QByteArray("II*\0garbage", 11))));
    const DecodedImage big = ReadClipboardImage(data.get(), 127);
    EXPECT_EQ(big.outcome, DecodedImage::Outcome::TooLarge);
    EXPECT_EQ(big.size, QSize(300, 10));
    data->setData(u"image/png"_s, Saved(image.copy(0, 0, 3, 2), "PNG"));
    const DecodedImage small = ReadClipboardImage(data.get(), 127);
    // Transparency shows the background.
    EXPECT_EQ(small.image.size(), QSize(3, 2));
    EXPECT_EQ(small.image.pixel(2, 1), Background);
    QMimeData text;
    text.setText(u"hello"_s);
    EXPECT_EQ(ReadClipboardImage(&text, 127).outcome, DecodedImage::Outcome::NotAnImage);
}

} // namespace
TEST(ClipboardImageTest, PastedPixelsTakeTheNearestColourOfTheSet) {
    Charset set;
    set.NewCharset(2);
    // Each pixel as another program may paint it, and the index it must become in 4 colours.
    const std::pair<QRgb, int> pixels[] = {
        {DisplayColors[0], 0},   {DisplayColors[1], 1}, {DisplayColors[2], 2},
        {DisplayColors[3], 3},   {qRgb(180, 12, 5), 3}, {qRgb(240, 250, 245), 1},
        {qRgb(10, 160, 175), 0}, {qRgb(30, 30, 30), 2}, {DisplayColors[4], 0},
    };
    QImage image(int(std::size(pixels)), 1, QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 0, pixels[x].first);
    }
    set.SlotAt(65)->raster = image;
    SnapToDisplayColors(set, 65);
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(set.glyphs()[65].raster.pixel(x, 0), DisplayColors[std::size_t(pixels[x].second)])
            << "pixel " << x;
    }
}

} // namespace fontlathe::test
