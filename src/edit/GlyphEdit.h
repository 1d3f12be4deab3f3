#pragma once

#include "EditStep.h"

namespace fontlathe {

// A change of one glyph: its pixels, size, offsets or presence (paint strokes, arrow buttons, On,
// Off, Paste Char). Keeps that glyph alone, never the set.
class GlyphEdit : public EditStep {
public:
    // Keeps glyph code of the set as it is now, with its offset table entry. The copy shares the
    // raster until the set's glyph is written to.
    GlyphEdit(QString text, const Charset& set, int code);

    void Swap(Charset& set) override;
    bool Differs(const Charset& set) const override;
    std::size_t Cost() const override;

private:
    Glyph glyph_;
    std::int32_t offsetEntry_;
};

} // namespace fontlathe
