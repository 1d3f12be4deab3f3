#include "AddLetters.h"

#include "DesignerShapes.h"
#include "DrawnLetters.h"
#include "GlyphInk.h"
#include "LetterComposer.h"
#include "LetterRecipes.h"
#include "LetterShapes.h"
#include "LetterSupply.h"
#include "LetterTables.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"
#include "text/CodePoints.h"
#include "text/TextForms.h"

#include <QChar>
#include <QStringList>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <set>
#include <utility>

namespace fontlathe {

namespace {

constexpr int FirstLetterCode = 32;
// A glyph within this many pixels of a letter shows that letter.
constexpr int KeptDistance = 2;

bool WritesGlyph(LetterSource source) {
    return source == LetterSource::Moved || source == LetterSource::Composed ||
           source == LetterSource::Borrowed || source == LetterSource::Drawn;
}

// Works out one font's rows; it reads the font as it was, so a glyph that a row replaces can
// still be moved or built on by another.
class Planner {
public:
    // afresh: each letter made from the font's other glyphs, as if the glyph at its code (or
    // the font's glyph for it anywhere) were not there.
    Planner(const Charset& font, const AddLettersRequest& request, bool afresh = false)
        : font_(font), request_(request), afresh_(afresh),
          found_(FindLetterStyle(font, request.fromPage)),
          composer_(font, request.fromPage, found_, StyleFor(found_, font, request)),
          supply_(composer_, request.fromPage, request.drawWith),
          capitalsOnly_(HasCapitalsOnly(font, request.fromPage)) {}

    LetterRow Plan(char32_t letter);
    const LetterStyle& style() const { return composer_.style(); }

private:
    static LetterStyle StyleFor(const LetterStyle& found, const Charset& font,
                                const AddLettersRequest& request) {
        return request.style ? NamedLetterStyle(*request.style, found, font.ColorCount()) : found;
    }
    const Glyph* GlyphShowing(char32_t letter) const {
        return font_.GlyphAt(request_.fromPage.CodeOf(letter));
    }
    LetterRow PlanRow(char32_t letter);
    // The row made from the font's glyphs: composed, borrowed, built or drawn.
    LetterRow MadeRow(LetterRow& row);
    bool Compose(LetterRow& row);
    void Draw(LetterRow& row);

