// PSF1 and PSF2, the Linux console's fonts: fixed-size glyphs and an optional Unicode table.
#include "FaceReaders.h"
#include "FaceFile.h"
#include "text/CodePage.h"

#include <cstdint>

namespace fontlathe {

namespace {

std::uint32_t Little32(QByteArrayView bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

struct PsfLayout {
    qint64 glyphs = 0;
    qint64 glyphSize = 0;
    int width = 8;
    int height = 0;
    qint64 dataAt = 0;
    bool hasTable = false;
    bool psf2 = false;
};

Result ReadLayout(QByteArrayView bytes, PsfLayout& layout) {
    if (bytes.startsWith("\x36\x04")) {
        if (bytes.size() < 4) {
            return FaceFailure(bytes.size(), QStringLiteral("the PSF1 header is cut short"));
        }
        const auto mode = static_cast<std::uint8_t>(bytes[2]);
        layout.glyphs = (mode & 1) != 0 ? 512 : 256;
        layout.height = static_cast<std::uint8_t>(bytes[3]);
        layout.glyphSize = layout.height;
        layout.dataAt = 4;
        layout.hasTable = (mode & 6) != 0;
        return Result::Success();
    }
    if (bytes.size() < 32) {
        return FaceFailure(bytes.size(), QStringLiteral("the PSF2 header is cut short"));
    }
    layout.psf2 = true;
    layout.dataAt = Little32(bytes, 8);
    layout.hasTable = (Little32(bytes, 12) & 1) != 0;
    layout.glyphs = Little32(bytes, 16);
    layout.glyphSize = Little32(bytes, 20);
    const std::uint32_t height = Little32(bytes, 24), width = Little32(bytes, 28);
    if (width == 0 || width > MaxFaceGlyphSide || height > MaxFaceGlyphSide) {
        return FaceFailure(24, QStringLiteral("the glyphs would be %1 x %2 pixels")
                                   .arg(width)
                                   .arg(height));
    }
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    if (layout.dataAt < 32 || layout.glyphSize != (layout.width + 7) / 8 * layout.height) {
        return FaceFailure(8, QStringLiteral("the header's sizes do not agree"));
    }
    return Result::Success();
}

// The characters of each glyph from the Unicode table that follows the glyphs: PSF1 gives
// 16-bit values, PSF2 UTF-8; a glyph's list ends in FFFF (FF), and sequences of combining
// characters after FFFE (FE) are passed over.
Result ReadTable(QByteArrayView bytes, const PsfLayout& layout, qint64 at,
                 std::vector<std::vector<char32_t>>& characters) {
    for (qint64 glyph = 0; glyph < layout.glyphs; ++glyph) {
        bool inSequence = false;
        while (true) {
            if (at >= bytes.size() || (!layout.psf2 && at + 1 >= bytes.size())) {
                return FaceFailure(at, QStringLiteral("the Unicode table is cut short"));
            }
            char32_t value = 0;
            if (!layout.psf2) {
                value = static_cast<std::uint8_t>(bytes[at]) |
                        static_cast<std::uint8_t>(bytes[at + 1]) << 8;
                at += 2;
                if (value == 0xFFFF) {
                    break;
                }
                inSequence = inSequence || value == 0xFFFE;
            } else {
                const auto lead = static_cast<std::uint8_t>(bytes[at]);
                if (lead == 0xFF) {
                    ++at;
                    break;
                }
                if (lead == 0xFE) {
                    inSequence = true;
                    ++at;
                    continue;
                }
                const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
                if (at + length > bytes.size()) {
                    return FaceFailure(at, QStringLiteral("the Unicode table is cut short"));
                }
                value = length == 1 ? lead : lead & (0x3F >> (length - 1));
                for (int i = 1; i < length; ++i) {
                    const auto next = static_cast<std::uint8_t>(bytes[at + i]);
                    if ((next & 0xC0) != 0x80 || (lead & 0xC0) == 0x80 || lead > 0xF4) {
                        return FaceFailure(at, QStringLiteral("the Unicode table holds no UTF-8"));
                    }
                    value = value << 6 | (next & 0x3F);
                }
                if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
                    return FaceFailure(at, QStringLiteral("the Unicode table holds no UTF-8"));
                }
                at += length;
            }
            if (!inSequence) {
                characters[static_cast<std::size_t>(glyph)].push_back(value);
            }
        }
    }
    return Result::Success();
}

} // namespace

Result ReadPsf(QByteArrayView bytes, BitmapFace& face) {
    PsfLayout layout;
    if (Result header = ReadLayout(bytes, layout); !header) {
        return header;
    }
    if (layout.glyphs < 1 || layout.glyphs > 65536 || layout.height < 1 ||
        layout.dataAt + layout.glyphs * layout.glyphSize > bytes.size()) {
        return FaceFailure(layout.dataAt, QStringLiteral("%1 glyphs of %2 bytes do not fit in "
                                                         "the file")
                                              .arg(layout.glyphs)
                                              .arg(layout.glyphSize));
    }
    std::vector<std::vector<char32_t>> characters(static_cast<std::size_t>(layout.glyphs));
    if (layout.hasTable) {
        if (Result table = ReadTable(bytes, layout,
                                     layout.dataAt + layout.glyphs * layout.glyphSize, characters);
            !table) {
            return table;
        }
    } else {
        // Without a table the glyphs are code page 437's.
        const CodePage cp437 = *CodePage::Standard(QStringLiteral("cp437"));
        for (int code = 0; code < 256 && code < layout.glyphs; ++code) {
            if (const std::optional<char32_t> character = cp437.CharacterAt(code)) {
                characters[static_cast<std::size_t>(code)].push_back(*character);
            }
        }
    }
    const qsizetype stride = (layout.width + 7) / 8;
    // Each character gets a copy of its glyph: the copies together are held to the size of the
    // largest file, so that a table naming one glyph for every character can't fill the memory.
    qint64 copied = 0;
    for (qint64 index = 0; index < layout.glyphs; ++index) {
        const auto& of = characters[static_cast<std::size_t>(index)];
        if (of.empty()) {
            continue;
        }
        FaceGlyph glyph;
        glyph.advance = layout.width;
        glyph.box = QRect(0, -layout.height, layout.width, layout.height);
        const qint64 at = layout.dataAt + index * layout.glyphSize;
        glyph.bits.assign(reinterpret_cast<const std::uint8_t*>(bytes.data() + at),
                          reinterpret_cast<const std::uint8_t*>(bytes.data() + at +
                                                                stride * layout.height));
        copied += static_cast<qint64>(of.size()) * (stride * layout.height + 64);
        if (copied > MaxFaceFileSize) {
            return FaceFailure(layout.dataAt + layout.glyphs * layout.glyphSize,
                               QStringLiteral("its Unicode table names more glyphs than a face "
                                              "holds"));
        }
        for (const char32_t character : of) {
            face.glyphs.try_emplace(character, glyph);
        }
    }
    // The glyphs hang from the top of the line until the baseline is known.
    face.ascent = layout.height;
    face.descent = 0;
    const int baseline = InkBaseline(face).value_or(layout.height);
    for (auto& [character, glyph] : face.glyphs) {
        glyph.box.moveTop(-baseline);
    }
    face.ascent = baseline;
    face.descent = layout.height - baseline;
    face.pixelSize = layout.height;
    face.name = QStringLiteral("PSF %1x%2").arg(layout.width).arg(layout.height);
    return Result::Success();
}

} // namespace fontlathe
