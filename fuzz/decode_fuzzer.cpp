// Feeds arbitrary bytes to the CHAR decoder. Whatever it accepts must encode, and the encoded
// block must decode to the same glyphs: anything else is a fault.
#include "charset/CharCodec.h"

#include <cstdint>
#include <cstdlib>

using namespace fontlathe;

namespace {

bool SameStoredGlyphs(const Charset& a, const Charset& b) {
    if (a.numChars() != b.numChars() || a.bitsPerPixel() != b.bitsPerPixel() ||
        a.version() != b.version() || a.colorMap() != b.colorMap() ||
        a.fontHeight() != b.fontHeight() || a.tag() != b.tag()) {
        return false;
    }
    for (int code = 0; code < a.numChars(); ++code) {
        const Glyph& x = a.glyphs()[static_cast<std::size_t>(code)];
        const Glyph& y = b.glyphs()[static_cast<std::size_t>(code)];
        if (x.present() != y.present()) {
            return false;
        }
        // A dropped glyph keeps the offsets it was read with, but nothing of it is written.
        if (x.present() &&
            (x.xOffset != y.xOffset || x.yOffset != y.yOffset || x.raster != y.raster)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Charset set;
    set.NewCharset(1);
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!DecodeCharset(bytes, set)) {
        return 0;
    }
    EncodedBlock block;
    if (!EncodeCharset(set, DirtyBytes::Off, block)) {
        std::abort();
    }
    Charset again;
    if (!DecodeCharset(block.bytes, again) || !SameStoredGlyphs(set, again)) {
        std::abort();
    }
    return 0;
}
