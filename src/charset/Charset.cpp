#include "Charset.h"

#include "DisplayColors.h"

#include <algorithm>
#include <utility>

namespace fontlathe {

int Charset::ColorCount() const {
    if (bitsPerPixel_ == 0) {
        return 0;
    }
    return 2 << (bitsPerPixel_ - 1);
}

int Charset::PaletteIndexOf(QRgb color) const {
    const int count = std::min(ColorCount(), DisplayColorCount);
    for (int i = 0; i < count; ++i) {
        if (SameRgb(DisplayColors[static_cast<std::size_t>(i)], color)) {
            return i;
        }
    }
    return 0;
}

const Glyph* Charset::GlyphAt(int code) const {
    if (!IsValidCode(code)) {
        return nullptr;
    }
    const Glyph& glyph = glyphs_[static_cast<std::size_t>(code)];
    return glyph.present() ? &glyph : nullptr;
}

Glyph* Charset::GlyphAt(int code) {
    return const_cast<Glyph*>(std::as_const(*this).GlyphAt(code));
}

const Glyph* Charset::SlotAt(int code) const {
    return IsValidCode(code) ? &glyphs_[static_cast<std::size_t>(code)] : nullptr;
}

Glyph* Charset::SlotAt(int code) {
    return const_cast<Glyph*>(std::as_const(*this).SlotAt(code));
}

void Charset::SetColorMapEntry(int index, std::uint8_t value) {
    if (index >= 0 && index < ColorMapSize) {
        colorMap_[static_cast<std::size_t>(index)] = value;
    }
}

Glyph* Charset::ResetOffsets(int code) {
    if (!IsValidCode(code)) {
        return nullptr;
    }
    Glyph& glyph = glyphs_[static_cast<std::size_t>(code)];
    glyph.xOffset = 0;
    glyph.yOffset = 0;
    return &glyph;
}

void Charset::ClearGlyph(int code) {
    if (Glyph* glyph = ResetOffsets(code)) {
        glyph->raster = QImage();
    }
}

void Charset::CreateBlankGlyph(int code) {
    Glyph* glyph = ResetOffsets(code);
    if (!glyph) {
        return;
    }
    // The square is never larger than a file can hold.
    const int side = std::min<int>(fontHeight_, MaxGlyphSide);
    if (side > 0) {
        glyph->raster = MakeBlankRaster(side, side);
    }
}

void Charset::NewCharset(int newBitsPerPixel) {
    tag_ = {'C', 'H', 'A', 'R'};
    version_ = 867;
    for (int i = 0; i < ColorMapSize; ++i) {
        colorMap_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    }
    colorMap_[0] = 15;
    colorMap_[1] = 0;
    bitsPerPixel_ = static_cast<std::uint8_t>(newBitsPerPixel);
    fontHeight_ = 10;
    numChars_ = GlyphSlotCount;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        ClearGlyph(code);
    }
}

int Charset::PresentGlyphCount() const {
    int count = 0;
    for (const Glyph& glyph : glyphs_) {
        count += glyph.present() ? 1 : 0;
    }
    return count;
}

int Charset::StoredGlyphCount() const {
    int count = 0;
    for (int code = 0; code < numChars_ && code < GlyphSlotCount; ++code) {
        count += glyphs_[static_cast<std::size_t>(code)].present() ? 1 : 0;
    }
    return count;
}

QImage MakeBlankRaster(int width, int height) {
    QImage raster(width, height, QImage::Format_RGB32);
    raster.fill(DisplayColors[0]);
    return raster;
}

} // namespace fontlathe
