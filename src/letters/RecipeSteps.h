#pragma once

#include "LetterMetrics.h"
#include "LetterShapes.h"

#include <QString>

#include <optional>

namespace fontlathe {

// What a recipe does to the letter it starts from, in order.
enum class RecipeStep {
    Mirror,
    Turn,
    HalfTurn,
    Small,
    Tall,
    BarOnTop,
    StemAboveWaist,
    Tail,
    Squeeze,
    StemAtLeftWithBar,
    LeftStemCutBelowBar,
    TopLikeBowl,
    BottomFilled,
    OnBaseline,
    Symmetric,
    RightStemLong,
    StraightStems,
    FootTurnedRight,
    LeftStemStepped,
    PointBetweenBars,
    BarsApart,
    SidesOnFeet,
    RoundTop,
    FinalTail,
    StemDown,
    BottomAtHalf,
    StemFromXHeight,
    RisingToABar,
    MiddleTurn,
    StemEndsAtRight,
    TopRepeatedAbove,
    ApexCarriedUp,
    CapitalStemThrough,
    PointDown,
    Waist,
    BarToMiddle,
    StemAtRight,
    StemThrough,
    OpenWithStem,
    StemsPinched,
    StemsOnAFoot,
    OneNarrower,
    Ascending,
    BarAcross,
    TopBarToTheRight,
    StretchedThroughDescent,
    BarTurnedUp,
    CornerRoundedAsU,
    MiddleStemUp,
    TopInFootSplit,
    ArmsJoinedToStem,
    SerifOfI,
    // Steps that take part of the recipe's second letter: these last, for a step needs that
    // letter when it comes after BarInside.
    BarInside,
    BarFromMiddle,
    TopHalfOf,
    TailOf,
    FootOf,
};

// Whether the step may leave the letter as it is, as a finish the font may not ask for: a report
// names it only where it changed the letter.
inline bool IsFinish(RecipeStep step) {
    return step == RecipeStep::CornerRoundedAsU || step == RecipeStep::ArmsJoinedToStem ||
           step == RecipeStep::SerifOfI;
}

// How a step reads in a report ("mirrored", "with y's tail"); with is the recipe's second letter.
QString RecipeStepText(RecipeStep step, char32_t with);

// The ink after the step; nothing where the step does not hold on it (or needs `with`, the
// recipe's second letter, and has none).
std::optional<LetterInk> ApplyRecipeStep(RecipeStep step, const LetterInk& ink,
                                         const LetterMetrics& metrics,
                                         const std::optional<LetterInk>& with);

} // namespace fontlathe
