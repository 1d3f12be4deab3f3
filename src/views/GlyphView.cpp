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
