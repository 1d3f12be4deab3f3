#pragma once

#include "GlyphCanvas.h"

#include <QScrollArea>

namespace fontlathe {

// The scroll area around the glyph canvas: the canvas sits 10 pixels in from every side of a
// grey page, which is the scrolled content.
class GlyphView : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int Margin = 10;

    GlyphView(const Charset& set, QWidget* parent);

    void Show(int code, int zoom);
    GlyphCanvas* canvas() const { return canvas_; }
    QWidget* page() const { return page_; }

private:
    QWidget* page_;
    GlyphCanvas* canvas_;
};

} // namespace fontlathe
