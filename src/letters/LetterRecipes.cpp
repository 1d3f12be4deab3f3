#include "LetterRecipes.h"

#include "DesignerShapes.h"
#include "GlyphInk.h"
#include "LetterJoins.h"
#include "LetterShapes.h"
#include "PartSteps.h"
#include "StrokeKeeping.h"
#include "StrokeSteps.h"

#include <QChar>
#include <QStringList>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace fontlathe {

namespace {

// What a recipe does to the letter it starts from, in order.
enum class Step {
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
    // Steps that take part of the recipe's second letter.
    BarInside,
    BarFromMiddle,
    TopHalfOf,
    TailOf,
    FootOf,
};

struct Recipe {
    char32_t letter;
    char32_t from;
    std::array<std::optional<Step>, 3> steps;
    char32_t with = 0; // the second letter, for the steps that take part of one
};

using S = Step;

// One row a recipe: the letter, the letter it starts from, and what is done to that. A row
// without steps takes the other letter's glyph as it is.
const std::array Recipes = {
    // Cyrillic capitals.
    Recipe{U'Г', U'L', {S::Turn}},
    Recipe{U'З', U'3', {S::RoundTop}},
    Recipe{U'З', U'3', {}},
    Recipe{U'И', U'N', {S::Mirror}},
    Recipe{U'П', U'H', {S::BarOnTop}},
    Recipe{U'Л', U'П', {S::LeftStemStepped}},
    Recipe{U'Б', U'Ь', {S::TopLikeBowl}},
    Recipe{U'Ц', U'П', {S::Turn, S::Squeeze, S::Tail}},
    Recipe{U'Ч', U'U', {S::BottomAtHalf}},
    Recipe{U'Ч', U'H', {S::LeftStemCutBelowBar}},
    Recipe{U'У', U'Ч', {S::TailOf}, U'y'},
    Recipe{U'Ш', U'ш', {S::Tall}},
    Recipe{U'Ж', U'Ш', {S::StemsPinched}},
    Recipe{U'Щ', U'Ш', {S::Squeeze, S::Tail}},
    Recipe{U'Ь', U'P', {S::Turn}},
    Recipe{U'Э', U'C', {S::Mirror, S::BarFromMiddle}, U'H'},
    Recipe{U'Ю', U'O', {S::StemAtLeftWithBar}},
    Recipe{U'Я', U'R', {S::Mirror}},
    Recipe{U'Є', U'Э', {S::Mirror}},
    // Cyrillic small letters, from their capitals.
    Recipe{U'б', U'g', {S::HalfTurn, S::OnBaseline}},
    Recipe{U'в', U'В', {S::Small}},
    Recipe{U'г', U'Г', {S::Small}},
    Recipe{U'ж', U'ш', {S::StemsPinched}},
    Recipe{U'ж', U'Ж', {S::Small}},
    Recipe{U'з', U'ε', {S::Mirror}},
    Recipe{U'з', U'З', {S::Small}},
    Recipe{U'и', U'И', {S::Small}},
    Recipe{U'к', U'К', {S::Small}},
    Recipe{U'л', U'Л', {S::Small}},
    Recipe{U'м', U'М', {S::Small}},
    Recipe{U'н', U'Н', {S::Small}},
    Recipe{U'п', U'П', {S::Small}},
    Recipe{U'т', U'Т', {S::Small}},
    Recipe{U'ф', U'o', {S::StemThrough}},
    Recipe{U'Ф', U'O', {S::CapitalStemThrough}},
    Recipe{U'ц', U'Ц', {S::Small}},
    Recipe{U'ч', U'u', {S::BottomAtHalf}},
    Recipe{U'ч', U'Ч', {S::Small}},
    Recipe{U'ш', U'm', {S::StraightStems}},
    Recipe{U'щ', U'Щ', {S::Small}},
    Recipe{U'ъ', U'Ъ', {S::Small}},
    Recipe{U'ы', U'ь', {S::StemAtRight}},
    Recipe{U'э', U'є', {S::Mirror}},
    Recipe{U'э', U'Э', {S::Small}},
    Recipe{U'ю', U'Ю', {S::Small}},
    Recipe{U'я', U'Я', {S::Small}},
    Recipe{U'є', U'c', {S::BarToMiddle}},
    Recipe{U'є', U'Є', {S::Small}},
    Recipe{U'ґ', U'Ґ', {S::Small}},
    // Greek letters that are Latin or Cyrillic ones in other places.
    Recipe{U'Γ', U'Г', {}},
    Recipe{U'Δ', U'Λ', {S::BottomFilled}},
    Recipe{U'Λ', U'V', {S::Turn}},
    Recipe{U'Θ', U'O', {S::BarInside}, U'H'},
    Recipe{U'Ξ', U'E', {S::BarsApart}},
    Recipe{U'Ω', U'O', {S::SidesOnFeet}},
    Recipe{U'Σ', U'E', {S::PointBetweenBars}},
    Recipe{U'Π', U'П', {}},
    Recipe{U'Ψ', U'Ш', {S::StemsOnAFoot}},
    Recipe{U'β', U'ß', {S::StemDown}},
    Recipe{U'γ', U'v', {S::PointDown}},
    Recipe{U'ε', U'c', {S::Waist}},
    Recipe{U'ε', U'з', {S::Mirror}},
    Recipe{U'η', U'n', {S::RightStemLong}},
    Recipe{U'κ', U'к', {}},
    Recipe{U'μ', U'µ', {}},
    Recipe{U'ν', U'v', {}},
    Recipe{U'π', U'П', {S::Small}},
    Recipe{U'ρ', U'p', {S::TopHalfOf}, U'o'},
    Recipe{U'ρ', U'p', {}},
    Recipe{U'ι', U't', {S::StemFromXHeight}},
    Recipe{U'ς', U'c', {S::FinalTail}},
    Recipe{U'ζ', U'ς', {S::RisingToABar}},
    Recipe{U'ξ', U'ζ', {S::MiddleTurn}},
    Recipe{U'α', U'o', {S::OneNarrower, S::StemEndsAtRight}},
    Recipe{U'δ', U'o', {S::TopRepeatedAbove}},
    Recipe{U'λ', U'v', {S::Turn, S::ApexCarriedUp}},
    Recipe{U'χ', U'x', {S::StretchedThroughDescent}},
    Recipe{U'θ', U'o', {S::OneNarrower, S::Ascending, S::BarAcross}},
    Recipe{U'σ', U'o', {S::TopBarToTheRight}},
    Recipe{U'τ', U'T', {S::Small, S::FootOf}, U'ι'},
    Recipe{U'τ', U'T', {S::Small, S::FootTurnedRight}},
    Recipe{U'υ', U'u', {S::Symmetric}},
    Recipe{U'ψ', U'o', {S::OpenWithStem}},
    Recipe{U'ω', U'w', {}},
};

QString StepText(Step step, char32_t with) {
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
    case Step::TailOf:
        return QStringLiteral("with %1's tail").arg(other);
    case Step::FootOf:
        return QStringLiteral("with %1's foot").arg(other);
    }
    return {};
}

