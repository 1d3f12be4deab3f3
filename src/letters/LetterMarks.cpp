#include "LetterMarks.h"

#include "GlyphInk.h"
#include "charset/Charset.h"
#include "charset/DisplayColors.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace fontlathe {

namespace {

constexpr std::array<MarkInfo, 13> Marks = {{
    {MarkKind::Acute, 0x0301, 0x00B4, "acute", MarkPlace::Above},
    {MarkKind::Grave, 0x0300, 0x0060, "grave", MarkPlace::Above},
    {MarkKind::Circumflex, 0x0302, 0x005E, "circumflex", MarkPlace::Above},
    {MarkKind::Diaeresis, 0x0308, 0x00A8, "diaeresis", MarkPlace::Above},
    {MarkKind::Tilde, 0x0303, 0x007E, "tilde", MarkPlace::Above},
    {MarkKind::Cedilla, 0x0327, 0x00B8, "cedilla", MarkPlace::Below},
    {MarkKind::Breve, 0x0306, 0x02D8, "breve", MarkPlace::Above},
    {MarkKind::Caron, 0x030C, 0x02C7, "caron", MarkPlace::Above},
    {MarkKind::DotAbove, 0x0307, 0x02D9, "dot above", MarkPlace::Above},
    {MarkKind::Ring, 0x030A, 0x02DA, "ring", MarkPlace::Above},
    {MarkKind::DoubleAcute, 0x030B, 0x02DD, "double acute", MarkPlace::Above},
    {MarkKind::Ogonek, 0x0328, 0x02DB, "ogonek", MarkPlace::BelowRight},
    {MarkKind::Macron, 0x0304, 0x00AF, "macron", MarkPlace::Above},
}};

// Each built-in mark for small fonts (capitals under 10 pixels) and for larger ones; '#' is ink.
// Fonts with capitals of 32 pixels and more get the larger ones doubled, and so on.
struct PixelMark {
    MarkKind kind;
    std::initializer_list<const char*> small;
    std::initializer_list<const char*> large;
};

const std::array<PixelMark, 12> PixelMarks = {{
    {MarkKind::Acute, {".#", "#."}, {"..#", ".#.", "#.."}},
    {MarkKind::Grave, {"#.", ".#"}, {"#..", ".#.", "..#"}},
    {MarkKind::Circumflex, {".#.", "#.#"}, {"..#..", ".#.#.", "#...#"}},
    {MarkKind::Diaeresis, {"#.#"}, {"##.##", "##.##"}},
    {MarkKind::Tilde, {".#.#", "#.#."}, {".##..#", "#..##."}},
    {MarkKind::Cedilla, {".#", "##"}, {".#.", "..#", "##."}},
    {MarkKind::Breve, {"#..#", ".##."}, {"#...#", ".###."}},
    {MarkKind::Caron, {"#.#", ".#."}, {"#...#", ".#.#.", "..#.."}},
    {MarkKind::DotAbove, {"#"}, {"##", "##"}},
    {MarkKind::Ring, {".#.", "#.#", ".#."}, {".##.", "#..#", ".##."}},
    {MarkKind::DoubleAcute, {".#.#", "#.#."}, {"..#..#", ".#..#.", "#..#.."}},
    {MarkKind::Macron, {"##"}, {"####"}},
}};

constexpr int LargeMarkHeight = 10;
constexpr int DoubledMarkHeight = 32;

} // namespace

std::optional<MarkInfo> MarkOfCombining(char32_t combining) {
    const auto found = std::find_if(Marks.begin(), Marks.end(), [combining](const MarkInfo& mark) {
        return mark.combining == combining;
    });
    return found == Marks.end() ? std::nullopt : std::optional<MarkInfo>(*found);
}

MarkImage BuiltInMark(MarkKind kind, int capitalHeight, QRgb ink) {
    const int scale = std::max(1, capitalHeight / DoubledMarkHeight + 1);
    if (kind == MarkKind::Ogonek) {
        return OgonekMark((capitalHeight < LargeMarkHeight ? 2 : 3) * scale, scale, ink);
    }
    const auto found = std::find_if(PixelMarks.begin(), PixelMarks.end(),
                                    [kind](const PixelMark& mark) { return mark.kind == kind; });
    const auto& rows = capitalHeight < LargeMarkHeight ? found->small : found->large;
    const int width = static_cast<int>(std::string_view(*rows.begin()).size());
    QImage mark = MakeBlankRaster(width * scale, static_cast<int>(rows.size()) * scale);
    int y = 0;
    for (const char* row : rows) {
        auto* line = WritablePixelsOf(mark, y);
        for (int x = 0; x < width * scale; ++x) {
            line[x] = row[x / scale] == '#' ? ink : DisplayColors[0];
        }
        // The rows of a scaled mark repeat the row just drawn.
        for (int copy = 1; copy < scale; ++copy) {
            std::copy_n(line, width * scale, WritablePixelsOf(mark, y + copy));
        }
        y += scale;
    }
    return mark;
}

