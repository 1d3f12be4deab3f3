#pragma once

#include "charset/Charset.h"
#include "edit/GlyphPainting.h"

#include <QWidget>

namespace fontlathe {

// Shows one glyph of the set enlarged by a whole-number zoom, pixel for pixel, and turns the
// mouse into glyph pixels: a left press or a drag with the left button held paints, the same
// with the right button picks, a drag with both does neither. It paints straight from the
// glyph's raster, only the part that is exposed, so a large zoom costs no memory and a repaint
// costs no more than the visible area.
class GlyphCanvas : public QWidget {
    Q_OBJECT
public:
    GlyphCanvas(const Charset& set, QWidget* parent);

    // Shows the glyph of code at zoom; an absent glyph (or code -1) shows nothing, size 0 x 0.
    void Show(int code, int zoom);
    // Repaints the one cell of glyph pixel `pixel`, after it changed.
    void ShowPixel(QPoint pixel);
    int zoom() const { return zoom_; }

signals:
    // The mouse acted on a pixel of the glyph's raster.
    void pixelAction(QPoint pixel, fontlathe::CanvasAction action);
    // The left button was released: a paint stroke ends.
    void strokeEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage* Raster() const;
    void Report(const QMouseEvent& event, CanvasAction action);

    const Charset& set_;
    int code_ = -1;
    int zoom_ = 1;
};

} // namespace fontlathe
