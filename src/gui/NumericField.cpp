#include "NumericField.h"

#include <QValidator>

namespace fontlathe {

namespace {

class ByteValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override {
        int value = 0;
        for (QChar c : input) {
            if (c < u'0' || c > u'9') {
                return Invalid;
            }
            value = value * 10 + (c.unicode() - u'0');
            if (value > NumericField::MaxValue) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

} // namespace

NumericField::NumericField(QWidget* parent) : QLineEdit(parent) {
    setValidator(new ByteValidator(this));
    // Typing and the field's own undo and redo change the text; the program sets it with the
    // field's signals blocked, so that reports nothing.
    connect(this, &QLineEdit::textChanged, this, &NumericField::fieldEvent);
}

int NumericField::Value() const {
    int value = 0;
    for (QChar c : text()) {
        if (c >= u'0' && c <= u'9') {
            value = (value * 10 + (c.unicode() - u'0')) % 256;
        }
    }
    return value;
}

} // namespace fontlathe
