#pragma once

#include "MouseReportingWidget.h"
#include "charset/Charset.h"

namespace fontlathe {

// Shows one glyph of the set enlarged by a whole-number zoom, pixel for pixel, and reports the
// mouse. It paints straight from the glyph's raster, only the part that is exposed, so a large
// zoom costs no memory and a repaint costs no more than the visible area.
class GlyphCanvas : public MouseReportingWidget {
    Q_OBJECT
public:
    GlyphCanvas(const Charset& set, QWidget* parent);

    // Shows the glyph of code at zoom; an absent glyph (or code -1) shows nothing, size 0 x 0.
    void Show(int code, int zoom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* Raster() const;

    const Charset& set_;
    int code_ = -1;
    int zoom_ = 1;
};

} // namespace fontlathe
