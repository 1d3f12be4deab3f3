#include "ImageView.h"

#include <QPaintEvent>
#include <QPainter>

namespace fontlathe {

// The view paints every pixel it covers itself, so a new image repaints the view alone and not
// the frame behind it.
ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageView::SetGuide(int x) {
    if (x != guide_) {
        guide_ = x;
        update();
    }
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
    QPainter painter(this);
    const QRegion outside = QRegion(event->rect()) - QRegion(image_.rect());
    for (const QRect& part : outside) {
        painter.fillRect(part, palette().window());
    }
    const QRect exposed = event->rect().intersected(image_.rect());
    if (!exposed.isEmpty()) {
        painter.drawImage(exposed.topLeft(), image_, exposed);
    }
    if (guide_ >= 0 && guide_ < image_.width()) {
        painter.fillRect(QRect(guide_, 0, 1, image_.height()).intersected(event->rect()),
                         QColor::fromRgb(GuideColor));
    }
}

} // namespace fontlathe
