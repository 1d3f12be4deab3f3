#include "DrawnLetters.h"

#include "GlyphInk.h"
#include "charset/DisplayColors.h"
#include "generate/Rasterizer.h"

#include <QChar>

#include <algorithm>
#include <cstdlib>

namespace fontlathe {

namespace {

// The drawings come in display colours 1 and 2 whatever the font's depth.
const PaletteLookup DrawingColors(4);

// The glyph of the capital H, or else of the Latin capital with the tallest ink.
const Glyph* ReferenceCapital(const Charset& font, const CodePage& page,
                              const PaletteLookup& palette) {
    if (const Glyph* h = font.GlyphAt(page.CodeOf(U'H'));
        h != nullptr && !InkRectOf(h->raster, palette).isNull()) {
        return h;
    }
    const Glyph* tallest = nullptr;
    int tallestHeight = 0;
    for (char32_t capital = U'A'; capital <= U'Z'; ++capital) {
        const Glyph* glyph = font.GlyphAt(page.CodeOf(capital));
        const int height = glyph == nullptr ? 0 : InkRectOf(glyph->raster, palette).height();
        if (height > tallestHeight) {
            tallest = glyph;
            tallestHeight = height;
        }
    }
    return tallest;
}

} // namespace

LetterDrawer::LetterDrawer(const Charset& font, const CodePage& fontPage,
                           const DrawingSource& source, GenerationStyle style)
    : drawing_(source), style_(style), palette_(font.ColorCount()) {
    InkCounts counts{};
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph* glyph = font.GlyphAt(code);
        const auto character = fontPage.CharacterAt(code);
        if (glyph != nullptr && character && QChar::isLetter(*character)) {
            CountInk(glyph->raster, palette_, counts);
        }
    }
    const int main = std::max(1, MostUsedInk(counts));
    main_ = DisplayColorOf(main);
    if (const int second = MostUsedInk(counts, main); second != 0) {
        second_ = DisplayColorOf(second);
    } else if (font.ColorCount() > 2) {
        second_ = DisplayColorOf(main == 1 ? 2 : 1);
    }
    const Glyph* capital = ReferenceCapital(font, fontPage, palette_);
    if (capital == nullptr) {
        problem_ = QStringLiteral("the font has no Latin capital to size the drawing by");
        return;
    }
    capital_ = *capital;
    capitalInk_ = InkRectOf(capital_.raster, palette_);
    // The smallest size whose H is at least as tall, or the size below it when that comes closer;
    // a face has its one size.
    const int target = capitalInk_.height();
    int low = MinGenerationSize, high = drawing_.face() ? low : MaxGenerationSize;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (DrawnCapitalHeight(middle, nullptr) >= target) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    if (low > MinGenerationSize && std::abs(DrawnCapitalHeight(low - 1, nullptr) - target) <
                                       std::abs(DrawnCapitalHeight(low, nullptr) - target)) {
        --low;
    }
    if (DrawnCapitalHeight(low, &drawnBaseline_) == 0) {
        problem_ = QStringLiteral("%1 draws no H").arg(drawing_.Family());
    }
}

int LetterDrawer::DrawnCapitalHeight(int pixelSize, int* bottom) {
    drawing_.SetPixelSize(pixelSize);
    const QRect ink = InkRectOf(drawing_.Draw(U'H', style_), DrawingColors);
    if (bottom != nullptr) {
        *bottom = ink.bottom();
    }
    return ink.isNull() ? 0 : ink.height();
}

QString LetterDrawer::Description() const {
    return QStringLiteral("%1 at %2 px").arg(drawing_.Family()).arg(drawing_.PixelSize());
}

std::optional<Glyph> LetterDrawer::Draw(char32_t letter) const {
    const QImage drawn = drawing_.Draw(letter, style_);
    const QRect ink = drawn.isNull() ? QRect() : InkRectOf(drawn, DrawingColors);
    if (!problem_.isEmpty() || ink.isNull()) {
        return std::nullopt;
    }
    // Rows of the line: the drawing's baseline lies on the capital's bottom row of ink.
    const int shift = capital_.yOffset + capitalInk_.bottom() - drawnBaseline_;
    const int top = std::min<int>(capital_.yOffset, ink.top() + shift);
    const int bottom =
        std::max<int>(capital_.yOffset + capital_.height(), ink.bottom() + shift + 1);
    const int left = capitalInk_.left();
    const int right = capital_.width() - 1 - capitalInk_.right();
    Glyph glyph;
    glyph.raster = MakeBlankRaster(left + ink.width() + right, bottom - top);
    glyph.xOffset = capital_.xOffset;
    glyph.yOffset = static_cast<std::int16_t>(top);
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(drawn.constScanLine(y)) + ink.left();
        auto* to = reinterpret_cast<QRgb*>(glyph.raster.scanLine(y + shift - top)) + left;
        for (int x = 0; x < ink.width(); ++x) {
            const int index = DrawingColors.IndexOf(from[x]);
            if (index == 1) {
                to[x] = main_;
            } else if (index != 0 && second_) {
                to[x] = *second_;
            }
        }
    }
    return FitsFontFile(glyph) ? std::optional<Glyph>(std::move(glyph)) : std::nullopt;
}

} // namespace fontlathe
