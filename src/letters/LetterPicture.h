#pragma once

#include "AddLetters.h"
#include "charset/Charset.h"
#include "text/CodePage.h"

#include <QImage>
#include <QString>

#include <vector>

namespace fontlathe {

// One font's part of the picture: its name, the font as it was, its plan, and the font with the
// plan applied.
struct PictureFont {
    QString name;
    const Charset* before;
    const AddLettersPlan* plan;
    const Charset* after;
};

// The page glyphs are shown on: a grey that is no display colour, so that no ink meets a page of
// its own colour.
inline constexpr QRgb GlyphPageColor = 0xFF808080;

// The glyph's raster `zoom` times enlarged on a margin of its background colour one enlarged
// pixel wide all round; a null image for a null raster.
QImage FramedGlyph(const QImage& raster, int zoom);

// What a translator looks at to judge the new letters: for each font, every letter made (not
// kept, missing or reserved) framed and enlarged (zoom times, at least 4) in the font's own
// colours beside the glyph it was made from and the word of how, then a line of the new letters
// drawn as the preview draws them with the font after, all on the grey page. Needs a
// QGuiApplication for the words.
QImage AddLettersPicture(const std::vector<PictureFont>& fonts, const CodePage& toPage,
                         int zoom = 4);

} // namespace fontlathe
