#include "LineGuides.h"

#include "EditHistory.h"
#include "PixelSelection.h"

namespace fontlathe {

namespace {

// The glyph's ink rows in line coordinates; nothing for a blank or absent glyph.
std::optional<std::pair<int, int>> InkRows(const Charset& set, const CodePage& page,
                                           char32_t letter) {
    const Glyph* glyph = set.GlyphAt(page.CodeOf(letter));
    if (glyph == nullptr) {
        return std::nullopt;
    }
    const QRect ink = InkBounds(glyph->raster);
    if (ink.isEmpty()) {
        return std::nullopt;
    }
    return std::pair(ink.top() + glyph->yOffset, ink.bottom() + 1 + glyph->yOffset);
}

// The letter a precomposed one is built on: s for ś, Е for Ё; nothing for one built on none.
std::optional<char32_t> BaseLetter(char32_t letter) {
    const QString decomposed =
        QString::fromUcs4(&letter, 1).normalized(QString::NormalizationForm_D);
    const QList<uint> parts = decomposed.toUcs4();
    if (parts.size() < 2 || parts.first() == letter) {
        return std::nullopt;
    }
    return static_cast<char32_t>(parts.first());
}

} // namespace

std::vector<LineGuide> FindLineGuides(const Charset& set, const CodePage& page) {
    std::vector<LineGuide> guides{{QStringLiteral("Line top"), 0}};
    const auto capital = InkRows(set, page, U'H');
    if (capital) {
        guides.push_back({QStringLiteral("Cap height"), capital->first});
    }
    if (const auto small = InkRows(set, page, U'x')) {
        guides.push_back({QStringLiteral("x-height"), small->first});
    }
    if (capital) {
        guides.push_back({QStringLiteral("Baseline"), capital->second});
    }
    guides.push_back({QStringLiteral("Line bottom"), set.fontHeight()});
    return guides;
}

std::optional<Glyph> DefaultReferenceGlyph(const Charset& set, const CodePage& page,
                                           const EditHistory& history, int code) {
    if (const Glyph* made = history.MadeFrom(code)) {
        return *made;
    }
    const std::optional<char32_t> letter = page.CharacterAt(code);
    const std::optional<char32_t> base = letter ? BaseLetter(*letter) : std::nullopt;
    if (const Glyph* glyph = base ? set.GlyphAt(page.CodeOf(*base)) : nullptr) {
        return *glyph;
    }
    return std::nullopt;
}

std::optional<int> ReadGlyphChoice(const QString& text, const CodePage& page) {
    const QString typed = text.trimmed();
    if (typed.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) && typed.size() > 2) {
        bool ok = false;
        const int code = typed.mid(2).toInt(&ok, 16);
        return ok && Charset::IsValidCode(code) ? std::optional<int>(code) : std::nullopt;
    }
    const QList<uint> characters = typed.toUcs4();
    if (characters.size() != 1) {
        return std::nullopt;
    }
    const int code = page.CodeOf(characters.first());
    return Charset::IsValidCode(code) ? std::optional<int>(code) : std::nullopt;
}

} // namespace fontlathe
