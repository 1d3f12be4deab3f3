#include "charset/DisplayColors.h"
#include "editor/CharTableView.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QApplication>
#include <QBuffer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class ClipboardCommandsTest : public AppFixture {
protected:
    void CopyKey() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier); }
    void PasteKey() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    }
    void PutImage(const QImage& image, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, format));
        auto* data = new QMimeData;
        data->setData(u"image/"_s + QString::fromLatin1(format).toLower(), bytes);
        environment_.SetClipboardData(data);
    }
};

TEST_F(ClipboardCommandsTest, CopyOneGlyphAndPasteItOntoAnother) {
    Start();
    SetGlyph(
        set(), 65, 5, 7, [](int x, int y) { return (x + y) % 2; }, 1, -2);
    dispatcher().RefreshHeader();
    ClickRow(64); // absent: nothing to copy
    CopyKey();
    EXPECT_EQ(environment_.clipboardWrites, 0);
    ClickRow(65);
    CopyKey();
    ASSERT_NE(environment_.clipboard, nullptr);
    EXPECT_TRUE(environment_.clipboard->hasFormat(u"image/tiff"_s));
    EXPECT_EQ(state().clipOffsets.x, 1);
    EXPECT_EQ(state().clipOffsets.y, -2);

    ClickRow(66);
    PasteKey();
    EXPECT_EQ(set().glyphs[66].raster, set().glyphs[65].raster);
    EXPECT_EQ(set().glyphs[66].xOffset, 1);
    EXPECT_EQ(set().glyphs[66].yOffset, -2);
    EXPECT_EQ(window().charList()->charModel()->Text(66, CharTableModel::WidthColumn), u"5"_s);
    EXPECT_EQ(Text(Control::CharsFrame), u"Preferences of 2 chars (x) = not stored!"_s);

    // Outside the table neither command does anything.
    for (QWidget* field :
         {static_cast<QWidget*>(window().previewText()), Widget(Control::HeightField)}) {
        field->setFocus();
        CopyKey();
        PasteKey();
    }
    EXPECT_EQ(environment_.clipboardWrites, 1);
}

TEST_F(ClipboardCommandsTest, PasteWithoutAnImageStillSetsTheOffsets) {
    Start();
    SetGlyph(
        set(), 65, 3, 3, [](int x, int) { return x % 2; }, 3, 3);
    const QImage before = set().glyphs[65].raster;
    ClickRow(65);
    PasteKey();
    EXPECT_EQ(set().glyphs[65].raster, before);
    EXPECT_EQ(set().glyphs[65].xOffset, 0);
    EXPECT_EQ(set().glyphs[65].yOffset, 0);

    // Damaged TIFF data is no image either; an absent glyph stays absent but takes the offsets.
    auto* damaged = new QMimeData;
    damaged->setData(u"image/tiff"_s, QByteArray("II*\0\x08\0\0\0\xff\xff", 10));
    environment_.SetClipboardData(damaged);
    state().clipOffsets = {5, 6};
    ClickRow(70);
    PasteKey();
    EXPECT_FALSE(set().glyphs[70].present());
    EXPECT_EQ(set().glyphs[70].xOffset, 5);
    EXPECT_TRUE(environment_.messages.empty());
}

TEST_F(ClipboardCommandsTest, PastedPixelsSnapToTheSetsColors) {
    Start();
    dispatcher().MenuCommand(Menu::New4Colors);
    SetGlyph(set(), 65, 4, 1, [](int x, int) { return x; });
    ClickRow(65);
    CopyKey();
    dispatcher().MenuCommand(Menu::New2Colors);
    ClickRow(66);
    PasteKey();
    EXPECT_EQ(IndicesOf(set(), 66), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(set().glyphs[66].raster.pixel(2, 0), DisplayColors[0]);

    // An image from another program, with an anti-aliased edge.
    QImage smooth(3, 1, QImage::Format_RGB32);
    smooth.setPixel(0, 0, qRgb(255, 255, 255));
    smooth.setPixel(1, 0, qRgb(128, 200, 200));
    smooth.setPixel(2, 0, qRgb(0, 170, 170));
    PutImage(smooth, "PNG");
    PasteKey();
    EXPECT_EQ(IndicesOf(set(), 66), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(set().glyphs[66].raster.pixel(1, 0), DisplayColors[0]);
}

TEST_F(ClipboardCommandsTest, OversizedImagesAreNotPasted) {
    Start();
    SetGlyph(
        set(), 65, 2, 2, [](int, int) { return 1; }, 2, 2);
    const QImage before = set().glyphs[65].raster;
    QImage big(200, 20, QImage::Format_RGB32);
    big.fill(Qt::white);
    PutImage(big, "BMP");
    ClickRow(65);
    PasteKey();
    EXPECT_EQ(set().glyphs[65].raster, before);
    EXPECT_EQ(set().glyphs[65].xOffset, 0) << "the rest of the paste runs as without an image";
    ASSERT_EQ(environment_.messages.size(), 1u);
    EXPECT_TRUE(environment_.messages[0].text.contains(u"200 x 20"_s));
}

} // namespace
} // namespace fontlathe::test
