#include "StrokeKeeping.h"

#include "LetterLines.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

namespace fontlathe {

using namespace letterlines;

namespace {

// The lines a stroke count reads, by reference: a fit tries many joins of the same lines
// without copying them.
using LineRefs = std::vector<const std::vector<QRgb>*>;

StrokeCount StrokesOf(const LineRefs& lines) {
    StrokeCount strokes;
    const int count = static_cast<int>(lines.size());
    const int length = count == 0 ? 0 : static_cast<int>(lines[0]->size());
    const auto cell = [length](int i, int j) {
        return std::size_t(i) * std::size_t(length) + std::size_t(j);
    };
    std::vector<char> inked(std::size_t(count) * std::size_t(length), 0);
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < length; ++j) {
            inked[cell(i, j)] = IsInk((*lines[std::size_t(i)])[std::size_t(j)]) ? 1 : 0;
        }
    }
    const auto ink = [&](int i, int j) { return inked[cell(i, j)] != 0; };
    strokes.runs.reserve(std::size_t(length));
    for (int j = 0; j < length; ++j) {
        int runs = 0;
        for (int i = 0; i < count; ++i) {
            runs += ink(i, j) && (i == 0 || !ink(i - 1, j)) ? 1 : 0;
        }
        strokes.runs.push_back(runs);
    }
    // Pieces of ink join at corners; blank pixels only side by side, so a diagonal stroke walls a
    // counter in. A blank region that reaches the edge is no counter.
    std::vector<char> seen(inked.size(), 0);
    std::vector<std::pair<int, int>> stack;
    for (int i0 = 0; i0 < count; ++i0) {
        for (int j0 = 0; j0 < length; ++j0) {
            if (seen[cell(i0, j0)] != 0) {
                continue;
            }
            const bool isInk = ink(i0, j0);
            bool edge = false;
            stack.assign(1, {i0, j0});
            seen[cell(i0, j0)] = 1;
            while (!stack.empty()) {
                const auto [i, j] = stack.back();
                stack.pop_back();
                edge = edge || i == 0 || j == 0 || i == count - 1 || j == length - 1;
                for (int di = -1; di <= 1; ++di) {
                    for (int dj = -1; dj <= 1; ++dj) {
                        const int ni = i + di, nj = j + dj;
                        if ((di == 0 && dj == 0) || (!isInk && di != 0 && dj != 0) || ni < 0 ||
                            nj < 0 || ni >= count || nj >= length || seen[cell(ni, nj)] != 0 ||
                            ink(ni, nj) != isInk) {
                            continue;
                        }
                        seen[cell(ni, nj)] = 1;
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

StrokeCount StrokesOf(const Lines& lines) {
    LineRefs refs;
    refs.reserve(lines.size());
    for (const std::vector<QRgb>& line : lines) {
        refs.push_back(&line);
    }
    return StrokesOf(refs);
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
    const StrokeCount kept = StrokesOf(lines);
    const int originalCount = static_cast<int>(lines.size());
    std::vector<int> origins(lines.size());
    for (std::size_t i = 0; i < origins.size(); ++i) {
        origins[i] = static_cast<int>(i);
    }
    using Score = std::tuple<int, int, int, int, double>;
    struct Candidate {
        Score score;
        std::size_t at;                // the first of the two lines
        const std::vector<QRgb>* line; // what stands in for both
    };
    while (static_cast<int>(lines.size()) > std::max(1, count)) {
        // Every join scored first, then tried best first: the first that keeps the strokes is
        // the one to make (on equal scores, the one nearer the start), and a fit need not count
        // the strokes of every join it could make.
        std::vector<std::vector<QRgb>> joined(lines.size() - 1);
        std::vector<Candidate> candidates;
        candidates.reserve(3 * joined.size());
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            std::vector<int> tried = origins;
            tried.erase(tried.begin() + std::ptrdiff_t(i) + 1);
            // One of the two lines in place of both, or their ink together, which steepens a
            // slant where either alone would break it.
            joined[i] = Joined(lines[i], lines[i + 1]);
            const int thinned = Thinned(lines, i, stem);
            const int differing = Differing(lines[i], lines[i + 1]);
            const int run = widestFirst ? -RunAt(lines, i) : 0;
            const double drift = Drift(tried, originalCount);
            int way = 0;
            for (const std::vector<QRgb>* line :
                 {&std::as_const(lines[i]), &std::as_const(lines[i + 1]),
                  &std::as_const(joined[i])}) {
                candidates.push_back({Score{thinned, differing, run, way++, drift}, i, line});
            }
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
        const auto keeping = std::ranges::find_if(candidates, [&](const Candidate& candidate) {
            LineRefs tryLines;
            tryLines.reserve(lines.size() - 1);
            for (std::size_t k = 0; k < lines.size(); ++k) {
                if (k != candidate.at + 1) {
                    tryLines.push_back(k == candidate.at ? candidate.line : &lines[k]);
                }
            }
            return StrokesOf(tryLines) == kept;
        });
        if (keeping == candidates.end()) {
            return;
        }
        const std::size_t best = keeping->at;
        lines[best] = std::vector<QRgb>(*keeping->line);
        lines.erase(lines.begin() + std::ptrdiff_t(best) + 1);
        origins.erase(origins.begin() + std::ptrdiff_t(best) + 1);
    }
}

} // namespace

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

KeptStrokes::KeptStrokes(const LetterInk& before)
    : before_(StrokesOf(Transposed(RowsOf(before.image)))) {}

bool KeptStrokes::By(const LetterInk& after) const {
    const StrokeCount b = StrokesOf(Transposed(RowsOf(after.image)));
    // Stems are counted a quarter, half and three quarters of the way down: where strokes meet,
    // a row may lose the gap between them as a designer's would.
    const std::size_t rows = before_.runs.size();
    for (const std::size_t row : {rows / 4, rows / 2, rows - 1 - rows / 4}) {
        if (row < rows && before_.runs[row] != b.runs[row]) {
            return false;
        }
    }
    return before_.pieces == b.pieces && before_.counters == b.counters;
}

bool SameStrokes(const LetterInk& before, const LetterInk& after) {
    return KeptStrokes(before).By(after);
}

bool StrokesAlike(const LetterInk& a, const LetterInk& b) {
    const auto summary = [](const LetterInk& ink) {
        const Lines rows = RowsOf(ink.image);
        const StrokeCount across = StrokesOf(Transposed(rows)), down = StrokesOf(rows);
        return std::tuple(across.pieces, across.counters,
                          *std::max_element(across.runs.begin(), across.runs.end()),
                          *std::max_element(down.runs.begin(), down.runs.end()));
    };
    return summary(a) == summary(b);
}

int CountersOf(const LetterInk& ink) {
    return StrokesOf(RowsOf(ink.image)).counters;
}

LetterInk CornersCut(const LetterInk& ink) {
    LetterInk out = ink;
    const int width = ink.image.width(), height = ink.image.height();
    // The ink as it is cut, pixel by pixel in reading order: a cut shows in the tests after it.
    std::vector<char> inked(std::size_t(width) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            inked[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                IsLetterInk(ink.image.pixel(x, y)) ? 1 : 0;
        }
    }
    const auto at = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height &&
               inked[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0;
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int around = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    around += (dx != 0 || dy != 0) && at(x + dx, y + dy) ? 1 : 0;
                }
            }
            for (const int dx : {-1, 1}) {
                for (const int dy : {-1, 1}) {
                    if (at(x, y) && around == 4 && at(x + dx, y) && at(x, y + dy) &&
                        !at(x + dx, y + dy) && at(x - dx, y + dy) && at(x + dx, y - dy)) {
                        out.image.setPixel(x, y, Background);
                        inked[std::size_t(y) * std::size_t(width) + std::size_t(x)] = 0;
                    }
                }
            }
        }
    }
    return SameStrokes(ink, out) ? out : ink;
}

} // namespace fontlathe
