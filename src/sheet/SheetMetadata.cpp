#include "SheetMetadata.h"

#include "SheetFormat.h"
#include "text/TextForms.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace fontlathe {

namespace {

// The chunk's field names, for the writer and the reader alike.
namespace key {
constexpr char Format[] = "format";
constexpr char Tag[] = "tag";
constexpr char Version[] = "version";
constexpr char ColorMap[] = "colorMap";
constexpr char BitsPerPixel[] = "bitsPerPixel";
constexpr char FontHeight[] = "fontHeight";
constexpr char NumChars[] = "numChars";
constexpr char CodePage[] = "codePage";
constexpr char Offsets[] = "offsets";
constexpr char Code[] = "code";
constexpr char XOffset[] = "xOffset";
constexpr char YOffset[] = "yOffset";
} // namespace key

// "name":value
QByteArray Member(const char* name, const QByteArray& value) {
    return '"' + QByteArray(name) + "\":" + value;
}

QJsonValue Field(const QJsonObject& object, const char* name) {
    return object.value(QLatin1String(name));
}

std::optional<int> WholeNumber(const QJsonValue& value, int min, int max) {
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const double number = value.toDouble();
    if (std::floor(number) != number || number < min || number > max) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

Result BadField(const char* field, const char* expected) {
    return Result::Failure(ResultKind::BadMetadata,
                           QStringLiteral("the fontlathe chunk's \"%1\" is missing or not %2")
                               .arg(QLatin1String(field), QLatin1String(expected)));
}

Result ReadOffsets(const QJsonValue& value, SheetMetadata& metadata) {
    if (!value.isArray()) {
        return BadField(key::Offsets, "an array");
    }
    for (const QJsonValue& entry : value.toArray()) {
        const QJsonObject object = entry.toObject();
        const auto code = WholeNumber(Field(object, key::Code), 0, GlyphSlotCount - 1);
        const auto x = WholeNumber(Field(object, key::XOffset), MinGlyphOffset, MaxGlyphOffset);
        const auto y = WholeNumber(Field(object, key::YOffset), MinGlyphOffset, MaxGlyphOffset);
        if (!code || !x || !y) {
            return BadField(key::Offsets,
                            "a list of { code 0 to 255, xOffset and yOffset -128 to 127 }");
        }
        auto& slot = metadata.offsets[static_cast<std::size_t>(*code)];
        if (slot) {
            return Result::Failure(ResultKind::BadMetadata,
                                   QStringLiteral("the fontlathe chunk lists its offsets twice"),
                                   *code);
        }
        slot = std::pair(static_cast<std::int16_t>(*x), static_cast<std::int16_t>(*y));
    }
    return Result::Success();
}

Result ReadHeader(const QJsonObject& root, SheetMetadata& metadata) {
    const QString tag = Field(root, key::Tag).toString();
    if (tag.size() != 4 ||
        std::any_of(tag.begin(), tag.end(), [](QChar c) { return c.unicode() > 0xFF; })) {
        return BadField(key::Tag, "four characters of codes 0 to 255");
    }
    for (int i = 0; i < 4; ++i) {
        metadata.tag[static_cast<std::size_t>(i)] = static_cast<char>(tag.at(i).unicode());
    }
    const QJsonArray colorMap = Field(root, key::ColorMap).toArray();
    if (colorMap.size() != ColorMapSize) {
        return BadField(key::ColorMap, "15 numbers from 0 to 255");
    }
    for (int i = 0; i < ColorMapSize; ++i) {
        const auto entry = WholeNumber(colorMap.at(i), 0, 255);
        if (!entry) {
            return BadField(key::ColorMap, "15 numbers from 0 to 255");
        }
        metadata.colorMap[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(*entry);
    }
    const auto version = WholeNumber(Field(root, key::Version), INT16_MIN, INT16_MAX);
    const auto bits = WholeNumber(Field(root, key::BitsPerPixel), 1, 4);
    const auto height = WholeNumber(Field(root, key::FontHeight), 0, 255);
    const auto numChars = WholeNumber(Field(root, key::NumChars), 0, GlyphSlotCount);
    if (!version) {
        return BadField(key::Version, "a whole number from -32768 to 32767");
    }
    if (!bits || !Charset::IsValidBitsPerPixel(*bits)) {
        return BadField(key::BitsPerPixel, "1, 2 or 4");
    }
    if (!height) {
        return BadField(key::FontHeight, "a whole number from 0 to 255");
    }
    if (!numChars) {
        return BadField(key::NumChars, "a whole number from 0 to 256");
    }
    metadata.version = static_cast<std::int16_t>(*version);
    metadata.bitsPerPixel = static_cast<std::uint8_t>(*bits);
    metadata.fontHeight = static_cast<std::uint8_t>(*height);
    metadata.numChars = static_cast<std::int16_t>(*numChars);
    return Result::Success();
}

} // namespace

QByteArray SheetMetadataJson(const Charset& set, const QString& codePage) {
    QByteArray colorMap;
    for (int i = 0; i < ColorMapSize; ++i) {
        colorMap +=
            (i > 0 ? "," : "") + QByteArray::number(set.colorMap()[static_cast<std::size_t>(i)]);
    }
    QByteArray offsets;
    for (int code = 0; code < GlyphSlotCount; ++code) {
        const Glyph* glyph = set.GlyphAt(code);
        if (glyph == nullptr) {
            continue;
        }
        offsets += (offsets.isEmpty() ? "{" : ",{") + Member(key::Code, QByteArray::number(code)) +
                   ',' + Member(key::XOffset, QByteArray::number(glyph->xOffset)) + ',' +
                   Member(key::YOffset, QByteArray::number(glyph->yOffset)) + '}';
    }
    QByteArrayList members = {
        Member(key::Format, QByteArray::number(SheetFormat)),
        Member(key::Tag, JsonString(QString::fromLatin1(set.tag().data(), qsizetype(set.tag().size())), JsonCharacters::Ascii)),
        Member(key::Version, QByteArray::number(set.version())),
        Member(key::ColorMap, '[' + colorMap + ']'),
        Member(key::BitsPerPixel, QByteArray::number(set.bitsPerPixel())),
        Member(key::FontHeight, QByteArray::number(set.fontHeight())),
        Member(key::NumChars, QByteArray::number(set.numChars())),
        Member(key::Offsets, '[' + offsets + ']'),
    };
    if (!codePage.isEmpty()) {
        members.insert(members.size() - 1, Member(key::CodePage, JsonString(codePage, JsonCharacters::Ascii)));
    }
    QByteArray json;
    for (const QByteArray& member : members) {
        json += (json.isEmpty() ? "{" : ",") + member;
    }
    return json + '}';
}

Result ReadSheetMetadata(const QString& text, SheetMetadata& metadata) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        return Result::Failure(ResultKind::BadMetadata,
                               QStringLiteral("the fontlathe chunk is no valid JSON: %1 at %2")
                                   .arg(error.errorString())
                                   .arg(error.offset));
    }
    if (!document.isObject()) {
        return Result::Failure(ResultKind::BadMetadata,
                               QStringLiteral("the fontlathe chunk holds no JSON object"));
    }
    const QJsonObject root = document.object();
    const auto format = WholeNumber(Field(root, key::Format), 1, INT32_MAX);
    if (!format) {
        return BadField(key::Format, "a whole number from 1 on");
    }
    if (*format > SheetFormat) {
        return Result::Failure(
            ResultKind::LaterFormat,
            QStringLiteral("the sheet is of format %1; this program reads format %2 and earlier")
                .arg(*format)
                .arg(SheetFormat));
    }
    if (Result header = ReadHeader(root, metadata); !header) {
        return header;
    }
    return ReadOffsets(Field(root, key::Offsets), metadata);
}

} // namespace fontlathe
