#include "DrawingFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>

namespace fontlathe {

QFont MakeDrawingFont(const GenerationFont& generationFont) {
    // A fresh font, not the interface font: a style name such as "Regular" that a desktop gives
    // its interface font would win over the weight and the slant asked for here. The style name
    // is set outright even when empty, since a painter fills whatever a font leaves unset from
    // the interface font, style name included; a chosen one picks the face the user saw.
    const QString fallback = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QFont font(QStringList{generationFont.familyName, fallback});
    font.setStyleName(generationFont.styleName);
    font.setPixelSize(std::max(1, generationFont.size));
    font.setBold((generationFont.styleFlags & GenerationFont::Bold) != 0);
    font.setItalic((generationFont.styleFlags & GenerationFont::Italic) != 0);
    font.setUnderline(false);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

std::optional<QString> SubstitutedFamily(const QFont& font, const QString& askedFamily) {
    const QString used = QFontInfo(font).family();
    if (used.compare(askedFamily, Qt::CaseInsensitive) == 0) {
        return std::nullopt;
    }
    return used;
}

} // namespace fontlathe
