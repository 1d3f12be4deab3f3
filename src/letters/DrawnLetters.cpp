#include "DrawnLetters.h"

#include "DrawingFit.h"
#include "GlyphInk.h"
#include "LetterShapes.h"
#include "StrokeKeeping.h"
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

// The letter has a canonical decomposition: a base with marks.
bool IsMarked(char32_t letter) {
    return QString::fromUcs4(&letter, 1).normalized(QString::NormalizationForm_D).size() > 1;
}

} // namespace

LetterDrawer::LetterDrawer(const Charset& font, const CodePage& fontPage,
                           const DrawingSource& source, GenerationStyle style)
    : drawing_(source), style_(style), palette_(font.ColorCount()),
      metrics_(MeasureLetters(font, fontPage, palette_)) {
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
    if (capital == nullptr || !metrics_) {
        problem_ = QStringLiteral("the font has no Latin capital to size the drawing by");
        return;
    }
    capital_ = *capital;
    capitalInk_ = InkRectOf(capital_.raster, palette_);
    bar_ = BarHeightOf(capital_.raster, palette_);
    capitals_ = SizeFor(U'H', metrics_->CapHeight());
    if (!capitals_) {
        problem_ = QStringLiteral("%1 draws no H").arg(drawing_.Family());
        return;
    }
    drawing_ = capitals_->source;
    const Glyph* m = font.GlyphAt(fontPage.CodeOf(U'm'));
    const QRect mInk = m == nullptr ? QRect() : InkRectOf(m->raster, palette_);
    smallWidest_ = mInk.isNull() ? metrics_->widest : mInk.width();
    small_ = SizeFor(U'x', metrics_->XHeight());
    tall_ = SizeFor(U'b', metrics_->baseline - metrics_->ascenderTop + 1);
}

std::optional<LetterDrawer::Sized> LetterDrawer::SizeFor(char32_t reference, int height) const {
    DrawingSource source = drawing_;
    const auto inkAt = [&source, reference](int pixelSize) {
        source.SetPixelSize(pixelSize);
        return InkRectOf(source.Draw(reference, GenerationStyle::Normal), DrawingColors);
    };
    // The smallest size whose letter is at least as tall, or the size below it when that comes
    // closer; a face has its one size.
    int low = MinGenerationSize, high = source.face() ? low : MaxGenerationSize;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (inkAt(middle).height() >= height) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    if (low > MinGenerationSize &&
        std::abs(inkAt(low - 1).height() - height) < std::abs(inkAt(low).height() - height)) {
        --low;
    }
    return SizedAt(reference, height, low);
}

std::optional<LetterDrawer::Sized> LetterDrawer::SizedAt(char32_t reference, int height,
                                                         int pixelSize) const {
    DrawingSource source = drawing_;
    source.SetPixelSize(pixelSize);
    const QRect ink = InkRectOf(source.Draw(reference, GenerationStyle::Normal), DrawingColors);
    if (ink.isNull()) {
        return std::nullopt;
    }
    return Sized{source,
                 reference,
                 ink.bottom(),
                 StemWidthOf(source.Draw(U'l', GenerationStyle::Normal), DrawingColors),
                 BarHeightOf(source.Draw(U'H', GenerationStyle::Normal), DrawingColors),
                 InkRectOf(source.Draw(U'H', GenerationStyle::Normal), DrawingColors).width(),
                 height,
                 ink.height()};
}

QString LetterDrawer::Description() const {
    const QString size =
        QStringLiteral("%1 at %2 px").arg(drawing_.Family()).arg(drawing_.PixelSize());
    if (!drawing_.face() || capitals_->rows == capitals_->drawnRows) {
        return size;
    }
    return QStringLiteral("%1, its capitals brought from %2 to %3 rows")
        .arg(size)
        .arg(capitals_->drawnRows)
        .arg(capitals_->rows);
}

