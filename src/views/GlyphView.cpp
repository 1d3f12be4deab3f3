#include "GlyphView.h"

#include <QPalette>

namespace fontlathe {

GlyphView::GlyphView(const Charset& set, QWidget* parent)
    : QScrollArea(parent), page_(new QWidget), canvas_(new GlyphCanvas(set, page_)) {
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(170, 170, 170));
    setPalette(grey);
    setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    page_->setAutoFillBackground(true);
    page_->resize(0, 0);
    setWidgetResizable(false);
    setWidget(page_);
    setFocusPolicy(Qt::NoFocus);
    canvas_->installEventFilter(this);
    page_->installEventFilter(this);
}

bool GlyphView::ZoomedByWheel(QWheelEvent& event) {
    const std::optional<int> steps = notches_.TakeZoom(event);
    if (steps.value_or(0) != 0) {
        emit zoomStepRequested(*steps);
    }
    return steps.has_value();
}

// The viewport hands on its own wheel events; a plain wheel scrolls.
void GlyphView::wheelEvent(QWheelEvent* event) {
    if (!ZoomedByWheel(*event)) {
        QScrollArea::wheelEvent(event);
    }
}

// Ctrl+wheel is taken where it happens: a wheel event that a program sends does not travel on
// from the canvas or the page to the viewport.
bool GlyphView::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == canvas_ || watched == page_) && event->type() == QEvent::Wheel &&
        ZoomedByWheel(*static_cast<QWheelEvent*>(event))) {
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

void GlyphView::Show(int code, int zoom) {
    canvas_->Show(code, zoom);
    const QSize canvasSize = canvas_->size();
    if (canvasSize.isEmpty()) {
        canvas_->move(0, 0);
        page_->resize(0, 0);
        return;
    }
    canvas_->move(Margin, Margin);
    page_->resize(canvasSize + QSize(2 * Margin, 2 * Margin));
}

} // namespace fontlathe
