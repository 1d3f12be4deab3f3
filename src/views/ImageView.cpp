#include "ImageView.h"

#include <QPaintEvent>
#include <QPainter>

namespace fontlathe {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageView::wheelEvent(QWheelEvent* event) {
    const std::optional<int> steps = notches_.TakeZoom(*event);
    if (!steps) {
        event->ignore();
    } else if (*steps != 0) {
        emit zoomStepRequested(*steps);
    }
}

void ImageView::paintEvent(QPaintEvent* event) {
    if (image_.isNull()) {
        return;
    }
    QPainter painter(this);
    const QRect exposed = event->rect().intersected(image_.rect());
    painter.drawImage(exposed.topLeft(), image_, exposed);
}

} // namespace fontlathe
