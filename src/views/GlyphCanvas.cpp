#include "GlyphCanvas.h"

#include "charset/DisplayColors.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace fontlathe {

namespace {

constexpr QRgb GuideColor = qRgb(255, 140, 0);

// A colour halfway to white: the cells outside the glyph's box.
QRgb Paler(QRgb color) {
    return qRgb((qRed(color) + 255) / 2, (qGreen(color) + 255) / 2, (qBlue(color) + 255) / 2);
}

// A reference pixel shows faintly through the background: a third of its colour.
QRgb Faint(QRgb background, QRgb ink) {
    const auto mix = [](int b, int i) { return (2 * b + i) / 3; };
    return qRgb(mix(qRed(background), qRed(ink)), mix(qGreen(background), qGreen(ink)),
                mix(qBlue(background), qBlue(ink)));
}

} // namespace

GlyphCanvas::GlyphCanvas(const Charset& set, QWidget* parent) : QWidget(parent), set_(set) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(0, 0);
}

const Glyph* GlyphCanvas::ShownGlyph() const {
    return set_.GlyphAt(code_);
}

QRect GlyphCanvas::Box() const {
    const Glyph* glyph = ShownGlyph();
    if (glyph == nullptr) {
        return {};
    }
    QRect box = glyph->raster.rect();
    if (overlay_.showLine) {
        box |= QRect(0, -glyph->yOffset, glyph->width(), set_.fontHeight());
    }
    if (const std::optional<Glyph>& reference = overlay_.reference;
        reference && reference->present()) {
        box |= QRect(reference->xOffset - glyph->xOffset, reference->yOffset - glyph->yOffset,
                     reference->width(), reference->height());
    }
    return box;
}

void GlyphCanvas::Show(int code, int zoom) {
    code_ = code;
    zoom_ = std::max(1, zoom);
    const QSize size = ShownGlyph() ? Box().size() * zoom_ : QSize(0, 0);
    if (size != this->size()) {
        resize(size);
    }
    update();
}

void GlyphCanvas::ShowPixel(QPoint pixel) {
    update(QRect((pixel - Box().topLeft()) * zoom_, QSize(zoom_, zoom_)));
}

void GlyphCanvas::paintEvent(QPaintEvent* event) {
    const Glyph* glyph = ShownGlyph();
    // Draw only the pixels under the exposed area, each as a zoom x zoom block.
    const QRect exposed = event->rect().intersected(rect());
    if (glyph == nullptr || exposed.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (ShowsMore()) {
        PaintBox(painter, exposed);
    } else {
        const QImage& raster = glyph->raster;
        const int right = std::min(raster.width() - 1, exposed.right() / zoom_);
        const int bottom = std::min(raster.height() - 1, exposed.bottom() / zoom_);
        const QRect source(QPoint(exposed.left() / zoom_, exposed.top() / zoom_),
                           QPoint(right, bottom));
        painter.drawImage(QRect(source.topLeft() * zoom_, source.size() * zoom_), raster, source);
    }
    PaintGuidesAndSelection(painter);
}

// The whole box as one small image: the glyph's pixels, the cells beyond it paler, and the
// reference's ink faintly where the glyph shows its background.
void GlyphCanvas::PaintBox(QPainter& painter, const QRect& exposed) const {
    const Glyph& glyph = *ShownGlyph();
    const QRect box = Box();
    QImage shown(box.size(), QImage::Format_RGB32);
    const Glyph* reference = overlay_.reference ? &*overlay_.reference : nullptr;
    const QPoint referenceAt =
        reference ? QPoint(reference->xOffset - glyph.xOffset, reference->yOffset - glyph.yOffset)
                  : QPoint();
    for (int y = 0; y < box.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < box.width(); ++x) {
            const QPoint pixel = QPoint(x, y) + box.topLeft();
            const bool inside = glyph.raster.rect().contains(pixel);
            QRgb color = inside ? glyph.raster.pixel(pixel) : DisplayColors[0];
            if (reference && SameRgb(color, DisplayColors[0]) &&
                reference->raster.rect().contains(pixel - referenceAt)) {
                if (const QRgb ink = reference->raster.pixel(pixel - referenceAt);
                    !SameRgb(ink, DisplayColors[0])) {
                    color = Faint(color, ink);
                }
            }
            row[x] = inside ? color : Paler(color);
        }
    }
    const QRect source(QPoint(exposed.left() / zoom_, exposed.top() / zoom_),
                       QPoint(std::min(box.width() - 1, exposed.right() / zoom_),
                              std::min(box.height() - 1, exposed.bottom() / zoom_)));
    painter.drawImage(QRect(source.topLeft() * zoom_, source.size() * zoom_), shown, source);
}

