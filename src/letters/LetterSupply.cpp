#include "LetterSupply.h"

#include "DesignerShapes.h"
#include "GlyphInk.h"
#include "LetterShapes.h"
#include "LetterTables.h"
#include "charset/DisplayColors.h"

#include <QChar>

#include <algorithm>

namespace fontlathe {

std::optional<DrawingSource> DefaultDrawingFace() {
    Result unreadable = Result::Success();
    return MakeDrawingSource(GenerationFont{QStringLiteral("DejaVu Sans"), 10, 0, QString()},
                             unreadable);
}

LetterSupply::LetterSupply(const LetterComposer& composer, const CodePage& page,
                           const std::optional<DrawingSource>& drawWith)
    : composer_(composer), page_(page), drawWith_(drawWith),
      palette_(composer.bodies().ColorCount()), recipes_(composer.bodies(), page) {}

LetterSupply::~LetterSupply() = default;

class LetterSupply::Finding {
public:
    Finding(LetterSupply& supply, char32_t letter)
        : supply_(supply), place_(supply.finding_.size()),
          pushed_(std::find(supply.finding_.begin(), supply.finding_.end(), letter) ==
                  supply.finding_.end()) {
        if (pushed_) {
            supply_.finding_.push_back(letter);
        }
    }
    ~Finding() {
        if (pushed_) {
            supply_.finding_.pop_back();
            // What was kept only while this letter was being found goes.
            std::erase_if(supply_.provisional_,
                          [this](const auto& kept) { return kept.second.until >= place_; });
        }
    }
    Finding(const Finding&) = delete;
    Finding& operator=(const Finding&) = delete;
    bool pushed() const { return pushed_; }
    std::size_t place() const { return place_; }

private:
    LetterSupply& supply_;
    std::size_t place_;
    bool pushed_;
};

const Glyph* LetterSupply::Part(char32_t letter) {
    if (const auto done = parts_.find(letter); done != parts_.end()) {
        return done->second ? &*done->second : nullptr;
    }
    if (const auto kept = provisional_.find(letter); kept != provisional_.end()) {
        // What it was found without, the asker is found without too.
        blockedAt_ = std::min(blockedAt_, kept->second.until);
        return kept->second.glyph ? &*kept->second.glyph : nullptr;
    }
    if (const auto at = std::find(finding_.begin(), finding_.end(), letter); at != finding_.end()) {
        blockedAt_ = std::min(blockedAt_, static_cast<std::size_t>(at - finding_.begin()));
        return nullptr;
    }
    const std::size_t outerBlocked = std::exchange(blockedAt_, SIZE_MAX);
    std::optional<Glyph> glyph;
    std::size_t place = 0;
    {
        const Finding finding(*this, letter);
        place = finding.place();
        glyph = Found(letter);
        if (!glyph) {
            // What a recipe builds that reads as another letter is no part, as it is no letter.
            if (std::optional<RecipeLetter> built = recipes_.Build(letter, *this);
                built && recipes_.ReadsAs(letter, *built, *this) == 0) {
                glyph = std::move(built->glyph);
            }
        }
    }
    // Found with only itself and letters found for it given as missing, it is found for good;
    // else only while the letter further out given as missing is being found.
    const std::size_t blocked = std::exchange(blockedAt_, std::min(outerBlocked, blockedAt_));
    std::optional<Glyph>& kept =
        blocked >= place ? parts_[letter] : (provisional_[letter] = Provisional{{}, blocked}).glyph;
    kept = std::move(glyph);
    return kept ? &*kept : nullptr;
}

std::optional<RecipeLetter> LetterSupply::Build(char32_t letter) {
    const Finding finding(*this, letter);
    return recipes_.Build(letter, *this);
}

std::optional<Glyph> LetterSupply::Found(char32_t letter) {
    if (composer_.bodies().GlyphAt(page_.CodeOf(letter)) == nullptr) {
        if (std::optional<Glyph> plain = PlainTwinBody(letter)) {
            return plain;
        }
    }
    if (const Glyph* own = composer_.BodyOfLetter(letter)) {
        return *own;
    }
    const std::optional<LetterComposer::Composed> composed = composer_.ComposeBody(letter, this);
    return composed ? composed->glyph : std::nullopt;
}

const Glyph* LetterSupply::PartOrDrawn(char32_t letter) {
    if (const Glyph* found = Part(letter)) {
        return found;
    }
    const Drawn& drawn = Draw(letter);
    return drawn.glyph ? &*drawn.glyph : nullptr;
}

const Glyph* LetterSupply::Reference(char32_t letter) {
    auto found = references_.find(letter);
    if (found == references_.end()) {
        std::optional<Glyph> drawn;
        if (drawWith_) {
            drawn = Drawer().problem().isEmpty() ? Drawer().Draw(letter) : std::nullopt;
        } else {
            if (!referenceDrawer_) {
                if (const std::optional<DrawingSource> source = DefaultDrawingFace()) {
                    referenceDrawer_ = std::make_unique<LetterDrawer>(
                        composer_.bodies(), page_, *source, GenerationStyle::Normal);
                }
            }
            drawn = referenceDrawer_ && referenceDrawer_->problem().isEmpty()
                        ? referenceDrawer_->Draw(letter)
                        : std::nullopt;
        }
        found = references_.emplace(letter, std::move(drawn)).first;
    }
    return found->second ? &*found->second : nullptr;
}

const LetterSupply::Drawn& LetterSupply::Draw(char32_t letter) {
    if (const auto done = drawn_.find(letter); done != drawn_.end()) {
        return done->second;
    }
    Drawn& drawn = drawn_[letter];
    if (!drawWith_) {
        drawn.detail = QStringLiteral("missing: the font has nothing to build it from; "
                                      "name an installed font to draw it with");
        return drawn;
    }
    // Drawn as a body in the body's colour; the font's style goes on after.
    const LetterDrawer& drawer = Drawer();
    if (!drawer.problem().isEmpty()) {
        drawn.detail = QStringLiteral("missing: nothing to build it from, and ") + drawer.problem();
        return drawn;
    }
    drawn.glyph = drawer.Draw(letter);
    if (!drawn.glyph) {
        drawn.detail = QStringLiteral("missing: %1 draws nothing for it that fits a font file")
                           .arg(drawWith_->Family());
        return drawn;
    }
    const QRgb body = DisplayColorOf(composer_.style().body);
    for (int y = 0; y < drawn.glyph->height(); ++y) {
        auto* line = WritablePixelsOf(drawn.glyph->raster, y);
        std::replace_if(
            line, line + drawn.glyph->width(),
            [this](QRgb pixel) { return palette_.IndexOf(pixel) != 0; }, body);
    }
    drawn.detail = QStringLiteral("drawn with ") + drawer.Description();
    return drawn;
}

const LetterDrawer& LetterSupply::Drawer() {
    if (!drawer_) {
        drawer_ = std::make_unique<LetterDrawer>(composer_.bodies(), page_, *drawWith_,
                                                 GenerationStyle::Normal);
    }
    return *drawer_;
}

std::optional<Glyph> LetterSupply::PlainTwinBody(char32_t letter) const {
    const auto twin = LatinTwinOf(letter);
    const Glyph* e = composer_.BodyOfLetter(U'E');
    const Glyph* body = twin && QChar::isUpper(letter) ? composer_.BodyOfLetter(*twin) : nullptr;
    const std::optional<LetterInk> eInk = e ? InkOfGlyph(*e, palette_) : std::nullopt;
    const std::optional<LetterInk> ink =
        body && eInk && !StemWithoutSerifs(*eInk) ? InkOfGlyph(*body, palette_) : std::nullopt;
    const std::optional<LetterInk> plain = ink ? StemWithoutSerifs(*ink) : std::nullopt;
    return plain ? GlyphOfInk(*plain, *body) : std::nullopt;
}

} // namespace fontlathe