MarkImage OgonekMark(int rows, int weight, QRgb ink) {
    rows = std::clamp(rows, 1, 16);
    weight = std::clamp(weight, 1, 8);
    if (rows == 1) {
        // A one-row cedilla's font has room for one pixel of tail, as its designer draws ą.
        QImage dot = MakeBlankRaster(weight, 1);
        dot.fill(ink);
        return dot;
    }
    const int tail = rows == 2 ? 2 : rows - 1; // the tail's length, from column 1
    QImage mark = MakeBlankRaster(1 + tail + weight - 1, rows);
    const auto put = [&](int x, int y) {
        for (int w = 0; w < weight; ++w) {
            mark.setPixel(x + w, y, ink);
        }
    };
    put(rows == 2 ? 0 : 1, 0);
    for (int y = 1; y + 1 < rows; ++y) {
        put(0, y);
    }
    for (int x = 1; x <= tail; ++x) {
        put(x, rows - 1);
    }
    return mark;
}

MarkAnchor AnchorBetween(const QRect& mark, const QRect& base, MarkPlace place) {
    const int gap = place == MarkPlace::Above    ? base.top() - mark.bottom() - 1
                    : place == MarkPlace::Beside ? mark.left() - base.right() - 1
                                                 : mark.top() - base.bottom() - 1;
    return {2 * (mark.left() - base.left()) + mark.width() - base.width(), gap,
            mark.right() - base.right()};
}

QPoint AlignedOn(const MarkAnchor& anchor, QSize size, const QRect& base, MarkPlace place,
                 HalfPixel half) {
    if (place == MarkPlace::Beside) {
        return {base.right() + 1 + anchor.gap, base.top()};
    }
    const int y = place == MarkPlace::Above ? base.top() - anchor.gap - size.height()
                                            : base.bottom() + 1 + anchor.gap;
    if (place == MarkPlace::BelowRight) {
        return {base.right() + anchor.fromRight - size.width() + 1, y};
    }
    return {base.left() + HalfOf(anchor.doubledCentre + base.width() - size.width(), half), y};
}

MarkImage CutMark(const Glyph& accented, const Glyph& base, MarkPlace place,
                  const PaletteLookup& palette, QRect* where) {
    const QRect baseInk = InkRectOf(base.raster, palette);
    if (baseInk.isNull()) {
        return {};
    }
    // The base's raster as it lies under the accented letter's raster.
    const QPoint shift(base.xOffset - accented.xOffset, base.yOffset - accented.yOffset);
    const QRect inkInAccented = baseInk.translated(shift);
    QImage mark = accented.raster.copy();
    const InkRaster baseRaster(base.raster, palette);
    for (int y = 0; y < mark.height(); ++y) {
        auto* line = WritablePixelsOf(mark, y);
        const bool markSide =
            place == MarkPlace::Above ? y < inkInAccented.top() : y >= inkInAccented.bottom();
        for (int x = 0; x < mark.width(); ++x) {
            if (!markSide || baseRaster.Ink(x - shift.x(), y - shift.y())) {
                line[x] = DisplayColors[0];
            }
        }
    }
    const QRect ink = InkRectOf(mark, palette);
    if (where != nullptr) {
        *where = ink;
    }
    return ink.isNull() ? MarkImage() : Crop(mark, ink);
}

MarkImage MarkOfSpacingGlyph(const Glyph& glyph, const PaletteLookup& palette) {
    const QRect ink = InkRectOf(glyph.raster, palette);
    return ink.isNull() ? MarkImage() : Crop(glyph.raster, ink);
}

Glyph WithoutDot(const Glyph& glyph, const PaletteLookup& palette) {
    const QRect ink = InkRectOf(glyph.raster, palette);
    Glyph dotless = glyph;
    for (int y = ink.top() + 1; y < ink.bottom(); ++y) {
        const QRect row(ink.left(), y, ink.width(), 1);
        if (InkRectOf(Crop(glyph.raster, row), palette).isNull()) {
            for (int above = ink.top(); above < y; ++above) {
                auto* line = WritablePixelsOf(dotless.raster, above);
                std::fill(line, line + dotless.width(), DisplayColors[0]);
            }
            return dotless;
        }
    }
    return dotless;
}

} // namespace fontlathe
