// Feeds arbitrary bytes to the bitmap face readers (BDF, PCF, PSF, gzipped or not). Whatever a
// reader accepts must import into a set or be refused with a reason, and every glyph it keeps
// must hold exactly the bits its box needs: anything else is a fault.
#include "faces/FaceFile.h"
#include "faces/FaceImport.h"

#include <cstdint>
#include <cstdlib>

using namespace fontlathe;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BitmapFace face;
    const Result read =
        ParseFace(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                  face);
    if (!read) {
        if (read.reason().isEmpty()) {
            std::abort();
        }
        return 0;
    }
    for (const auto& [character, glyph] : face.glyphs) {
        if (glyph.box.width() < 0 || glyph.box.height() < 0 ||
            glyph.bits.size() != static_cast<std::size_t>(glyph.Stride() * glyph.box.height())) {
            std::abort();
        }
    }
    Charset set;
    FaceImportReport report;
    const Result imported = ImportFace(face, CodePage(), set, report);
    if (!imported && imported.reason().isEmpty()) {
        std::abort();
    }
    return 0;
}
