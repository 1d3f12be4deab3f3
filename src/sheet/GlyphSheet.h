#pragma once

#include "SheetFormat.h"
#include "SheetLayout.h"
#include "charset/Charset.h"
#include "charset/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>
#include <QString>

#include <optional>

namespace fontlathe {

// Draws every present glyph, stored or not, into a sheet with the chosen cell (or the default
// one). Refuses, and writes nothing, when a glyph does not fit the cell or the set holds what a
// font file can't (a bit depth other than 1, 2 or 4, numChars outside 0..256, an offset outside
// -128..127).
// codePage names the page the set is read through, for the chunk (a mapping file by its name).
Result EncodeSheet(const Charset& set, std::optional<QSize> cell, QByteArray& png,
                   const QString& codePage = QString());

// Reads a sheet into the set. The pixels decide which glyphs are present and their sizes; the
// fontlathe chunk decides the header and the offsets (without it: the header of a new set at the
// smallest depth that holds the indices used, offsets 0). RGB and RGBA sheets and other palettes
// are matched colour by colour against the 18 of a sheet; grid lines are not read. A sheet that
// is refused leaves the set exactly as it was; the generator scratch survives an import.
Result DecodeSheet(QByteArrayView png, Charset& set);

// EncodeSheet into a file that is replaced atomically: on failure a file already there stays.
Result ExportSheet(const Charset& set, const QString& path,
                   std::optional<QSize> cell = std::nullopt, const QString& codePage = QString());

// DecodeSheet from a file; on failure the set is untouched.
Result ImportSheet(Charset& set, const QString& path);

} // namespace fontlathe