std::optional<LetterInk> LetterDrawer::Fit(char32_t letter, const Sized& sized, int widest) const {
    const QImage drawn = sized.source.Draw(letter, style_);
    const QRect ink = drawn.isNull() ? QRect() : InkRectOf(drawn, DrawingColors);
    if (ink.isNull()) {
        return std::nullopt;
    }
    // The ink in the font's colours, its rows in the line's: the drawing's baseline lies on the
    // font's.
    LetterInk art{MakeBlankRaster(ink.width(), ink.height()),
                  QPoint(0, ink.top() + metrics_->baseline - sized.baseline)};
    for (int y = 0; y < ink.height(); ++y) {
        const auto* from = PixelsOf(drawn, ink.top() + y);
        auto* to = WritablePixelsOf(art.image, y);
        for (int x = 0; x < ink.width(); ++x) {
            const int index = DrawingColors.IndexOf(from[ink.left() + x]);
            if (index == 1) {
                to[x] = main_;
            } else if (index != 0 && second_) {
                to[x] = *second_;
            }
        }
    }
    // A bitmap face's pixels are its designer's: at the font's size they are used as they are.
    // At another, its letters are brought to the font's size as a drawing is fitted.
    // Stems and bars, measured on the source's l and H, scale with the letter.
    const bool scaled = sized.rows != sized.drawnRows;
    int drawnStem = sized.stem, drawnBar = sized.bar;
    if (scaled) {
        art = RowsScaled(art, metrics_->baseline, sized.rows, sized.drawnRows);
        // Its width scaled as the font's H is to the source's.
        const auto across = [&](int pixels) {
            return std::max(1, (pixels * capitalInk_.width() + sized.width / 2) /
                                   std::max(1, sized.width));
        };
        art = ResizedKeepingStrokes(art, across(art.image.width()), art.image.height());
        drawnStem = across(sized.stem);
        drawnBar = std::max(1, (sized.bar * sized.rows + sized.drawnRows / 2) / sized.drawnRows);
    }
    if (!drawing_.face() || scaled) {
        art = FittedToStems(art, metrics_->stem - drawnStem, drawnStem, widest);
        art = BarsThinned(art, std::min(0, bar_ - drawnBar), drawnBar);
    }
    return art;
}

std::optional<Glyph> LetterDrawer::Draw(char32_t letter) const {
    if (!problem_.isEmpty()) {
        return std::nullopt;
    }
    const bool small = QChar::isLower(letter) && small_;
    const Sized* sized = small ? &*small_ : &*capitals_;
    if (small && tall_ && !IsMarked(letter)) {
        // A small letter that reaches well above x is drawn at the size of the font's b.
        const QImage drawn = sized->source.Draw(letter, style_);
        const QRect ink = drawn.isNull() ? QRect() : InkRectOf(drawn, DrawingColors);
        const int xTop = sized->baseline + 1 - metrics_->XHeight();
        if (!ink.isNull() && ink.top() < xTop - metrics_->XHeight() / 3) {
            sized = &*tall_;
        }
    }
    // No wider than the font's M or m (where it has them) or its cell.
    int widest = small ? smallWidest_ : metrics_->widest;
    if (metrics_->Monospaced()) {
        widest = widest > 0 ? std::min(widest, metrics_->cellWidth) : metrics_->cellWidth;
    }
    std::optional<LetterInk> art = Fit(letter, *sized, widest);
    if (!art) {
        return std::nullopt;
    }
    // A letter that cannot be as narrow as that without losing a stroke is drawn a size or two
    // smaller and brought to the height, where that size draws it with the same strokes.
    const int size = sized->source.PixelSize();
    for (int smaller = size - 1; !drawing_.face() && widest > 0 && art->image.width() > widest &&
                                 smaller >= std::max(MinGenerationSize, size - 2);
         --smaller) {
        const std::optional<Sized> at = SizedAt(sized->reference, sized->rows, smaller);
        const std::optional<LetterInk> narrower = at ? Fit(letter, *at, widest) : std::nullopt;
        if (narrower && narrower->image.width() <= widest && StrokesAlike(*art, *narrower)) {
            art = narrower;
        }
    }
    if (metrics_->stem == 1 && !drawing_.face()) {
        art = CornersCut(*art);
    }
    // Sideways: H's blank columns on each side, or centred in the cell of a monospaced font.
    const int inkWidth = art->image.width();
    const int left = metrics_->Monospaced()
                         ? std::max(0, HalfOf(metrics_->cellWidth - inkWidth, HalfPixel::Left))
                         : capitalInk_.left();
    const int width = metrics_->Monospaced()
                          ? std::max(metrics_->cellWidth, left + inkWidth)
                          : left + inkWidth + capital_.width() - 1 - capitalInk_.right();
    const int top = std::min<int>(capital_.yOffset, art->Top());
    const int bottom = std::max<int>(capital_.yOffset + capital_.height(), art->Bottom() + 1);
    Glyph glyph;
    glyph.raster = MakeBlankRaster(width, bottom - top);
    glyph.xOffset = capital_.xOffset;
    glyph.yOffset = static_cast<std::int16_t>(top);
    StampInk(glyph.raster, art->image, QPoint(left, art->Top() - top), palette_);
    return FitsFontFile(glyph) ? std::optional<Glyph>(std::move(glyph)) : std::nullopt;
}

} // namespace fontlathe