std::optional<LetterInk> Apply(Step step, const LetterInk& ink, const LetterMetrics& metrics,
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
        return WithTail(ink, metrics);
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

} // namespace

RecipeBook::RecipeBook(const Charset& font, const CodePage& page)
    : palette_(font.ColorCount()), metrics_(MeasureLetters(font, page, palette_)) {}

const LetterReading* RecipeBook::ReferenceReading(char32_t letter, LetterParts& parts) {
    auto found = references_.find(letter);
    if (found == references_.end()) {
        const Glyph* drawn = parts.Reference(letter);
        found = references_
                    .emplace(letter, drawn ? std::optional(ReadingOf(drawn->raster, palette_))
                                           : std::nullopt)
                    .first;
    }
    return found->second ? &*found->second : nullptr;
}

char32_t RecipeBook::ReadsAs(char32_t letter, const RecipeLetter& built, LetterParts& parts) {
    const Glyph& glyph = built.glyph;
    const char32_t from = built.from, with = built.with, copied = built.copied;
    const LetterReading* own = ReferenceReading(letter, parts);
    if (own == nullptr) {
        return 0;
    }
    // What a result may be taken for: the letters it was made from, the Latin letters and digits,
    // and the letters recipes make, each of the result's case, as the font has or makes them;
    // not the letter's own other case, which a recipe may make it from by design.
    std::vector<char32_t> others = {from, with};
    const bool capital = QChar::isUpper(letter);
    for (char32_t latin = capital ? U'A' : U'a'; latin <= (capital ? U'Z' : U'z'); ++latin) {
        others.push_back(latin);
    }
    for (char32_t digit = U'0'; capital && digit <= U'9'; ++digit) {
        others.push_back(digit);
    }
    // A letter a recipe makes from this one may look like it by design (κ as к).
    for (const Recipe& recipe : Recipes) {
        if (QChar::isUpper(recipe.letter) == capital && recipe.from != letter) {
            others.push_back(recipe.letter);
        }
    }
    const QRect ink = InkRectOf(glyph.raster, palette_);
    const LetterReading reading = ReadingOf(glyph.raster, palette_);
    const int ownDistance = reading.DistanceTo(*own);
    const QImage made = Crop(glyph.raster, ink);
    // The result reads as another letter when the font then shows two letters with one glyph
    // where the drawing face draws them apart, by their strokes and counters (u for и, ц for щ,
    // W for ш); letters its designers draw alike (ν and v) stay.
    char32_t readsAs = 0;
    for (const char32_t other : others) {
        if (other == 0 || other == letter || other == QChar::toUpper(letter) ||
            other == QChar::toLower(letter) || other == copied) {
            continue;
        }
        // Of two letters that came out alike, the one whose drawing the glyph is nearer to keeps
        // it (н, where м made small is the same glyph).
        const LetterReading* drawn = ReferenceReading(other, parts);
        if (drawn == nullptr || drawn->DistanceTo(*own) < 2 ||
            reading.DistanceTo(*drawn) > ownDistance) {
            continue;
        }
        const Glyph* shown = parts.Part(other);
        if (shown != nullptr && Crop(shown->raster, InkRectOf(shown->raster, palette_)) == made) {
            readsAs = other;
            break;
        }
    }
    return readsAs;
}

