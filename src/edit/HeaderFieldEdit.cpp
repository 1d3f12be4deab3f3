#include "HeaderFieldEdit.h"

#include <algorithm>

namespace fontlathe {

namespace {

EditStep::Scope ScopeOf(HeaderFieldEdit::Field field) {
    return field == HeaderFieldEdit::Field::NumChars ? EditStep::Scope::StoredCount
                                                     : EditStep::Scope::Header;
}

} // namespace

HeaderFieldEdit::HeaderFieldEdit(QString text, Field field, int entry, int before, int code)
    : EditStep(std::move(text), ScopeOf(field), code), field_(field),
      entry_(std::clamp(entry, 0, ColorMapSize - 1)), value_(before) {}

void HeaderFieldEdit::Swap(Charset& set) {
    const int current = ValueOf(set, field_, entry_);
    SetValue(set, field_, entry_, value_);
    value_ = current;
}

int HeaderFieldEdit::ValueOf(const Charset& set, Field field, int entry) {
    switch (field) {
    case Field::FontHeight:
        return set.fontHeight;
    case Field::ColorMap:
        return set.colorMap[static_cast<std::size_t>(std::clamp(entry, 0, ColorMapSize - 1))];
    case Field::NumChars:
        return set.numChars;
    }
    return 0;
}

void HeaderFieldEdit::SetValue(Charset& set, Field field, int entry, int value) {
    switch (field) {
    case Field::FontHeight:
        set.fontHeight = static_cast<std::uint8_t>(value);
        break;
    case Field::ColorMap:
        set.colorMap[static_cast<std::size_t>(std::clamp(entry, 0, ColorMapSize - 1))] =
            static_cast<std::uint8_t>(value);
        break;
    case Field::NumChars:
        set.numChars = static_cast<std::int16_t>(value);
        break;
    }
}

} // namespace fontlathe
