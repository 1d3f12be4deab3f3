#include "DrawingFont.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

namespace fontlathe {

QFont MakeDrawingFont(const GenerationFont& generationFont) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setFamilies(QStringList{generationFont.familyName, font.family()});
    font.setPixelSize(std::max(1, generationFont.size));
    font.setBold((generationFont.styleFlags & GenerationFont::Bold) != 0);
    font.setItalic((generationFont.styleFlags & GenerationFont::Italic) != 0);
    font.setUnderline(false);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

} // namespace fontlathe