std::optional<RecipeLetter> RecipeBook::Build(char32_t letter, LetterParts& parts) const {
    // A letter's recipes in order: the first whose steps all hold on the font's letters.
    for (const Recipe& recipe : Recipes) {
        if (recipe.letter != letter || !metrics_) {
            continue;
        }
        // Only a small letter is made from a drawn letter, its capital, and a letter from a
        // drawn letter of its own script.
        const bool drawn = recipe.steps[0] == Step::Small || recipe.steps[0] == Step::StemAtRight;
        const Glyph* from = drawn ? parts.PartOrDrawn(recipe.from) : parts.Part(recipe.from);
        std::optional<LetterInk> ink = from ? InkOfGlyph(*from, palette_) : std::nullopt;
        std::optional<LetterInk> with;
        if (const Glyph* other = ink && recipe.with != 0 ? parts.Part(recipe.with) : nullptr) {
            with = InkOfGlyph(*other, palette_);
        }
        QStringList done;
        for (const auto& step : ink ? recipe.steps : decltype(recipe.steps){}) {
            if (ink && step) {
                ink = Apply(*step, *ink, *metrics_, with);
                done << StepText(*step, recipe.with);
            }
        }
        std::optional<Glyph> glyph = ink ? GlyphOfInk(*ink, *from) : std::nullopt;
        if (!glyph) {
            continue;
        }
        const QString name = QString::fromUcs4(&recipe.from, 1);
        // A row without steps takes the other letter as it is by design (З as 3): only a recipe
        // that changes its letter must not leave it as it was.
        return RecipeLetter{std::move(*glyph),
                            done.isEmpty() ? QStringLiteral("same as ") + name
                                           : name + u' ' + done.join(QStringLiteral(", ")),
                            recipe.from, recipe.with, done.isEmpty() ? recipe.from : 0};
    }
    return std::nullopt;
}

} // namespace fontlathe
