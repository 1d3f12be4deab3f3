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
        auto* line = WritablePixelsOf(image, y);
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
        const auto* from = PixelsOf(ink.image, y);
        auto* to = WritablePixelsOf(glyph.raster, at.y() + moved.y() + y);
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

std::optional<LetterInk> MadeAscending(const LetterInk& ink, const LetterMetrics& metrics) {
    const int change = metrics.xTop - metrics.ascenderTop;
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

bool TailPastTheCell(const LetterInk& ink, const LetterMetrics& metrics) {
    const int width = ink.image.width();
    return width > 0 && IsInk(ink.image.pixel(width - 1, ink.image.height() - 1)) &&
           metrics.PastTheCell(width + 1);
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
    // Where that would be past a monospaced font's cell, the tail is set under the last stem.
    auto end = static_cast<std::size_t>(bottom.rend() - right);
    if (TailPastTheCell(ink, metrics)) {
        --end;
    }
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

bool IsLetterInk(QRgb color) {
    return IsInk(color);
}

QRgb MostUsedInk(const LetterInk& ink) {
    return MostUsed(RowsOf(ink.image));
}

} // namespace fontlathe
