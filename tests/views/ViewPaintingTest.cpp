#include "charset/DisplayColors.h"
#include "render/TextPreview.h"
#include "support/AppFixture.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"
#include "views/PaletteBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace fontlathe::test {
namespace {

class ViewPaintingTest : public AppFixture {
protected:
    GlyphCanvas* Canvas() { return window().glyphView()->canvas(); }
    void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
              Qt::MouseButtons held) {
        QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Send(Canvas(), QEvent::MouseButtonPress, at, button, button);
    }
    void DragTo(QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
        Send(Canvas(), QEvent::MouseMove, at, Qt::NoButton, held);
    }
    // The widget, painted for the area alone, shows the image scaled up at the offset, and the
    // fill colour around it.
    void ExpectShows(QWidget* widget, QRect area, const QImage& image, int scale,
                     QPoint offset = {}, QRgb fill = 0) {
        QImage expected(widget->size(), QImage::Format_RGB32);
        expected.fill(fill);
        QPainter(&expected).drawImage(offset, image.scaled(image.size() * scale));
        EXPECT_TRUE(widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32) ==
                    expected.copy(area))
            << "scale " << scale << ", area at " << area.x() << "," << area.y();
    }
};

TEST_F(ViewPaintingTest, TheCanvasShowsTheRasterScaledWhateverPartIsRepainted) {
    Start();
    ChangeSet(
        [&](Charset& s) { SetGlyph(s, 66, 9, 7, [](int x, int y) { return (x * 3 + y) % 2; }); });
    ClickRow(66);
    for (int zoom : {1, 3, 24}) {
        static_cast<QSlider*>(Widget(Control::ZoomBar))->setValue(zoom);
        EXPECT_EQ(Canvas()->geometry(), QRect(10, 10, 9 * zoom, 7 * zoom));
        EXPECT_EQ(window().glyphView()->page()->size(), QSize(9 * zoom + 20, 7 * zoom + 20));
        ExpectShows(Canvas(), Canvas()->rect(), set().glyphs()[66].raster, zoom);
        // A part that starts and ends inside blocks.
        ExpectShows(Canvas(), QRect(zoom / 2, zoom + 1, 4 * zoom + 1, 2 * zoom + 3),
                    set().glyphs()[66].raster, zoom);
    }
    ClickRow(67); // absent
    EXPECT_EQ(window().glyphView()->page()->size() + Canvas()->size(), QSize(0, 0));
}

