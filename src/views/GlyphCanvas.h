#pragma once

#include "charset/Charset.h"
#include "edit/GlyphPainting.h"
#include "edit/LineGuides.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace fontlathe {

// What the canvas draws with the glyph: the guides of the line, a glyph faintly beneath it, and
// the selected pixels. With guides or a reference the canvas shows the whole line's height (and
// the reference's box), the cells outside the glyph's box paler.
struct CanvasOverlay {
    std::vector<LineGuide> guides;
    std::optional<Glyph> reference;
    std::optional<QRect> selection; // in glyph pixels
    bool floating = false;
    bool showLine = false;
};

// Shows one glyph of the set enlarged by a whole-number zoom, pixel for pixel, and turns the
// mouse into glyph pixels: a left press or a drag with the left button held paints, the same
// with the right button picks, a drag with both does neither; Shift and a drag with the left
// button selects a rectangle. It paints straight from the glyph's raster, only the part that is
// exposed, so a large zoom costs no memory and a repaint costs no more than the visible area.
class GlyphCanvas : public QWidget {
    Q_OBJECT
public:
    GlyphCanvas(const Charset& set, QWidget* parent);

    // Shows the glyph of code at zoom; an absent glyph (or code -1) shows nothing, size 0 x 0.
    void Show(int code, int zoom);
    void SetOverlay(CanvasOverlay overlay) { overlay_ = std::move(overlay); }
    // Repaints the one cell of glyph pixel `pixel`, after it changed.
    void ShowPixel(QPoint pixel);
    int zoom() const { return zoom_; }
    // The glyph pixels the canvas shows: the glyph's box, or more with guides or a reference.
    QRect Box() const;
    // The name of the guide at canvas row y (widget pixels), or an empty string.
    QString GuideAt(int y) const;

signals:
    // The mouse acted on a pixel of the glyph's raster.
    void pixelAction(QPoint pixel, fontlathe::CanvasAction action);
    // The left button was pressed without Shift, before any pixel it paints.
    void leftPressed();
    // The left button was released: a paint stroke ends.
    void strokeEnded();
    // Shift and a drag: the rectangle of glyph pixels from the press to the pointer.
    void selectionDragged(QRect rect);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const Glyph* ShownGlyph() const;
    bool ShowsMore() const { return overlay_.showLine || overlay_.reference.has_value(); }
    // The glyph pixel under the event; it may lie outside the raster.
    QPoint PixelAt(const QMouseEvent& event) const;
    void Report(const QMouseEvent& event, CanvasAction action);
    void PaintBox(QPainter& painter, const QRect& exposed) const;
    void PaintGuidesAndSelection(QPainter& painter) const;

    const Charset& set_;
    int code_ = -1;
    int zoom_ = 1;
    CanvasOverlay overlay_;
    std::optional<QPoint> selectFrom_;
};

} // namespace fontlathe
