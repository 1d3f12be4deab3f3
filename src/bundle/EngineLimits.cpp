#include "EngineLimits.h"

#include "BundleBytes.h"
#include "charset/CharBlockLayout.h"

namespace fontlathe {

using namespace bundle;

Result CheckEngineLimits(QByteArrayView block) {
    const int bits = Byte(block, layout::BitsPerPixelOffset);
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8) {
        return Result::Failure(
            QStringLiteral("the font has %1 bits per pixel; the game draws only 1, 2, 4 or 8")
                .arg(bits));
    }
    const int count = std::max<int>(Little16(block, layout::NumCharsOffset), 0);
    for (int code = 0; code < count; ++code) {
        const std::int64_t at = layout::OffsetTableOffset + 4 * std::int64_t(code);
        if (at + 4 > block.size()) {
            break;
        }
        const std::int64_t offset = Little32(block, at);
        if (offset >= EngineGlyphOffsetLimit) {
            return Result::Failure(
                QStringLiteral("character %1 lies at offset %2 of the font, but the game reads no "
                               "glyph at %3 or beyond: the font holds too much; remove glyphs or "
                               "make them smaller")
                    .arg(code)
                    .arg(offset)
                    .arg(EngineGlyphOffsetLimit));
        }
    }
    return Result::Success();
}

} // namespace fontlathe
