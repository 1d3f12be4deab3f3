#pragma once

#include <QLineEdit>

namespace fontlathe {

// A one-line field for a number from 0 to 255: any edit that would put a character other than
// a digit into it, or make its number larger than 255, is refused as a whole. It reports every
// change the user makes, typing or undoing; text the program sets with the field's signals
// blocked reports nothing.
class NumericField : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int MaxValue = 255;

    explicit NumericField(QWidget* parent);

    // The field's number; an empty field is 0.
    int Value() const;

signals:
    void fieldEvent();
};

} // namespace fontlathe
