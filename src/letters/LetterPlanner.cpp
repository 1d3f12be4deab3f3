#include "LetterPlanner.h"

#include "DesignerShapes.h"
#include "DrawnLetters.h"
#include "GlyphInk.h"
#include "LetterRecipes.h"
#include "LetterShapes.h"
#include "LetterTables.h"
#include "charset/DisplayColors.h"
#include "text/CodePoints.h"
#include "text/TextForms.h"

#include <QChar>
#include <QStringList>

namespace fontlathe {

bool WritesGlyph(LetterSource source) {
    return source == LetterSource::Moved || source == LetterSource::Composed ||
           source == LetterSource::Borrowed || source == LetterSource::Drawn;
}

bool LetterPlanner::Compose(LetterRow& row) {
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

void LetterPlanner::Draw(LetterRow& row) {
    const LetterSupply::Drawn& drawn = supply_.Draw(row.letter);
    row.detail = drawn.detail;
    if (drawn.glyph) {
        row.source = LetterSource::Drawn;
        row.glyph = composer_.Finish(*drawn.glyph);
    }
}

LetterRow LetterPlanner::Plan(char32_t letter) {
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

LetterRow LetterPlanner::PlanRow(char32_t letter) {
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

LetterRow LetterPlanner::MadeRow(LetterRow& row) {
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

} // namespace fontlathe
