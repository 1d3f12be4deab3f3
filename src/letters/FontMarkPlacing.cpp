// Where a mark goes on a new letter: as the designer placed it on the font's own letter nearest
// to it; and the marks the font lacks, made from those it has.
#include "FontMarks.h"

#include "GlyphInk.h"
#include "LetterTables.h"
#include "MadeMarks.h"
#include "charset/DisplayColors.h"

#include <QChar>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace fontlathe {

namespace {

QImage Turned(const QImage& mark) {
    return mark.mirrored(false, true);
}

// The left of the two dots of a diaeresis, cropped to its ink; null where the mark is not two
// pieces side by side.
QImage LeftDot(const QImage& mark, const PaletteLookup& palette) {
    const InkRaster raster(mark, palette);
    const QRect ink = raster.Bounds();
    const auto columnHasInk = [&](int x) {
        for (int y = 0; y < raster.Height(); ++y) {
            if (raster.Ink(x, y)) {
                return true;
            }
        }
        return false;
    };
    int end = ink.left();
    while (end <= ink.right() && columnHasInk(end)) {
        ++end;
    }
    if (ink.isNull() || end > ink.right()) {
        return {};
    }
    const QImage left = Crop(mark, QRect(ink.left(), 0, end - ink.left(), mark.height()));
    return Crop(left, InkRectOf(left, palette));
}

} // namespace

int FontMarks::CapitalShortening(MarkKind kind, const QImage& body) const {
    const bool openTop = HasOpenTop(body, palette_);
    const int width = InkRectOf(body, palette_).width();
    const Sample* sample = Nearest(kind, true, width, openTop);
    if (sample != nullptr && sample->capital && openTop && sample->openTop) {
        return sample->shortened;
    }
    // A dot that is one of the diaeresis's takes off what the diaeresis does; one lower than the
    // acute it stands in for takes off as many rows fewer.
    if (const Sample* diaeresis = MostCommon(MarkKind::Diaeresis, true, width);
        kind == MarkKind::DotAbove && diaeresis != nullptr && diaeresis->capital &&
        !LeftDot(diaeresis->mark, palette_).isNull()) {
        return diaeresis->shortened;
    }
    const Sample* acute = Nearest(MarkKind::Acute, true, width);
    if (kind == MarkKind::DotAbove && !dot_.isNull() && acute != nullptr && dot_ != acute->mark) {
        return std::max(0, capitalShortening_ - std::max(0, acute->mark.height() - dot_.height()));
    }
    return capitalShortening_;
}

const FontMarks::Sample* FontMarks::Nearest(MarkKind kind, bool capital, int baseWidth,
                                            bool openTop, const QImage* mark) const {
    const Sample* best = nullptr;
    const auto distance = [&](const Sample& sample) {
        return std::pair(sample.openTop != openTop, std::abs(sample.baseWidth - baseWidth));
    };
    // Where a sample's mark stands against its base's ink: its left column from the base's, and
    // the rows between them. Two samples so placed agree whatever their bases' widths.
    const auto offset = [](const Sample& sample) {
        return std::pair((sample.anchor.doubledCentre - sample.mark.width() + sample.baseWidth) / 2,
                         sample.anchor.gap);
    };
    // Among equally near samples, the one placed as most of them are (one odd á among é ó ú);
    // of those, the one whose mark and shortening most of the case's letters share, whatever
    // their width (6x10's É, its acute one pixel on a full E, against Í Ó Ú Ý).
    const auto agreeing = [&](const Sample& sample, bool sameCase) {
        const auto count = [&](bool anyWidth) {
            return std::ranges::count_if(samples_, [&](const Sample& other) {
                return other.kind == kind && other.capital == (sameCase ? capital : !capital) &&
                       (mark == nullptr || other.mark == *mark) &&
                       (anyWidth ? other.mark == sample.mark && other.shortened == sample.shortened
                                 : other.mark.size() == sample.mark.size() &&
                                       distance(other) == distance(sample) &&
                                       offset(other) == offset(sample));
            });
        };
        return std::pair(count(false), count(true));
    };
    for (const bool sameCase : {true, false}) {
        std::pair<std::ptrdiff_t, std::ptrdiff_t> bestAgreeing;
        for (const Sample& sample : samples_) {
            if (sample.kind != kind || sample.capital != (sameCase ? capital : !capital) ||
                (mark != nullptr && sample.mark != *mark)) {
                continue;
            }
            if (best != nullptr && distance(sample) > distance(*best)) {
                continue;
            }
            const auto agree = agreeing(sample, sameCase);
            if (best == nullptr || distance(sample) < distance(*best) || agree > bestAgreeing) {
                best = &sample;
                bestAgreeing = agree;
            }
        }
        if (best != nullptr) {
            return best;
        }
    }
    return nullptr;
}

