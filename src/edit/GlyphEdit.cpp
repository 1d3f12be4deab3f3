#include "GlyphEdit.h"

#include <utility>

namespace fontlathe {

GlyphEdit::GlyphEdit(QString text, int code, Glyph before, std::int32_t beforeOffset)
    : EditStep(std::move(text), Scope::Glyph, code), glyph_(std::move(before)),
      offsetEntry_(beforeOffset) {}

void GlyphEdit::Swap(Charset& set) {
    if (Glyph* slot = set.SlotAt(code())) {
        std::swap(*slot, glyph_);
        std::swap(set.glyphOffsets[static_cast<std::size_t>(code())], offsetEntry_);
    }
}

std::size_t GlyphEdit::Cost() const {
    return sizeof(*this) + static_cast<std::size_t>(glyph_.raster.sizeInBytes());
}

} // namespace fontlathe
