#pragma once

// A letter's ink as lines of pixels (rows, or columns once transposed), which the shapes and the
// stroke-keeping fits cut, join and repeat.
#include "charset/DisplayColors.h"

#include <QImage>
#include <QRgb>

#include <utility>
#include <vector>

namespace fontlathe::letterlines {

inline const QRgb Background = DisplayColorOf(0);

inline bool IsInk(QRgb color) {
    return (color & 0x00FFFFFFu) != (Background & 0x00FFFFFFu);
}

// The ink as rows of pixels, top to bottom.
using Lines = std::vector<std::vector<QRgb>>;

Lines RowsOf(const QImage& image);
QImage ImageOf(const Lines& rows);
Lines Transposed(const Lines& lines);
// How many pixels two lines differ in.
int Differing(const std::vector<QRgb>& a, const std::vector<QRgb>& b);
// How far the lines' places drift from where an even stretch of the original would put them:
// the sum over the lines of the difference of their relative places, before and after.
double Drift(const std::vector<int>& origins, int originalCount);
// The length of the run of equal lines that holds line i.
int RunAt(const Lines& lines, std::size_t i);
// How many separate runs of ink the line has.
int RunsIn(const std::vector<QRgb>& line);
// The line's runs of ink, the first and last pixel of each.
std::vector<std::pair<std::size_t, std::size_t>> RunsAlong(const std::vector<QRgb>& line);

} // namespace fontlathe::letterlines
