#pragma once

#include "charset/Charset.h"
#include "charset/Result.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace fontlathe {

// The header and offsets that a sheet's fontlathe chunk carries as JSON.
struct SheetMetadata {
    std::array<char, 4> tag{};
    std::int16_t version = 0;
    std::array<std::uint8_t, ColorMapSize> colorMap{};
    std::uint8_t bitsPerPixel = 0;
    std::uint8_t fontHeight = 0;
    std::int16_t numChars = 0;
    std::array<std::optional<std::pair<std::int16_t, std::int16_t>>, GlyphSlotCount> offsets{};
};

// The chunk text for the set: its header and the offsets of every present glyph, in plain
// ASCII, so that it reads the same whether a program takes a tEXt chunk as Latin-1 or as UTF-8.
// codePage, when given, names the page the set was drawn for: a note for people, which reading
// the sheet does not need.
QByteArray SheetMetadataJson(const Charset& set, const QString& codePage = QString());

// Reads the chunk text into metadata; refuses JSON of another shape or of a later format.
Result ReadSheetMetadata(const QString& text, SheetMetadata& metadata);

} // namespace fontlathe
