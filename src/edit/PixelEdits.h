#pragma once

#include "GlyphEdit.h"
#include "PixelSelection.h"

namespace fontlathe {

// Pixels floating over a glyph, moved or pasted: the glyph shows them where they stand now. Every
// move of one float makes one step, named after how it began ("Move Pixels", "Paste Pixels").
class FloatPixels : public GlyphEdit {
public:
    FloatPixels(int code, QString verb, FloatingPixels floating);
    void Change(Charset& set) override;
    std::optional<OngoingEdit> ongoing() const override;

private:
    FloatingPixels floating_;
};

// The character pixels float over while edit (the history's open one) is their float; nothing
// for any other edit or none.
std::optional<int> FloatingPixelsCode(const Edit* edit);

// Delete: the selected pixels take colour 0.
class ClearPixels : public GlyphEdit {
public:
    ClearPixels(int code, QRect rect);
    void Change(Charset& set) override;

private:
    QRect rect_;
};

// Flip Horizontally and Flip Vertically, of the pixels within rect.
class FlipPixels : public GlyphEdit {
public:
    FlipPixels(int code, QRect rect, Qt::Orientation orientation);
    void Change(Charset& set) override;

private:
    QRect rect_;
    Qt::Orientation orientation_;
};

} // namespace fontlathe
