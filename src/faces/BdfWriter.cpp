#include "BdfWriter.h"

#include "charset/PaletteLookup.h"
#include "text/CodePoints.h"

#include <QRegularExpression>

#include <algorithm>

namespace fontlathe {

namespace {

// The row under the ink of "H", or of "0", counted from the line's top; the line's height when
// the set has neither.
int BaselineOf(const Charset& set, const CodePage& page, const PaletteLookup& palette) {
    for (const char32_t character : {U'H', U'0'}) {
        const Glyph* glyph = set.GlyphAt(page.CodeOf(character));
        if (glyph == nullptr) {
            continue;
        }
        for (int y = glyph->height() - 1; y >= 0; --y) {
            const auto* line = reinterpret_cast<const QRgb*>(glyph->raster.constScanLine(y));
            if (std::any_of(line, line + glyph->width(),
                            [&](QRgb pixel) { return palette.IndexOf(pixel) != 0; })) {
                return glyph->yOffset + y + 1;
            }
        }
    }
    return set.fontHeight();
}

QByteArray HexRow(const QImage& raster, int y, const PaletteLookup& palette) {
    const auto* line = reinterpret_cast<const QRgb*>(raster.constScanLine(y));
    QByteArray bits((raster.width() + 7) / 8, '\0');
    for (int x = 0; x < raster.width(); ++x) {
        if (palette.IndexOf(line[x]) != 0) {
            bits[x / 8] = static_cast<char>(bits[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return bits.toHex().toUpper();
}

} // namespace

QByteArray WriteBdf(const Charset& set, const CodePage& page, const QString& name) {
    const PaletteLookup palette(set.ColorCount());
    const int ascent = BaselineOf(set, page, palette);
    const int descent = set.fontHeight() - ascent;
    QRect bounds;
    int count = 0;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        if (const Glyph* glyph = set.GlyphAt(code)) {
            bounds |= QRect(glyph->xOffset, glyph->yOffset - ascent, glyph->width(),
                            glyph->height());
            ++count;
        }
    }
    QString family = name;
    family.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9 _.]")), QStringLiteral("_"));
    const int size = std::max(1, int(set.fontHeight()));
    QByteArray out;
    const auto line = [&out](const QString& text) { out += text.toLatin1() + '\n'; };
    line(QStringLiteral("STARTFONT 2.1"));
    line(QStringLiteral("FONT -Fontlathe-%1-Medium-R-Normal--%2-%3-75-75-P-0-ISO10646-1")
             .arg(family)
             .arg(size)
             .arg(size * 10));
    line(QStringLiteral("SIZE %1 75 75").arg(size));
    line(QStringLiteral("FONTBOUNDINGBOX %1 %2 %3 %4")
             .arg(bounds.width())
             .arg(bounds.height())
             .arg(bounds.left())
             .arg(-bounds.bottom() - 1));
    line(QStringLiteral("STARTPROPERTIES 8"));
    line(QStringLiteral("FOUNDRY \"Fontlathe\""));
    line(QStringLiteral("FAMILY_NAME \"%1\"").arg(family));
    line(QStringLiteral("PIXEL_SIZE %1").arg(size));
    line(QStringLiteral("FONT_ASCENT %1").arg(ascent));
    line(QStringLiteral("FONT_DESCENT %1").arg(descent));
    line(QStringLiteral("CHARSET_REGISTRY \"ISO10646\""));
    line(QStringLiteral("CHARSET_ENCODING \"1\""));
    line(QStringLiteral("%1 1").arg(QLatin1String(ExactBoxesProperty)));
    line(QStringLiteral("ENDPROPERTIES"));
    line(QStringLiteral("CHARS %1").arg(count));
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph* glyph = set.GlyphAt(code);
        if (glyph == nullptr) {
            continue;
        }
        const std::optional<char32_t> character = page.CharacterAt(code);
        // A character a lower code already showed is written by code, as one without a character.
        const bool encoded = code >= 32 && character && !IsControlCharacter(*character) &&
                             page.CodeOf(*character) == code;
        const int advance = glyph->width() + glyph->xOffset;
        line(encoded ? QStringLiteral("STARTCHAR U+%1")
                           .arg(QString::number(uint(*character), 16).toUpper().rightJustified(
                               4, QLatin1Char('0')))
                     : QStringLiteral("STARTCHAR code%1").arg(code));
        line(encoded ? QStringLiteral("ENCODING %1").arg(uint(*character))
                     : QStringLiteral("ENCODING -1 %1").arg(code));
        line(QStringLiteral("SWIDTH %1 0").arg(advance * 72000 / (size * 75)));
        line(QStringLiteral("DWIDTH %1 0").arg(advance));
        line(QStringLiteral("BBX %1 %2 %3 %4")
                 .arg(glyph->width())
                 .arg(glyph->height())
                 .arg(glyph->xOffset)
                 .arg(ascent - glyph->yOffset - glyph->height()));
        line(QStringLiteral("BITMAP"));
        for (int y = 0; y < glyph->height(); ++y) {
            out += HexRow(glyph->raster, y, palette) + '\n';
        }
        line(QStringLiteral("ENDCHAR"));
    }
    line(QStringLiteral("ENDFONT"));
    return out;
}

} // namespace fontlathe
