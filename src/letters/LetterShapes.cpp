#include "LetterShapes.h"

#include "GlyphInk.h"
#include "LetterLines.h"
#include "charset/Charset.h"
#include "charset/DisplayColors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace fontlathe {

using namespace letterlines;

namespace {

// Makes the lines `count` many: lines of the longest run of equal lines go (or are repeated)
// first, on a tie those that keep the lines' places nearest an even stretch. Without any
// repeated line to drop, the line most like the next one goes.
bool Resize(Lines& lines, int count) {
    if (count < 1) {
        return false;
    }
    const int originalCount = static_cast<int>(lines.size());
    std::vector<int> origins(lines.size());
    for (std::size_t i = 0; i < origins.size(); ++i) {
        origins[i] = static_cast<int>(i);
    }
    while (static_cast<int>(lines.size()) != count) {
        const bool dropping = static_cast<int>(lines.size()) > count;
        std::size_t best = lines.size();
        int bestRun = 0;
        double bestDrift = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int run = RunAt(lines, i);
            if (dropping && run < 2) {
                continue;
            }
            std::vector<int> tried = origins;
            if (dropping) {
                tried.erase(tried.begin() + std::ptrdiff_t(i));
            } else {
                tried.insert(tried.begin() + std::ptrdiff_t(i), origins[i]);
            }
            const double drift = Drift(tried, originalCount);
            if (run > bestRun || (run == bestRun && drift < bestDrift - 1e-9)) {
                best = i;
                bestRun = run;
                bestDrift = drift;
            }
        }
        if (best == lines.size()) { // nothing repeats: the line most like the next one goes
            if (lines.size() < 2) {
                return false;
            }
            int fewest = std::numeric_limits<int>::max(), nearest = 0;
            for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
                const int differing = Differing(lines[i], lines[i + 1]);
                const int fromMiddle = std::abs(2 * static_cast<int>(i) + 1 - int(lines.size()));
                if (differing < fewest || (differing == fewest && fromMiddle < nearest)) {
                    best = i;
                    fewest = differing;
                    nearest = fromMiddle;
                }
            }
        }
        if (dropping) {
            lines.erase(lines.begin() + std::ptrdiff_t(best));
            origins.erase(origins.begin() + std::ptrdiff_t(best));
        } else {
            lines.insert(lines.begin() + std::ptrdiff_t(best), lines[best]);
            origins.insert(origins.begin() + std::ptrdiff_t(best), origins[best]);
        }
    }
    return true;
}

// Resizes the ink's rows from line row `from` to line row `to` (clipped to the ink) to
// `count` rows; the rows below stay where they are, the rows above move with the change.
std::optional<LetterInk> ResizeRows(const LetterInk& ink, int from, int to, int change) {
    Lines rows = RowsOf(ink.image);
    const int first = std::max(from, ink.Top()) - ink.Top();
    const int last = std::min(to, ink.Bottom()) - ink.Top();
    if (last < first) {
        return std::nullopt;
    }
    Lines body(rows.begin() + first, rows.begin() + last + 1);
    if (!Resize(body, static_cast<int>(body.size()) + change)) {
        return std::nullopt;
    }
    Lines out(rows.begin(), rows.begin() + first);
    out.insert(out.end(), body.begin(), body.end());
    out.insert(out.end(), rows.begin() + last + 1, rows.end());
    return LetterInk{ImageOf(out), ink.at - QPoint(0, change)};
}

QRgb MostUsed(const Lines& rows) {
    std::map<QRgb, int> counts;
    for (const auto& row : rows) {
        for (const QRgb pixel : row) {
            counts[pixel] += IsInk(pixel) ? 1 : 0;
        }
    }
    const auto most =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() || most->second == 0 ? Background : most->first;
}

} // namespace

std::optional<LetterInk> InkOfGlyph(const Glyph& glyph, const PaletteLookup& palette) {
    const QRect rect = InkRectOf(glyph.raster, palette);
    if (rect.isNull()) {
        return std::nullopt;
    }
    QImage image = Crop(glyph.raster, rect);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (palette.IndexOf(line[x]) == 0) {
                line[x] = Background;
            }
        }
    }
    return LetterInk{image, rect.topLeft() + QPoint(glyph.xOffset, glyph.yOffset)};
}

