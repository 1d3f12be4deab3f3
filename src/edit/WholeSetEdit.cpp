#include "WholeSetEdit.h"

#include <utility>

namespace fontlathe {

WholeSetEdit::WholeSetEdit(QString text, Charset before)
    : EditStep(std::move(text), Scope::WholeSet, -1), set_(std::move(before)) {}

void WholeSetEdit::Swap(Charset& set) {
    std::swap(set, set_);
}

std::size_t WholeSetEdit::Cost() const {
    std::size_t bytes = sizeof(*this);
    for (const Glyph& glyph : set_.glyphs) {
        bytes += static_cast<std::size_t>(glyph.raster.sizeInBytes());
    }
    return bytes;
}

} // namespace fontlathe
