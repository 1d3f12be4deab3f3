#include "GlyphCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace fontlathe {

GlyphCanvas::GlyphCanvas(const Charset& set, QWidget* parent) : QWidget(parent), set_(set) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(0, 0);
}

const QImage* GlyphCanvas::Raster() const {
    const Glyph* glyph = set_.GlyphAt(code_);
    return glyph ? &glyph->raster : nullptr;
}

void GlyphCanvas::Show(int code, int zoom) {
    code_ = code;
    zoom_ = std::max(1, zoom);
    const QImage* raster = Raster();
    const QSize size = raster ? raster->size() * zoom_ : QSize(0, 0);
    if (size != this->size()) {
        resize(size);
    }
    update();
}

void GlyphCanvas::ShowPixel(QPoint pixel) {
    update(QRect(pixel * zoom_, QSize(zoom_, zoom_)));
}

void GlyphCanvas::paintEvent(QPaintEvent* event) {
    const QImage* raster = Raster();
    if (raster == nullptr) {
        return;
    }
    // Draw only the raster pixels under the exposed area, each as a zoom x zoom block.
    const QRect exposed = event->rect().intersected(rect());
    if (exposed.isEmpty()) {
        return;
    }
    const int left = exposed.left() / zoom_;
    const int top = exposed.top() / zoom_;
    const int right = std::min(raster->width() - 1, exposed.right() / zoom_);
    const int bottom = std::min(raster->height() - 1, exposed.bottom() / zoom_);
    const QRect source(QPoint(left, top), QPoint(right, bottom));
    const QRect target(source.topLeft() * zoom_, source.size() * zoom_);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, *raster, source);
}

void GlyphCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Report(*event, CanvasAction::Paint);
    } else if (event->button() == Qt::RightButton) {
        Report(*event, CanvasAction::Pick);
    }
}

void GlyphCanvas::mouseMoveEvent(QMouseEvent* event) {
    const bool left = event->buttons() & Qt::LeftButton;
    const bool right = event->buttons() & Qt::RightButton;
    if (left != right) {
        Report(*event, left ? CanvasAction::Paint : CanvasAction::Pick);
    }
}

void GlyphCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit strokeEnded();
    }
}

void GlyphCanvas::Report(const QMouseEvent& event, CanvasAction action) {
    const QImage* raster = Raster();
    if (raster == nullptr) {
        return;
    }
    // Whole widget pixels first, then integer division, which truncates toward zero: a drag just
    // left of or above the canvas still reaches column or row 0, as the user expects of a stroke
    // that overshoots the edge a little.
    const QPoint widgetPixel(static_cast<int>(std::floor(event.position().x())),
                             static_cast<int>(std::floor(event.position().y())));
    const QPoint pixel(widgetPixel.x() / zoom_, widgetPixel.y() / zoom_);
    if (raster->rect().contains(pixel)) {
        emit pixelAction(pixel, action);
    }
}

} // namespace fontlathe
