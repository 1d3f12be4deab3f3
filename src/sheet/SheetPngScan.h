#pragma once

#include "charset/Result.h"

#include <QByteArrayView>
#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <vector>

namespace fontlathe {

// The index of a pixel whose colour is none of a sheet's.
inline constexpr std::uint8_t SheetUnknownIndex = 0xFF;

// Walks the chunks of a PNG file before the decoder does. libpng sets aside as much memory as a
// chunk's length field claims before it reads the chunk, so a damaged length could ask for
// gigabytes; no chunk of an intact file is longer than the file. And libpng silently drops a text
// chunk whose checksum fails, which would turn a damaged sheet into one without metadata; the walk
// notes whether the file holds a fontlathe chunk at all.
Result ScanPngChunks(QByteArrayView png, bool& holdsMetadata);

// The sheet index of every pixel, row by row; SheetUnknownIndex where a colour is none of the 18.
std::vector<std::uint8_t> ClassifySheetPixels(const QImage& image);

// Why the pixel of a cell, whose sheet index is index, can't be read.
QString DescribeStrayColor(const QImage& image, QPoint pixel, std::uint8_t index);

} // namespace fontlathe
