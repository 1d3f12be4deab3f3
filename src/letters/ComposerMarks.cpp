#include "LetterComposer.h"

#include "CapitalShortening.h"
#include "GlyphInk.h"
#include "LetterMetrics.h"
#include "charset/DisplayColors.h"

#include <QChar>

#include <algorithm>

// The composer's marks: where each goes on a body, and what the body gives up for it.
namespace fontlathe {

namespace {

// Letters whose caron Czech and Slovak write as an apostrophe beside the stem.
bool TakesApostropheCaron(char32_t base) {
    return base == U'd' || base == U't' || base == U'l' || base == U'L';
}

// Where an ogonek of that size goes on the letter. It hangs from a stem's foot at the right of the
// letter's bottom row (a, A), its tail one column past it; under a bar or a curve (e, E) it hangs
// from the middle, as designers of pixel faces draw ę. A stem rises straight from that foot, the
// foot's row counted, for half the letter's ink height at least: a serif turned up at the end of
// E's bar, or the foot of a slanted leg, is not one (there the ogonek hangs from the middle of the
// row, between A's feet). Where the middle falls between two pixels, the ogonek leans to the
// side of the row with more ink: under a's bowl, not its spur.
QPoint OgonekAt(const InkRaster& letter, QSize size) {
    const QRect ink = letter.Bounds();
    const QRect bottom = letter.Row(ink.bottom());
    const QRect foot(bottom.left(), ink.top(), bottom.width(), ink.height());
    int run = 0;
    while (letter.Ink(bottom.right(), ink.bottom() - run)) {
        ++run;
    }
    if (2 * run >= ink.height()) {
        return AlignedOn({0, 0, 1}, size, foot, MarkPlace::BelowRight, HalfPixel::Right);
    }
    int heavier = 0; // the row's ink right of its middle less that left of it
    for (int x = bottom.left(); x <= bottom.right(); ++x) {
        const int side = 2 * x - bottom.left() - bottom.right();
        heavier += letter.Ink(x, ink.bottom()) ? (side > 0) - (side < 0) : 0;
    }
    return AlignedOn({0, 0, 0}, size, foot, MarkPlace::Below,
                     heavier < 0 ? HalfPixel::Left : HalfPixel::Right);
}

} // namespace

void LetterComposer::KeepWithinLine(Glyph& body, FontMarks::Placement& placed,
                                    char32_t shape) const {
    const QRect markInk = InkRectOf(placed.mark, palette_);
    const QRect bodyInk = InkRectOf(body.raster, palette_);
    if (!lineTop_ || markInk.isNull() || bodyInk.isNull()) {
        return;
    }
    int excess = *lineTop_ - (body.yOffset + placed.at.y() + markInk.top());
    if (excess <= 0) {
        return;
    }
    // The rows between the mark and the letter go first, then rows of the letter's top.
    const int gap = bodyInk.top() - (placed.at.y() + markInk.bottom()) - 1;
    const int lowered = std::min(excess, std::max(0, gap));
    placed.at.ry() += lowered;
    excess -= lowered;
    if (excess > 0 && excess < bodyInk.height() / 2) {
        body = ShortenedCapital(body, excess, palette_,
                                QChar::isLower(shape) ? ShorteningRule::TopRun
                                                      : marks_.CapitalShorteningRule());
        placed.at.ry() += excess;
    }
}

bool LetterComposer::CaronBeside(char32_t base) const {
    return TakesApostropheCaron(base) && !monospaced_;
}

bool LetterComposer::ReachesCapitalTop(const Glyph& body) const {
    const Glyph* h = BodyShowing(U'H');
    const QRect capital = h == nullptr ? QRect() : InkRectOf(h->raster, palette_);
    const QRect ink = InkRectOf(body.raster, palette_);
    return !capital.isNull() && !ink.isNull() &&
           ink.top() + body.yOffset <= capital.top() + h->yOffset;
}

int LetterComposer::CapitalHeight() const {
    const Glyph* h = BodyShowing(U'H');
    const QRect ink = h == nullptr ? QRect() : InkRectOf(h->raster, palette_);
    return ink.isNull() ? bodies_.fontHeight() : ink.height();
}

bool LetterComposer::AddMark(Glyph& body, char32_t base, const MarkInfo& mark,
                             QString& name) const {
    const QRect ink = InkRectOf(body.raster, palette_);
    if (ink.isNull()) {
        return false;
    }
    // The caron of ď ť ľ Ľ in a proportional font goes beside the stem. A monospaced font's cell
    // has no room beside them: there it stands above, as its designers draw it.
    std::optional<FontMarks::Placement> beside;
    if (mark.kind == MarkKind::Caron && CaronBeside(base)) {
        // Beside a capital's whole width; beside a small letter's ascender, and at least a column
        // past all its ink (t's bar), from the font's ascender top (t is short).
        QRect stem = ink;
        if (!QChar::isUpper(base)) {
            stem.setTop(std::min(ink.top(), ascenderTop_ - body.yOffset));
            stem.setRight(
                std::max(RowInkOf(body.raster, ink.top(), palette_).right(), ink.right() - 1));
        }
        beside = marks_.PlaceBeside(stem);
    }
    const FontMarks::Placement placed = beside ? *beside : PlaceMark(body, base, mark);
    StampGrowing(body, placed.mark, placed.at, palette_);
    name = placed.name;
    return true;
}

FontMarks::Placement LetterComposer::PlaceMark(const Glyph& body, char32_t base,
                                               const MarkInfo& mark) const {
    const QRect ink = InkRectOf(body.raster, palette_);
    std::optional<FontMarks::Placement> placed = marks_.Place(mark.kind, base, body.raster);
    // Marks of no accented letter of the font's are centred on the base, a blank row above it
    // or straight under it.
    const MarkAnchor centred{0, mark.place == MarkPlace::Above ? 1 : 0, 0};
    // A spacing mark of the font's own (´ ¸ ¨ ...) goes on as the built-in marks do.
    const Glyph* spacing = placed ? nullptr : BodyShowing(mark.spacing);
    if (const MarkImage own = spacing ? MarkOfSpacingGlyph(*spacing, palette_) : MarkImage();
        !own.isNull() && mark.place != MarkPlace::BelowRight) {
        placed = FontMarks::Placement{
            own, AlignedOn(centred, own.size(), ink, mark.place, HalfPixel::Right),
            QStringLiteral("the font's ") + QLatin1String(mark.name)};
    }
    if (!placed) {
        // An ogonek as long as the font's cedilla, in the weight of its stems.
        const int cedilla = marks_.MarkHeight(MarkKind::Cedilla, QChar::isUpper(base));
        const MarkImage builtIn =
            mark.kind == MarkKind::Ogonek && cedilla > 0
                ? OgonekMark(cedilla, stem_, DisplayColorOf(style_.body))
                : BuiltInMark(mark.kind, CapitalHeight(), DisplayColorOf(style_.body));
        QPoint at;
        if (mark.place != MarkPlace::BelowRight) {
            at = AlignedOn(centred, builtIn.size(), ink, mark.place, HalfPixel::Left);
        } else {
            at = OgonekAt(InkRaster(body.raster, palette_), builtIn.size());
        }
        placed = FontMarks::Placement{
            builtIn, at, QStringLiteral("a built-in %1").arg(QLatin1String(mark.name))};
    }
    return *placed;
}

} // namespace fontlathe
