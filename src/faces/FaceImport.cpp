#include "FaceImport.h"

#include "charset/DisplayColors.h"
#include "text/CodePoints.h"

#include <algorithm>

namespace fontlathe {

FaceRaster RasterOf(const BitmapFace& face, const FaceGlyph& glyph) {
    // The raster's columns against the pen position and rows against the line's top, which lies
    // ascent rows above the baseline.
    QRect span = glyph.box.translated(0, face.ascent);
    if (!face.exactBoxes) {
        const QRect ink = glyph.InkRect().translated(0, face.ascent);
        const int left = std::min(0, glyph.box.left());
        const int right = ink.isNull() ? glyph.advance : std::max(glyph.advance, ink.right() + 1);
        const int top = ink.isNull() ? 0 : std::min(0, ink.top());
        const int bottom =
            ink.isNull() ? face.LineHeight() : std::max(face.LineHeight(), ink.bottom() + 1);
        span = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    }
    FaceRaster drawn{MakeBlankRaster(span.width(), span.height()), span.topLeft()};
    const int left = span.left(), top = span.top();
    const QRgb inkColor = DisplayColors[1];
    for (int row = 0; row < glyph.box.height(); ++row) {
        const int y = glyph.box.top() + row + face.ascent - top;
        if (y < 0 || y >= drawn.raster.height()) {
            continue;
        }
        auto* line = reinterpret_cast<QRgb*>(drawn.raster.scanLine(y));
        for (int column = 0; column < glyph.box.width(); ++column) {
            const int x = glyph.box.left() + column - left;
            if (x >= 0 && x < drawn.raster.width() && glyph.Ink(column, row)) {
                line[x] = inkColor;
            }
        }
    }
    return drawn;
}

Result ImportFace(const BitmapFace& face, const CodePage& page, Charset& set,
                  FaceImportReport& report) {
    if (face.LineHeight() < 1 || face.LineHeight() > MaxGlyphSide) {
        return Result::Failure(QStringLiteral("its line is %1 pixels high (ascent %2, descent "
                                              "%3); a font file's line is 1 to %4")
                                   .arg(face.LineHeight())
                                   .arg(face.ascent)
                                   .arg(face.descent)
                                   .arg(MaxGlyphSide));
    }
    Charset made;
    made.NewCharset(1);
    made.SetFontHeight(static_cast<std::uint8_t>(face.LineHeight()));
    FaceImportReport found;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        // A glyph kept by its code ("ENCODING -1 CODE") goes there where the page has no
        // character, or where this program wrote it; elsewhere the code is some other
        // program's index and the page's character wins.
        const FaceGlyph* glyph = nullptr;
        const std::optional<char32_t> character = page.CharacterAt(code);
        const bool hasCharacter = character && code >= 32 && !IsControlCharacter(*character);
        const auto kept = face.byCode.find(code);
        if (kept != face.byCode.end() && (face.exactBoxes || !hasCharacter)) {
            glyph = &kept->second;
        } else if (hasCharacter) {
            glyph = face.GlyphOf(*character);
            if (glyph == nullptr) {
                found.missing.push_back(code);
            }
        }
        if (glyph == nullptr) {
            continue;
        }
        FaceRaster drawn = RasterOf(face, *glyph);
        if (drawn.raster.isNull()) {
            found.missing.push_back(code); // no width and no ink: nothing a font file can hold
            continue;
        }
        if (drawn.raster.width() > MaxGlyphSide || drawn.raster.height() > MaxGlyphSide ||
            !IsValidGlyphOffset(drawn.topLeft.x()) || !IsValidGlyphOffset(drawn.topLeft.y())) {
            return Result::Failure(QStringLiteral("the glyph for code %1 would be %2 x %3 pixels; "
                                                  "a font file holds at most %4 x %4")
                                       .arg(code)
                                       .arg(drawn.raster.width())
                                       .arg(drawn.raster.height())
                                       .arg(MaxGlyphSide));
        }
        Glyph& slot = *made.SlotAt(code);
        slot.raster = std::move(drawn.raster);
        slot.xOffset = static_cast<std::int16_t>(drawn.topLeft.x());
        slot.yOffset = static_cast<std::int16_t>(drawn.topLeft.y());
    }
    set = std::move(made);
    report = std::move(found);
    return Result::Success();
}

} // namespace fontlathe
