#pragma once

#include "LetterTables.h"
#include "charset/Charset.h"
#include "generate/DrawingSource.h"
#include "generate/GenerationFont.h"
#include "text/CodePage.h"
#include "text/ReservedCodes.h"

#include <QFont>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace fontlathe {

// How a wanted letter came to be at its code, in the order they are tried.
enum class LetterSource {
    Kept,     // the glyph there already shows it
    Moved,    // a copy of the font's glyph for it at another code
    Composed, // a base glyph of the font with a mark or a stroke, or built by a recipe from
              // the font's glyphs (N mirrored for И, П made small for п)
    Borrowed, // a copy of the glyph of a letter of another script that looks the same
    Drawn,    // drawn with an installed font
    Missing,  // none of these could make it
    Reserved, // the game's text can't show its code
};

// "kept", "moved", ..., as scripts see it.
QString LetterSourceName(LetterSource source);

// Every source, in the order reports list them.
inline constexpr std::array<LetterSource, 7> LetterSources = {
    LetterSource::Kept,  LetterSource::Moved,   LetterSource::Composed, LetterSource::Borrowed,
    LetterSource::Drawn, LetterSource::Missing, LetterSource::Reserved};

struct AddLettersRequest {
    CodePage fromPage;             // which letter each glyph of the font shows now
    CodePage toPage;               // where the game's text will have each letter
    std::vector<char32_t> letters; // the wanted letters, each once
    // The installed font or the bitmap face for letters nothing else makes.
    std::optional<DrawingSource> drawWith;
    // The style new letters get; nothing: the one the font's own letters follow.
    std::optional<GenerationStyle> style;
    int gameVersion = AnyGameVersion; // whose text reader decides the reserved codes
};

struct LetterRow {
    int code = CodePage::NotInPage; // where the target page has the letter
    char32_t letter = 0;
    LetterSource source = LetterSource::Missing;
    QString detail; // "kept", "moved from 0xE9", "composed from e + the font's acute", ...
    Glyph glyph;    // the glyph to write, for Moved, Composed, Borrowed and Drawn
    // The font's glyph it was made from (the base of a composed letter, the twin of a borrowed
    // one, the glyph moved); absent for a drawn letter and one a recipe built.
    Glyph from;
};

// What Add Letters will do to a font, worked out before anything changes.
struct AddLettersPlan {
    // One a wanted letter, in the order asked; for a font drawn for a mapping file, then one for
    // each other letter it has that moves to the target page's code for it.
    std::vector<LetterRow> rows;
    std::vector<char32_t> lost; // letters a new glyph replaces that the target page has no
                                // place for
    int numChars = 0;           // the stored count afterwards
    QString toPageName;
    QString style; // the style new letters get: "plain", "outlined in colour 2", ...

    int Count(LetterSource source) const;
    // "kept 7, moved 0, composed 8, ...": how many letters each source made.
    QString TotalsText() const;
};

// Works out every wanted letter as the sources above allow; a code whose glyph already shows
// its letter (within 2 pixels of the letter made for it, and nearer to it than to the letter the
// font's page puts there as it would be made) is kept, whatever the font's page says is there; a
// letter the target page has no code for, or only a code below 32, is missing. Drawing needs a
// QGuiApplication.
AddLettersPlan PlanAddLetters(const Charset& font, const AddLettersRequest& request);

// Writes the plan's new glyphs into the font and grows its stored count where a new letter lies
// beyond it; nothing else of the font changes.
void ApplyAddLetters(const AddLettersPlan& plan, Charset& font);

} // namespace fontlathe
