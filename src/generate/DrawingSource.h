#pragma once

#include "GenerationFont.h"
#include "charset/Result.h"
#include "faces/BitmapFace.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>

namespace fontlathe {

// What Generate and Add Letters draw characters with: an installed font at a pixel size, or a
// bitmap face from a file, whose pixels are used as they are at the face's own size.
class DrawingSource {
public:
    // An installed font, as MakeDrawingFont makes it.
    DrawingSource(QFont font); // NOLINT(google-explicit-constructor): a font is a source
    explicit DrawingSource(std::shared_ptr<const BitmapFace> face);

    const BitmapFace* face() const { return face_.get(); }
    const QFont& font() const { return font_; }
    // The family drawn with ("DejaVu Sans"), or the face's name.
    QString Family() const;
    int PixelSize() const;
    // A face keeps its own size.
    void SetPixelSize(int pixelSize);
    // The height of a line of the font or the face, in pixels.
    double LineHeight() const;

    // The character in display colour 1 (with the style's shadow or outline in colour 2) as
    // DrawCharacter draws it: a raster as wide as its advance and as high as the line, plus a
    // 5-pixel margin round both. A null image for a character the source gives no width.
    QImage Draw(char32_t character, GenerationStyle style) const;

private:
    QFont font_;
    std::shared_ptr<const BitmapFace> face_;
};

// The source a GenerationFont names: a face file where the family is a path to one (read here;
// failure says why it can't be), else the installed family through MakeDrawingFont.
std::optional<DrawingSource> MakeDrawingSource(const GenerationFont& font, Result& failure);

} // namespace fontlathe
