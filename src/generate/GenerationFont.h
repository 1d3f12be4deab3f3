#pragma once

#include <QString>

#include <cstdint>

namespace fontlathe {

// The font the Generate commands offer first: the last one the user confirmed. A style name,
// when there is one, names the face to draw with, and the flags follow from it.
struct GenerationFont {
    enum StyleFlag : std::int32_t { Bold = 1, Italic = 2, Underline = 4 };

    QString familyName = QStringLiteral("Arial");
    std::int32_t size = 10;
    std::int32_t styleFlags = 0;
    QString styleName = QString();

    bool operator==(const GenerationFont&) const = default;
};

// The style of a generation run; the value is also added to the spaces' width and taken off the
// font height.
enum class GenerationStyle { Normal = 0, Shadowed = 1, Outlined = 2 };

} // namespace fontlathe
