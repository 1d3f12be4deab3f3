#pragma once

#include "Edit.h"

#include <map>

namespace fontlathe {

// A set built aside replaces the whole set, pixels, header and all (Generate, Import Sheet,
// Import Font, Add Letters): the one kind of edit that keeps a whole set. With a page it makes
// that page current too, and undoing it brings the set and the page back together, as a font
// drawn for one page holds its letters there.
class ReplaceSet : public Edit {
public:
    // The copy shares the rasters with the set it was built from until they are replaced.
    ReplaceSet(QString verb, Charset replacement, std::optional<QString> page = std::nullopt);
    // The glyphs the new characters were made from, by code (Add Letters).
    void SetMadeFrom(std::map<int, Glyph> madeFrom) { madeFrom_ = std::move(madeFrom); }
    const Glyph* MadeFrom(int code) const override;

    void Change(Charset& set) override;
    void Swap(Charset& set) override;
    bool Differs(const Charset& set) const override;
    std::size_t Cost() const override;
    void Name(const CodePage& page) override;
    std::optional<QString> page() const override { return page_; }

protected:
    void Keep(const Charset& set) override;

private:
    Charset replacement_;
    Charset kept_;
    std::optional<QString> page_;
    std::map<int, Glyph> madeFrom_;
};

} // namespace fontlathe
