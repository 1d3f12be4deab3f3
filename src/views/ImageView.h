#pragma once

#include "WheelNotches.h"

#include <QImage>
#include <QWidget>

namespace fontlathe {

// Shows one image at its own size from the top-left corner, or nothing. Ctrl+wheel over it asks
// for another zoom.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent);

    void SetImage(const QImage& image);
    const QImage& image() const { return image_; }
    // A thin vertical line over the image at column x, in GuideColor; none for a negative x.
    void SetGuide(int x);
    int guide() const { return guide_; }

    // Magenta, which no display colour comes near.
    static constexpr QRgb GuideColor = 0xFFFF00FF;

signals:
    // Ctrl+wheel: zoom in by steps (out when negative), one step a notch.
    void zoomStepRequested(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    WheelNotches notches_;
    QImage image_;
    int guide_ = -1;
};

} // namespace fontlathe
