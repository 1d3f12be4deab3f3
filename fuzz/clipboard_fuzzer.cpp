// Feeds arbitrary bytes to the clipboard image reader as TIFF, PNG or BMP data (the first byte
// picks which). Whatever it accepts must be an image a glyph can take.
#include "clipboard/ClipboardImage.h"

#include <QMimeData>

#include <cstdint>
#include <cstdlib>

using namespace fontlathe;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    static const char* const Types[] = {"image/tiff", "image/png", "image/bmp"};
    QMimeData mime;
    mime.setData(
        QString::fromLatin1(Types[data[0] % 3]),
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)));
    const DecodedImage decoded = ReadClipboardImage(&mime, MaxGlyphSide);
    if (decoded.outcome == DecodedImage::Outcome::Image &&
        (decoded.image.isNull() || decoded.image.width() > MaxGlyphSide ||
         decoded.image.height() > MaxGlyphSide || decoded.image.format() != QImage::Format_RGB32)) {
        std::abort();
    }
    return 0;
}
