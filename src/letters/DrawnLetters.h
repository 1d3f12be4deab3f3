#pragma once

#include "LetterMetrics.h"
#include "LetterShapes.h"
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

// Draws letters with an installed font or a bitmap face, fitted to a font's own letters as a
// designer of pixel fonts fits them: capitals drawn at the size whose H is as tall as the font's H
// ink (the tallest Latin capital's when the font has no H), small letters at the size whose x is as
// tall as the font's x, small letters that reach higher (б, δ) at the size whose b is as tall as
// the font's; the ink's bottom row on the font's baseline. A face, which has one size, keeps its
// pixels at the font's size; at another, its letters are brought to the font's height, and their
// widths scaled as the font's H is to the face's, without losing a stroke. Stems are made as wide
// as the font's H stem, bars as thin as its crossbar, and the ink narrowed to no wider than the
// font's M (its m for small letters; and no wider than the cell where every letter is as wide), all
// without losing a stroke or a counter the drawing has: where that cannot reach M's width, a
// narrower stem is taken, else a size or two smaller that draws the same strokes, else the letter
// is wider than M. Sideways the ink keeps H's blank columns, or is centred in the cell of a
// monospaced font. The colour is the index the font's letters mostly use (and the one they use next
// for the style's shadow or outline; none on a font of two colours). Needs a QGuiApplication.
class LetterDrawer {
public:
    // fontPage says which letter each glyph of font shows.
    LetterDrawer(const Charset& font, const CodePage& fontPage, const DrawingSource& source,
                 GenerationStyle style);

    // Why nothing can be drawn (the font has no Latin capital to measure, or the installed font
    // draws no H at any size); empty when letters can be drawn.
    const QString& problem() const { return problem_; }
    // "DejaVu Sans at 11 px" (the capitals' size); for a face of another size, with how many rows
    // its capitals are brought from and to.
    QString Description() const;
    // The letter as a glyph of the font; nothing when the installed font draws no ink for it or
    // the glyph would not fit a font file.
    std::optional<Glyph> Draw(char32_t letter) const;

private:
    // The source at the size whose `reference` letter's ink is `height` rows tall (or comes
    // nearest), with the bottom row of that ink and the width of its stem.
    struct Sized {
        DrawingSource source;
        char32_t reference = U'H';
        int baseline = 0;
        int stem = 1;
        int bar = 1;       // how many rows H's crossbar has
        int width = 1;     // how wide H's ink is
        int rows = 0;      // how tall the font's reference letter is
        int drawnRows = 0; // how tall the source's is
    };
    std::optional<Sized> SizeFor(char32_t reference, int height) const;
    // The source at that pixel size, to be brought to `height`.
    std::optional<Sized> SizedAt(char32_t reference, int height, int pixelSize) const;
    // The letter drawn at that size, in the font's colours and the line's rows, brought to the
    // font's height and fitted to its stems and to `widest` (where that is not 0); nothing where
    // the source draws no ink for it.
    std::optional<LetterInk> Fit(char32_t letter, const Sized& sized, int widest) const;

    DrawingSource drawing_;
    GenerationStyle style_;
    PaletteLookup palette_;
    QRgb main_ = 0;
    std::optional<QRgb> second_;
    Glyph capital_;
    QRect capitalInk_;
    int bar_ = 1; // how many rows the capital's crossbar has
    std::optional<LetterMetrics> metrics_;
    int smallWidest_ = 0; // the ink width of m
    std::optional<Sized> capitals_, small_, tall_;
    QString problem_;
};

} // namespace fontlathe
