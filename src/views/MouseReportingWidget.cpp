#include "MouseReportingWidget.h"

#include <QMouseEvent>

namespace fontlathe {

void MouseReportingWidget::mousePressEvent(QMouseEvent* event) {
    emit mouseEvent(ToCanvasMouseEvent(*event));
}

void MouseReportingWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseEvent(ToCanvasMouseEvent(*event));
}

void MouseReportingWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseEvent(ToCanvasMouseEvent(*event));
}

} // namespace fontlathe
