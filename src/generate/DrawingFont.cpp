#include "DrawingFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>
#include <vector>

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

bool IsInstalledFamily(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QStringList ClosestFamilies(const QString& family, int count) {
    // How many letters to insert, delete or change to turn one name into the other, in any case.
    const auto distance = [](const QString& a, const QString& b) {
        std::vector<int> row(static_cast<std::size_t>(b.size()) + 1);
        for (std::size_t j = 0; j < row.size(); ++j) {
            row[j] = static_cast<int>(j);
        }
        for (qsizetype i = 1; i <= a.size(); ++i) {
            int diagonal = row[0];
            row[0] = static_cast<int>(i);
            for (qsizetype j = 1; j <= b.size(); ++j) {
                const int above = row[std::size_t(j)];
                const bool same = a[i - 1].toLower() == b[j - 1].toLower();
                row[std::size_t(j)] =
                    std::min({above + 1, row[std::size_t(j - 1)] + 1, diagonal + (same ? 0 : 1)});
                diagonal = above;
            }
        }
        return row.back();
    };
    QStringList families = QFontDatabase::families();
    std::stable_sort(families.begin(), families.end(), [&](const QString& a, const QString& b) {
        return distance(family, a) < distance(family, b);
    });
    return families.mid(0, count);
}

} // namespace fontlathe
