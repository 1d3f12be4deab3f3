#include "FaceReaders.h"

#include "text/CodePage.h"

namespace fontlathe {

namespace {

// The names a page the program knows may go by, from an X11 charset: "ISO8859" "2" gives
// "ISO-8859-2", "KOI8" "R" gives "KOI8-R", "MICROSOFT" "CP1251" gives "CP1251".
QStringList PageNames(const QString& registry, const QString& encoding) {
    QStringList names;
    QString joined = registry + QLatin1Char('-') + encoding;
    if (registry.startsWith(QStringLiteral("ISO8859"), Qt::CaseInsensitive)) {
        joined.insert(3, QLatin1Char('-'));
    }
    names << joined << encoding << registry;
    return names;
}

} // namespace

EncodingKeys::EncodingKeys(const QString& registry, const QString& encoding, QStringList& notes) {
    if (registry.compare(QStringLiteral("ISO10646"), Qt::CaseInsensitive) == 0) {
        return;
    }
    for (const QString& name : PageNames(registry, encoding)) {
        if (name.isEmpty()) {
            continue;
        }
        if (const std::optional<CodePage> page = CodePage::Standard(name)) {
            unicode_ = false;
            for (int code = 0; code < 256; ++code) {
                table_[code] = code < 32 ? char32_t(code) : page->CharacterAt(code).value_or(0);
            }
            return;
        }
    }
    notes << QStringLiteral("charset \"%1-%2\" is not one this program knows: its codes are taken "
                            "as Unicode characters")
                 .arg(registry, encoding);
}

std::optional<char32_t> EncodingKeys::CharacterOf(long encoding) const {
    if (encoding < 0 || encoding > 0x10FFFF) {
        return std::nullopt;
    }
    if (unicode_) {
        return static_cast<char32_t>(encoding);
    }
    if (encoding > 255 || (encoding >= 32 && table_[encoding] == 0)) {
        return std::nullopt;
    }
    return table_[encoding];
}

std::optional<int> InkBaseline(const BitmapFace& face) {
    for (const char32_t character : {U'H', U'0'}) {
        if (const FaceGlyph* glyph = face.GlyphOf(character)) {
            const QRect ink = glyph->InkRect();
            if (!ink.isNull()) {
                return face.ascent + ink.bottom() + 1;
            }
        }
    }
    return std::nullopt;
}

QRect FaceGlyph::InkRect() const {
    int left = box.width(), right = -1, top = box.height(), bottom = -1;
    for (int row = 0; row < box.height(); ++row) {
        for (int column = 0; column < box.width(); ++column) {
            if (Ink(column, row)) {
                left = std::min(left, column);
                right = std::max(right, column);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
        }
    }
    if (right < 0) {
        return {};
    }
    return QRect(QPoint(box.left() + left, box.top() + top),
                 QPoint(box.left() + right, box.top() + bottom));
}

} // namespace fontlathe
