#include "LetterStyle.h"

#include "GlyphInk.h"
#include "charset/DisplayColors.h"

#include <QChar>

#include <algorithm>
#include <vector>

namespace fontlathe {

namespace {

// A raster as palette indices.
struct Indices {
    int width = 0, height = 0;
    std::vector<std::uint8_t> at;

    Indices(const QImage& raster, const PaletteLookup& palette)
        : width(raster.width()), height(raster.height()),
          at(static_cast<std::size_t>(width * height)) {
        for (int y = 0; y < height; ++y) {
            const auto* line = PixelsOf(raster, y);
            for (int x = 0; x < width; ++x) {
                at[static_cast<std::size_t>(y * width + x)] =
                    static_cast<std::uint8_t>(palette.IndexOf(line[x]));
            }
        }
    }
    int operator()(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height
                   ? -1
                   : at[static_cast<std::size_t>(y * width + x)];
    }
};

// The offsets an effect pixel lies at from the body pixels that cast it.
std::vector<QPoint> Reach(const LetterStyle& style) {
    if (style.kind == LetterStyle::Kind::Shadow) {
        return {style.shadow};
    }
    if (style.kind == LetterStyle::Kind::Outline) {
        std::vector<QPoint> reach = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        if (style.eightNeighbours) {
            reach.insert(reach.end(), {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}});
        }
        return reach;
    }
    return {};
}

// Whether a pixel that is not body lies where the style casts its effect.
bool Cast(const Indices& glyph, int x, int y, int effect, const std::vector<QPoint>& reach) {
    return std::any_of(reach.begin(), reach.end(), [&](QPoint from) {
        const int index = glyph(x - from.x(), y - from.y());
        return index > 0 && index != effect;
    });
}

// Whether the glyph's effect pixels are exactly those the style casts from its body (within
// the raster: a cast pixel past its edge is let go).
bool Follows(const Indices& glyph, const LetterStyle& style, const std::vector<QPoint>& reach) {
    bool anyBody = false;
    for (int y = 0; y < glyph.height; ++y) {
        for (int x = 0; x < glyph.width; ++x) {
            const int index = glyph(x, y);
            const bool body = index > 0 && index != style.effect;
            anyBody = anyBody || body;
            if (!body && (index == style.effect) != Cast(glyph, x, y, style.effect, reach)) {
                return false;
            }
        }
    }
    return anyBody;
}

} // namespace

QString LetterStyle::Description() const {
    switch (kind) {
    case Kind::Shadow: {
        const auto part = [](int value, const char* less, const char* more) {
            return value == 0 ? QString()
                              : QStringLiteral("%1 pixel%2 %3")
                                    .arg(std::abs(value) == 1 ? QStringLiteral("one")
                                                              : QString::number(std::abs(value)))
                                    .arg(std::abs(value) == 1 ? QString() : QStringLiteral("s"))
                                    .arg(QLatin1String(value < 0 ? less : more));
        };
        QStringList parts;
        for (const QString& text :
             {part(shadow.x(), "left", "right"), part(shadow.y(), "up", "down")}) {
            if (!text.isEmpty()) {
                parts << text;
            }
        }
        if (parts.size() == 2 && shadow.x() == shadow.y()) {
            parts = {part(shadow.x(), "left", "right") + QStringLiteral(" and ") +
                     QLatin1String(shadow.y() < 0 ? "up" : "down")};
        }
        return QStringLiteral("shadow %1 in colour %2")
            .arg(parts.join(QStringLiteral(" and ")))
            .arg(effect);
    }
    case Kind::Outline:
        return QStringLiteral("outlined in colour %1%2")
            .arg(effect)
            .arg(eightNeighbours ? QString() : QStringLiteral(" (four neighbours)"));
    case Kind::Plain:
    default:
        return QStringLiteral("plain");
    }
}

LetterStyle FindLetterStyle(const Charset& font, const CodePage& page) {
    const PaletteLookup palette(font.ColorCount());
    std::vector<Indices> letters;
    InkCounts counts{};
    for (char32_t letter :
         std::u32string(U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) {
        if (const Glyph* glyph = font.GlyphAt(page.CodeOf(letter))) {
            letters.emplace_back(glyph->raster, palette);
            CountInk(glyph->raster, palette, counts);
        }
    }
    LetterStyle best;
    std::size_t bestMatches = letters.size() / 2; // more than half must follow the style
    std::vector<LetterStyle> candidates;
    for (int effect = 1; effect < font.ColorCount() && effect < 16; ++effect) {
        if (counts[static_cast<std::size_t>(effect)] == 0) {
            continue;
        }
        for (const bool eight : {true, false}) {
            candidates.push_back({LetterStyle::Kind::Outline, {}, eight, effect, 1});
        }
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                if (dx != 0 || dy != 0) {
                    candidates.push_back({LetterStyle::Kind::Shadow, {dx, dy}, true, effect, 1});
                }
            }
        }
    }
    for (const LetterStyle& candidate : candidates) {
        const std::vector<QPoint> reach = Reach(candidate);
        const auto matches = static_cast<std::size_t>(
            std::count_if(letters.begin(), letters.end(),
                          [&](const Indices& glyph) { return Follows(glyph, candidate, reach); }));
        if (matches > bestMatches) {
            best = candidate;
            bestMatches = matches;
        }
    }
    best.body =
        std::max(1, MostUsedInk(counts, best.kind == LetterStyle::Kind::Plain ? 0 : best.effect));
    return best;
}

LetterStyle NamedLetterStyle(GenerationStyle style, const LetterStyle& found, int colorCount) {
    LetterStyle named;
    named.body = found.body;
    if (style == GenerationStyle::Normal || colorCount <= 2) {
        return named;
    }
    named.effect = found.kind != LetterStyle::Kind::Plain ? found.effect : found.body == 1 ? 2 : 1;
    if (style == GenerationStyle::Shadowed) {
        named.kind = LetterStyle::Kind::Shadow;
        named.shadow = QPoint(1, 1);
    } else {
        named.kind = LetterStyle::Kind::Outline;
    }
    return named;
}

Glyph BodyOf(const Glyph& glyph, const LetterStyle& style, const PaletteLookup& palette) {
    if (style.kind == LetterStyle::Kind::Plain) {
        return glyph;
    }
    Glyph body = glyph;
    for (int y = 0; y < body.height(); ++y) {
        auto* line = WritablePixelsOf(body.raster, y);
        for (int x = 0; x < body.width(); ++x) {
            if (palette.IndexOf(line[x]) == style.effect) {
                line[x] = DisplayColors[0];
            }
        }
    }
    return body;
}

Glyph Styled(const Glyph& body, const LetterStyle& style, const PaletteLookup& palette) {
    const std::vector<QPoint> reach = Reach(style);
    if (reach.empty()) {
        return body;
    }
    const QRect ink = InkRectOf(body.raster, palette);
    if (ink.isNull()) {
        return body;
    }
    QRect needed = ink;
    for (const QPoint& from : reach) {
        needed |= ink.translated(from);
    }
    Glyph styled = body;
    GrowToHold(styled, needed);
    const Indices indices(styled.raster, palette);
    const QRgb effect = DisplayColorOf(style.effect);
    for (int y = 0; y < styled.height(); ++y) {
        auto* line = WritablePixelsOf(styled.raster, y);
        for (int x = 0; x < styled.width(); ++x) {
            if (indices(x, y) == 0 && Cast(indices, x, y, style.effect, reach)) {
                line[x] = effect;
            }
        }
    }
    return styled;
}

} // namespace fontlathe
