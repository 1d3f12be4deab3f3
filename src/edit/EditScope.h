#pragma once

#include <QPoint>

namespace fontlathe {

// What a change of the document touched, and so what the views must show again. The document
// announces every change with one; the presenter alone turns it into refreshes.
enum class ScopeKind {
    Pixel,         // one pixel of one glyph painted
    Glyph,         // one glyph's pixels, size or offsets
    GlyphPresence, // one glyph, which may have come or gone
    StoredCount,   // the codes the file stores
    HeaderField,   // a header field being typed into: the field shows it already
    Header,        // the header fields
    WholeSet,      // a set replaced: the glyphs, the header and the page
    CodePage,      // the page the codes are read with
    Path,          // the current file's name
    History,       // what Undo and Redo would do, and whether the set is saved
};

struct Scope {
    ScopeKind kind;
    // The pixel of a Pixel scope.
    QPoint pixel;

    bool operator==(const Scope&) const = default;
};

} // namespace fontlathe
