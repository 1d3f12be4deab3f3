#pragma once

#include <QPoint>

namespace fontlathe {

// What a canvas reports of one mouse event: its kind, the position in whole canvas pixels from
// the top-left corner (outside the canvas during a drag), and the buttons held.
struct CanvasMouseEvent {
    enum class Kind { LeftPress, LeftRelease, RightPress, RightRelease, Move, Other };
    enum Button { LeftButton = 1, RightButton = 2 };

    Kind kind = Kind::Other;
    QPoint position;
    int buttons = 0;
};

} // namespace fontlathe

class QMouseEvent;

namespace fontlathe {

// The canvas form of a toolkit mouse event.
CanvasMouseEvent ToCanvasMouseEvent(const QMouseEvent& event);

} // namespace fontlathe
