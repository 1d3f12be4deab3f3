#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace fontlathe {

// How the program writes a code, a letter, raw bytes and a JSON string for people and scripts:
// each rule once, so that the window, the command line and the files it writes agree.

// "0x" and the value in upper-case hexadecimal, at least digits digits: "0xE9", "0x0104".
QString HexText(std::uint32_t value, int digits);

// A character code as messages and reports show it: "0xE9".
QString CodeText(int code);

// A letter as a report names it: the letter itself, or "space" for the space, which would show
// as a gap.
QString LetterName(char32_t letter);

// Bytes read from a file as a message quotes them: printable ASCII as it is, every other byte as
// \xNN.
QString PrintableBytes(QByteArrayView bytes);

// Which characters a JSON string may hold as they are.
enum class JsonCharacters {
    Utf8,  // everything but quotes, backslashes and control characters, in UTF-8
    Ascii, // printable ASCII alone; every other UTF-16 unit as \uXXXX
};

// The text as a JSON string with its quotes, escaped as characters asks.
QByteArray JsonString(QStringView text, JsonCharacters characters = JsonCharacters::Utf8);

} // namespace fontlathe
