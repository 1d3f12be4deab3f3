#include "GlyphEdit.h"

#include <utility>

namespace fontlathe {

namespace {

Glyph SlotOf(const Charset& set, int code) {
    return Charset::IsValidCode(code) ? set.glyphs[static_cast<std::size_t>(code)] : Glyph{};
}

std::int32_t OffsetEntryOf(const Charset& set, int code) {
    return Charset::IsValidCode(code) ? set.glyphOffsets[static_cast<std::size_t>(code)] : 0;
}

} // namespace

GlyphEdit::GlyphEdit(QString text, const Charset& set, int code)
    : EditStep(std::move(text), Scope::Glyph, code), glyph_(SlotOf(set, code)),
      offsetEntry_(OffsetEntryOf(set, code)) {}

void GlyphEdit::Swap(Charset& set) {
    if (Glyph* slot = set.SlotAt(code())) {
        std::swap(*slot, glyph_);
        std::swap(set.glyphOffsets[static_cast<std::size_t>(code())], offsetEntry_);
    }
}

bool GlyphEdit::Differs(const Charset& set) const {
    if (!Charset::IsValidCode(code())) {
        return false;
    }
    const Glyph& now = set.glyphs[static_cast<std::size_t>(code())];
    return now.xOffset != glyph_.xOffset || now.yOffset != glyph_.yOffset ||
           now.raster != glyph_.raster || OffsetEntryOf(set, code()) != offsetEntry_;
}

std::size_t GlyphEdit::Cost() const {
    return sizeof(*this) + static_cast<std::size_t>(glyph_.raster.sizeInBytes());
}

} // namespace fontlathe
