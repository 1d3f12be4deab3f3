#include "TextForms.h"

namespace fontlathe {

QString HexText(std::uint32_t value, int digits) {
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

QString CodeText(int code) {
    return HexText(static_cast<std::uint32_t>(code), 2);
}

QString LetterName(char32_t letter) {
    return letter == U' ' ? QStringLiteral("space") : QString::fromUcs4(&letter, 1);
}

QString PrintableBytes(QByteArrayView bytes) {
    QString text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        text += value >= 0x20 && value < 0x7F
                    ? QString(QChar(value))
                    : QStringLiteral("\\x%1").arg(value, 2, 16, QChar(u'0'));
    }
    return text;
}

namespace {

// One character of a JSON string: a quote or a backslash behind a backslash, a character the
// string may not hold as it is as \uXXXX.
void PutJsonCharacter(QByteArray& json, char16_t value, bool asItIs) {
    if (value == u'"' || value == u'\\') {
        json += '\\';
        json += static_cast<char>(value);
    } else if (asItIs) {
        json += static_cast<char>(value);
    } else {
        json += "\\u" + QByteArray::number(value, 16).rightJustified(4, '0');
    }
}

} // namespace

QByteArray JsonString(QStringView text, JsonCharacters characters) {
    QByteArray json("\"");
    if (characters == JsonCharacters::Ascii) {
        for (const QChar unit : text) {
            PutJsonCharacter(json, unit.unicode(), unit.unicode() >= 0x20 && unit.unicode() < 0x7F);
        }
    } else {
        // The bytes of a multi-byte character are all 0x80 or above and go as they are.
        for (const char byte : text.toUtf8()) {
            const auto value = static_cast<unsigned char>(byte);
            PutJsonCharacter(json, value, value >= 0x20);
        }
    }
    return json + '"';
}

} // namespace fontlathe
