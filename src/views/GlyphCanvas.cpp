#include "GlyphCanvas.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace fontlathe {

GlyphCanvas::GlyphCanvas(const Charset& set, QWidget* parent)
    : MouseReportingWidget(parent), set_(set) {
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

} // namespace fontlathe
