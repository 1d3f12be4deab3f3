#pragma once

#include "FontMarks.h"
#include "LetterParts.h"
#include "LetterStyle.h"
#include "charset/Charset.h"
#include "charset/PaletteLookup.h"
#include "text/CodePage.h"

#include <QString>

#include <optional>

namespace fontlathe {

// Builds letters from a font's own glyphs: a base letter with marks or a stroke. Everything is
// built on the letters' bodies, with the font's marks where its designer put them, and the
// font's style goes on at the end.
class LetterComposer {
public:
    // found is the style the font's letters follow, which comes off them; style is the one new
    // letters get (another where the user names one).
    LetterComposer(const Charset& font, const CodePage& page, const LetterStyle& found,
                   const LetterStyle& style);

    struct Composed {
        std::optional<Glyph> glyph; // nothing when it would not fit a font file
        char32_t base = 0;
        QString detail; // "composed from e + the font's acute"
    };
    // Nothing for a letter that is no base with marks or a stroke, or whose base the font (or,
    // with built, what is built or drawn elsewhere) lacks.
    std::optional<Composed> Compose(char32_t letter, LetterParts* built = nullptr) const;
    // The same as a body, before the style goes on.
    std::optional<Composed> ComposeBody(char32_t letter, LetterParts* built = nullptr) const;
    // The body of the font's glyph of the letter, or of its Latin twin's; null for none.
    const Glyph* BodyOfLetter(char32_t letter) const;

    // The font with every glyph's shadow or outline taken off.
    const Charset& bodies() const { return bodies_; }
    const LetterStyle& style() const { return style_; }
    // A body built here in the font's style.
    Glyph Finish(const Glyph& body) const { return Styled(body, style_, palette_); }

private:
    const Glyph* BodyShowing(char32_t letter) const {
        return bodies_.GlyphAt(page_.CodeOf(letter));
    }
    int CapitalHeight() const;
    // Whether the body reaches as high as the capitals: those lose rows to a mark above as the
    // font's own accented capitals do, where the mark needs the room.
    bool ReachesCapitalTop(const Glyph& body) const;
    // Whether the caron of ď ť ľ Ľ goes beside the stem, as an apostrophe.
    bool CaronBeside(char32_t base) const;
    // Puts the mark on the body; its name goes into the detail.
    bool AddMark(Glyph& body, char32_t base, const MarkInfo& mark, QString& name) const;
    // Lowers a mark that would rise above the font's own letters onto the body, closing the rows
    // between them, then takes rows off the body's top for it.
    void KeepWithinLine(Glyph& body, FontMarks::Placement& placed, char32_t shape) const;
    // Where a mark goes on a body with ink, in the body's raster.
    FontMarks::Placement PlaceMark(const Glyph& body, char32_t base, const MarkInfo& mark) const;

    Charset bodies_;
    const CodePage& page_;
    LetterStyle style_;
    PaletteLookup palette_;
    FontMarks marks_;
    int stem_ = 1; // the width of the font's stems
    bool monospaced_ = false;
    int ascenderTop_ = 0;        // the line row where b, d, h, k and l begin
    std::optional<int> lineTop_; // the highest line row the ink of the font's letters reaches
};

} // namespace fontlathe
