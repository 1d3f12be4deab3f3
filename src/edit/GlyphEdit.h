#pragma once

#include "Edit.h"
#include "GlyphTransforms.h"

#include <QImage>
#include <QPoint>

namespace fontlathe {

// The keeper of the edits of one glyph: its pixels, size, offsets or presence. Keeps that glyph
// alone, never the set; a swap shows the glyph again and selects its row.
class GlyphEdit : public Edit {
public:
    void Swap(Charset& set) override;
    bool Differs(const Charset& set) const override;
    std::size_t Cost() const override;

protected:
    GlyphEdit(QString verb, Scope applied, int code);
    void Keep(const Charset& set) override;

private:
    Glyph glyph_;
};

// The On button: a blank square of the line height.
class GlyphOn : public GlyphEdit {
public:
    explicit GlyphOn(int code);
    void Change(Charset& set) override;
};

// The Off button: no glyph.
class GlyphOff : public GlyphEdit {
public:
    explicit GlyphOff(int code);
    void Change(Charset& set) override;
};

// Paste Char: an image already read from the clipboard becomes the glyph, snapped to the set's
// colours, with the offsets of the glyph last copied.
class PasteGlyph : public GlyphEdit {
public:
    struct Offsets {
        std::int16_t x = 0;
        std::int16_t y = 0;
    };
    PasteGlyph(int code, QImage image, Offsets offsets);
    void Change(Charset& set) override;

private:
    QImage image_;
    Offsets offsets_;
};

// One pixel of a paint stroke in a palette index. The pixels of one stroke of one character make
// one step.
class Paint : public GlyphEdit {
public:
    Paint(int code, QPoint pixel, int colorIndex);
    void Change(Charset& set) override;
    std::optional<OngoingEdit> ongoing() const override;

private:
    QPoint pixel_;
    int colorIndex_;
};

// An arrow button: a roll, resize or move of the glyph by one pixel (see ShiftGlyph).
class Shift : public GlyphEdit {
public:
    Shift(int code, QPoint step, ShiftMode mode);
    void Change(Charset& set) override;

private:
    QPoint step_;
    ShiftMode mode_;
};

} // namespace fontlathe
