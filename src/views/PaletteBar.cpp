#include "PaletteBar.h"

#include "charset/DisplayColors.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace fontlathe {

PaletteBar::PaletteBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaletteBar::Show(int colorCount, int selected) {
    colorCount = std::clamp(colorCount, 0, DisplayColorCount);
    if (colorCount != colorCount_ || selected != selected_) {
        colorCount_ = colorCount;
        selected_ = selected;
        update();
    }
}

QString PaletteBar::SwatchToolTip(QPoint at) const {
    const int k = at.x() / SwatchPitch;
    if (at.x() < 0 || k >= colorCount_ || !rect().contains(at)) {
        return QString();
    }
    return QStringLiteral("Index %1: %2")
        .arg(k)
        .arg(QColor::fromRgb(DisplayColors[static_cast<std::size_t>(k)]).name().toUpper());
}

bool PaletteBar::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = SwatchToolTip(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        // Tied to the swatch's stretch of the bar, the tip follows the mouse to the next swatch.
        const int k = help->pos().x() / SwatchPitch;
        QToolTip::showText(help->globalPos(), text, this,
                           QRect(SwatchPitch * k, 0, SwatchPitch, height()));
    }
    return true;
}

void PaletteBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(BarColor));
    for (int k = 0; k < colorCount_; ++k) {
        painter.fillRect(SwatchPitch * k + 1, 1, 20, 28, QColor::fromRgb(DisplayColors[k]));
    }
    if (colorCount_ > 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(MarkerColor));
        painter.drawEllipse(QPointF(SwatchPitch * selected_ + 11, 15), 4, 4);
    }
}

void PaletteBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && colorCount_ > 0) {
        const int swatch = static_cast<int>(event->position().x()) / SwatchPitch;
        emit colorChosen(std::clamp(swatch, 0, colorCount_ - 1));
    }
}

} // namespace fontlathe
