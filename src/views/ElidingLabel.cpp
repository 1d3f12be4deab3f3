#include "ElidingLabel.h"

#include <QPainter>
#include <QStyle>

namespace fontlathe {

void ElidingLabel::paintEvent(QPaintEvent* event) {
    const QRect room = contentsRect();
    if (fontMetrics().horizontalAdvance(text()) <= room.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(),
                          fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()),
                          foregroundRole());
}

} // namespace fontlathe
