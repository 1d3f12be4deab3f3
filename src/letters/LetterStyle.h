#pragma once

#include "charset/Charset.h"
#include "charset/PaletteLookup.h"
#include "generate/GenerationFont.h"
#include "text/CodePage.h"

#include <QPoint>
#include <QRgb>
#include <QString>

namespace fontlathe {

// How a font draws its letters: a body, and a shadow or an outline round it in a colour of its
// own, or neither. New letters are built on bodies alone and the style goes on at the end, by
// the rule the font follows.
struct LetterStyle {
    enum class Kind { Plain, Shadow, Outline };
    Kind kind = Kind::Plain;
    QPoint shadow;               // where the shadow lies from the body
    bool eightNeighbours = true; // an outline on the diagonal neighbours too, or on four
    int effect = 0;              // the palette index of the shadow or the outline
    int body = 1;                // the index the bodies mostly use

    // "plain", "outlined in colour 2", "shadow one pixel right and down in colour 3".
    QString Description() const;
    bool operator==(const LetterStyle&) const = default;
};

// The style the font's Latin letters follow: the shadow offset (up to two pixels each way) or
// the outline (four or eight neighbours) and its colour that most of them match exactly; plain
// when none does for most of them.
LetterStyle FindLetterStyle(const Charset& font, const CodePage& page);

// The style a user names (--style): Generate's shadow right and down or eight-neighbour outline,
// in the colour the font's found style uses for it, else the first colour that is not the body's;
// plain on a font of two colours.
LetterStyle NamedLetterStyle(GenerationStyle style, const LetterStyle& found, int colorCount);

// The glyph with its shadow or outline taken off: the effect's colour becomes background.
Glyph BodyOf(const Glyph& glyph, const LetterStyle& style, const PaletteLookup& palette);

// The body with the style's shadow or outline drawn round it, the glyph grown to hold it.
Glyph Styled(const Glyph& body, const LetterStyle& style, const PaletteLookup& palette);

} // namespace fontlathe
