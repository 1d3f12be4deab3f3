#pragma once

#include <QLabel>

namespace fontlathe {

// A one-line label that keeps its whole text but draws it shortened in the middle ("Code Page:
// map-c….txt") while the label is too narrow for it; its tooltip then shows the text in full.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget* parent = nullptr) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace fontlathe
