#include "LetterShapes.h"

#include "GlyphInk.h"
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

namespace {

const QRgb Background = DisplayColorOf(0);

bool IsInk(QRgb color) {
    return (color & 0x00FFFFFFu) != (Background & 0x00FFFFFFu);
}

// The ink as rows of pixels, top to bottom.
using Lines = std::vector<std::vector<QRgb>>;

Lines RowsOf(const QImage& image) {
    Lines rows(static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        rows[std::size_t(y)].assign(line, line + image.width());
    }
    return rows;
}

QImage ImageOf(const Lines& rows) {
    QImage image = MakeBlankRaster(rows.empty() ? 0 : static_cast<int>(rows[0].size()),
                                   static_cast<int>(rows.size()));
    for (int y = 0; y < image.height(); ++y) {
        std::copy(rows[std::size_t(y)].begin(), rows[std::size_t(y)].end(),
                  reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return image;
}

Lines Transposed(const Lines& lines) {
    Lines out(lines.empty() ? 0 : lines[0].size(), std::vector<QRgb>(lines.size()));
    for (std::size_t y = 0; y < lines.size(); ++y) {
        for (std::size_t x = 0; x < lines[y].size(); ++x) {
            out[x][y] = lines[y][x];
        }
    }
    return out;
}

int Differing(const std::vector<QRgb>& a, const std::vector<QRgb>& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        count += a[i] != b[i];
    }
    return count;
}

// How far the lines' places drift from where an even stretch of the original would put them:
// the sum over the lines of the difference of their relative places, before and after.
double Drift(const std::vector<int>& origins, int originalCount) {
    double drift = 0;
    const auto count = static_cast<double>(origins.size());
    for (std::size_t i = 0; i < origins.size(); ++i) {
        drift += std::abs((double(i) + 0.5) / count - (origins[i] + 0.5) / originalCount);
    }
    return drift;
}

// The length of the run of equal lines that holds line i.
int RunAt(const Lines& lines, std::size_t i) {
    std::size_t first = i, last = i;
    while (first > 0 && lines[first - 1] == lines[i]) {
        --first;
    }
    while (last + 1 < lines.size() && lines[last + 1] == lines[i]) {
        ++last;
    }
    return static_cast<int>(last - first + 1);
}

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

// What a stroke-keeping change keeps of lines of ink: how many runs of ink cross each line
// across them (each row, when the lines are columns), how many pieces the ink falls into (pixels
// touching at a corner join) and how many counters it encloses (blank pixels the ink walls in).
struct Strokes {
    std::vector<int> runs;
    int pieces = 0;
    int counters = 0;

    bool operator==(const Strokes&) const = default;
};

Strokes StrokesOf(const Lines& lines) {
    Strokes strokes;
    const int count = static_cast<int>(lines.size());
    const int length = count == 0 ? 0 : static_cast<int>(lines[0].size());
    const auto ink = [&](int i, int j) { return IsInk(lines[std::size_t(i)][std::size_t(j)]); };
    for (int j = 0; j < length; ++j) {
        int runs = 0;
        for (int i = 0; i < count; ++i) {
            runs += ink(i, j) && (i == 0 || !ink(i - 1, j)) ? 1 : 0;
        }
        strokes.runs.push_back(runs);
    }
    // Pieces of ink join at corners; blank pixels only side by side, so a diagonal stroke walls a
    // counter in. A blank region that reaches the edge is no counter.
    std::vector<char> seen(std::size_t(count) * std::size_t(length), 0);
    for (int i0 = 0; i0 < count; ++i0) {
        for (int j0 = 0; j0 < length; ++j0) {
            if (seen[std::size_t(i0 * length + j0)] != 0) {
                continue;
            }
            const bool isInk = ink(i0, j0);
            bool edge = false;
            std::vector<std::pair<int, int>> stack{{i0, j0}};
            seen[std::size_t(i0 * length + j0)] = 1;
            while (!stack.empty()) {
                const auto [i, j] = stack.back();
                stack.pop_back();
                edge = edge || i == 0 || j == 0 || i == count - 1 || j == length - 1;
                for (int di = -1; di <= 1; ++di) {
                    for (int dj = -1; dj <= 1; ++dj) {
                        const int ni = i + di, nj = j + dj;
                        if ((di == 0 && dj == 0) || (!isInk && di != 0 && dj != 0) || ni < 0 ||
                            nj < 0 || ni >= count || nj >= length ||
                            seen[std::size_t(ni * length + nj)] != 0 || ink(ni, nj) != isInk) {
                            continue;
                        }
                        seen[std::size_t(ni * length + nj)] = 1;
                        stack.emplace_back(ni, nj);
                    }
                }
            }
            strokes.pieces += isInk ? 1 : 0;
            strokes.counters += !isInk && !edge ? 1 : 0;
        }
    }
    return strokes;
}

// Two neighbouring lines made one: ink wherever either has it, so a slanting stroke steepens
// rather than breaks.
std::vector<QRgb> Joined(const std::vector<QRgb>& a, const std::vector<QRgb>& b) {
    std::vector<QRgb> joined = a;
    for (std::size_t i = 0; i < joined.size(); ++i) {
        if (!IsInk(joined[i])) {
            joined[i] = b[i];
        }
    }
    return joined;
}

// How many runs of ink across lines i and i + 1, no more than `stem` long, joining them would
// make thinner.
int Thinned(const Lines& lines, std::size_t i, int stem) {
    int thinned = 0;
    for (std::size_t j = 0; j < lines[i].size(); ++j) {
        if (!IsInk(lines[i][j]) || !IsInk(lines[i + 1][j])) {
            continue;
        }
        std::size_t first = i, last = i + 1;
        while (first > 0 && IsInk(lines[first - 1][j])) {
            --first;
        }
        while (last + 1 < lines.size() && IsInk(lines[last + 1][j])) {
            ++last;
        }
        thinned += static_cast<int>(last - first + 1) <= stem ? 1 : 0;
    }
    return thinned;
}

// Makes two neighbouring lines one (one of them, or else their ink together) until `count` are
// left, only where that keeps the strokes. Stems no wider than `stem` are thinned last: the width
// comes out of counters and slants first. Then equal lines go first (one of them simply goes), with
// `widestFirst` those of the longest run of equal lines before others (the widest counter gives up
// a column first); then lines that differ in the fewest pixels; on a tie those that keep the lines'
// places nearest an even stretch. Stops where no two lines can be joined without losing a stroke.
void JoinKeepingStrokes(Lines& lines, int count, int stem, bool widestFirst) {
    const Strokes kept = StrokesOf(lines);
    const int originalCount = static_cast<int>(lines.size());
    std::vector<int> origins(lines.size());
    for (std::size_t i = 0; i < origins.size(); ++i) {
        origins[i] = static_cast<int>(i);
    }
    while (static_cast<int>(lines.size()) > std::max(1, count)) {
        std::size_t best = lines.size();
        std::vector<QRgb> bestLine;
        std::tuple<int, int, int, int, double> bestScore;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            std::vector<int> tried = origins;
            tried.erase(tried.begin() + std::ptrdiff_t(i) + 1);
            // One of the two lines in place of both, or their ink together, which steepens a
            // slant where either alone would break it.
            const std::vector<QRgb> joined = Joined(lines[i], lines[i + 1]);
            int way = 0;
            for (const std::vector<QRgb>* line :
                 {&std::as_const(lines[i]), &std::as_const(lines[i + 1]), &joined}) {
                const std::tuple<int, int, int, int, double> score{
                    Thinned(lines, i, stem), Differing(lines[i], lines[i + 1]),
                    widestFirst ? -RunAt(lines, i) : 0, way++, Drift(tried, originalCount)};
                if (best != lines.size() && score >= bestScore) {
                    continue;
                }
                Lines tryLines = lines;
                tryLines[i] = *line;
                tryLines.erase(tryLines.begin() + std::ptrdiff_t(i) + 1);
                if (StrokesOf(tryLines) == kept) {
                    best = i;
                    bestLine = *line;
                    bestScore = score;
                }
            }
        }
        if (best == lines.size()) {
            return;
        }
        lines[best] = bestLine;
        lines.erase(lines.begin() + std::ptrdiff_t(best) + 1);
        origins.erase(origins.begin() + std::ptrdiff_t(best) + 1);
    }
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

LetterInk NarrowedKeepingStrokes(const LetterInk& ink, int width, int stem) {
    Lines columns = Transposed(RowsOf(ink.image));
    JoinKeepingStrokes(columns, width, stem, true);
    return LetterInk{ImageOf(Transposed(columns)), ink.at};
}

LetterInk ResizedKeepingStrokes(const LetterInk& ink, int width, int height) {
    // The same for rows and for columns. Growing, each line is repeated as an even stretch
    // repeats it (the line whose middle is nearest each new line's), which keeps every line.
    const auto resized = [](Lines lines, int count) {
        const auto size = static_cast<long>(lines.size());
        if (count > size) {
            Lines stretched;
            for (long i = 0; i < count; ++i) {
                stretched.push_back(lines[std::size_t((2 * i + 1) * size / (2L * count))]);
            }
            return stretched;
        }
        JoinKeepingStrokes(lines, count, 1, false);
        return lines;
    };
    const Lines rows = resized(RowsOf(ink.image), height);
    return LetterInk{ImageOf(Transposed(resized(Transposed(rows), width))), ink.at};
}

bool SameStrokes(const LetterInk& before, const LetterInk& after) {
    const Strokes a = StrokesOf(Transposed(RowsOf(before.image)));
    const Strokes b = StrokesOf(Transposed(RowsOf(after.image)));
    // Stems are counted a quarter, half and three quarters of the way down: where strokes meet,
    // a row may lose the gap between them as a designer's would.
    const std::size_t rows = a.runs.size();
    for (const std::size_t row : {rows / 4, rows / 2, rows - 1 - rows / 4}) {
        if (row < rows && a.runs[row] != b.runs[row]) {
            return false;
        }
    }
    return a.pieces == b.pieces && a.counters == b.counters;
}

bool StrokesAlike(const LetterInk& a, const LetterInk& b) {
    const auto summary = [](const LetterInk& ink) {
        const Lines rows = RowsOf(ink.image);
        const Strokes across = StrokesOf(Transposed(rows)), down = StrokesOf(rows);
        return std::tuple(across.pieces, across.counters,
                          *std::max_element(across.runs.begin(), across.runs.end()),
                          *std::max_element(down.runs.begin(), down.runs.end()));
    };
    return summary(a) == summary(b);
}

bool IsLetterInk(QRgb color) {
    return IsInk(color);
}

QRgb MostUsedInk(const LetterInk& ink) {
    return MostUsed(RowsOf(ink.image));
}

} // namespace fontlathe
