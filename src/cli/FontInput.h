#pragma once

#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "charset/Result.h"

#include <QString>

namespace fontlathe {

// Loads the font file a command reads. Unlike the window, a command refuses a file that does not
// look like a font (NotAFontReason): a script that names the wrong file should stop, not read
// some text as a font. The refusal's sentence names the file itself, so the result names no
// path. layout, when given, receives where the file's parts stand.
Result LoadFontInput(const QString& path, Charset& set, BlockLayout* layout = nullptr);

// Refuses, as SameFile, an output that is the same file as the input of another kind, so that
// a slip of the command line does not turn a font into an image or a sheet into a font.
Result RefuseOutputOverInput(const QString& input, const QString& output);

} // namespace fontlathe
