#pragma once

#include "charset/CharCodec.h"
#include "charset/Charset.h"
#include "charset/Result.h"

#include <QByteArrayView>
#include <QString>

namespace fontlathe {

// Where the user is told to go with a glyph sheet that was taken for a font.
enum class SheetImportRoute { Menu, CommandLine };

// Why the bytes of the file named fileName do not look like a font, as one sentence that names
// the file: the file is shorter than the 33-byte header, or its first four bytes are not "CHAR"
// (shown as far as they exist, as PrintableBytes shows bytes), or it is a PNG image, for which
// the sentence names the way to import a sheet, or a file of a game's bundle, for which it names
// the way to open the game's fonts. Empty for what looks like a font. The codec itself reads any
// tag, as a stored file may carry another, and knows nothing of menus and commands.
QString NotAFontReason(QByteArrayView bytes, const QString& fileName,
                       SheetImportRoute route = SheetImportRoute::Menu);

// LoadCharset into a new set of 1 bit per pixel: on success the set holds what the file holds,
// on failure it is that new set. notAFont, when given, receives the NotAFontReason of the bytes
// read, named after path as given (empty for a font or a file that was not read). layout, when
// given, receives the file's layout on success.
Result LoadNewCharset(const QString& path, Charset& set, QString* notAFont = nullptr,
                      SheetImportRoute route = SheetImportRoute::Menu,
                      BlockLayout* layout = nullptr);

} // namespace fontlathe
