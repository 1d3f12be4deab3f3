#pragma once

// A letter's ink as a map of pixels by their place in the line, for the recipe steps that take
// rows and runs apart and put them together again.
#include "LetterShapes.h"

#include <QRgb>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace fontlathe {

// Ink pixels by line place, (y, x) so that they sort row by row.
using Pixels = std::map<std::pair<int, int>, QRgb>;

Pixels PixelSetOf(const LetterInk& ink);
// The ink the pixels make; nothing where there are none.
std::optional<LetterInk> InkOf(const Pixels& pixels);
// The pixels of a row of the ink, by column.
std::vector<int> RowOf(const Pixels& pixels, int y);
// The runs of ink of a row, each as its first and last column.
std::vector<std::pair<int, int>> RunsOf(const std::vector<int>& row);
// Row y from column `from` to column `to` in the colour.
void FillRow(Pixels& pixels, int y, int from, int to, QRgb color);

} // namespace fontlathe
