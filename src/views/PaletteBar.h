#pragma once

#include <QRgb>
#include <QWidget>

namespace fontlathe {

// One swatch per colour of the set on a dark bar, with a marker on the selected colour. A left
// click on the bar chooses the swatch under it, or the last one past the end.
class PaletteBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int SwatchPitch = 22;
    static constexpr QRgb BarColor = 0xFF404040;
    static constexpr QRgb MarkerColor = 0xFFFFA000;

    explicit PaletteBar(QWidget* parent);

    // colorCount swatches (at most 16), the marker on selected.
    void Show(int colorCount, int selected);
    int selected() const { return selected_; }
    // The tooltip of the swatch at a point of the bar, "Index 3: #AA0000"; empty past the last one.
    QString SwatchToolTip(QPoint at) const;

signals:
    void colorChosen(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int colorCount_ = 0;
    int selected_ = 0;
};

} // namespace fontlathe
