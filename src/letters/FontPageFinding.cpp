#include "FontPageFinding.h"

#include "GlyphInk.h"
#include "LetterPlanner.h"
#include "LetterSupply.h"
#include "charset/PaletteLookup.h"

#include <QChar>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace fontlathe {

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
        LetterPlanner planner(font, request, true);
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

} // namespace fontlathe
