#pragma once

#include <QImage>
#include <QWidget>

namespace fontlathe {

// Shows one image at its own size from the top-left corner, or nothing.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent);

    void SetImage(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace fontlathe
