#include "CanvasMouseEvent.h"

#include <QMouseEvent>

#include <cmath>

namespace fontlathe {

CanvasMouseEvent ToCanvasMouseEvent(const QMouseEvent& event) {
    CanvasMouseEvent canvasEvent;
    const bool press =
        event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
    const bool release = event.type() == QEvent::MouseButtonRelease;
    if (event.type() == QEvent::MouseMove) {
        canvasEvent.kind = CanvasMouseEvent::Kind::Move;
    } else if (event.button() == Qt::LeftButton && (press || release)) {
        canvasEvent.kind =
            press ? CanvasMouseEvent::Kind::LeftPress : CanvasMouseEvent::Kind::LeftRelease;
    } else if (event.button() == Qt::RightButton && (press || release)) {
        canvasEvent.kind =
            press ? CanvasMouseEvent::Kind::RightPress : CanvasMouseEvent::Kind::RightRelease;
    }
    // Whole pixels: a position just left of the canvas is -1, not 0.
    canvasEvent.position = QPoint(static_cast<int>(std::floor(event.position().x())),
                                  static_cast<int>(std::floor(event.position().y())));
    canvasEvent.buttons = (event.buttons() & Qt::LeftButton ? CanvasMouseEvent::LeftButton : 0) |
                          (event.buttons() & Qt::RightButton ? CanvasMouseEvent::RightButton : 0);
    return canvasEvent;
}

} // namespace fontlathe
