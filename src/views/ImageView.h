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

signals:
    // Ctrl+wheel: zoom in by steps (out when negative), one step a notch.
    void zoomStepRequested(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    WheelNotches notches_;
    QImage image_;
};

} // namespace fontlathe
