#include "GenerationFont.h"

#include <array>
#include <utility>

namespace fontlathe {

namespace {

constexpr std::array<std::pair<GenerationStyle, const char*>, 3> StyleNames = {{
    {GenerationStyle::Normal, "normal"},
    {GenerationStyle::Shadowed, "shadowed"},
    {GenerationStyle::Outlined, "outlined"},
}};

} // namespace

QString GenerationStyleName(GenerationStyle style) {
    for (const auto& [named, name] : StyleNames) {
        if (named == style) {
            return QString::fromLatin1(name);
        }
    }
    return QString();
}

std::optional<GenerationStyle> GenerationStyleNamed(const QString& name) {
    for (const auto& [style, styleName] : StyleNames) {
        if (name == QLatin1StringView(styleName)) {
            return style;
        }
    }
    return std::nullopt;
}

QString GenerationStyleNameList() {
    return QStringLiteral("%1, %2 or %3")
        .arg(QLatin1StringView(StyleNames[0].second), QLatin1StringView(StyleNames[1].second),
             QLatin1StringView(StyleNames[2].second));
}

} // namespace fontlathe
