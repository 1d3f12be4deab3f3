#pragma once

#include "CliCommand.h"
#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "charset/Result.h"

#include <QString>
#include <QTextStream>

#include <optional>

namespace fontlathe {

// Loads the font file a command reads. Unlike the window, a command refuses a file that does not
// look like a font (NotAFontReason): a script that names the wrong file should stop, not read
// some text as a font. The refusal's sentence names the file itself, so the result names no
// path. layout, when given, receives where the file's parts stand.
Result LoadFontInput(const QString& path, Charset& set, BlockLayout* layout = nullptr);

// The font a command reads: the font file at path, or with a font number font N of the game's
// bundle that path names (either file), read in place and writing nothing. name is how a report
// names it: the path, or "GAME.001, font 2". A number the game lacks fails as NoSuchFont.
Result LoadCommandFont(const QString& path, std::optional<int> font, Charset& set, QString& name,
                       BlockLayout* layout = nullptr);

// What --font says: nothing for a font file; for a game's bundle the font's number, or every
// font where `all` may stand.
struct FontChoice {
    std::optional<int> number;
    bool all = false;
};
// Reads --font for command; on a wrong value (a number on a font file, `all` where it may not
// stand, no number), the status to end with.
std::optional<int> ReadFontChoice(const CliCommand& command, const ParsedArgs& parsed,
                                  QTextStream& err, bool allTaken, FontChoice& choice);
// The font the command reads (LoadCommandFont of its first argument), and how its report names
// it; else nothing, with the status to end with told on err.
std::optional<Charset> LoadChosen(const ParsedArgs& parsed, const FontChoice& choice,
                                  QTextStream& err, QString& name, int& status,
                                  BlockLayout* layout = nullptr);

// Refuses, as SameFile, an output that is the same file as the input of another kind, so that
// a slip of the command line does not turn a font into an image or a sheet into a font.
Result RefuseOutputOverInput(const QString& input, const QString& output);

} // namespace fontlathe
