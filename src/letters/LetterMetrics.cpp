#include "LetterMetrics.h"

#include "GlyphInk.h"
#include "LetterTables.h"

#include <QChar>

#include <algorithm>
#include <initializer_list>

namespace fontlathe {

namespace {

// The line ink of the first of the letters the font has with ink.
QRect FirstInk(const Charset& font, const CodePage& page, const PaletteLookup& palette,
               std::initializer_list<char32_t> letters, const Glyph** found = nullptr) {
    for (const char32_t letter : letters) {
        const Glyph* glyph = font.GlyphAt(page.CodeOf(letter));
        if (const QRect ink = glyph == nullptr ? QRect() : LineInkOf(*glyph, palette);
            !ink.isNull()) {
            if (found != nullptr) {
                *found = glyph;
            }
            return ink;
        }
    }
    return {};
}

// How many ink pixels run from the ink's left edge along the glyph's row at line row y.
int RunFromLeft(const Glyph& glyph, const QRect& lineInk, int y, const PaletteLookup& palette) {
    const InkRaster ink(glyph.raster, palette);
    int run = 0;
    for (int x = lineInk.left() - glyph.xOffset; ink.Ink(x, y - glyph.yOffset); ++x) {
        ++run;
    }
    return run;
}

// Where the font's w is three or more stems on one bar with both of its bottom corners rounded
// (the bar starting past the first stem and ending before the last), how many columns right of
// u's left stem u's bottom rows start, from the bottom up; zeros elsewhere.
std::array<int, 3> StemBarCorner(const Charset& font, const CodePage& page,
                                 const PaletteLookup& palette) {
    std::array<int, 3> corner{};
    const Glyph* w = font.GlyphAt(page.CodeOf(U'w'));
    const Glyph* u = font.GlyphAt(page.CodeOf(U'u'));
    const QRect wInk = w == nullptr ? QRect() : InkRectOf(w->raster, palette);
    const QRect uInk = u == nullptr ? QRect() : InkRectOf(u->raster, palette);
    if (wInk.height() < 3 || uInk.height() < 3) {
        return corner;
    }
    const InkRaster wRaster(w->raster, palette);
    const auto runs = [&](int y) {
        int count = 0;
        for (int x = wInk.left(); x <= wInk.right(); ++x) {
            count += wRaster.Ink(x, y) && !wRaster.Ink(x - 1, y);
        }
        return count;
    };
    const QRect bar = wRaster.Row(wInk.bottom()), above = wRaster.Row(wInk.bottom() - 1);
    if (runs(wInk.bottom()) != 1 || runs(wInk.bottom() - 1) < 3 || bar.left() <= above.left() ||
        bar.right() >= above.right()) {
        return corner;
    }
    // u's corner: a cut that narrows going up, never as wide as half of u.
    const InkRaster uRaster(u->raster, palette);
    const QRect stem = uRaster.Row(uInk.top() + uInk.height() / 2);
    if (stem.isNull()) {
        return corner;
    }
    for (std::size_t up = 0; up < corner.size(); ++up) {
        const QRect row = uRaster.Row(uInk.bottom() - int(up));
        const int cut = row.isNull() ? 0 : row.left() - stem.left();
        if (cut <= 0) {
            break;
        }
        if (2 * cut >= uInk.width() || (up > 0 && cut >= corner[up - 1])) {
            return {};
        }
        corner[up] = cut;
    }
    return corner;
}

// How many columns i's first row of ink at or below the x-height reaches left of its stem, where
// t's foot runs flat: no ink in the row above the foot right of t's stem, up to a column past the
// foot's end. 0 where t's foot rises or t has no foot, or where that row of i is not one run that
// ends with the stem and starts left of it.
int StemSerif(const Charset& font, const CodePage& page, const PaletteLookup& palette, int xTop,
              int baseline) {
    const Glyph* i = font.GlyphAt(page.CodeOf(U'i'));
    const Glyph* t = font.GlyphAt(page.CodeOf(U't'));
    if (i == nullptr || t == nullptr || baseline - xTop < 3) {
        return 0;
    }
    const int middle = (xTop + baseline) / 2;
    const InkRaster tInk(t->raster, palette);
    const QRect tStem = tInk.Row(middle - t->yOffset);
    const QRect foot = tInk.Row(baseline - t->yOffset);
    if (tStem.isNull() || foot.isNull() || foot.right() <= tStem.right()) {
        return 0;
    }
    for (int x = tStem.right() + 1; x <= foot.right() + 1; ++x) {
        if (tInk.Ink(x, foot.top() - 1)) {
            return 0;
        }
    }
    const InkRaster iInk(i->raster, palette);
    const QRect stem = iInk.Row(middle - i->yOffset);
    int top = xTop - i->yOffset;
    while (top < middle - i->yOffset && iInk.Row(top).isNull()) {
        ++top;
    }
    const QRect serif = iInk.Row(top);
    if (stem.isNull() || serif.isNull() || serif.right() != stem.right() ||
        serif.left() >= stem.left() || RowInkCount(i->raster, top, palette) != serif.width()) {
        return 0;
    }
    return stem.left() - serif.left();
}

} // namespace

QRect LineInkOf(const Glyph& glyph, const PaletteLookup& palette) {
    const QRect ink = InkRectOf(glyph.raster, palette);
    return ink.isNull() ? ink : ink.translated(glyph.xOffset, glyph.yOffset);
}

std::optional<LetterMetrics> MeasureLetters(const Charset& font, const CodePage& page,
                                            const PaletteLookup& palette) {
    LetterMetrics metrics;
    const Glyph* capital = nullptr;
    QRect cap = FirstInk(font, page, palette, {U'H'}, &capital);
    for (char32_t letter = U'A'; cap.isNull() && letter <= U'Z'; ++letter) {
        const Glyph* glyph = font.GlyphAt(page.CodeOf(letter));
        const QRect ink = glyph == nullptr ? QRect() : LineInkOf(*glyph, palette);
        if (!ink.isNull() && (cap.isNull() || ink.height() > cap.height())) {
            cap = ink;
            capital = glyph;
        }
    }
    if (cap.isNull()) {
        return std::nullopt;
    }
    metrics.capTop = cap.top();
    metrics.baseline = cap.bottom();
    const QRect x = FirstInk(font, page, palette, {U'x', U'u', U'v', U'z'});
    metrics.xTop = x.isNull() ? cap.bottom() + 1 - (cap.height() * 2 + 2) / 3 : x.top();
    const QRect tall = FirstInk(font, page, palette, {U'b', U'd', U'h', U'k', U'l'});
    metrics.ascenderTop = tall.isNull() ? cap.top() : tall.top();
    const QRect low = FirstInk(font, page, palette, {U'p', U'q', U'g', U'y'});
    metrics.descent =
        low.isNull() ? std::max(1, cap.height() / 4) : std::max(1, low.bottom() - metrics.baseline);
    metrics.stem = std::max(1, RunFromLeft(*capital, cap, cap.top() + cap.height() / 4, palette));
    const QRect wide = FirstInk(font, page, palette, {U'M', U'W', U'm', U'w'});
    metrics.widest = wide.isNull() ? 0 : wide.width();
    metrics.widestLeft = wide.isNull() ? cap.left() : wide.left();
    // Monospaced when every letter's glyph has the one width; fixed pitch when every one ends at
    // the one column of the line (an outline that pushes a glyph's ink left of its origin widens
    // that glyph, not the pitch).
    int cell = -1, pitch = -1;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const auto shown = page.CharacterAt(code);
        const Glyph* glyph = font.GlyphAt(code);
        // The widest letter, but not one with a bar or slant through its stem (Ð Đ Ł Ħ), which
        // may stick out into the space beside the stem: that says nothing of the cell.
        const auto stroked = shown ? StrokedLetterOf(*shown) : std::nullopt;
        const bool barThroughStem =
            shown == U'Ð' || (stroked && stroked->stroke != StrokeKind::SlashAcrossInk);
        if (glyph != nullptr && shown && QChar::isLetter(*shown) && *shown < 0x250 &&
            !barThroughStem) {
            metrics.widestLetter =
                std::max(metrics.widestLetter, InkRectOf(glyph->raster, palette).width());
        }
        if (glyph != nullptr && shown && QChar::isLetter(*shown) && *shown < 0x80) {
            const int right = glyph->width() + glyph->xOffset;
            cell = cell < 0 || cell == glyph->width() ? glyph->width() : 0;
            pitch = pitch < 0 || pitch == right ? right : 0;
        }
    }
    metrics.stemBarCorner = StemBarCorner(font, page, palette);
    metrics.stemSerif = StemSerif(font, page, palette, metrics.xTop, metrics.baseline);
    metrics.cellWidth = std::max(0, cell);
    metrics.fixedPitch = pitch > 0;
    return metrics;
}

bool HasCapitalsOnly(const Charset& font, const CodePage& page) {
    const PaletteLookup palette(font.ColorCount());
    int same = 0, small = 0, capitals = 0;
    for (char32_t letter = U'a'; letter <= U'z'; ++letter) {
        const Glyph* glyph = font.GlyphAt(page.CodeOf(letter));
        const Glyph* capital = font.GlyphAt(page.CodeOf(letter - U'a' + U'A'));
        capitals += capital != nullptr;
        small += glyph != nullptr;
        if (glyph == nullptr || capital == nullptr) {
            continue;
        }
        const QRect ink = InkRectOf(glyph->raster, palette);
        const QRect capitalInk = InkRectOf(capital->raster, palette);
        same += !ink.isNull() &&
                ink.top() + glyph->yOffset == capitalInk.top() + capital->yOffset &&
                Crop(glyph->raster, ink) == Crop(capital->raster, capitalInk);
    }
    constexpr int Most = 20; // of the 26 letters
    return capitals >= Most && (small == 0 || same >= Most);
}

} // namespace fontlathe
