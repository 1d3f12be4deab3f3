#pragma once

#include "GlyphCanvas.h"
#include "WheelNotches.h"

#include <QScrollArea>

class QLineEdit;

namespace fontlathe {

// The scroll area around the glyph canvas: the canvas sits 10 pixels in from every side of a
// grey page, which is the scrolled content. Ctrl+wheel anywhere over it asks for another zoom;
// a plain wheel scrolls. Below the page a field takes the glyph to draw faintly beneath this one,
// shown only while such a glyph is asked for.
class GlyphView : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int Margin = 10;

    GlyphView(const Charset& set, QWidget* parent);

    void Show(int code, int zoom);
    GlyphCanvas* canvas() const { return canvas_; }
    QWidget* page() const { return page_; }
    QLineEdit* referenceField() const { return referenceField_; }
    void ShowReferenceField(bool shown);

signals:
    // Ctrl+wheel: zoom in by steps (out when negative), one step a notch.
    void zoomStepRequested(int steps);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceReferenceBar();
    // True when the event was Ctrl+wheel, and so taken for the zoom.
    bool ZoomedByWheel(QWheelEvent& event);

    WheelNotches notches_;
    QWidget* page_;
    GlyphCanvas* canvas_;
    QWidget* referenceBar_;
    QLineEdit* referenceField_;
};

} // namespace fontlathe
