#include "StemShapes.h"

#include "LetterLines.h"
#include "PixelMap.h"

#include <algorithm>
#include <vector>

namespace fontlathe {

using namespace letterlines;

LetterInk CornerRoundedAsU(const LetterInk& ink, const LetterMetrics& metrics) {
    const auto& cut = metrics.stemBarCorner;
    const auto rowsCut = std::size_t(std::find(cut.begin(), cut.end(), 0) - cut.begin());
    const int base = metrics.baseline - ink.Top();
    Lines rows = RowsOf(ink.image);
    if (rowsCut == 0 || base < int(rowsCut) || base >= int(rows.size())) {
        return ink;
    }
    // The stem as it comes down on the corner: its left edge and width.
    const auto& stem = rows[std::size_t(base) - rowsCut];
    const auto left = std::size_t(std::find_if(stem.begin(), stem.end(), IsInk) - stem.begin());
    std::size_t width = 0;
    while (left + width < stem.size() && IsInk(stem[left + width])) {
        ++width;
    }
    // Only a square corner is rounded: the stem down to the baseline, nothing left of it, and
    // above the bar room for the stem to move in without meeting the next stroke.
    for (std::size_t up = 0; up < rowsCut; ++up) {
        const auto& row = rows[std::size_t(base) - up];
        const std::size_t in = left + std::size_t(cut[up]);
        if (left >= row.size() || !IsInk(row[left]) ||
            std::any_of(row.begin(), row.begin() + std::ptrdiff_t(left), IsInk) ||
            (up > 0 &&
             std::any_of(row.begin() + std::ptrdiff_t(left + width),
                         row.begin() + std::ptrdiff_t(std::min(row.size(), in + width + 1)),
                         IsInk))) {
            return ink;
        }
    }
    // The stem's pixels move in, in their own colours, over what lay there.
    for (std::size_t up = 0; up < rowsCut; ++up) {
        auto& row = rows[std::size_t(base) - up];
        const std::vector<QRgb> was = row;
        const std::size_t in = left + std::size_t(cut[up]);
        for (std::size_t x = left; x < std::min(row.size(), in + width); ++x) {
            row[x] = x < in ? Background : IsInk(was[x]) ? was[x] : was[left + (x - in)];
        }
    }
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> MiddleStemUp(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    // The highest row with three stems, below rows with only the outer two.
    std::size_t from = 1;
    while (from < rows.size() && RunsIn(rows[from]) != 3) {
        ++from;
    }
    if (from >= rows.size() || from < 2) {
        return std::nullopt;
    }
    const auto middle = RunsAlong(rows[from])[1];
    for (std::size_t y = 1; y < from; ++y) {
        const auto& row = rows[y];
        if (RunsIn(row) != 2 ||
            std::any_of(row.begin() + std::ptrdiff_t(middle.first) - 1,
                        row.begin() + std::ptrdiff_t(middle.second) + 2, IsInk)) {
            return std::nullopt;
        }
        std::copy(rows[from].begin() + std::ptrdiff_t(middle.first),
                  rows[from].begin() + std::ptrdiff_t(middle.second) + 1,
                  rows[y].begin() + std::ptrdiff_t(middle.first));
    }
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> TopInFootSplit(const LetterInk& ink, const LetterMetrics& metrics) {
    Lines rows = RowsOf(ink.image);
    if (metrics.stemBarCorner[0] == 0 || rows.size() < 4) {
        return std::nullopt;
    }
    auto& top = rows.front();
    auto& above = rows[rows.size() - 2];
    const auto topRuns = RunsAlong(top), aboveRuns = RunsAlong(above);
    if (topRuns.size() != 2 || aboveRuns.size() != 3 || RunsIn(rows.back()) != 1 ||
        topRuns[0].second + 3 >= topRuns[1].first) {
        return std::nullopt;
    }
    // The foot parted under the middle stem, into two.
    const auto middle = aboveRuns[1];
    auto& foot = rows.back();
    std::fill(foot.begin() + std::ptrdiff_t(middle.first),
              foot.begin() + std::ptrdiff_t(middle.second) + 1, Background);
    if (RunsIn(foot) != 2) {
        return std::nullopt;
    }
    // The outer stems' tops a column in, in their own colours.
    const std::vector<QRgb> was = top;
    std::fill(top.begin(), top.end(), Background);
    std::copy(was.begin() + std::ptrdiff_t(topRuns[0].first),
              was.begin() + std::ptrdiff_t(topRuns[0].second) + 1,
              top.begin() + std::ptrdiff_t(topRuns[0].first) + 1);
    std::copy(was.begin() + std::ptrdiff_t(topRuns[1].first),
              was.begin() + std::ptrdiff_t(topRuns[1].second) + 1,
              top.begin() + std::ptrdiff_t(topRuns[1].first) - 1);
    // In a bold font the row above the foot is a bar, in the middle stem's colour.
    if (metrics.stem >= 2) {
        const QRgb colour = above[middle.first];
        std::replace_if(
            above.begin() + std::ptrdiff_t(aboveRuns[0].first),
            above.begin() + std::ptrdiff_t(aboveRuns[2].second) + 1,
            [](QRgb pixel) { return !IsInk(pixel); }, colour);
    }
    return LetterInk{ImageOf(rows), ink.at};
}

LetterInk ArmsJoinedToStem(const LetterInk& ink, const LetterMetrics& metrics) {
    Lines rows = RowsOf(ink.image);
    if (metrics.stem != 1) {
        return ink;
    }
    // The row where the arms come nearest the stem: of two runs, the first the stem at the
    // left edge; the upper of equals. A row where they touch it leaves the letter as it is.
    std::size_t joint = rows.size(), nearest = 0;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const auto runs = RunsAlong(rows[y]);
        if (runs.empty() || runs[0].first != 0) {
            continue;
        }
        if (runs.size() == 1 && runs[0].second > 0) {
            return ink;
        }
        if (runs.size() == 2 && (joint == rows.size() || runs[1].first < nearest)) {
            joint = y;
            nearest = runs[1].first;
        }
    }
    if (joint == rows.size()) {
        return ink;
    }
    auto& row = rows[joint];
    std::fill(row.begin() + 1, row.begin() + std::ptrdiff_t(nearest), row[nearest]);
    return LetterInk{ImageOf(rows), ink.at};
}

LetterInk SerifOfI(const LetterInk& ink, const LetterMetrics& metrics) {
    if (metrics.stemSerif == 0) {
        return ink;
    }
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> top = RowOf(pixels, ink.Top());
    const std::vector<int> below = RowOf(pixels, ink.Top() + 1);
    // The top must be the stem alone, as it comes down: one run over the row below's first.
    if (top.empty() || below.empty() || top.front() != below.front() ||
        top.back() - top.front() + 1 != static_cast<int>(top.size()) ||
        RunsOf(below).front().second != top.back()) {
        return ink;
    }
    const QRgb colour = pixels.at({ink.Top(), top.front()});
    FillRow(pixels, ink.Top(), top.front() - metrics.stemSerif, top.front() - 1, colour);
    return InkOf(pixels).value_or(ink);
}

} // namespace fontlathe
