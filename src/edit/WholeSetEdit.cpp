#include "WholeSetEdit.h"

#include <utility>

namespace fontlathe {

WholeSetEdit::WholeSetEdit(QString text, const Charset& set)
    : EditStep(std::move(text), Scope::WholeSet, -1), set_(set) {}

void WholeSetEdit::Swap(Charset& set) {
    std::swap(set, set_);
}

// A replaced set is a change even where the new one happens to equal the old: what the user
// asked for ran, and Undo names it.
bool WholeSetEdit::Differs(const Charset& set) const {
    for (std::size_t code = 0; code < set.glyphs.size(); ++code) {
        if (set.glyphs[code].raster.cacheKey() != set_.glyphs[code].raster.cacheKey()) {
            return true;
        }
    }
    return set.tag != set_.tag || set.version != set_.version || set.colorMap != set_.colorMap ||
           set.bitsPerPixel != set_.bitsPerPixel || set.fontHeight != set_.fontHeight ||
           set.numChars != set_.numChars || set.glyphOffsets != set_.glyphOffsets;
}

std::size_t WholeSetEdit::Cost() const {
    std::size_t bytes = sizeof(*this);
    for (const Glyph& glyph : set_.glyphs) {
        bytes += static_cast<std::size_t>(glyph.raster.sizeInBytes());
    }
    return bytes;
}

} // namespace fontlathe
