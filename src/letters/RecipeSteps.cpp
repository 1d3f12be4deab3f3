#include "RecipeSteps.h"

#include "DesignerShapes.h"
#include "LetterJoins.h"
#include "LetterShapes.h"
#include "PartSteps.h"
#include "PixelMap.h"
#include "StemShapes.h"
#include "StrokeKeeping.h"
#include "StrokeSteps.h"

namespace fontlathe {

namespace {
using Step = RecipeStep;

// The narrowest gap between two runs of ink in a row; the width where there is none.
int NarrowestGap(const LetterInk& ink) {
    const Pixels pixels = PixelSetOf(ink);
    int narrowest = ink.image.width();
    for (int y = ink.Top(); y <= ink.Bottom(); ++y) {
        const auto runs = RunsOf(RowOf(pixels, y));
        for (std::size_t i = 1; i < runs.size(); ++i) {
            narrowest = std::min(narrowest, runs[i].first - runs[i - 1].second - 1);
        }
    }
    return narrowest;
}

// A letter that a tail a column past it would carry past a monospaced font's cell is made a
// column narrower first, as designers of such fonts make Ц, where that keeps its strokes and
// leaves no counter narrower than two columns; else it stays, and its tail goes under its stem.
LetterInk RoomForTail(const LetterInk& ink, const LetterMetrics& metrics) {
    if (!TailPastTheCell(ink, metrics)) {
        return ink;
    }
    const int width = ink.image.width();
    LetterInk narrowed = NarrowedKeepingStrokes(ink, width - 1, metrics.stem);
    const bool kept = narrowed.image.width() == width - 1 && SameStrokes(ink, narrowed) &&
                      NarrowestGap(narrowed) >= 2;
    return kept ? narrowed : ink;
}
} // namespace

QString RecipeStepText(RecipeStep step, char32_t with) {
    const QString other = QString::fromUcs4(&with, 1);
    switch (step) {
    case Step::Mirror:
        return QStringLiteral("mirrored");
    case Step::Turn:
        return QStringLiteral("turned upside down");
    case Step::HalfTurn:
        return QStringLiteral("turned round");
    case Step::Small:
        return QStringLiteral("made small");
    case Step::Tall:
        return QStringLiteral("made tall");
    case Step::BarOnTop:
        return QStringLiteral("with its bar on top");
    case Step::StemAboveWaist:
        return QStringLiteral("without its upper bowl");
    case Step::Tail:
        return QStringLiteral("with a tail");
    case Step::Squeeze:
        return QStringLiteral("squeezed");
    case Step::StemAtLeftWithBar:
        return QStringLiteral("squeezed, with a stem and bar at its left");
    case Step::LeftStemCutBelowBar:
        return QStringLiteral("without its left stem below the bar");
    case Step::BarInside:
        return QStringLiteral("with %1's bar inside").arg(other);
    case Step::BarFromMiddle:
        return QStringLiteral("with %1's bar from the middle").arg(other);
    case Step::TopHalfOf:
        return QStringLiteral("with %1's top half").arg(other);
    case Step::TopLikeBowl:
        return QStringLiteral("with its bowl's top on top");
    case Step::BottomFilled:
        return QStringLiteral("with its bottom filled");
    case Step::OnBaseline:
        return QStringLiteral("set on the baseline");
    case Step::Symmetric:
        return QStringLiteral("made symmetric from its left half");
    case Step::RightStemLong:
        return QStringLiteral("with its right stem long");
    case Step::StraightStems:
        return QStringLiteral("with straight stems");
    case Step::FootTurnedRight:
        return QStringLiteral("with its foot turned right");
    case Step::LeftStemStepped:
        return QStringLiteral("with its left stem stepped in");
    case Step::PointBetweenBars:
        return QStringLiteral("with a point between its bars");
    case Step::BarsApart:
        return QStringLiteral("with its bars apart");
    case Step::SidesOnFeet:
        return QStringLiteral("on feet");
    case Step::RoundTop:
        return QStringLiteral("with its top round as its bottom");
    case Step::FinalTail:
        return QStringLiteral("with a tail through the descent");
    case Step::StemDown:
        return QStringLiteral("with its stem down through the descent");
    case Step::BottomAtHalf:
        return QStringLiteral("with its bottom at half its height");
    case Step::StemFromXHeight:
        return QStringLiteral("from the x-height down, its foot a column shorter");
    case Step::RisingToABar:
        return QStringLiteral("rising to a bar");
    case Step::MiddleTurn:
        return QStringLiteral("turning in the middle");
    case Step::StemEndsAtRight:
        return QStringLiteral("with a stem's ends at its right");
    case Step::TopRepeatedAbove:
        return QStringLiteral("with its top again above it");
    case Step::ApexCarriedUp:
        return QStringLiteral("with its apex carried up");
    case Step::CapitalStemThrough:
        return QStringLiteral("with a stem through");
    case Step::PointDown:
        return QStringLiteral("with its point down through the descent");
    case Step::Waist:
        return QStringLiteral("with a waist");
    case Step::BarToMiddle:
        return QStringLiteral("with a bar to the middle");
    case Step::StemAtRight:
        return QStringLiteral("with a stem at M's right");
    case Step::StemThrough:
        return QStringLiteral("with a stem through");
    case Step::OpenWithStem:
        return QStringLiteral("open at the top, with a stem");
    case Step::StemsPinched:
        return QStringLiteral("with its stems pinched in the middle");
    case Step::StemsOnAFoot:
        return QStringLiteral("with its stems on a foot");
    case Step::OneNarrower:
        return QStringLiteral("a column narrower");
    case Step::Ascending:
        return QStringLiteral("as tall as b");
    case Step::BarAcross:
        return QStringLiteral("with a bar across");
    case Step::TopBarToTheRight:
        return QStringLiteral("with its top carried on to the right");
    case Step::StretchedThroughDescent:
        return QStringLiteral("stretched through the descent");
    case Step::BarTurnedUp:
        return QStringLiteral("with its bar turned up at the end");
    case Step::CornerRoundedAsU:
        return QStringLiteral("with its corner round as u's");
    case Step::MiddleStemUp:
        return QStringLiteral("with its middle stem carried up");
    case Step::TopInFootSplit:
        return QStringLiteral("with its top turned in and its foot parted");
    case Step::ArmsJoinedToStem:
        return QStringLiteral("with its arms joined to the stem");
    case Step::SerifOfI:
        return QStringLiteral("with i's serif at its top");
    case Step::TailOf:
        return QStringLiteral("with %1's tail").arg(other);
    case Step::FootOf:
        return QStringLiteral("with %1's foot").arg(other);
    }
    return {};
}

std::optional<LetterInk> ApplyRecipeStep(RecipeStep step, const LetterInk& ink,
                                         const LetterMetrics& metrics,
                                         const std::optional<LetterInk>& with) {
    if (step >= Step::BarInside && !with) {
        return std::nullopt;
    }
    switch (step) {
    case Step::Mirror:
        return Mirrored(ink);
    case Step::Turn:
        return Turned(ink);
    case Step::HalfTurn:
        return Mirrored(Turned(ink));
    case Step::Small:
        return MadeSmall(ink, metrics);
    case Step::Tall:
        return MadeTall(ink, metrics);
    case Step::BarOnTop:
        return BarOnTop(ink);
    case Step::StemAboveWaist:
        return StemAboveWaist(ink);
    case Step::Tail:
        return WithTail(RoomForTail(ink, metrics), metrics);
    case Step::Squeeze:
        return metrics.widest > 0 ? NarrowedKeepingStrokes(ink, metrics.widest, metrics.stem) : ink;
    case Step::StemAtLeftWithBar:
        return StemAtLeftWithBar(ink, metrics);
    case Step::LeftStemCutBelowBar:
        return LeftStemCutBelowBar(ink);
    case Step::BarInside:
        return BarInside(ink, *with);
    case Step::BarFromMiddle:
        return BarFromMiddle(ink, *with);
    case Step::TopHalfOf:
        return TopHalfOf(ink, *with, metrics);
    case Step::TopLikeBowl:
        return TopLikeBowl(ink);
    case Step::BottomFilled:
        return BottomFilled(ink);
    case Step::Symmetric:
        return SymmetricFromLeft(ink);
    case Step::RightStemLong:
        return RightStemLong(ink, metrics);
    case Step::StraightStems:
        return StraightStems(ink);
    case Step::FootTurnedRight:
        return FootTurnedRight(ink);
    case Step::LeftStemStepped:
        return LeftStemStepped(ink);
    case Step::PointBetweenBars:
        return PointBetweenBars(ink);
    case Step::BarsApart:
        return BarsApart(ink);
    case Step::SidesOnFeet:
        return SidesOnFeet(ink);
    case Step::BarTurnedUp:
        return BarTurnedUp(ink, metrics);
    case Step::CornerRoundedAsU:
        return CornerRoundedAsU(ink, metrics);
    case Step::MiddleStemUp:
        return MiddleStemUp(ink);
    case Step::TopInFootSplit:
        return TopInFootSplit(ink, metrics);
    case Step::ArmsJoinedToStem:
        return ArmsJoinedToStem(ink, metrics);
    case Step::SerifOfI:
        return SerifOfI(ink, metrics);
    case Step::RoundTop:
        return RoundTop(ink);
    case Step::FinalTail:
        return FinalTail(ink, metrics);
    case Step::StemDown:
        return StemDown(ink, metrics);
    case Step::BottomAtHalf:
        return BottomAtHalf(ink);
    case Step::StemFromXHeight:
        return StemFromXHeight(ink, metrics);
    case Step::RisingToABar:
        return RisingToABar(ink, metrics);
    case Step::MiddleTurn:
        return MiddleTurn(ink, metrics);
    case Step::StemEndsAtRight:
        return StemEndsAtRight(ink);
    case Step::TopRepeatedAbove:
        return TopRepeatedAbove(ink, metrics);
    case Step::ApexCarriedUp:
        return ApexCarriedUp(ink, metrics);
    case Step::CapitalStemThrough:
        return CapitalStemThrough(ink, metrics);
    case Step::PointDown:
        return PointDown(ink, metrics);
    case Step::Waist:
        return Waist(ink, metrics, WaistStem::Cut);
    case Step::BarToMiddle:
        return Waist(ink, metrics, WaistStem::Kept);
    case Step::StemAtRight:
        return StemAtRight(ink, metrics);
    case Step::StemThrough:
        return WithStemThrough(ink, metrics, StemThrough::Closed);
    case Step::OpenWithStem:
        return WithStemThrough(ink, metrics, StemThrough::Open);
    case Step::StemsPinched:
        return StemsPinched(ink);
    case Step::StemsOnAFoot:
        return StemsOnAFoot(ink);
    case Step::OneNarrower:
        return ink.image.width() > 3 ? Squeezed(ink, ink.image.width() - 1) : std::nullopt;
    case Step::Ascending:
        return MadeAscending(ink, metrics);
    case Step::BarAcross:
        return BarAcross(ink);
    case Step::TopBarToTheRight:
        return TopBarToTheRight(ink);
    case Step::StretchedThroughDescent:
        return StretchedThroughDescent(ink, metrics);
    case Step::TailOf:
        return TailOf(ink, *with, metrics);
    case Step::FootOf:
        return FootOf(ink, *with, metrics);
    case Step::OnBaseline: {
        LetterInk moved = ink;
        moved.at.setY(metrics.baseline - ink.image.height() + 1);
        return moved;
    }
    }
    return std::nullopt;
}

} // namespace fontlathe
