#include "LetterRecipes.h"

#include "GlyphInk.h"
#include "RecipeSteps.h"

#include <QChar>
#include <QStringList>

#include <array>
#include <utility>
#include <vector>

namespace fontlathe {

namespace {

using Step = RecipeStep;
using S = RecipeStep;

struct Recipe {
    char32_t letter;
    char32_t from;
    std::array<std::optional<Step>, 4> steps;
    char32_t with = 0; // the second letter, for the steps that take part of one
};

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
    Recipe{U'Ц', U'П', {S::Turn, S::Squeeze, S::Tail, S::CornerRoundedAsU}},
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
    Recipe{U'к', U'К', {S::Small, S::ArmsJoinedToStem}},
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
    Recipe{U'ш', U'm', {S::StraightStems, S::CornerRoundedAsU}},
    Recipe{U'щ', U'Щ', {S::Small}},
    Recipe{U'ъ', U'Ъ', {S::Small}},
    Recipe{U'ы', U'ь', {S::StemAtRight}},
    Recipe{U'э', U'є', {S::Mirror}},
    Recipe{U'э', U'Э', {S::Small}},
    Recipe{U'ю', U'Ю', {S::Small}},
    Recipe{U'я', U'Я', {S::Small}},
    Recipe{U'є', U'c', {S::BarToMiddle}},
    Recipe{U'є', U'Є', {S::Small}},
    Recipe{U'Ґ', U'Г', {S::BarTurnedUp}},
    Recipe{U'ґ', U'г', {S::BarTurnedUp}},
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
    Recipe{U'ι', U't', {S::StemFromXHeight, S::SerifOfI}},
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
    Recipe{U'ω', U'w', {S::TopInFootSplit}},
    Recipe{U'ω', U'w', {S::MiddleStemUp}},
    Recipe{U'ω', U'w', {}},
};

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
                const QImage before = ink->image;
                ink = ApplyRecipeStep(*step, *ink, *metrics_, with);
                if (!IsFinish(*step) || (ink && ink->image != before)) {
                    done << RecipeStepText(*step, recipe.with);
                }
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
