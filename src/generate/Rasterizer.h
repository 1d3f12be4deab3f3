#pragma once

#include "DrawingSource.h"
#include "GenerationFont.h"
#include "charset/Charset.h"
#include "charset/Result.h"
#include "text/CodePage.h"

#include <QFont>
#include <QImage>

#include <array>
#include <cstdint>

namespace fontlathe {

// What a run found of a glyph's ink as drawn: the extreme columns and rows of pixels with an
// index other than 0, and empty = 1 when there were none.
struct InkBox {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    std::uint8_t empty = 0;

    bool operator==(const InkBox&) const = default;
};

// The ink of each code as a run drew it, and the common top line it cut every glyph at: the
// smallest top of a glyph with ink. The run's own; a caller that checks the cut may ask for it.
struct GeneratedInk {
    std::array<InkBox, GlyphSlotCount> boxes{};
    int topLine = 0;
};

// Draws each code from 32 to 255 as the page's character for it (a code the page leaves empty
// gets no glyph) with the font into a new set in the given style: each into a raster with a
// 5-pixel margin round its line box, then cut down to its ink below one common top line; the two
// spaces and other blank characters become as tall as the tallest glyph. Needs a QGuiApplication.
//
// The run builds the new set aside: set is replaced only when every glyph fits a font file
// (127 x 127 pixels) and some character has ink; otherwise set stays as it was and the result
// says why. ink, when given, receives the run's ink on success.
Result GenerateCharset(Charset& set, const DrawingSource& source, GenerationStyle style,
                       const CodePage& page = CodePage(), GeneratedInk* ink = nullptr);

// One character as GenerateCharset draws each before cutting it down: into a raster as wide as
// its advance and as high as the font's line, plus a 5-pixel margin round both (the space and
// the no-break space get the style's value added to their width instead), in display colour 1
// with the style's outline or shadow in colour 2. A null image for a character the font gives no
// width. Needs a QGuiApplication.
QImage DrawCharacter(char32_t character, const QFont& font, GenerationStyle style);

// The same for a bitmap face's glyph, its pixels as they are, the face's baseline where the
// font's would be. Needs no QGuiApplication.
QImage DrawFaceCharacter(char32_t character, const BitmapFace& face, GenerationStyle style);

// The check a generated set must pass before it replaces the set in memory: some glyph has ink
// (tallest > 0) and every glyph fits a font file. The reason names a character as the page reads
// its code.
Result CheckGeneratedSet(const Charset& generated, int tallest, int pixelSize,
                         const CodePage& page = CodePage());

} // namespace fontlathe