const FontMarks::Sample* FontMarks::MostCommon(MarkKind kind, bool capital, int baseWidth) const {
    const auto count = [&](const QImage& mark) {
        return std::ranges::count_if(samples_, [&](const Sample& other) {
            return other.kind == kind && other.capital == capital && other.mark == mark;
        });
    };
    const Sample* common = nullptr;
    for (const Sample& sample : samples_) {
        if (sample.kind == kind && sample.capital == capital &&
            (common == nullptr || count(sample.mark) > count(common->mark))) {
            common = &sample;
        }
    }
    return common == nullptr ? Nearest(kind, capital, baseWidth)
                             : Nearest(kind, capital, baseWidth, false, &common->mark);
}

int FontMarks::MarkHeight(MarkKind kind, bool capital) const {
    const Sample* sample = Nearest(kind, capital, 0);
    return sample == nullptr ? 0 : sample->mark.height();
}

FontMarks::Placement FontMarks::Aligned(const SuppliedMark& supplied, const QRect& baseInk,
                                        MarkKind kind, MarkPlace place, bool leanLeft) const {
    // The mark keeps the anchor it is given; a mark made wider or narrower than the sample's keeps
    // the same centre. Half a pixel off goes towards the top row's ink (t's stem), else to the
    // right, and a grave's to the left. A sample only half a pixel off could not be centred: a
    // mark that can be is centred.
    MarkAnchor anchor = supplied.anchor;
    if (std::abs(anchor.doubledCentre) == 1 && (baseInk.width() - supplied.mark.width()) % 2 == 0) {
        anchor.doubledCentre = 0;
    }
    const bool leansRight = kind != MarkKind::Grave && !leanLeft;
    const QPoint at = AlignedOn(anchor, supplied.mark.size(), baseInk, place,
                                leansRight ? HalfPixel::Right : HalfPixel::Left);
    return Placement{supplied.mark, at, supplied.name};
}

std::optional<FontMarks::Placement> FontMarks::PlaceBeside(const QRect& stem) const {
    if (!apostrophe_) {
        return std::nullopt;
    }
    return Placement{apostrophe_->mark,
                     AlignedOn(apostrophe_->anchor, apostrophe_->mark.size(), stem,
                               MarkPlace::Beside, HalfPixel::Right),
                     apostrophe_->name};
}

