#pragma once

#include "Edit.h"

#include <array>
#include <cstdint>

namespace fontlathe {

// The keeper of the edits of the set's header: the line height, any entry of the colour map, or
// the number of stored characters. It keeps the whole header, a few dozen bytes, so one keeper
// serves every header field.
class HeaderEdit : public Edit {
public:
    void Swap(Charset& set) override;
    bool Differs(const Charset& set) const override;
    std::size_t Cost() const override { return sizeof(*this); }

protected:
    // code is the row to show after a swap.
    HeaderEdit(QString verb, Scope applied, Scope swapped, int code);
    void Keep(const Charset& set) override;

private:
    struct Header {
        std::int16_t version = 0;
        std::array<std::uint8_t, ColorMapSize> colorMap{};
        std::uint8_t fontHeight = 0;
        std::int16_t numChars = 0;

        bool operator==(const Header&) const = default;
    };

    static Header Of(const Charset& set);
    static void Put(const Header& header, Charset& set);

    Header header_;
};

// A value typed into a header field: the line height, or an entry of the colour map. The values
// typed into one field in a row make one step, named after the field; row is the character shown
// while typing.
class SetHeaderField : public HeaderEdit {
public:
    enum class Field { Height, ColorMap };
    SetHeaderField(Field field, int entry, int value, int row);
    void Change(Charset& set) override;
    std::optional<OngoingEdit> ongoing() const override;
    void Name(const CodePage& page) override;

private:
    Field field_;
    int entry_;
    int value_;
};

// "= last char": the file stores the codes up to and including code.
class LastChar : public HeaderEdit {
public:
    explicit LastChar(int code);
    void Change(Charset& set) override;
};

} // namespace fontlathe
