#pragma once

#include <QString>

#include <cstdint>
#include <optional>

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

// The sizes that draw every character of an ordinary font within a font file's 127 x 127 pixels
// (a point is drawn as one pixel). DejaVu Sans fits up to 107 points bold and outlined, and the
// other installed families tried fit at 100; a font whose glyphs are larger still is refused
// by the generation itself.
inline constexpr std::int32_t MinGenerationSize = 1;
inline constexpr std::int32_t MaxGenerationSize = 100;

// The style of a generation run; the value is also added to the spaces' width and taken off the
// font height.
enum class GenerationStyle { Normal = 0, Shadowed = 1, Outlined = 2 };

// The name of each style, as the command line takes it ("shadowed") and, capitalised, as the
// window's commands and steps say it ("Generate Shadowed").
QString GenerationStyleName(GenerationStyle style);
std::optional<GenerationStyle> GenerationStyleNamed(const QString& name);
// "normal, shadowed or outlined".
QString GenerationStyleNameList();

} // namespace fontlathe