    const Charset& font_;
    const AddLettersRequest& request_;
    bool afresh_;
    LetterStyle found_; // the style the font's own letters follow
    LetterComposer composer_;
    LetterSupply supply_;
    bool capitalsOnly_;
};

bool Planner::Compose(LetterRow& row) {
    std::optional<LetterComposer::Composed> composed = composer_.Compose(row.letter, &supply_);
    if (!composed) {
        return false;
    }
    if (!composed->glyph) {
        row.detail = QStringLiteral("missing: built from %1 it would not fit a font file (at most "
                                    "127 x 127 pixels, offsets -128 to 127)")
                         .arg(LetterName(composed->base));
        return true;
    }
    row.source = LetterSource::Composed;
    row.detail = composed->detail;
    if (const Glyph* base = font_.GlyphAt(request_.fromPage.CodeOf(composed->base))) {
        row.from = *base;
    }
    row.glyph = std::move(*composed->glyph);
    return true;
}

void Planner::Draw(LetterRow& row) {
    const LetterSupply::Drawn& drawn = supply_.Draw(row.letter);
    row.detail = drawn.detail;
    if (drawn.glyph) {
        row.source = LetterSource::Drawn;
        row.glyph = composer_.Finish(*drawn.glyph);
    }
}

LetterRow Planner::Plan(char32_t letter) {
    LetterRow row = PlanRow(letter);
    // The style drawn round a letter can grow it past what a font file holds.
    if (WritesGlyph(row.source) && !FitsFontFile(row.glyph)) {
        row.source = LetterSource::Missing;
        row.detail = QStringLiteral("missing: made, it would not fit a font file (at most "
                                    "127 x 127 pixels, offsets -128 to 127)");
        row.glyph = Glyph();
    }
    return row;
}

LetterRow Planner::PlanRow(char32_t letter) {
    LetterRow row;
    row.letter = letter;
    row.code = request_.toPage.CodeOf(letter);
    if (row.code < FirstLetterCode) {
        row.code = CodePage::NotInPage;
        row.detail = QStringLiteral("missing: %1 has no code for it").arg(request_.toPage.name());
        return row;
    }
    if (afresh_) {
        return MadeRow(row);
    }
    if (const QString reserved = ReservedCodeReason(row.code, request_.gameVersion);
        !reserved.isEmpty()) {
        row.source = LetterSource::Reserved;
        row.detail = QStringLiteral("reserved: ") + reserved;
        return row;
    }
    if (request_.fromPage.CharacterAt(row.code) == letter && font_.GlyphAt(row.code) != nullptr) {
        row.source = LetterSource::Kept;
        row.detail = QStringLiteral("kept");
        return row;
    }
    if (const int from = request_.fromPage.CodeOf(letter); font_.GlyphAt(from) != nullptr) {
        row.source = LetterSource::Moved;
        row.detail = QStringLiteral("moved from ") + CodeText(from);
        row.glyph = row.from = *font_.GlyphAt(from);
        return row;
    }
    return MadeRow(row);
}

LetterRow Planner::MadeRow(LetterRow& row) {
    const char32_t letter = row.letter;
    // A small letter of a font whose small letters are capitals is its capital.
    if (const char32_t capital = QChar::toUpper(letter);
        capitalsOnly_ && capital != letter && QChar::isLower(letter)) {
        if (const Glyph* own = GlyphShowing(capital)) {
            row.source = LetterSource::Borrowed;
            row.detail = QStringLiteral("borrowed from %1: the font's small letters are capitals")
                             .arg(LetterName(capital));
            row.glyph = row.from = *own;
            return row;
        }
        const LetterRow made = PlanRow(capital);
        if (WritesGlyph(made.source)) {
            row.source = made.source;
            row.glyph = made.glyph;
            row.from = made.from;
            row.detail =
                made.detail + QStringLiteral(", as %1: the font's small letters are capitals")
                                  .arg(LetterName(capital));
            return row;
        }
    }
    if (Compose(row)) {
        return row;
    }
    if (const auto twin = LatinTwinOf(letter); twin && GlyphShowing(*twin) != nullptr) {
        row.source = LetterSource::Borrowed;
        row.detail = QStringLiteral("borrowed from ") + LetterName(*twin);
        row.glyph = row.from = *GlyphShowing(*twin);
        if (const std::optional<Glyph> plain = supply_.PlainTwinBody(letter)) {
            row.glyph = composer_.Finish(*plain);
            row.detail += QStringLiteral(" without its serifs");
        }
        return row;
    }
    if (std::optional<RecipeLetter> built = supply_.Build(row.letter)) {
        // A recipe whose result reads as another letter is not used: the letter is drawn where
        // a face is given for it.
        if (const char32_t readsAs = supply_.recipes().ReadsAs(letter, *built, supply_);
            readsAs != 0) {
            if (request_.drawWith) {
                Draw(row);
                if (row.source == LetterSource::Drawn) {
                    return row;
                }
            }
            row.source = LetterSource::Missing;
            row.detail = QStringLiteral("missing: %1 (%2 reads as %3)")
                             .arg(LetterName(letter), built->detail, LetterName(readsAs));
            return row;
        }
        row.source = LetterSource::Composed;
        row.detail = built->detail;
        row.glyph = composer_.Finish(built->glyph);
        return row;
    }
    Draw(row);
    return row;
}

} // namespace

QString LetterSourceName(LetterSource source) {
    static constexpr std::array<std::pair<LetterSource, const char*>, 7> names = {{
        {LetterSource::Kept, "kept"},
        {LetterSource::Moved, "moved"},
        {LetterSource::Composed, "composed"},
        {LetterSource::Borrowed, "borrowed"},
        {LetterSource::Drawn, "drawn"},
        {LetterSource::Reserved, "reserved"},
        {LetterSource::Missing, "missing"},
    }};
    const auto found =
        std::ranges::find(names, source, &std::pair<LetterSource, const char*>::first);
    return QString::fromLatin1(found == names.end() ? "missing" : found->second);
}

int AddLettersPlan::Count(LetterSource source) const {
    return static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [source](const LetterRow& row) { return row.source == source; }));
}

