#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <vector>

namespace fontlathe {

// Writes the sheet's pixels (one palette index a byte, row after row) as an 8-bit indexed PNG
// with the sheet's palette and the metadata as an uncompressed tEXt chunk "fontlathe". Qt's PNG
// writer would compress a text this long into a zTXt chunk, which a person can't read in the
// file and which fewer paint programs keep; libpng is asked directly so that the chunk stays
// plain. False, and out untouched, when libpng fails.
bool WriteIndexedPng(std::vector<std::uint8_t>& pixels, QSize size, QByteArray metadata,
                     QByteArray& out);

} // namespace fontlathe
