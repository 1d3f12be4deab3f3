#pragma once

#include "EditStep.h"

namespace fontlathe {

// A change of one glyph: its pixels, size, offsets or presence (paint strokes, arrow buttons, On,
// Off, Paste Char). Keeps that glyph alone, never the set.
class GlyphEdit : public EditStep {
public:
    // before is the glyph as it was, beforeOffset its offset table entry.
    GlyphEdit(QString text, int code, Glyph before, std::int32_t beforeOffset);

    void Swap(Charset& set) override;
    std::size_t Cost() const override;

private:
    Glyph glyph_;
    std::int32_t offsetEntry_;
};

} // namespace fontlathe
