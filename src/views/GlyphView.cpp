#include "GlyphView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QResizeEvent>

namespace fontlathe {

GlyphView::GlyphView(const Charset& set, QWidget* parent)
    : QScrollArea(parent), page_(new QWidget), canvas_(new GlyphCanvas(set, page_)),
      referenceBar_(new QWidget(this)), referenceField_(new QLineEdit(referenceBar_)) {
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
    viewport()->installEventFilter(this);
    auto* row = new QHBoxLayout(referenceBar_);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(new QLabel(QStringLiteral("Reference:"), referenceBar_));
    row->addWidget(referenceField_);
    referenceField_->setPlaceholderText(QStringLiteral("a character or 0xNN"));
    referenceField_->setToolTip(
        QStringLiteral("The glyph drawn faintly beneath this one: a character or a code such as "
                       "0x73. Empty: the glyph this one was made from, or its base letter."));
    referenceBar_->setAutoFillBackground(true);
    referenceBar_->hide();
}

void GlyphView::ShowReferenceField(bool shown) {
    if (shown == referenceBar_->isVisible()) {
        return;
    }
    referenceBar_->setVisible(shown);
    setViewportMargins(0, 0, 0, shown ? referenceBar_->sizeHint().height() : 0);
    PlaceReferenceBar();
}

void GlyphView::resizeEvent(QResizeEvent* event) {
    if (event != nullptr) {
        QScrollArea::resizeEvent(event);
    }
    PlaceReferenceBar();
}

void GlyphView::PlaceReferenceBar() {
    // Below the viewport, in the room its margin leaves, beside the vertical scroll bar.
    const QRect viewportBox = viewport()->geometry();
    referenceBar_->setGeometry(viewportBox.left(), viewportBox.bottom() + 1, viewportBox.width(),
                               referenceBar_->sizeHint().height());
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
    if (watched == viewport() && event->type() == QEvent::Resize) {
        PlaceReferenceBar(); // a scroll bar came or went
    }
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
