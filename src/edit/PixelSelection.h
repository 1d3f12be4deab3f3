#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace fontlathe {

// Pixels lifted off a glyph, or pasted onto it, that float over it until they are dropped. While
// they float the glyph shows them over what lies beneath; dropped, their colour 0 pixels are
// transparent and what lies outside the glyph's box is cut off.
struct FloatingPixels {
    QImage under;  // the glyph beneath them, the place they were lifted from cleared
    QImage pixels; // the floating pixels
    QPoint at;     // where their top-left pixel stands on the glyph; it may lie outside it

    QRect rect() const { return {at, pixels.size()}; }
};

// The pixels of rect (cut to the raster) lifted off it: the place they leave takes colour 0.
FloatingPixels Lifted(const QImage& raster, QRect rect);
// The pixels put on raster at `at`, which stays as it is beneath them.
FloatingPixels Laid(const QImage& raster, const QImage& pixels, QPoint at);
// The glyph as the floating pixels leave it: their pixels but colour 0 written over what lies
// beneath, what falls outside cut off.
QImage Dropped(const FloatingPixels& floating);
// The raster with the pixels of rect in colour 0, or flipped left to right (horizontal) or top to
// bottom within rect; rect is cut to the raster first.
QImage Cleared(const QImage& raster, QRect rect);
QImage Flipped(const QImage& raster, QRect rect, Qt::Orientation orientation);
// The smallest rectangle that holds every pixel that is not colour 0; empty for a blank raster.
QRect InkBounds(const QImage& raster);

// The selected pixels of the glyph being edited: nothing, a rectangle, or pixels floating over
// it. The selection belongs to one character; another row drops it.
class PixelSelection {
public:
    int code() const { return code_; }
    // The rectangle selected, the floating pixels' own while they float; nothing without one.
    std::optional<QRect> rect() const;
    const std::optional<FloatingPixels>& floating() const { return floating_; }
    // Whether something of character code is selected, and whether it floats.
    bool SelectsOn(int code) const { return code_ == code && rect().has_value(); }
    bool FloatsOn(int code) const { return code_ == code && floating_.has_value(); }
    // What the floating pixels' step is called: "Move Pixels" or "Paste Pixels".
    const QString& floatVerb() const { return floatVerb_; }

    void Select(int code, QRect rect);
    void Clear();
    // The pixels float over character code, from a step called verb; Cancelled brings back what
    // was selected before.
    void Float(int code, FloatingPixels floating, QString verb);
    void MoveBy(QPoint step);
    // The floating pixels were written: what stays selected is their place on the glyph.
    void Dropped(QRect glyphBox);
    void Cancelled();

private:
    int code_ = -1;
    std::optional<QRect> rect_;
    std::optional<QRect> before_;
    std::optional<FloatingPixels> floating_;
    QString floatVerb_;
};

} // namespace fontlathe
