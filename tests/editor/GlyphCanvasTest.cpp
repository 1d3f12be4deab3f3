#include "charset/DisplayColors.h"
#include "editor/CharTableView.h"
#include "editor/GlyphPainting.h"
#include "editor/GlyphView.h"
#include "editor/PaletteBar.h"
#include "support/AppFixture.h"
#include "support/SampleSets.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace fontlathe::test {
namespace {

class GlyphCanvasTest : public AppFixture {
protected:
    GlyphCanvas* Canvas() { return window().glyphView()->canvas(); }
    QWidget* Page() { return window().glyphView()->page(); }

    // Shows an 8 x 8 glyph of index 0 at code 65, selected, at the zoom given.
    void ShowBlank(int zoom, int bits = 1) {
        dispatcher().MenuCommand(bits == 1 ? Menu::New2Colors : Menu::New4Colors);
        set().fontHeight = 8;
        ClickRow(65);
        Click(Control::OnButton);
        window().SetStateIfChanged(Control::ZoomBar, zoom);
        dispatcher().ShowGlyph(65);
    }

    void Send(QWidget* target, QEvent::Type type, QPoint position, Qt::MouseButton button,
              Qt::MouseButtons held) {
        const QPointF local(position);
        QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    void LeftPress(QPoint at) {
        Send(Canvas(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    }
    void RightPress(QPoint at) {
        Send(Canvas(), QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
    }
    void DragTo(QPoint at, Qt::MouseButtons held) {
        Send(Canvas(), QEvent::MouseMove, at, Qt::NoButton, held);
    }
    void ClickPalette(int x, Qt::MouseButton button = Qt::LeftButton) {
        Send(window().paletteBar(), QEvent::MouseButtonPress, QPoint(x, 10), button, button);
        Send(window().paletteBar(), QEvent::MouseButtonRelease, QPoint(x, 10), button,
             Qt::NoButton);
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

TEST_F(GlyphCanvasTest, GeometryFollowsTheZoom) {
    Start();
    for (int zoom : {1, 10, 24}) {
        ShowBlank(zoom);
        EXPECT_EQ(Canvas()->geometry(), QRect(10, 10, 8 * zoom, 8 * zoom)) << "zoom " << zoom;
        EXPECT_EQ(Page()->size(), QSize(8 * zoom + 20, 8 * zoom + 20)) << "zoom " << zoom;
    }
    SetGlyph(set(), 66, 127, 127, [](int x, int y) { return (x ^ y) & 1; });
    ClickRow(66);
    EXPECT_EQ(Canvas()->size(), QSize(3048, 3048));
    ClickRow(67); // absent
    EXPECT_EQ(Canvas()->geometry(), QRect(0, 0, 0, 0));
    EXPECT_EQ(Page()->size(), QSize(0, 0));
    EXPECT_TRUE(Widget(Control::OnButton)->isEnabled());
    EXPECT_FALSE(Widget(Control::OffButton)->isEnabled());
}

TEST_F(GlyphCanvasTest, ShowsThePixelReplicatedRaster) {
    Start();
    SetGlyph(set(), 66, 9, 7, [](int x, int y) { return (x * 3 + y) % 4; });
    set().bitsPerPixel = 2;
    ClickRow(66);
    const QImage& raster = set().glyphs[66].raster;
    for (int zoom : {1, 3, 10, 24}) {
        window().SetStateIfChanged(Control::ZoomBar, zoom);
        dispatcher().ControlEvent(Control::ZoomBar);
        ExpectShowsRaster(Canvas(), raster, zoom, Canvas()->rect());
        // A repaint of a part that starts inside a block.
        ExpectShowsRaster(
            Canvas(), raster, zoom,
            QRect(zoom / 2, zoom + 1, 4 * zoom + 1, 2 * zoom + 3).intersected(Canvas()->rect()));
    }
}

TEST_F(GlyphCanvasTest, PaintingAtTheEdges) {
    Start();
    ShowBlank(10);
    state().selectedColor = 1;
    LeftPress(QPoint(79, 0));
    EXPECT_EQ(PixelIndex(7, 0), 1);
    LeftPress(QPoint(80, 5));
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(PixelIndex(7, y), y == 0 ? 1 : 0);
    }
    // A drag just left of the canvas still reaches column 0; a whole block further does not.
    LeftPress(QPoint(5, 5));
    DragTo(QPoint(-1, 15), Qt::LeftButton);
    EXPECT_EQ(PixelIndex(0, 1), 1);
    DragTo(QPoint(-10, 25), Qt::LeftButton);
    EXPECT_EQ(PixelIndex(0, 2), 0);
    DragTo(QPoint(35, 75), Qt::LeftButton);
    EXPECT_EQ(PixelIndex(3, 7), 1);
    // Moves without a button and releases paint nothing.
    DragTo(QPoint(45, 45), Qt::NoButton);
    Send(Canvas(), QEvent::MouseButtonRelease, QPoint(55, 55), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(PixelIndex(4, 4), 0);
    EXPECT_EQ(PixelIndex(5, 5), 0);
    // The table row shows the new pixel at once.
    EXPECT_EQ(window().charList()->charModel()->RowImage(65).pixel(7, 0), DisplayColors[1]);
    ExpectShowsRaster(Canvas(), set().glyphs[65].raster, 10, Canvas()->rect());
}

TEST_F(GlyphCanvasTest, RightPressPicksAndBothButtonsDoNothing) {
    Start();
    ShowBlank(10, 2);
    set().glyphs[65].raster.setPixel(2, 2, DisplayColors[2]);
    RightPress(QPoint(25, 25));
    EXPECT_EQ(state().selectedColor, 2);
    EXPECT_EQ(window().paletteBar()->selected(), 2);

    // A right press while the left button is held picks; a move with both held does nothing.
    state().selectedColor = 3;
    Send(Canvas(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton,
         Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(state().selectedColor, 0);
    state().selectedColor = 3;
    DragTo(QPoint(65, 65), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(PixelIndex(6, 6), 0);
    EXPECT_EQ(state().selectedColor, 3);

    ShowBlank(10, 1);
    set().glyphs[65].raster.setPixel(2, 2, DisplayColors[2]); // not a colour of a 2-colour set
    state().selectedColor = 1;
    RightPress(QPoint(25, 25));
    EXPECT_EQ(state().selectedColor, 0);
}

TEST_F(GlyphCanvasTest, PaintingAnAbsentGlyphChangesNothing) {
    Start();
    ClickRow(90);
    int selected = 1;
    PaintAt(set(), 90, 1, QPoint(0, 0), 10, selected);
    PaintAt(set(), -1, 1, QPoint(0, 0), 10, selected);
    EXPECT_FALSE(set().glyphs[90].present());
    CanvasMouseEvent move;
    move.kind = CanvasMouseEvent::Kind::Move;
    move.buttons = CanvasMouseEvent::LeftButton | CanvasMouseEvent::RightButton;
    EXPECT_EQ(CanvasPaintAction(move), 3);
    move.buttons = 0;
    EXPECT_EQ(CanvasPaintAction(move), 0);
}

TEST_F(GlyphCanvasTest, PaletteBarSelectsByTheSwatchPitchAndClamps) {
    Start();
    dispatcher().MenuCommand(Menu::New4Colors);
    ClickPalette(300);
    EXPECT_EQ(state().selectedColor, 3);
    ClickPalette(21);
    EXPECT_EQ(state().selectedColor, 0);
    ClickPalette(22);
    EXPECT_EQ(state().selectedColor, 1);
    ClickPalette(100, Qt::RightButton);
    EXPECT_EQ(state().selectedColor, 1);
    Send(window().paletteBar(), QEvent::MouseMove, QPoint(200, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(state().selectedColor, 1);

    set().bitsPerPixel = 4;
    ClickPalette(350);
    EXPECT_EQ(state().selectedColor, 15);
    dispatcher().MenuCommand(Menu::New2Colors);
    EXPECT_EQ(state().selectedColor, 1);
    EXPECT_EQ(window().paletteBar()->colorCount(), 2);
    ClickPalette(100);
    EXPECT_EQ(state().selectedColor, 1);

    // What the bar shows: dark grey, the swatches, the orange marker.
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
