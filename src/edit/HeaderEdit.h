#pragma once

#include "EditStep.h"

#include <array>
#include <cstdint>

namespace fontlathe {

// A change of the set's header: the line height, any entry of the colour map, or the number of
// stored characters ("= last char"). The step keeps the whole header, a few dozen bytes, so one
// kind of step serves every header field.
class HeaderEdit : public EditStep {
public:
    // Keeps the header of the set as it is now. scope is Header, or StoredCount for a change of
    // the stored count; code is the row to show after a swap.
    HeaderEdit(QString text, const Charset& set, Scope scope, int code);

    void Swap(Charset& set) override;
    bool Differs(const Charset& set) const override;
    std::size_t Cost() const override { return sizeof(*this); }

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

} // namespace fontlathe