std::optional<Glyph> GlyphOfInk(const LetterInk& ink, const Glyph& like) {
    Glyph glyph;
    glyph.raster = MakeBlankRaster(like.width(), like.height());
    glyph.xOffset = like.xOffset;
    glyph.yOffset = like.yOffset;
    const QPoint at = ink.at - QPoint(glyph.xOffset, glyph.yOffset);
    const QPoint moved = GrowToHold(glyph, QRect(at, ink.image.size()));
    for (int y = 0; y < ink.image.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(ink.image.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(glyph.raster.scanLine(at.y() + moved.y() + y));
        for (int x = 0; x < ink.image.width(); ++x) {
            if (IsInk(from[x])) {
                to[at.x() + moved.x() + x] = from[x];
            }
        }
    }
    return FitsFontFile(glyph) ? std::optional<Glyph>(std::move(glyph)) : std::nullopt;
}

LetterInk Mirrored(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    for (auto& row : rows) {
        std::reverse(row.begin(), row.end());
    }
    return {ImageOf(rows), ink.at};
}

LetterInk SymmetricFromLeft(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    for (auto& row : rows) {
        std::copy(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(row.size() / 2),
                  row.rbegin());
    }
    return {ImageOf(rows), ink.at};
}

LetterInk Turned(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    std::reverse(rows.begin(), rows.end());
    return {ImageOf(rows), ink.at};
}

std::optional<LetterInk> MadeSmall(const LetterInk& ink, const LetterMetrics& metrics) {
    const int change = metrics.XHeight() - metrics.CapHeight();
    if (change >= 0) {
        return std::nullopt;
    }
    return ResizeRows(ink, metrics.capTop, metrics.baseline, change);
}

std::optional<LetterInk> MadeTall(const LetterInk& ink, const LetterMetrics& metrics) {
    const int change = metrics.CapHeight() - metrics.XHeight();
    if (change <= 0) {
        return std::nullopt;
    }
    return ResizeRows(ink, metrics.xTop, metrics.baseline, change);
}

std::optional<LetterInk> StemAboveWaist(const LetterInk& ink) {
    Lines rows = RowsOf(ink.image);
    const Lines columns = Transposed(rows);
    const int height = static_cast<int>(rows.size());
    std::vector<int> counts;
    for (const auto& column : columns) {
        counts.push_back(static_cast<int>(std::count_if(column.begin(), column.end(), IsInk)));
    }
    const int full = *std::max_element(counts.begin(), counts.end());
    const auto stemFirst =
        static_cast<std::size_t>(std::find(counts.begin(), counts.end(), full) - counts.begin());
    std::size_t stemLast = stemFirst;
    while (stemLast + 1 < counts.size() && counts[stemLast + 1] == full) {
        ++stemLast;
    }
    // The waist: in the middle half, the row whose ink runs farthest right from the stem.
    int waist = -1, longest = 0;
    for (int y = height / 4; y <= height - 1 - height / 4; ++y) {
        int run = 0;
        for (std::size_t x = stemFirst; x < columns.size() && IsInk(rows[std::size_t(y)][x]); ++x) {
            ++run;
        }
        if (run > longest ||
            (run == longest && std::abs(2 * y - height + 1) < std::abs(2 * waist - height + 1))) {
            waist = y;
            longest = run;
        }
    }
    if (waist < 1 || full < height - 1 || stemLast - stemFirst + 1 >= columns.size() / 2) {
        return std::nullopt;
    }
    for (int y = 0; y < waist; ++y) {
        for (std::size_t x = 0; x < columns.size(); ++x) {
            if (x < stemFirst || x > stemLast) {
                rows[std::size_t(y)][x] = Background;
            }
        }
    }
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> WithTail(const LetterInk& ink, const LetterMetrics& metrics) {
    Lines rows = RowsOf(ink.image);
    const auto& bottom = rows.back();
    const auto right = std::find_if(bottom.rbegin(), bottom.rend(), IsInk);
    if (right == bottom.rend()) {
        return std::nullopt;
    }
    const QRgb color = MostUsed(rows);
    // The bottom row goes one column on; the tail, as wide as the stem, ends in that column.
    const auto end = static_cast<std::size_t>(bottom.rend() - right);
    const std::size_t width = std::max(rows[0].size(), end + 1);
    const std::size_t tailFrom = end + 1 - std::min(end + 1, std::size_t(metrics.stem));
    const int tail = std::max(1, metrics.descent - metrics.descent / 3);
    for (auto& row : rows) {
        row.resize(width, Background);
    }
    rows.back()[end] = color;
    for (int y = 0; y < tail; ++y) {
        std::vector<QRgb> row(width, Background);
        std::fill(row.begin() + std::ptrdiff_t(tailFrom), row.begin() + std::ptrdiff_t(end) + 1,
                  color);
        rows.push_back(row);
    }
    return LetterInk{ImageOf(rows), ink.at};
}

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
    const QRgb color = MostUsed(rows);
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
    const int bar = middle < 0 ? 0 : inkIn(rows[std::size_t(middle)]) - int(stem);
    const auto topEnd = std::find_if(rows.front().rbegin(), rows.front().rend(), IsInk);
    const int span = static_cast<int>(rows.front().rend() - topEnd);
    if (height < 4 || stem == 0 || bar < 1) {
        return std::nullopt;
    }
    const QRgb color = MostUsed(rows);
    for (int y = 1; y + 1 < height; ++y) {
        std::fill(rows[std::size_t(y)].begin(), rows[std::size_t(y)].end(), Background);
    }
    const int left = CentredOver(QRect(0, 0, span, 1), bar, HalfPixel::Left);
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
    const auto runs = [](const std::vector<QRgb>& row) {
        int count = 0;
        for (std::size_t x = 0; x < row.size(); ++x) {
            count += IsInk(row[x]) && (x == 0 || !IsInk(row[x - 1]));
        }
        return count;
    };
    // Bars of one run each over the stem (not H's or I's), a bowl's ink apart from the stem.
    if (runs(rows.front()) != 1 || runs(rows.back()) != 1) {
        return std::nullopt;
    }
    std::size_t bowl = 0;
    for (std::size_t y = 1; y + 1 < height; ++y) {
        if (firstInk(rows[y]) != stem) {
            return std::nullopt;
        }
        bowl += runs(rows[y]) > 1;
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
    const QRgb color = MostUsed(rows);
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
    const auto runs = [](const std::vector<QRgb>& row) {
        int count = 0;
        for (std::size_t x = 0; x < row.size(); ++x) {
            count += IsInk(row[x]) && (x == 0 || !IsInk(row[x - 1]));
        }
        return count;
    };
    const auto inkIn = [](const std::vector<QRgb>& row) {
        return static_cast<std::size_t>(std::count_if(row.begin(), row.end(), IsInk));
    };
    // A flat top as Z's: one bar the ink's width (a column short at most), the row under it a
    // stroke right of the middle.
    const auto& second = rows.size() > 1 ? rows[1] : rows[0];
    const auto secondLeft = static_cast<std::size_t>(
        std::find_if(second.begin(), second.end(), IsInk) - second.begin());
    if (height < 5 || runs(rows[0]) != 1 || inkIn(rows[0]) + 1 < width || runs(second) != 1 ||
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
    const auto runsOf = [](const std::vector<QRgb>& row) {
        int runs = 0;
        for (std::size_t x = 0; x < row.size(); ++x) {
            runs += IsInk(row[x]) && (x == 0 || !IsInk(row[x - 1]));
        }
        return runs;
    };
    const int height = static_cast<int>(rows.size());
    int stems = height - 1;
    for (int y = height - 1; y >= (height - 1) / 2; --y) {
        if (runsOf(rows[std::size_t(y)]) > runsOf(rows[std::size_t(stems)])) {
            stems = y;
        }
    }
    const std::vector<QRgb> row = rows[std::size_t(stems)];
    if (runsOf(row) < 2) {
        return std::nullopt;
    }
    std::fill(rows.begin(), rows.end(), row);
    const auto first = std::find_if(row.begin(), row.end(), IsInk);
    const auto last = std::find_if(row.rbegin(), row.rend(), IsInk).base();
    std::fill(rows.back().begin() + (first - row.begin()),
              rows.back().begin() + (last - row.begin()), MostUsed(rows));
    return LetterInk{ImageOf(rows), ink.at};
}

std::optional<LetterInk> Squeezed(const LetterInk& ink, int width) {
    if (ink.image.width() <= width) {
        return ink;
    }
    Lines columns = Transposed(RowsOf(ink.image));
    if (!Resize(columns, width)) {
        return std::nullopt;
    }
    return LetterInk{ImageOf(Transposed(columns)), ink.at};
}

bool IsLetterInk(QRgb color) {
    return IsInk(color);
}

QRgb MostUsedInk(const LetterInk& ink) {
    return MostUsed(RowsOf(ink.image));
}

} // namespace fontlathe
