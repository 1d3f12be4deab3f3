#include "LetterComposer.h"

#include "CapitalShortening.h"
#include "GlyphInk.h"
#include "LetterMetrics.h"
#include "LetterStrokes.h"
#include "LetterTables.h"
#include "charset/DisplayColors.h"
#include "text/TextForms.h"

#include <QChar>

#include <algorithm>

namespace fontlathe {

namespace {

Charset BodiesOf(const Charset& font, const LetterStyle& style) {
    Charset bodies = font;
    const PaletteLookup palette(font.ColorCount());
    for (int code = 0; code < GlyphSlotCount; ++code) {
        Glyph& glyph = *bodies.SlotAt(code);
        if (glyph.present()) {
            glyph = BodyOf(glyph, style, palette);
        }
    }
    return bodies;
}

// The canonical decomposition, or the letter alone when it has none.
std::u32string Decomposed(char32_t letter) {
    const QList<uint> points =
        QString::fromUcs4(&letter, 1).normalized(QString::NormalizationForm_D).toUcs4();
    return std::u32string(points.begin(), points.end());
}

// Letters whose caron Czech and Slovak write as an apostrophe beside the stem.
bool TakesApostropheCaron(char32_t base) {
    return base == U'd' || base == U't' || base == U'l' || base == U'L';
}

// Whether a mark placed on a body carries on the stem the body's top is (L's, l's): it touches
// the stem from above in no column the stem has no ink in.
bool Swallowed(const Glyph& body, const FontMarks::Placement& placed,
               const PaletteLookup& palette) {
    const QRect ink = InkRectOf(body.raster, palette);
    const QRect markInk = InkRectOf(placed.mark, palette).translated(placed.at);
    if (ink.isNull() || markInk.isNull() || markInk.bottom() + 1 != ink.top() ||
        !IsLoneStem(RowInkOf(body.raster, ink.top(), palette), ink)) {
        return false;
    }
    const InkRaster stem(body.raster, palette), mark(placed.mark, palette);
    for (int y = 0; y < mark.Height(); ++y) {
        for (int x = 0; x < mark.Width(); ++x) {
            if (mark.Ink(x, y) && !stem.Ink(placed.at.x() + x, ink.top())) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

LetterComposer::LetterComposer(const Charset& font, const CodePage& page, const LetterStyle& found,
                               const LetterStyle& style)
    : bodies_(BodiesOf(font, found)), page_(page), style_(style), palette_(font.ColorCount()),
      marks_(bodies_, page, palette_) {
    if (const std::optional<LetterMetrics> metrics = MeasureLetters(bodies_, page, palette_)) {
        stem_ = metrics->stem;
        monospaced_ = metrics->Monospaced() || metrics->fixedPitch;
        ascenderTop_ = metrics->ascenderTop;
    }
    for (int code = 32; code < GlyphSlotCount; ++code) {
        const std::optional<char32_t> shown = page.CharacterAt(code);
        const Glyph* glyph = bodies_.GlyphAt(code);
        if (shown && QChar::isLetter(*shown) && glyph != nullptr) {
            if (const QRect ink = InkRectOf(glyph->raster, palette_); !ink.isNull()) {
                lineTop_ = std::min(lineTop_.value_or(ink.top() + glyph->yOffset),
                                    ink.top() + glyph->yOffset);
            }
        }
    }
}

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
            // The ogonek hangs from a stem's foot at the right of the base's bottom row (a, A),
            // its tail one column past it; under a bar or a curve (e, E) it hangs from the
            // middle, as designers of pixel faces draw ę.
            const QRect bottom = RowInkOf(body.raster, ink.bottom(), palette_);
            const QRect foot(bottom.left(), ink.top(), bottom.width(), ink.height());
            const bool onStem =
                InkRaster(body.raster, palette_).Ink(bottom.right(), std::max(0, ink.bottom() - 1));
            at = onStem
                     ? AlignedOn({0, 0, 1}, builtIn.size(), foot, MarkPlace::BelowRight,
                                 HalfPixel::Right)
                     : AlignedOn(centred, builtIn.size(), foot, MarkPlace::Below, HalfPixel::Right);
        }
        placed = FontMarks::Placement{
            builtIn, at, QStringLiteral("a built-in %1").arg(QLatin1String(mark.name))};
    }
    return *placed;
}

const Glyph* LetterComposer::BodyOfLetter(char32_t letter) const {
    if (const Glyph* own = BodyShowing(letter)) {
        return own;
    }
    const auto twin = LatinTwinOf(letter);
    return twin ? BodyShowing(*twin) : nullptr;
}

std::optional<LetterComposer::Composed> LetterComposer::Compose(char32_t letter,
                                                                LetterParts* built) const {
    std::optional<Composed> composed = ComposeBody(letter, built);
    if (composed && composed->glyph) {
        composed->glyph = Finish(*composed->glyph);
        if (!FitsFontFile(*composed->glyph)) {
            composed->glyph.reset();
        }
    }
    return composed;
}

std::optional<LetterComposer::Composed> LetterComposer::ComposeBody(char32_t letter,
                                                                    LetterParts* built) const {
    // The dotless i is the font's i without its dot.
    if (letter == U'ı') {
        const Glyph* i = BodyShowing(U'i');
        if (i == nullptr) {
            return std::nullopt;
        }
        return Composed{WithoutDot(*i, palette_), U'i',
                        QStringLiteral("composed from i without its dot")};
    }
    const std::u32string parts = Decomposed(letter);
    const auto stroked = StrokedLetterOf(letter);
    const bool marked =
        parts.size() > 1 && std::all_of(parts.begin() + 1, parts.end(), [](char32_t part) {
            return MarkOfCombining(part).has_value();
        });
    if (!stroked && !marked) {
        return std::nullopt;
    }
    char32_t base = stroked ? stroked->base : parts[0];
    const Glyph* found = BodyShowing(base);
    if (found == nullptr) {
        const auto twin = LatinTwinOf(base);
        found = twin ? BodyShowing(*twin) : nullptr;
        if (found != nullptr) {
            base = *twin;
        } else if (found = built ? built->PartOrDrawn(base) : nullptr; found == nullptr) {
            return std::nullopt;
        }
    }
    const char32_t named = base;
    std::optional<Glyph> body = *found;
    QString detail = QStringLiteral("composed from ") + LetterName(named);
    if (stroked) {
        body = DrawStroke(*body, stroked->stroke, palette_);
        if (!body) {
            return std::nullopt; // a base with no ink takes no stroke
        }
        detail += QStringLiteral(" + a stroke");
    }
    const char32_t shape = marked ? parts[0] : base; // the letter the marks go on, by its script
    bool dotRemoved = false, shortened = false, markedAbove = false;
    for (auto part = parts.begin() + 1; marked && body && part != parts.end(); ++part) {
        const MarkInfo mark = *MarkOfCombining(*part);
        std::optional<FontMarks::Placement> placed; // where the mark goes, once worked out
        if (mark.place == MarkPlace::Above && !dotRemoved && HasDotAbove(shape)) {
            body = WithoutDot(*body, palette_);
            dotRemoved = true;
        }
        const bool beside = (mark.kind == MarkKind::Caron && CaronBeside(shape)) ||
                            (mark.kind == MarkKind::Acute && IsGreekCapital(shape));
        // Where the font's own capitals go without such a mark for lack of room, so does this.
        if (mark.place == MarkPlace::Above && !beside && QChar::isUpper(shape) &&
            marks_.LeavesCapitalUnmarked(mark.kind)) {
            detail += QStringLiteral(" without its %1, as the font's capitals go without")
                          .arg(QLatin1String(mark.name));
            continue;
        }
        if (mark.place == MarkPlace::Above && !shortened && !beside && ReachesCapitalTop(*body)) {
            const int rows = marks_.CapitalShortening(mark.kind, body->raster);
            const std::optional<Glyph> drawn =
                QChar::isUpper(shape) ? marks_.ShortenedAsDrawn(shape, mark.kind, rows, *body)
                                      : std::nullopt;
            const Glyph full = *body;
            body = drawn ? *drawn
                         : ShortenedCapital(*body, rows, palette_,
                                            QChar::isLower(shape) ? ShorteningRule::TopRun
                                                                  : marks_.CapitalShorteningRule());
            shortened = true;
            // The rows come off only where the mark needs them: a mark that stands clear above the
            // whole body, where it goes on the shortened one (Ľ's caron beside the stem, Ň's
            // between the stems), leaves the body whole.
            if (rows > 0 && !InkRectOf(body->raster, palette_).isNull()) {
                placed = PlaceMark(*body, shape, mark);
                if (StandsClearAbove(full.raster, placed->mark, placed->at, palette_,
                                     marks_.MarksTouchCorners())) {
                    body = full;
                }
            }
        }
        // A small letter's mark rises no higher than the font's capitals' marks: a letter that
        // would push it higher (t, in a monospaced font's ť) loses rows from its top instead.
        if (mark.place == MarkPlace::Above && !shortened && !markedAbove && !beside &&
            QChar::isLower(shape) && !InkRectOf(body->raster, palette_).isNull()) {
            placed = PlaceMark(*body, shape, mark);
            const int top =
                body->yOffset + placed->at.y() + InkRectOf(placed->mark, palette_).top();
            if (const std::optional<int> highest = marks_.CapitalMarkTop();
                highest && top < *highest) {
                const int rows = std::min(*highest - top, std::max(1, marks_.CapitalShortening()));
                body = ShortenedCapital(*body, rows, palette_, ShorteningRule::TopRun);
                shortened = true;
                placed.reset(); // the mark goes on the shortened letter anew
            }
        }
        // Where the font's designer shortens capitals under their marks to keep them in the line,
        // no new mark rises above the font's own letters.
        if (mark.place == MarkPlace::Above && !beside && marks_.CapitalShortening() > 0 &&
            !InkRectOf(body->raster, palette_).isNull()) {
            if (!placed) {
                placed = PlaceMark(*body, shape, mark);
            }
            KeepWithinLine(*body, *placed, shape);
        }
        // A mark that would carry on the stem the letter's top is (a one-pixel acute on L's
        // stem gives a taller L) goes a column right, at the same rows: beside the stem's top it
        // reads as a mark, as an acute leans.
        if (!placed && mark.place == MarkPlace::Above && !beside &&
            !InkRectOf(body->raster, palette_).isNull()) {
            placed = PlaceMark(*body, shape, mark);
        }
        if (placed && mark.place == MarkPlace::Above && Swallowed(*body, *placed, palette_)) {
            placed->at.rx() += 1;
        }
        QString name;
        if (placed) {
            StampGrowing(*body, placed->mark, placed->at, palette_);
            name = placed->name;
        } else if (!AddMark(*body, shape, mark, name)) {
            return std::nullopt; // a base with no ink takes no mark
        }
        markedAbove = markedAbove || mark.place == MarkPlace::Above;
        detail += QStringLiteral(" + ") + name;
    }
    return Composed{std::move(body), named, detail};
}

} // namespace fontlathe