std::optional<FontMarks::SuppliedMark> FontMarks::MadeMark(MarkKind kind, bool capital,
                                                           int baseWidth) const {
    const Sample* circumflex = MostCommon(MarkKind::Circumflex, capital, baseWidth);
    const Sample* acute = MostCommon(MarkKind::Acute, capital, baseWidth);
    switch (kind) {
    case MarkKind::Caron:
        if (circumflex != nullptr) {
            // A circumflex that reads the same upside down (a flat bar, a dot) gives a v instead:
            // ě must not read as ê, nor ž as ż.
            const QImage turned = Turned(circumflex->mark);
            if (turned == circumflex->mark) {
                return SuppliedMark{CaronVee(circumflex->mark, palette_), circumflex->anchor,
                                    QStringLiteral("a v of the font's circumflex strokes")};
            }
            return SuppliedMark{turned, circumflex->anchor,
                                QStringLiteral("the font's circumflex turned")};
        }
        break;
    case MarkKind::Breve:
        if (circumflex != nullptr) {
            // A cup as wide as the macron or a's counter, four pixels at least, so that it never
            // reads as a caron's v nor, where the circumflex is a bar, as a bar; where that is the
            // circumflex turned, it says so.
            const QImage turned = Turned(circumflex->mark);
            const QImage cup = BreveCup(circumflex->mark, std::max(4, breveWidth_), palette_);
            return SuppliedMark{cup, circumflex->anchor,
                                cup == turned
                                    ? QStringLiteral("the font's circumflex turned")
                                    : QStringLiteral("a cup of the font's circumflex strokes")};
        }
        break;
    case MarkKind::DotAbove: {
        // One dot of the font's diaeresis, as high as the diaeresis, where the font has one (Ż's
        // is one of Ö's); else its i's dot, as high as its acute.
        const Sample* diaeresis = MostCommon(MarkKind::Diaeresis, capital, baseWidth);
        const QImage one = diaeresis != nullptr ? LeftDot(diaeresis->mark, palette_) : QImage();
        if (one.isNull() && (dot_.isNull() || (acute == nullptr && circumflex == nullptr))) {
            break;
        }
        const Sample& above = !one.isNull() ? *diaeresis : acute != nullptr ? *acute : *circumflex;
        // Centred on the base, whatever the sample's width leaves over, its bottom row where the
        // sample's is.
        MarkAnchor centred = above.anchor;
        centred.doubledCentre = 0;
        // A dot that looks like the acute is doubled downwards: ż must not read as ź.
        const QImage single = one.isNull() ? dot_ : one;
        QImage dot = single;
        if (acute != nullptr && dot == acute->mark) {
            dot = MakeBlankRaster(single.width(), 2 * single.height());
            StampInk(dot, single, QPoint(0, 0), palette_);
            StampInk(dot, single, QPoint(0, single.height()), palette_);
        }
        return SuppliedMark{dot, centred,
                            one.isNull() ? QStringLiteral("the font's dot")
                                         : QStringLiteral("a dot of the font's diaeresis")};
    }
    case MarkKind::DoubleAcute:
        if (acute != nullptr) {
            const Sample* diaeresis = MostCommon(MarkKind::Diaeresis, capital, baseWidth);
            MarkAnchor anchor = acute->anchor;
            const QImage dots = diaeresis ? diaeresis->mark : QImage();
            const QImage pair = DoubledAcute(acute->mark, dots, LeftDot(dots, palette_), baseWidth,
                                             palette_, anchor);
            return SuppliedMark{pair, anchor, QStringLiteral("two of the font's acutes")};
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<FontMarks::Placement> FontMarks::Anchored(MarkKind kind, char32_t base,
                                                        const QImage& body) const {
    const InkRaster raster(body, palette_);
    const QRect baseInk = raster.Bounds();
    // A stem that stands alone at the top, left of the middle (t's), draws the mark's half pixel.
    const QRect topInk = raster.Row(baseInk.top());
    int stemRows = 0;
    for (int y = baseInk.top(); y <= baseInk.bottom(); ++y) {
        stemRows += raster.Ink(topInk.left(), y);
    }
    const bool leanLeft = IsLoneStem(topInk, baseInk) && 2 * stemRows >= baseInk.height() &&
                          topInk.left() + topInk.right() < baseInk.left() + baseInk.right();
    // A caron that cannot be centred leans the way the base's top row does: left over the arch
    // of n and r, as designers set ň and ř, but over a lone stem left of the middle (ť) it keeps
    // the sample's side; right over a top row right of the middle (d's stem, c's arch).
    const bool archLeft = kind == MarkKind::Caron && !IsLoneStem(topInk, baseInk) &&
                          topInk.left() + topInk.right() < baseInk.left() + baseInk.right();
    const bool topRight = kind == MarkKind::Caron &&
                          topInk.left() + topInk.right() > baseInk.left() + baseInk.right();
    const bool openTop = HasOpenTop(body, palette_);
    const bool capital = QChar::isUpper(base);
    const MarkInfo info = [kind] {
        for (char32_t combining = 0x0300; combining < 0x0370; ++combining) {
            if (const auto mark = MarkOfCombining(combining); mark && mark->kind == kind) {
                return *mark;
            }
        }
        return MarkInfo{kind, 0, 0, "mark", MarkPlace::Above};
    }();
    const QString own = QStringLiteral("the font's %1").arg(QLatin1String(info.name));
    if (info.place == MarkPlace::Below) {
        const QRect foot = RowInkOf(body, baseInk.bottom(), palette_);
        const QRect footBase(foot.left(), baseInk.top(), foot.width(), baseInk.height());
        if (const Sample* sample = Nearest(kind, capital, footBase.width())) {
            return Aligned({sample->mark, sample->anchor, own}, footBase, kind, info.place, false);
        }
    }
    if (const Sample* sample = Nearest(kind, capital, baseInk.width(), openTop)) {
        return Aligned({sample->mark, sample->anchor, own}, baseInk, kind, info.place, leanLeft);
    }
    std::optional<SuppliedMark> made = MadeMark(kind, capital, baseInk.width());
    if (!made) {
        return std::nullopt;
    }
    if (archLeft && made->anchor.doubledCentre == 1) {
        made->anchor.doubledCentre = -1;
    }
    if (topRight && made->anchor.doubledCentre == -1) {
        made->anchor.doubledCentre = 1;
    }
    Placement placed = Aligned(*made, baseInk, kind, info.place, leanLeft || archLeft);
    // A dot that cannot be centred goes the way the font's acute went where that could not be
    // centred either; else under the middle of the acute the base would take, where the acute's
    // stroke passes (ź's over ż's).
    const Sample* over = kind == MarkKind::DotAbove
                             ? Nearest(MarkKind::Acute, capital, baseInk.width(), openTop)
                             : nullptr;
    const int spare = baseInk.width() - made->mark.width();
    if (over != nullptr && spare % 2 != 0) {
        const int overCentre = over->anchor.doubledCentre;
        if (std::abs(overCentre) == 1) {
            placed.at.setX(baseInk.left() +
                           HalfOf(spare, overCentre > 0 ? HalfPixel::Right : HalfPixel::Left));
        } else {
            const QRect acuteInk = InkRectOf(over->mark, palette_);
            const int acuteLeft = Aligned({over->mark, over->anchor, own}, baseInk, MarkKind::Acute,
                                          info.place, leanLeft)
                                      .at.x();
            const QRect middle =
                RowInkOf(over->mark, (acuteInk.top() + acuteInk.bottom() + 1) / 2, palette_)
                    .translated(acuteLeft, 0);
            const int left = placed.at.x(), right = left + made->mark.width() - 1;
            placed.at.rx() += right < middle.left()   ? middle.left() - right
                              : left > middle.right() ? middle.right() - left
                                                      : 0;
        }
    }
    return placed;
}

std::optional<FontMarks::Placement> FontMarks::Place(MarkKind kind, char32_t base,
                                                     const QImage& body) const {
    std::optional<Placement> placed = Anchored(kind, base, body);
    if (!placed) {
        return std::nullopt;
    }
    const QRect ink = InkRectOf(body, palette_);
    const QRect topInk = RowInkOf(body, ink.top(), palette_);
    // Over a lone stem at the top (l), an acute stands over the stem; over a capital's (L, even
    // under a serif) and ι's under the serif it may take from i, its foot stands on the stem, but
    // a column clear right of a capital's bare stem that it would otherwise lengthen.
    const QRect belowTop = RowInkOf(body, std::min(ink.bottom(), ink.top() + 1), palette_);
    const bool onStem = IsLoneStem(belowTop, ink) && topInk.contains(belowTop.left(), topInk.top());
    const bool serifedStem =
        QChar::isUpper(base)
            ? onStem && !IsLoneStem(topInk, ink) && 2 * topInk.width() <= ink.width()
            : base == U'ι' && onStem && topInk.width() > belowTop.width();
    if (kind == MarkKind::Acute && (IsLoneStem(topInk, ink) || serifedStem)) {
        if (QChar::isUpper(base) || serifedStem) {
            const QRect stem = serifedStem ? belowTop : topInk;
            const QRect markInk = InkRectOf(placed->mark, palette_);
            const QRect foot = RowInkOf(placed->mark, markInk.bottom(), palette_);
            placed->at.setX(stem.left() - foot.left());
            // With no row between them, an acute on a capital's bare stem would lengthen the
            // stem: its foot stands a column clear right of the stem instead.
            if (QChar::isUpper(base) && !serifedStem &&
                placed->at.y() + markInk.bottom() + 1 >= ink.top()) {
                placed->at.setX(stem.right() + 2 - foot.left());
            }
        } else {
            // Towards the stem's centre, never past it.
            const int doubledShift = topInk.left() + topInk.right() - ink.left() - ink.right();
            placed->at.rx() +=
                HalfOf(doubledShift, doubledShift >= 0 ? HalfPixel::Left : HalfPixel::Right);
        }
    }
    // Under a lone stem (Ţ), a cedilla's top stands right of the stem, its hook under it.
    if (const QRect foot = RowInkOf(body, ink.bottom(), palette_);
        kind == MarkKind::Cedilla && IsLoneStem(foot, ink)) {
        placed->at.setX(foot.left() + 1 - RowInkOf(placed->mark, 0, palette_).left());
    }
    // The Greek tonos stands before a capital, its foot on the capital's top row.
    if (kind == MarkKind::Acute && IsGreekCapital(base)) {
        placed->at =
            QPoint(ink.left() - placed->mark.width() + 1, ink.top() - placed->mark.height());
        placed->name = QStringLiteral("the font's acute as a tonos");
    }
    return placed;
}

} // namespace fontlathe
