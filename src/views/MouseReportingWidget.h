#pragma once

#include "edit/CanvasMouseEvent.h"

#include <QWidget>

namespace fontlathe {

// A surface the program draws into that reports every press, release and move of the mouse in
// canvas terms; what the events mean is decided by whoever listens.
class MouseReportingWidget : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void mouseEvent(const CanvasMouseEvent& event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace fontlathe
