#include "FontMarks.h"

#include "CapitalShortening.h"
#include "GlyphInk.h"
#include "MarkReading.h"
#include "charset/DisplayColors.h"

#include <QChar>

#include <algorithm>
#include <map>

namespace fontlathe {

std::optional<Glyph> FontMarks::ShortenedAsDrawn(char32_t base, MarkKind kind, int rows,
                                                 const Glyph& body) const {
    const MarkKind source =
        kind == MarkKind::Caron || kind == MarkKind::Breve            ? MarkKind::Circumflex
        : kind == MarkKind::DoubleAcute || kind == MarkKind::DotAbove ? MarkKind::Acute
                                                                      : kind;
    const DrawnBase* best = nullptr;
    for (const DrawnBase& drawn : drawnBases_) {
        if (drawn.base == base && drawn.shortened == rows &&
            (best == nullptr || (drawn.kind == source && best->kind != source))) {
            best = &drawn;
        }
    }
    const QRect ink = InkRectOf(body.raster, palette_);
    if (best == nullptr || ink.isNull() || best->ink.width() != ink.width()) {
        return std::nullopt;
    }
    // The drawn base stands on the body's bottom row, in the body's columns.
    Glyph shortened = body;
    shortened.raster = MakeBlankRaster(body.raster.width(), body.raster.height());
    StampInk(shortened.raster, best->ink, QPoint(ink.left(), ink.bottom() + 1 - best->ink.height()),
             palette_);
    return shortened;
}

bool FontMarks::LeavesCapitalUnmarked(MarkKind kind) const {
    if (const auto shown = unmarkedCapitals_.find(kind); shown != unmarkedCapitals_.end()) {
        return shown->second.first > shown->second.second;
    }
    int without = 0, with = 0;
    for (const auto& [shownKind, counts] : unmarkedCapitals_) {
        without += counts.first;
        with += counts.second;
    }
    return without > with;
}

FontMarks::FontMarks(const Charset& bodies, const CodePage& page, const PaletteLookup& palette)
    : palette_(palette) {
    std::map<int, int> shortenings;
    std::map<ShorteningRule, int> votes;
    for (int code = 32; code < GlyphSlotCount; ++code) {
        const std::optional<char32_t> shown = page.CharacterAt(code);
        const Glyph* accented = bodies.GlyphAt(code);
        if (!shown || accented == nullptr) {
            continue;
        }
        const QList<uint> parts =
            QString::fromUcs4(&*shown, 1).normalized(QString::NormalizationForm_D).toUcs4();
        const std::optional<MarkInfo> info =
            parts.size() == 2 ? MarkOfCombining(parts[1]) : std::nullopt;
        const Glyph* plain = parts.size() == 2 ? bodies.GlyphAt(page.CodeOf(parts[0])) : nullptr;
        if (!info || plain == nullptr) {
            continue;
        }
        const QRect plainInk = InkRectOf(plain->raster, palette_);
        const bool capital = QChar::isUpper(parts[0]);
        if (info->place == MarkPlace::Above && capital) {
            const QRect accentedInk = InkRectOf(accented->raster, palette_);
            const bool unmarked =
                !plainInk.isNull() &&
                accentedInk.top() + accented->yOffset == plainInk.top() + plain->yOffset &&
                Crop(accented->raster, accentedInk) == Crop(plain->raster, plainInk);
            auto& [without, with] = unmarkedCapitals_[info->kind];
            ++(unmarked ? without : with);
            if (unmarked) {
                continue;
            }
        }
        if (info->place == MarkPlace::Above) {
            QRect mark, base;
            int shortened = 0;
            const Glyph dotless = HasDotAbove(parts[0]) ? WithoutDot(*plain, palette_) : *plain;
            if (SplitAbove(accented->raster, palette_, mark, base)) {
                shortened = plainInk.height() - base.height();
                if (capital && shortened > 0) {
                    VoteShorteningRule(Crop(accented->raster, base), dotless, shortened, palette_,
                                       votes);
                    if (const QImage drawn = Crop(accented->raster, base);
                        RowsFromBase(drawn, Crop(dotless.raster, plainInk))) {
                        drawnBases_.push_back({parts[0], info->kind, shortened, drawn});
                    }
                }
            } else if (!SubtractAbove(accented->raster, dotless, palette_, mark, base, shortened)) {
                continue;
            }
            const bool openTop = HasOpenTop(dotless.raster, palette_);
            samples_.push_back({info->kind, capital, Crop(accented->raster, mark), base.width(),
                                openTop, shortened, AnchorBetween(mark, base, info->place)});
            if (capital && !HasDotAbove(parts[0])) {
                ++shortenings[shortened];
                const int top = accented->yOffset + mark.top();
                capitalMarkTop_ = std::min(capitalMarkTop_.value_or(top), top);
            }
            // A mark set straight on a full capital (Terminus bold's Ú) may touch it at a corner:
            // at a corner only, not resting on it (Å's ring).
            if (capital && shortened == 0 && mark.bottom() + 1 == base.top()) {
                const InkRaster letter(accented->raster, palette_);
                const int above = mark.bottom(), below = base.top();
                bool corner = false, resting = false;
                for (int x = mark.left(); x <= mark.right(); ++x) {
                    corner = corner || (letter.Ink(x, above) &&
                                        (letter.Ink(x - 1, below) || letter.Ink(x + 1, below)));
                    resting = resting || (letter.Ink(x, above) && letter.Ink(x, below));
                }
                marksTouchCorners_ = marksTouchCorners_ || (corner && !resting);
            }
        } else if (info->place != MarkPlace::Above && !plainInk.isNull()) {
            // The base lies in the accented letter with its ink's top-left on the letter's.
            const QRect ink = InkRectOf(accented->raster, palette_);
            Glyph lined = *plain;
            lined.xOffset = static_cast<std::int16_t>(ink.left() - plainInk.left());
            lined.yOffset = static_cast<std::int16_t>(ink.top() - plainInk.top());
            Glyph unplaced = *accented;
            unplaced.xOffset = unplaced.yOffset = 0;
            QRect where;
            const MarkImage cut = CutMark(unplaced, lined, info->place, palette_, &where);
            if (!cut.isNull()) {
                // A mark below keeps its place against the base's bottom row (C's is off centre).
                const QRect foot = RowInkOf(plain->raster, plainInk.bottom(), palette_);
                const QRect base =
                    QRect(foot.left(), plainInk.top(), foot.width(), plainInk.height())
                        .translated(ink.topLeft() - plainInk.topLeft());
                samples_.push_back({info->kind, capital, cut, base.width(), false, 0,
                                    AnchorBetween(where, base, info->place)});
            }
        }
    }
    for (const char32_t sign : {U',', U'\''}) {
        const Glyph* glyph = bodies.GlyphAt(page.CodeOf(sign));
        const QRect ink = glyph == nullptr ? QRect() : InkRectOf(glyph->raster, palette_);
        if (!ink.isNull()) {
            apostrophe_ = SuppliedMark{Crop(glyph->raster, ink), MarkAnchor{0, 2, 0},
                                       sign == U',' ? QStringLiteral("the font's comma")
                                                    : QStringLiteral("the font's apostrophe")};
            break;
        }
    }
    if (const Glyph* i = bodies.GlyphAt(page.CodeOf(U'i'))) {
        QRect mark, base;
        if (SplitAbove(i->raster, palette_, mark, base)) {
            dot_ = Crop(i->raster, mark);
        }
    }
    const Glyph* a = bodies.GlyphAt(page.CodeOf(U'a'));
    const int aWidth = a == nullptr ? 0 : InkRectOf(a->raster, palette_).width();
    breveWidth_ = aWidth - 2;
    // Designers draw the breve as wide as their macron, where the font has a flat one (no wider
    // than a).
    if (const Glyph* macron = bodies.GlyphAt(page.CodeOf(U'¯'))) {
        if (const QRect ink = InkRectOf(macron->raster, palette_);
            !ink.isNull() && ink.height() == 1) {
            breveWidth_ = aWidth > 0 ? std::min(ink.width(), aWidth) : ink.width();
        }
    }
    // Where the font's tilde over a (or over a small letter as wide) stands well inside it, two
    // columns narrower at least, the designer draws the breve as wide as that tilde.
    for (const Sample& sample : samples_) {
        if (sample.kind == MarkKind::Tilde && !sample.capital && sample.baseWidth == aWidth) {
            if (const int tilde = sample.mark.width(); tilde > 0 && tilde <= aWidth - 2) {
                breveWidth_ = tilde;
            }
            break;
        }
    }
    // A designer who keeps the bar in the middle does what the longest run does on most letters:
    // the bar rule stands unless the font's own capitals follow only the other.
    shorteningRule_ = votes[ShorteningRule::LongestRun] > votes[ShorteningRule::CentredBar]
                          ? ShorteningRule::LongestRun
                          : ShorteningRule::CentredBar;
    int most = 0;
    for (const auto& [rows, count] : shortenings) {
        if (count > most) {
            most = count;
            capitalShortening_ = std::max(0, rows);
        }
    }
}

} // namespace fontlathe
