#include "DesignerShapes.h"

#include "GlyphInk.h"
#include "LetterLines.h"

#include <QRect>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace fontlathe {

using namespace letterlines;

std::optional<LetterInk> RightStemLong(const LetterInk& ink, const LetterMetrics& metrics) {
    Lines rows = RowsOf(ink.image);
    const auto& bottom = rows.back();
    const auto width = bottom.size();
    std::size_t last = width;
    while (last > 0 && !IsInk(bottom[last - 1])) {
        --last;
    }
    std::size_t first = last;
    while (first > 0 && IsInk(bottom[first - 1])) {
        --first;
    }
    const int added = metrics.baseline + metrics.descent - ink.Bottom();
    if (last == 0 || 2 * first < width || added < 1) {
        return std::nullopt;
    }
    std::vector<QRgb> stem(width, Background);
    std::copy(bottom.begin() + std::ptrdiff_t(first), bottom.begin() + std::ptrdiff_t(last),
              stem.begin() + std::ptrdiff_t(first));
    rows.insert(rows.end(), std::size_t(added), stem);
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> LeftStemStepped(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const std::size_t height = rows.size(), width = rows.front().size();
    if (height < 3) {
        return std::nullopt;
    }
    std::size_t stem = 0;
    while (stem < width && IsInk(rows[1][stem])) {
        ++stem;
    }
    if (stem == 0 || 2 * stem + 1 >= width) {
        return std::nullopt;
    }
    // The bar starts past the stem's new place: the corner is cut.
    std::fill(rows.front().begin(), rows.front().begin() + std::ptrdiff_t(stem) + 1, Background);
    for (std::size_t y = 1; y + 1 < height; ++y) {
        auto& row = rows[y];
        std::copy_backward(row.begin(), row.begin() + std::ptrdiff_t(stem),
                           row.begin() + std::ptrdiff_t(stem) + 1);
        row.front() = Background;
    }
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> PointBetweenBars(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const std::size_t height = rows.size(), width = rows.front().size();
    std::size_t stem = 0;
    while (height > 2 && stem < width && IsInk(rows[1][stem])) {
        ++stem;
    }
    if (height < 4 || stem == 0) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    const std::size_t inner = height - 2;
    for (std::size_t i = 0; i < inner; ++i) {
        auto& row = rows[i + 1];
        std::fill(row.begin(), row.end(), Background);
        const std::size_t at = std::min(i, inner - 1 - i);
        for (std::size_t x = at; x < std::min(width, at + stem); ++x) {
            row[x] = color;
        }
    }
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> BarsApart(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const int height = static_cast<int>(rows.size());
    const auto inkIn = [](const std::vector<QRgb>& row) {
        return static_cast<int>(std::count_if(row.begin(), row.end(), IsInk));
    };
    std::size_t stem = 0;
    while (height > 2 && stem < rows[1].size() && IsInk(rows[1][stem])) {
        ++stem;
    }
    int middle = -1;
    for (int y = 1; y + 1 < height; ++y) {
        const int count = inkIn(rows[std::size_t(y)]);
        if (middle < 0 || count > inkIn(rows[std::size_t(middle)]) ||
            (count == inkIn(rows[std::size_t(middle)]) &&
             std::abs(2 * y - height + 1) < std::abs(2 * middle - height + 1))) {
            middle = y;
        }
    }
    const auto topEnd = std::find_if(rows.front().rbegin(), rows.front().rend(), IsInk);
    const int span = static_cast<int>(rows.front().rend() - topEnd);
    // The bar without the stem, a pixel longer where that centres it under the top bar.
    int bar = middle < 0 ? 0 : inkIn(rows[std::size_t(middle)]) - int(stem);
    bar += (span - bar) % 2;
    if (height < 4 || stem == 0 || bar < 1) {
        return std::nullopt;
    }
    // A middle bar longer than the top bar (not an E's) cannot stand centred under it.
    const int left = CentredOver(QRect(0, 0, span, 1), bar, HalfPixel::Left);
    if (left < 0 || left + bar > static_cast<int>(rows.front().size())) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    for (int y = 1; y + 1 < height; ++y) {
        std::fill(rows[std::size_t(y)].begin(), rows[std::size_t(y)].end(), Background);
    }
    std::fill(rows[std::size_t(middle)].begin() + left,
              rows[std::size_t(middle)].begin() + left + bar, color);
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> StemWithoutSerifs(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const std::size_t height = rows.size();
    const auto firstInk = [](const std::vector<QRgb>& row) {
        return static_cast<std::size_t>(std::find_if(row.begin(), row.end(), IsInk) - row.begin());
    };
    if (height < 4) {
        return std::nullopt;
    }
    // The stem: the first ink of the middle rows, in every one of them, with more ink to its right
    // (a bowl, B's, D's); the top and bottom rows starting left of it are its serifs.
    const std::size_t stem = firstInk(rows[1]);
    const std::size_t serif = std::min(firstInk(rows.front()), firstInk(rows.back()));
    if (serif >= stem || stem >= rows[1].size()) {
        return std::nullopt;
    }
    // Bars of one run each over the stem (not H's or I's), a bowl's ink apart from the stem.
    if (RunsIn(rows.front()) != 1 || RunsIn(rows.back()) != 1) {
        return std::nullopt;
    }
    std::size_t bowl = 0;
    for (std::size_t y = 1; y + 1 < height; ++y) {
        if (firstInk(rows[y]) != stem) {
            return std::nullopt;
        }
        bowl += RunsIn(rows[y]) > 1;
    }
    if (2 * bowl < height - 2) {
        return std::nullopt;
    }
    // The stem moves out to where the serifs start, and every middle row with it.
    const std::size_t by = stem - serif;
    for (std::size_t y = 1; y + 1 < height; ++y) {
        auto& row = rows[y];
        std::size_t end = stem;
        while (end < row.size() && IsInk(row[end])) {
            ++end;
        }
        std::copy(row.begin() + std::ptrdiff_t(stem), row.begin() + std::ptrdiff_t(end),
                  row.begin() + std::ptrdiff_t(stem - by));
        std::fill(row.begin() + std::ptrdiff_t(end - by), row.begin() + std::ptrdiff_t(end),
                  Background);
    }
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> SidesOnFeet(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const std::size_t height = rows.size(), width = rows.front().size();
    const auto& middle = rows[height / 2];
    std::size_t stem = 0;
    while (stem < width && IsInk(middle[stem])) {
        ++stem;
    }
    if (height < 5 || stem == 0 || 2 * stem + 3 > width || !IsInk(middle.back())) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    const std::size_t stepped = std::max<std::size_t>(1, height / 5);
    const auto put = [&](std::vector<QRgb>& row, std::size_t from, std::size_t to) {
        std::fill(row.begin() + std::ptrdiff_t(from), row.begin() + std::ptrdiff_t(to), color);
    };
    for (std::size_t y = height - 1 - stepped; y < height; ++y) {
        auto& row = rows[y];
        std::fill(row.begin(), row.end(), Background);
        const bool foot = y + 1 == height;
        put(row, foot ? 0 : 1, stem + 1);
        put(row, width - 1 - stem, foot ? width : width - 1);
    }
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> RoundTop(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const std::size_t height = rows.size(), width = rows.front().size();
    const auto inkIn = [](const std::vector<QRgb>& row) {
        return static_cast<std::size_t>(std::count_if(row.begin(), row.end(), IsInk));
    };
    // A flat top as Z's: one bar the ink's width (a column short at most), the row under it a
    // stroke right of the middle.
    const auto& second = rows.size() > 1 ? rows[1] : rows[0];
    const auto secondLeft = static_cast<std::size_t>(
        std::find_if(second.begin(), second.end(), IsInk) - second.begin());
    if (height < 5 || RunsIn(rows[0]) != 1 || inkIn(rows[0]) + 1 < width || RunsIn(second) != 1 ||
        2 * secondLeft <= width) {
        return std::nullopt;
    }
    // The top half becomes the bottom half turned; an odd middle row stays.
    for (std::size_t y = 0; y < height / 2; ++y) {
        rows[y] = rows[height - 1 - y];
    }
    return LetterInk{ImageOf(rows), ink.at};
}

LetterInk FootTurnedRight(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    for (auto& row : rows) {
        row.push_back(Background);
    }
    auto& foot = rows.back();
    std::rotate(foot.rbegin(), foot.rbegin() + 1, foot.rend());
    return {ImageOf(rows), ink.at};
}

std::optional<LetterInk> StraightStems(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const int height = static_cast<int>(rows.size());
    int stems = height - 1;
    for (int y = height - 1; y >= (height - 1) / 2; --y) {
        if (RunsIn(rows[std::size_t(y)]) > RunsIn(rows[std::size_t(stems)])) {
            stems = y;
        }
    }
    const std::vector<QRgb> row = rows[std::size_t(stems)];
    if (RunsIn(row) < 3) {
        return std::nullopt;
    }
    std::fill(rows.begin(), rows.end(), row);
    const auto first = std::find_if(row.begin(), row.end(), IsInk);
    const auto last = std::find_if(row.rbegin(), row.rend(), IsInk).base();
    std::fill(rows.back().begin() + (first - row.begin()),
              rows.back().begin() + (last - row.begin()), MostUsedInk(ink));
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> BarTurnedUp(const LetterInk& ink, const LetterMetrics& metrics) {
    Lines rows = RowsOf(ink.image);
    const std::size_t height = rows.size(), width = rows.front().size();
    const auto& bar = rows.front();
    const auto stem = static_cast<std::size_t>(std::max(1, metrics.stem));
    // A bar along the whole top over a stem at the left: Г's.
    if (height < 4 || RunsIn(bar) != 1 || !IsInk(bar.front()) || !IsInk(bar.back()) ||
        width < 2 * stem + 2 || IsInk(rows[height / 2].back())) {
        return std::nullopt;
    }
    // A serif that hangs from the bar's end, under the bar's rows, goes: the bar turns up there
    // instead.
    std::size_t below = 1;
    while (below < height && RunsIn(rows[below]) == 1 && IsInk(rows[below].front()) &&
           IsInk(rows[below].back())) {
        ++below;
    }
    for (std::size_t y = below; y < height && IsInk(rows[y].back()); ++y) {
        std::fill(rows[y].begin() + std::ptrdiff_t(width - stem), rows[y].end(), Background);
    }
    // As high as the room above the font's capitals (a quarter of their height at most); where
    // there is none, the bar comes down that far on a shorter stem.
    const int up = std::max(1, std::min(metrics.capTop, metrics.CapHeight() / 4));
    QPoint at = ink.at;
    const int lower = std::clamp(up - at.y(), 0, int(height) - 3);
    rows.erase(rows.begin() + 1, rows.begin() + 1 + lower);
    at.ry() += lower;
    const QRgb color = MostUsedInk(ink);
    std::vector<QRgb> end(width, Background);
    std::fill(end.end() - std::ptrdiff_t(stem), end.end(), color);
    rows.insert(rows.begin(), std::size_t(up), end);
    return LetterInk{ImageOf(rows), at - QPoint(0, up)};
}

} // namespace fontlathe