void GlyphCanvas::PaintGuidesAndSelection(QPainter& painter) const {
    const Glyph& glyph = *ShownGlyph();
    const QRect box = Box();
    const int thickness = zoom_ >= 4 ? 2 : 1;
    for (const LineGuide& guide : overlay_.guides) {
        const int y = (guide.y - glyph.yOffset - box.top()) * zoom_;
        painter.fillRect(QRect(0, y - thickness / 2, width(), thickness), QColor(GuideColor));
    }
    if (!overlay_.selection || overlay_.selection->isEmpty()) {
        return;
    }
    const QRect cells((overlay_.selection->topLeft() - box.topLeft()) * zoom_,
                      overlay_.selection->size() * zoom_);
    const QRect outline = cells.adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(outline);
    QPen dashes(overlay_.floating ? QColor(0, 0, 200) : QColor(Qt::black), 1, Qt::DashLine);
    painter.setPen(dashes);
    painter.drawRect(outline);
}

QString GlyphCanvas::GuideAt(int y) const {
    const Glyph* glyph = ShownGlyph();
    if (glyph == nullptr) {
        return {};
    }
    const int reach = std::max(2, zoom_ / 4);
    QStringList names;
    for (const LineGuide& guide : overlay_.guides) {
        if (std::abs((guide.y - glyph->yOffset - Box().top()) * zoom_ - y) <= reach) {
            names.append(guide.name);
        }
    }
    return names.join(QStringLiteral(", "));
}

bool GlyphCanvas::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const QString name = GuideAt(help->pos().y()); !name.isEmpty()) {
            QToolTip::showText(help->globalPos(), name, this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void GlyphCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        if (const Glyph* glyph = ShownGlyph()) {
            const QPoint from = PixelAt(*event);
            selectFrom_ = QPoint(std::clamp(from.x(), 0, glyph->width() - 1),
                                 std::clamp(from.y(), 0, glyph->height() - 1));
            emit selectionDragged(QRect(*selectFrom_, QSize(1, 1)));
        }
        return;
    }
    if (event->button() == Qt::LeftButton) {
        emit leftPressed();
        Report(*event, CanvasAction::Paint);
    } else if (event->button() == Qt::RightButton) {
        Report(*event, CanvasAction::Pick);
    }
}

void GlyphCanvas::mouseMoveEvent(QMouseEvent* event) {
    const bool left = event->buttons() & Qt::LeftButton;
    const bool right = event->buttons() & Qt::RightButton;
    if (selectFrom_) {
        if (const Glyph* glyph = ShownGlyph(); glyph && left) {
            const QRect to(PixelAt(*event), QSize(1, 1));
            emit selectionDragged((QRect(*selectFrom_, QSize(1, 1)) | to) & glyph->raster.rect());
        }
        return;
    }
    if (left != right) {
        Report(*event, left ? CanvasAction::Paint : CanvasAction::Pick);
    }
}

void GlyphCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (selectFrom_) {
            selectFrom_.reset();
            return;
        }
        emit strokeEnded();
    }
}

QPoint GlyphCanvas::PixelAt(const QMouseEvent& event) const {
    // Whole widget pixels first, then integer division, which truncates toward zero: a drag just
    // left of or above the canvas still reaches its first column or row, as the user expects of a
    // stroke that overshoots the edge a little.
    const QPoint widgetPixel(static_cast<int>(std::floor(event.position().x())),
                             static_cast<int>(std::floor(event.position().y())));
    return QPoint(widgetPixel.x() / zoom_, widgetPixel.y() / zoom_) + Box().topLeft();
}

void GlyphCanvas::Report(const QMouseEvent& event, CanvasAction action) {
    const Glyph* glyph = ShownGlyph();
    if (glyph == nullptr) {
        return;
    }
    if (const QPoint pixel = PixelAt(event); glyph->raster.rect().contains(pixel)) {
        emit pixelAction(pixel, action);
    }
}

} // namespace fontlathe
