#include "PixelSelection.h"

#include "charset/DisplayColors.h"

#include <algorithm>
#include <utility>

namespace fontlathe {

namespace {

constexpr QRgb Background = DisplayColors[0];

QRgb* Row(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

const QRgb* Row(const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

QImage Rgb32(const QImage& raster) {
    return raster.format() == QImage::Format_RGB32 ? raster
                                                   : raster.convertToFormat(QImage::Format_RGB32);
}

} // namespace

FloatingPixels Lifted(const QImage& raster, QRect rect) {
    rect &= raster.rect();
    return {Cleared(raster, rect), Rgb32(raster).copy(rect), rect.topLeft()};
}

FloatingPixels Laid(const QImage& raster, const QImage& pixels, QPoint at) {
    return {Rgb32(raster), Rgb32(pixels), at};
}

QImage Dropped(const FloatingPixels& floating) {
    QImage glyph = floating.under;
    const QRect place = floating.rect() & glyph.rect();
    for (int y = place.top(); y <= place.bottom(); ++y) {
        const QRgb* source = Row(floating.pixels, y - floating.at.y());
        QRgb* target = Row(glyph, y);
        for (int x = place.left(); x <= place.right(); ++x) {
            const QRgb pixel = source[x - floating.at.x()];
            if (!SameRgb(pixel, Background)) {
                target[x] = pixel;
            }
        }
    }
    return glyph;
}

QImage Cleared(const QImage& raster, QRect rect) {
    QImage cleared = Rgb32(raster);
    rect &= cleared.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        std::fill_n(Row(cleared, y) + rect.left(), rect.width(), Background);
    }
    return cleared;
}

QImage Flipped(const QImage& raster, QRect rect, Qt::Orientation orientation) {
    QImage flipped = Rgb32(raster);
    rect &= flipped.rect();
    if (rect.isEmpty()) {
        return flipped;
    }
    if (orientation == Qt::Horizontal) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            QRgb* row = Row(flipped, y);
            std::reverse(row + rect.left(), row + rect.left() + rect.width());
        }
        return flipped;
    }
    for (int top = rect.top(), bottom = rect.bottom(); top < bottom; ++top, --bottom) {
        std::swap_ranges(Row(flipped, top) + rect.left(),
                         Row(flipped, top) + rect.left() + rect.width(),
                         Row(flipped, bottom) + rect.left());
    }
    return flipped;
}

QRect InkBounds(const QImage& raster) {
    const QImage image = Rgb32(raster);
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = Row(image, y);
        for (int x = 0; x < image.width(); ++x) {
            if (!SameRgb(row[x], Background)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

std::optional<QRect> PixelSelection::rect() const {
    return floating_ ? std::optional<QRect>(floating_->rect()) : rect_;
}

void PixelSelection::Select(int code, QRect rect) {
    code_ = code;
    rect_ = rect;
    floating_.reset();
}

void PixelSelection::Clear() {
    code_ = -1;
    rect_.reset();
    floating_.reset();
}

void PixelSelection::Float(int code, FloatingPixels floating, QString verb) {
    before_ = code == code_ ? rect_ : std::nullopt;
    code_ = code;
    floating_ = std::move(floating);
    floatVerb_ = std::move(verb);
}

void PixelSelection::MoveBy(QPoint step) {
    if (floating_) {
        floating_->at += step;
    }
}

void PixelSelection::Dropped(QRect glyphBox) {
    if (!floating_) {
        return;
    }
    const QRect kept = floating_->rect() & glyphBox;
    floating_.reset();
    rect_ = kept.isEmpty() ? std::nullopt : std::optional<QRect>(kept);
}

void PixelSelection::Cancelled() {
    floating_.reset();
    rect_ = before_;
}

} // namespace fontlathe
