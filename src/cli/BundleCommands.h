#pragma once

#include "charset/Result.h"
#include "CoverageReport.h"

#include <QString>
#include <QTextStream>

#include <optional>

namespace fontlathe {

// The commands that work on the fonts inside a game's bundle. GAME is either file of the bundle.
// Each returns ExitSuccess, or a failure naming the file at fault and the offset of what is
// wrong; usage errors are the caller's.

// fonts GAME [--json]: the bundle's kind and every font: number, room, offset in the data file,
// block size, bits per pixel, height, stored codes and glyphs.
// Like extract, it writes nothing into the game's folder: with a write into the game pending, it
// reads the files that write left whole and says so on err.
Result ListBundleFonts(const QString& game, ReportStyle style, QTextStream& out, QTextStream& err);

// extract GAME --font N -o OUT.char: the font's CHAR block, byte for byte.
Result ExtractBundleFont(const QString& game, int font, const QString& output, QTextStream& err);

// insert GAME --font N IN.char: puts the font file in place of font N, as one write of the
// game's files (RewriteFonts), and says what was written.
Result InsertBundleFont(const QString& game, int font, const QString& input, QTextStream& out);

// repair GAME: finishes a write into the game that was cut short, or removes what it left
// beside the game's files, and says what was done.
Result RepairGame(const QString& game, QTextStream& out);

// The value of --font: a whole number from 0 to 65535, or nothing.
std::optional<int> ParseFontNumber(const QString& text);

} // namespace fontlathe
