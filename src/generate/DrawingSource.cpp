#include "DrawingSource.h"

#include "DrawingFont.h"
#include "Rasterizer.h"
#include "faces/FaceFile.h"

#include <QFontInfo>
#include <QFontMetricsF>

namespace fontlathe {

DrawingSource::DrawingSource(QFont font) : font_(std::move(font)) {}

DrawingSource::DrawingSource(std::shared_ptr<const BitmapFace> face) : face_(std::move(face)) {}

QString DrawingSource::Family() const {
    return face_ ? face_->name : QFontInfo(font_).family();
}

int DrawingSource::PixelSize() const {
    return face_ ? face_->pixelSize : font_.pixelSize();
}

void DrawingSource::SetPixelSize(int pixelSize) {
    if (!face_) {
        font_.setPixelSize(pixelSize);
    }
}

double DrawingSource::LineHeight() const {
    return face_ ? face_->LineHeight() : QFontMetricsF(font_).height();
}

QImage DrawingSource::Draw(char32_t character, GenerationStyle style) const {
    return face_ ? DrawFaceCharacter(character, *face_, style)
                 : DrawCharacter(character, font_, style);
}

std::optional<DrawingSource> MakeDrawingSource(const GenerationFont& font, Result& failure) {
    if (!NamesFaceFile(font.familyName)) {
        return DrawingSource(MakeDrawingFont(font));
    }
    auto face = std::make_shared<BitmapFace>();
    if (Result read = ReadFaceFile(font.familyName, *face); !read) {
        failure = std::move(read);
        return std::nullopt;
    }
    return DrawingSource(std::shared_ptr<const BitmapFace>(std::move(face)));
}

} // namespace fontlathe
