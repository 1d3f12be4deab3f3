#pragma once

#include "charset/Result.h"
#include "charset/CharCodec.h"
#include "text/CodePage.h"

#include <QSize>
#include <QString>

#include <optional>

namespace fontlathe {

// "WxH" with each side 1 to 127, as --cell takes it; nothing for anything else.
std::optional<QSize> ParseCellSize(const QString& text);

// Loads the font file input and writes its glyph sheet to output.
Result ExportSheetFile(const QString& input, std::optional<QSize> cell,
                       const QString& output, const CodePage& page = CodePage());

// Reads the glyph sheet input and saves the set as the font file output.
Result ImportSheetFile(const QString& input, DirtyBytes dirtyBytes, const QString& output);

} // namespace fontlathe
