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
        // A ring that would touch the stems of an open-topped letter stands a row higher, where
        // the font has room above its capitals for marks and sets none touching: there designers
        // set ů and Ů apart. It rises no higher than the capitals' marks, and out of the line
        // only where they do; there Ů's ring may rise a row past them, as the designers of such
        // faces lift it.
        if (placed && mark.kind == MarkKind::Ring && !beside && marks_.CapitalShortening() == 0 &&
            !marks_.MarksTouchCorners() && HasOpenTop(body->raster, palette_)) {
            const int top =
                body->yOffset + placed->at.y() + InkRectOf(placed->mark, palette_).top();
            const std::optional<int> highest = marks_.CapitalMarkTop();
            const bool room = top > highest.value_or(0) ||
                              (QChar::isUpper(shape) && highest && *highest < 0 && top >= *highest);
            if (room &&
                !StandsClearAbove(body->raster, placed->mark, placed->at, palette_, false)) {
                placed->at.ry() -= 1;
            }
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