QString AddLettersPlan::TotalsText() const {
    QStringList totals;
    for (const LetterSource source : LetterSources) {
        totals << QStringLiteral("%1 %2").arg(LetterSourceName(source)).arg(Count(source));
    }
    return totals.join(QStringLiteral(", "));
}

AddLettersPlan PlanAddLetters(const Charset& font, const AddLettersRequest& request) {
    AddLettersPlan plan;
    plan.toPageName = request.toPage.name();
    plan.numChars = font.numChars();
    Planner planner(font, request);
    plan.style = planner.style().Description();
    std::set<char32_t> seen;
    plan.rows.reserve(request.letters.size());
    for (const char32_t letter : request.letters) {
        if (seen.insert(letter).second) {
            plan.rows.push_back(planner.Plan(letter));
        }
    }
    // A font drawn for a mapping file has its letters where no standard page puts them: every
    // letter it has that the target page holds elsewhere moves there too, wanted or not, so that
    // no code keeps the old layout's glyph.
    if (CodePage::NamesMappingFile(request.fromPage.name())) {
        for (int code = FirstLetterCode; code < GlyphSlotCount; ++code) {
            const std::optional<char32_t> letter = request.fromPage.CharacterAt(code);
            if (letter && font.GlyphAt(code) != nullptr && seen.insert(*letter).second &&
                request.toPage.CodeOf(*letter) != CodePage::NotInPage &&
                request.toPage.CodeOf(*letter) != code) {
                if (LetterRow row = planner.Plan(*letter); row.source == LetterSource::Moved) {
                    plan.rows.push_back(std::move(row));
                }
            }
        }
    }
    // A code whose glyph already shows its letter keeps it (a second run keeps what the first
    // made, touched up or not), unless the glyph is as near to the letter the font's page puts
    // there (À is not kept as А, where the two differ by a grave of two pixels).
    // A letter nothing makes without a face to draw with is compared with its drawing in DejaVu
    // Sans, as the page is found.
    const PaletteLookup palette(font.ColorCount());
    AddLettersRequest ownRequest = request, drawingRequest = request;
    ownRequest.toPage = request.fromPage;
    std::unique_ptr<Planner> ownLetters, drawingLetters;
    for (LetterRow& row : plan.rows) {
        const Glyph* there = row.source == LetterSource::Missing || WritesGlyph(row.source)
                                 ? font.GlyphAt(row.code)
                                 : nullptr;
        Glyph made = row.glyph;
        if (there != nullptr && row.source == LetterSource::Missing && !request.drawWith) {
            if (!drawingLetters) {
                drawingRequest.drawWith = DefaultDrawingFace();
                drawingLetters = std::make_unique<Planner>(font, drawingRequest);
            }
            made = drawingLetters->Plan(row.letter).glyph;
        }
        const int distance =
            there && made.present() ? InkDistance(*there, made, palette) : KeptDistance + 1;
        if (distance > KeptDistance) {
            continue;
        }
        if (const auto shown = request.fromPage.CharacterAt(row.code);
            shown && *shown != row.letter && QChar::isLetter(*shown)) {
            if (!ownLetters) {
                ownLetters = std::make_unique<Planner>(font, ownRequest, true);
            }
            const LetterRow other = ownLetters->Plan(*shown);
            if (WritesGlyph(other.source) && InkDistance(*there, other.glyph, palette) < distance) {
                continue;
            }
        }
        row.source = LetterSource::Kept;
        row.detail = QStringLiteral("kept");
        row.glyph = row.from = Glyph();
    }
    // A letter whose glyph a new one replaces is lost when the target page has no place for it;
    // one the page holds at another code is moved there when wanted, and is not lost.
    for (const LetterRow& row : plan.rows) {
        if (!WritesGlyph(row.source) && row.source != LetterSource::Kept) {
            continue;
        }
        plan.numChars = std::max(plan.numChars, row.code + 1);
        const auto replaced = request.fromPage.CharacterAt(row.code);
        if (WritesGlyph(row.source) && replaced && font.GlyphAt(row.code) != nullptr &&
            QChar::category(*replaced) != QChar::Other_Control &&
            request.toPage.CodeOf(*replaced) == CodePage::NotInPage) {
            plan.lost.push_back(*replaced);
        }
    }
    return plan;
}

