#include "WholeSetEdit.h"

#include <utility>

namespace fontlathe {

ReplaceSet::ReplaceSet(QString verb, Charset replacement, std::optional<QString> page)
    : Edit(std::move(verb), {ScopeKind::WholeSet, {}}, {ScopeKind::WholeSet, {}}, -1),
      replacement_(std::move(replacement)), page_(std::move(page)) {}

void ReplaceSet::Keep(const Charset& set) {
    kept_ = set;
}

// The replacement is handed over: the edit keeps only the set it replaced.
void ReplaceSet::Change(Charset& set) {
    set = std::exchange(replacement_, Charset());
}

void ReplaceSet::Swap(Charset& set) {
    std::swap(set, kept_);
}

void ReplaceSet::Name(const CodePage&) {
    SetText(verb());
}

// A replaced set is a change even where the new one happens to equal the old: what the user
// asked for ran, and Undo names it.
bool ReplaceSet::Differs(const Charset& set) const {
    for (int code = 0; code < GlyphSlotCount; ++code) {
        if (set.SlotAt(code)->raster.cacheKey() != kept_.SlotAt(code)->raster.cacheKey()) {
            return true;
        }
    }
    return set.tag() != kept_.tag() || set.version() != kept_.version() ||
           set.colorMap() != kept_.colorMap() || set.bitsPerPixel() != kept_.bitsPerPixel() ||
           set.fontHeight() != kept_.fontHeight() || set.numChars() != kept_.numChars();
}

std::size_t ReplaceSet::Cost() const {
    std::size_t bytes = sizeof(*this);
    for (const Glyph& glyph : kept_.glyphs()) {
        bytes += static_cast<std::size_t>(glyph.raster.sizeInBytes());
    }
    return bytes;
}

const Glyph* ReplaceSet::MadeFrom(int code) const {
    const auto found = madeFrom_.find(code);
    return found == madeFrom_.end() ? nullptr : &found->second;
}

} // namespace fontlathe
