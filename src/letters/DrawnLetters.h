#pragma once

#include "charset/Charset.h"
#include "charset/PaletteLookup.h"
#include "generate/DrawingSource.h"
#include "generate/GenerationFont.h"
#include "text/CodePage.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <optional>

namespace fontlathe {

// Draws letters with an installed font so that they match a font's own: its capital H drawn as
// tall as the font's H ink (a bitmap face is drawn at its own size) (the tallest Latin capital's when the font has no H), the ink's
// bottom row on the font's baseline (the bottom row of that capital's ink), the capital's blank
// columns and x offset on each side, in the colour index the font's letters mostly use (and the
// one they use next for the style's shadow or outline; none on a font of two colours). Needs a
// QGuiApplication.
class LetterDrawer {
public:
    // fontPage says which letter each glyph of font shows.
    LetterDrawer(const Charset& font, const CodePage& fontPage, const DrawingSource& source,
                 GenerationStyle style);

    // Why nothing can be drawn (the font has no Latin capital to measure, or the installed font
    // draws no H at any size); empty when letters can be drawn.
    const QString& problem() const { return problem_; }
    // "DejaVu Sans at 11 px".
    QString Description() const;
    // The letter as a glyph of the font; nothing when the installed font draws no ink for it or
    // the glyph would not fit a font file.
    std::optional<Glyph> Draw(char32_t letter) const;

private:
    int DrawnCapitalHeight(int pixelSize, int* bottom);

    DrawingSource drawing_;
    GenerationStyle style_;
    PaletteLookup palette_;
    QRgb main_ = 0;
    std::optional<QRgb> second_;
    Glyph capital_;
    QRect capitalInk_;
    int drawnBaseline_ = 0;
    QString problem_;
};

} // namespace fontlathe
