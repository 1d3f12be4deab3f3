#include "HeaderEdit.h"

#include <utility>

namespace fontlathe {

HeaderEdit::HeaderEdit(QString verb, Scope applied, Scope swapped, int code)
    : Edit(std::move(verb), applied, swapped, code) {}

HeaderEdit::Header HeaderEdit::Of(const Charset& set) {
    return {set.version(), set.colorMap(), set.fontHeight(), set.numChars()};
}

void HeaderEdit::Put(const Header& header, Charset& set) {
    set.SetVersion(header.version);
    set.SetColorMap(header.colorMap);
    set.SetFontHeight(header.fontHeight);
    set.SetNumChars(header.numChars);
}

void HeaderEdit::Keep(const Charset& set) {
    header_ = Of(set);
}

void HeaderEdit::Swap(Charset& set) {
    const Header current = Of(set);
    Put(header_, set);
    header_ = current;
}

bool HeaderEdit::Differs(const Charset& set) const {
    return Of(set) != header_;
}

SetHeaderField::SetHeaderField(Field field, int entry, int value, int row)
    : HeaderEdit(field == Field::Height ? QStringLiteral("Height")
                                        : QStringLiteral("Palette Index %1").arg(entry + 1),
                 {ScopeKind::HeaderField, {}}, {ScopeKind::Header, {}}, row),
      field_(field), entry_(entry), value_(value) {}

void SetHeaderField::Change(Charset& set) {
    if (field_ == Field::Height) {
        set.SetFontHeight(static_cast<std::uint8_t>(value_));
    } else {
        set.SetColorMapEntry(entry_, static_cast<std::uint8_t>(value_));
    }
}

std::optional<OngoingEdit> SetHeaderField::ongoing() const {
    return OngoingEdit{OngoingEdit::Kind::HeaderField, field_ == Field::Height ? -1 : entry_};
}

// A field's name says what changed; the row is only where the table stands.
void SetHeaderField::Name(const CodePage&) {
    SetText(verb());
}

LastChar::LastChar(int code)
    : HeaderEdit(QStringLiteral("Last Char"), {ScopeKind::StoredCount, {}},
                 {ScopeKind::StoredCount, {}}, code) {}

void LastChar::Change(Charset& set) {
    set.SetNumChars(static_cast<std::int16_t>(code() + 1));
}

} // namespace fontlathe
