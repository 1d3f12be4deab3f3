#pragma once

#include <QString>

namespace fontlathe {

// The game versions whose text readers differ; a font file alone does not say which game reads
// it, so AnyGameVersion keeps every byte any of them reserves.
inline constexpr int AnyGameVersion = 0;

// Why the game's text can never show a letter at this code, or an empty string when it can.
// The engine's message reader drops every '@' of a text (it pads the texts of the older games),
// and its text drawing reads 0xFF, and in versions up to 6 also 0xFE, as the start of an escape
// sequence (a new line, a colour, a sound, another font) whose next bytes are taken as its
// arguments.
inline QString ReservedCodeReason(int code, int gameVersion = AnyGameVersion) {
    if (code == 0x40) {
        return QStringLiteral("the game's text reader skips every @ (0x40)");
    }
    if (code == 0xFF) {
        return QStringLiteral("the game's text reader takes 0xFF as the start of an escape "
                              "sequence");
    }
    if (code == 0xFE && (gameVersion == AnyGameVersion || gameVersion <= 6)) {
        return QStringLiteral("the text reader of versions 5 and 6 takes 0xFE as the start of "
                              "an escape sequence");
    }
    return {};
}

} // namespace fontlathe
