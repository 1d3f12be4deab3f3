#pragma once

#include "EditStep.h"

namespace fontlathe {

// A change of one header field: the line height, an entry of the colour map, or the number of
// stored characters ("= last char").
class HeaderFieldEdit : public EditStep {
public:
    enum class Field { FontHeight, ColorMap, NumChars };

    // before is the value the field had; entry picks the colour map entry; code is the row to
    // show after a swap.
    HeaderFieldEdit(QString text, Field field, int entry, int before, int code);

    void Swap(Charset& set) override;
    std::size_t Cost() const override { return sizeof(*this); }

    // The field's value in the set.
    static int ValueOf(const Charset& set, Field field, int entry);
    static void SetValue(Charset& set, Field field, int entry, int value);

private:
    Field field_;
    int entry_;
    int value_;
};

} // namespace fontlathe