QString FoundPage::Description() const {
    return found ? QStringLiteral("found from its glyphs: %1 of %2 letters agree")
                       .arg(agreeing)
                       .arg(letters)
                 : QStringLiteral("no page clearly agrees with its glyphs");
}

FoundPage FindFontPage(const Charset& font, const std::optional<DrawingSource>& drawWith) {
    constexpr int FirstHighCode = 0x80;
    constexpr int WinningPercent = 75, Lead = 8;
    const PaletteLookup palette(font.ColorCount());
    const std::optional<DrawingSource> drawing = drawWith ? drawWith : DefaultDrawingFace();
    struct Score {
        FoundPage page;
        std::set<std::pair<int, char32_t>> agreeing; // code and letter
    };
    std::vector<Score> scores;
    std::set<std::vector<char32_t>> layouts; // the letters at the font's codes, page by page
    for (const CodePageInfo& info : KnownCodePages()) {
        const std::optional<CodePage> page = CodePage::Standard(info.name);
        if (!page) {
            continue;
        }
        std::vector<char32_t> layout;
        for (int code = FirstHighCode; code < GlyphSlotCount; ++code) {
            const std::optional<char32_t> letter = page->CharacterAt(code);
            layout.push_back(
                letter && QChar::isLetter(*letter) && font.GlyphAt(code) != nullptr ? *letter : 0);
        }
        if (!layouts.insert(layout).second) {
            continue;
        }
        AddLettersRequest request;
        request.fromPage = request.toPage = *page;
        request.drawWith = drawing;
        Planner planner(font, request, true);
        Score score{FoundPage{*page, false, 0, 0}, {}};
        for (int code = FirstHighCode; code < GlyphSlotCount; ++code) {
            if (const char32_t letter = layout[std::size_t(code - FirstHighCode)]; letter != 0) {
                ++score.page.letters;
                const LetterRow row = planner.Plan(letter);
                if (WritesGlyph(row.source) &&
                    InkDistance(*font.GlyphAt(code), row.glyph, palette) <= KeptDistance) {
                    ++score.page.agreeing;
                    score.agreeing.emplace(code, letter);
                }
            }
        }
        if (score.page.letters > 0) {
            scores.push_back(std::move(score));
        }
    }
    const auto percent = [](const Score& score) {
        return 100.0 * score.page.agreeing / score.page.letters;
    };
    std::stable_sort(scores.begin(), scores.end(),
                     [&](const Score& a, const Score& b) { return percent(a) > percent(b); });
    if (scores.empty() || percent(scores[0]) < WinningPercent) {
        return FoundPage{};
    }
    // The next page is the best of those that read a glyph as a letter the first does not: a
    // page agreeing only where the first agrees too (cp1254 on a latin1 font, iso-8859-7 on a
    // cp1253 one, which differ from it at a few codes) tells nothing against it.
    const auto next = std::find_if(scores.begin() + 1, scores.end(), [&](const Score& other) {
        return !std::includes(scores[0].agreeing.begin(), scores[0].agreeing.end(),
                              other.agreeing.begin(), other.agreeing.end());
    });
    if (next != scores.end() && percent(scores[0]) - percent(*next) < Lead) {
        return FoundPage{};
    }
    scores[0].page.found = true;
    return scores[0].page;
}

void ApplyAddLetters(const AddLettersPlan& plan, Charset& font) {
    for (const LetterRow& row : plan.rows) {
        if (WritesGlyph(row.source)) {
            *font.SlotAt(row.code) = row.glyph;
        }
    }
    font.SetNumChars(static_cast<std::int16_t>(std::max<int>(font.numChars(), plan.numChars)));
}

} // namespace fontlathe
