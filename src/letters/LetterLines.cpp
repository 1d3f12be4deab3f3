#include "LetterLines.h"

#include "GlyphInk.h"

#include "charset/Charset.h"

#include <algorithm>
#include <cmath>

namespace fontlathe::letterlines {

Lines RowsOf(const QImage& image) {
    Lines rows(static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = PixelsOf(image, y);
        rows[std::size_t(y)].assign(line, line + image.width());
    }
    return rows;
}

QImage ImageOf(const Lines& rows) {
    QImage image = MakeBlankRaster(rows.empty() ? 0 : static_cast<int>(rows[0].size()),
                                   static_cast<int>(rows.size()));
    for (int y = 0; y < image.height(); ++y) {
        std::copy(rows[std::size_t(y)].begin(), rows[std::size_t(y)].end(),
                  WritablePixelsOf(image, y));
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

double Drift(const std::vector<int>& origins, int originalCount) {
    double drift = 0;
    const auto count = static_cast<double>(origins.size());
    for (std::size_t i = 0; i < origins.size(); ++i) {
        drift += std::abs((double(i) + 0.5) / count - (origins[i] + 0.5) / originalCount);
    }
    return drift;
}

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

int RunsIn(const std::vector<QRgb>& row) {
    int runs = 0;
    for (std::size_t x = 0; x < row.size(); ++x) {
        runs += IsInk(row[x]) && (x == 0 || !IsInk(row[x - 1]));
    }
    return runs;
}

std::vector<std::pair<std::size_t, std::size_t>> RunsAlong(const std::vector<QRgb>& row) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t x = 0; x < row.size(); ++x) {
        if (IsInk(row[x])) {
            if (x == 0 || !IsInk(row[x - 1])) {
                runs.emplace_back(x, x);
            }
            runs.back().second = x;
        }
    }
    return runs;
}

} // namespace fontlathe::letterlines
