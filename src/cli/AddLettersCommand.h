#pragma once

#include "CliArguments.h"

#include <QTextStream>

namespace fontlathe {

// add-letters FONT.char ... -o OUT.char, or add-letters GAME --font N|all ...: adds the letters
// a translation needs to one font or to fonts of a game's bundle, each in the font's own style,
// and reports how each letter was made. Missing letters are reported, not failures.
extern const CommandSyntax AddLettersSyntax;
int RunAddLetters(const ParsedArgs& parsed, QTextStream& out, QTextStream& err);

} // namespace fontlathe