TEST_F(ViewPaintingTest, PaintsAtTheEdgesAndByDraggingAndPicksWithTheRightButton) {
    Start();
    dispatcher().MenuCommand(Menu::New4Colors);
    ChangeSet([&](Charset& s) { s.SetFontHeight(8); });
    ClickRow(65);
    Click(Control::OnButton);
    window().SetTextIfChanged(Control::PreviewText, u"A"_s);
    state().selectedColor = 1;
    Press(QPoint(79, 0));
    Press(QPoint(80, 5)); // one past the last column
    // A drag just left of the canvas still reaches column 0; a whole block further does not.
    Press(QPoint(5, 5));
    DragTo(QPoint(-1, 15));
    DragTo(QPoint(-10, 25));
    DragTo(QPoint(35, 75));
    DragTo(QPoint(45, 45), Qt::NoButton);
    Send(Canvas(), QEvent::MouseButtonRelease, QPoint(55, 55), Qt::LeftButton, Qt::NoButton);
    DragTo(QPoint(65, 65), Qt::LeftButton | Qt::RightButton); // both buttons: nothing
    const QString painted = u"10000001 10000000 00000000 00000000 00000000 00000000 00000000 "
                            u"00010000"_s;
    EXPECT_EQ(Describe(set(), 65), u"8x8 0,0 "_s + QString(painted).remove(u' '));
    EXPECT_TRUE(window().charList()->charModel()->RowImage(65) == set().glyphs()[65].raster);
    ExpectShows(Canvas(), Canvas()->rect(), set().glyphs()[65].raster, 10);
    EXPECT_EQ(window().previewImage()->image(), RenderPreview(set(), u"A"_s, 2)) << "the preview";

    ChangeSet([&](Charset& s) { s.SlotAt(65)->raster.setPixel(2, 2, DisplayColors[2]); });
    Press(QPoint(25, 25), Qt::RightButton);
    EXPECT_EQ(window().paletteBar()->selected(), 2);
    Send(Canvas(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton,
         Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(state().selectedColor, 1) << "a right press with the left held picks";
    ChangeSet([&](Charset& s) {
        s.SlotAt(65)->raster.setPixel(2, 2, DisplayColors[7]);
    }); // not a colour of a 4-colour set
    Press(QPoint(25, 25), Qt::RightButton);
    EXPECT_EQ(state().selectedColor, 0);
    // The palette bar picks by its swatch pitch, never past the set's colours.
    for (auto [x, index] : {std::pair{21, 0}, {22, 1}, {300, 3}}) {
        Send(window().paletteBar(), QEvent::MouseButtonPress, {x, 10}, Qt::LeftButton,
             Qt::LeftButton);
        EXPECT_EQ(state().selectedColor, index) << "x " << x;
    }
    dispatcher().MenuCommand(Menu::New2Colors);
    EXPECT_EQ(window().paletteBar()->selected(), 1);
}

TEST_F(ViewPaintingTest, TheTablePaintsARowImageOnceTwoPixelsInOnSelectedAndPlainRows) {
    Start();
    const auto letterF = [](int x, int y) { return x == 0 || y == 0 || (y == 3 && x < 3) ? 1 : 2; };
    ChangeSet([&](Charset& s) { SetGlyph(s, 65, 5, 7, letterF); });
    ChangeSet([&](Charset& s) { SetGlyph(s, 66, 5, 7, letterF); });
    ChangeSet([&](Charset& s) {
        SetGlyph(s, 90, 2, 40, [](int, int) { return 1; });
    }); // every row is as tall as this one
    presenter().RefreshAll(0);
    ClickRow(65);
    CharTableView* table = window().charList();
    table->scrollTo(table->model()->index(65, 0), QAbstractItemView::PositionAtTop);
    QRgb backgrounds[2] = {};
    for (int row : {65, 66}) {
        const QRect cell = table->visualRect(table->model()->index(row, 0));
        ASSERT_GT(cell.height(), 40);
        backgrounds[row - 65] = table->viewport()->grab(cell).toImage().pixel(0, cell.height() - 1);
        ExpectShows(table->viewport(), cell, set().glyphs()[65].raster, 1,
                    cell.topLeft() + QPoint(2, 2), backgrounds[row - 65]);
    }
    EXPECT_NE(backgrounds[0], backgrounds[1]) << "the selected row shows its selection";
}

TEST_F(ViewPaintingTest, TheTableNeverLosesItsSelectionAndItsRowsFitTheirImages) {
    Start();
    ClickRow(10);
    CharTableView* table = window().charList();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      table->visualRect(table->model()->index(10, 2)).center());
    EXPECT_EQ(window().CurrentRow(), 10);
    QTest::keyClick(table, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_NE(window().CurrentRow(), -1);
    const int normal = table->rowHeight(0);
    ChangeSet([&](Charset& s) { SetGlyph(s, 70, 4, 40, [](int, int) { return 1; }); });
    presenter().RefreshChar(70);
    EXPECT_EQ(table->rowHeight(0), 44);
    ChangeSet([&](Charset& s) { SetGlyph(s, 71, 4, 127, [](int, int) { return 1; }); });
    presenter().RefreshAll(71);
    EXPECT_EQ(table->rowHeight(255), CharTableView::MaxRowHeight);
    dispatcher().MenuCommand(Menu::New2Colors);
    EXPECT_EQ(table->rowHeight(0), normal);
}

} // namespace
} // namespace fontlathe::test
