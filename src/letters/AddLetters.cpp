#include "AddLetters.h"

#include "GlyphInk.h"
#include "LetterPlanner.h"
#include "LetterSupply.h"
#include "charset/PaletteLookup.h"

#include <QChar>
#include <QStringList>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <utility>

namespace fontlathe {

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
    LetterPlanner planner(font, request);
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
    std::unique_ptr<LetterPlanner> ownLetters, drawingLetters;
    for (LetterRow& row : plan.rows) {
        const Glyph* there = row.source == LetterSource::Missing || WritesGlyph(row.source)
                                 ? font.GlyphAt(row.code)
                                 : nullptr;
        Glyph made = row.glyph;
        if (there != nullptr && row.source == LetterSource::Missing && !request.drawWith) {
            if (!drawingLetters) {
                drawingRequest.drawWith = DefaultDrawingFace();
                drawingLetters = std::make_unique<LetterPlanner>(font, drawingRequest);
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
                ownLetters = std::make_unique<LetterPlanner>(font, ownRequest, true);
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

void ApplyAddLetters(const AddLettersPlan& plan, Charset& font) {
    for (const LetterRow& row : plan.rows) {
        if (WritesGlyph(row.source)) {
            *font.SlotAt(row.code) = row.glyph;
        }
    }
    font.SetNumChars(static_cast<std::int16_t>(std::max<int>(font.numChars(), plan.numChars)));
}

} // namespace fontlathe
