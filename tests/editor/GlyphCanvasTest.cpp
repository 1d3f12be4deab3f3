#include "charset/DisplayColors.h"
#include "editor/CharTableView.h"
#include "editor/GlyphView.h"
#include "editor/PaletteBar.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QApplication>
#include <QMouseEvent>

namespace fontlathe::test {
namespace {

class GlyphCanvasTest : public AppFixture {
protected:
    GlyphCanvas* Canvas() { return window().glyphView()->canvas(); }

    // Shows an 8 x 8 glyph of index 0 at code 65, selected, at the zoom given.
    void ShowBlank(int zoom, int bits = 1) {
        dispatcher().MenuCommand(bits == 1 ? Menu::New2Colors : Menu::New4Colors);
        set().fontHeight = 8;
        ClickRow(65);
        Click(Control::OnButton);
        window().SetStateIfChanged(Control::ZoomBar, zoom);
        dispatcher().ControlEvent(Control::ZoomBar);
    }
    void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
              Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    void Press(QPoint at, Qt::MouseButton button) {
        Send(Canvas(), QEvent::MouseButtonPress, at, button, button);
    }
    void DragTo(QPoint at, Qt::MouseButtons held) {
        Send(Canvas(), QEvent::MouseMove, at, Qt::NoButton, held);
    }
    void ClickPalette(int x, Qt::MouseButton button = Qt::LeftButton) {
        Send(window().paletteBar(), QEvent::MouseButtonPress, QPoint(x, 10), button, button);
    }
    int PixelIndex(int x, int y) {
        return set().PaletteIndexOf(set().glyphs[65].raster.pixel(x, y));
    }
};

// What the canvas shows must be the raster with every pixel as a zoom x zoom block.
void ExpectShowsRaster(GlyphCanvas* canvas, const QImage& raster, int zoom, QRect area) {
    const QImage shown = canvas->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), area.size());
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const QPoint at = area.topLeft() + QPoint(x, y);
            ASSERT_EQ(shown.pixel(x, y), raster.pixel(at.x() / zoom, at.y() / zoom))
                << "zoom " << zoom << " at " << at.x() << "," << at.y();
        }
    }
}

TEST_F(GlyphCanvasTest, GeometryAndPixelsFollowTheZoom) {
    Start();
    for (int zoom : {1, 10, 24}) {
        ShowBlank(zoom);
        EXPECT_EQ(Canvas()->geometry(), QRect(10, 10, 8 * zoom, 8 * zoom)) << "zoom " << zoom;
        EXPECT_EQ(window().glyphView()->page()->size(), QSize(8 * zoom + 20, 8 * zoom + 20));
    }
    SetGlyph(set(), 66, 9, 7, [](int x, int y) { return (x * 3 + y) % 2; });
    ClickRow(66);
    for (int zoom : {1, 3, 24}) {
        window().SetStateIfChanged(Control::ZoomBar, zoom);
        dispatcher().ControlEvent(Control::ZoomBar);
        ExpectShowsRaster(Canvas(), set().glyphs[66].raster, zoom, Canvas()->rect());
        // A repaint of a part that starts inside a block.
        ExpectShowsRaster(
            Canvas(), set().glyphs[66].raster, zoom,
            QRect(zoom / 2, zoom + 1, 4 * zoom + 1, 2 * zoom + 3).intersected(Canvas()->rect()));
    }
    ClickRow(67); // absent
    EXPECT_EQ(Canvas()->geometry(), QRect(0, 0, 0, 0));
    EXPECT_EQ(window().glyphView()->page()->size(), QSize(0, 0));
}

TEST_F(GlyphCanvasTest, PaintingAtTheEdgesAndByDragging) {
    Start();
    ShowBlank(10);
    state().selectedColor = 1;
    Press(QPoint(79, 0), Qt::LeftButton);
    Press(QPoint(80, 5), Qt::LeftButton);
    EXPECT_EQ(PixelIndex(7, 0), 1);
    EXPECT_EQ(PixelIndex(7, 1) + PixelIndex(7, 5), 0);
    // A drag just left of the canvas still reaches column 0; a whole block further does not.
    Press(QPoint(5, 5), Qt::LeftButton);
    DragTo(QPoint(-1, 15), Qt::LeftButton);
    DragTo(QPoint(-10, 25), Qt::LeftButton);
    DragTo(QPoint(35, 75), Qt::LeftButton);
    EXPECT_EQ(PixelIndex(0, 1), 1);
    EXPECT_EQ(PixelIndex(0, 2), 0);
    EXPECT_EQ(PixelIndex(3, 7), 1);
    DragTo(QPoint(45, 45), Qt::NoButton);
    Send(Canvas(), QEvent::MouseButtonRelease, QPoint(55, 55), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(PixelIndex(4, 4) + PixelIndex(5, 5), 0) << "moves and releases paint nothing";
    EXPECT_EQ(window().charList()->charModel()->RowImage(65).pixel(7, 0), DisplayColors[1]);
    ExpectShowsRaster(Canvas(), set().glyphs[65].raster, 10, Canvas()->rect());
}

TEST_F(GlyphCanvasTest, RightPressPicksAndBothButtonsDoNothing) {
    Start();
    ShowBlank(10, 2);
    set().glyphs[65].raster.setPixel(2, 2, DisplayColors[2]);
    Press(QPoint(25, 25), Qt::RightButton);
    EXPECT_EQ(state().selectedColor, 2);
    EXPECT_EQ(window().paletteBar()->selected(), 2);
    state().selectedColor = 3;
    Send(Canvas(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton,
         Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(state().selectedColor, 0) << "a right press with the left held picks";
    state().selectedColor = 3;
    DragTo(QPoint(65, 65), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(PixelIndex(6, 6), 0);
    EXPECT_EQ(state().selectedColor, 3);

    ShowBlank(10, 1);
    set().glyphs[65].raster.setPixel(2, 2, DisplayColors[2]); // not a colour of a 2-colour set
    Press(QPoint(25, 25), Qt::RightButton);
    EXPECT_EQ(state().selectedColor, 0);
}

TEST_F(GlyphCanvasTest, PaletteBarSelectsByTheSwatchPitchAndClamps) {
    Start();
    dispatcher().MenuCommand(Menu::New4Colors);
    const std::pair<int, int> clicks[] = {{300, 3}, {21, 0}, {22, 1}};
    for (auto [x, index] : clicks) {
        ClickPalette(x);
        EXPECT_EQ(state().selectedColor, index) << "x " << x;
    }
    ClickPalette(100, Qt::RightButton);
    Send(window().paletteBar(), QEvent::MouseMove, QPoint(200, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(state().selectedColor, 1);
    set().bitsPerPixel = 4;
    ClickPalette(350);
    EXPECT_EQ(state().selectedColor, 15);
    dispatcher().MenuCommand(Menu::New2Colors);
    EXPECT_EQ(state().selectedColor, 1);

    const QImage bar =
        window().paletteBar()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(bar.pixel(0, 0), qRgb(64, 64, 64));
    EXPECT_EQ(bar.pixel(5, 5), DisplayColors[0]);
    EXPECT_EQ(bar.pixel(22 + 5, 5), DisplayColors[1]);
    EXPECT_EQ(bar.pixel(22 * 2 + 5, 5), qRgb(64, 64, 64));
    EXPECT_EQ(bar.pixel(22 + 11, 15), qRgb(255, 160, 0));
}

} // namespace
} // namespace fontlathe::test
