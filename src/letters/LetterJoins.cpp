#include "LetterJoins.h"

#include "GlyphInk.h"
#include "PixelMap.h"

#include "charset/DisplayColors.h"

#include <algorithm>
#include <vector>

namespace fontlathe {

namespace {

// The rows of `with` that differ from its top row, by line row; nothing when none do.
std::vector<int> BarRows(const LetterInk& with) {
    const Pixels pixels = PixelSetOf(with);
    const std::vector<int> top = RowOf(pixels, with.Top());
    std::vector<int> bars;
    for (int y = with.Top() + 1; y <= with.Bottom(); ++y) {
        if (RowOf(pixels, y) != top) {
            bars.push_back(y);
        }
    }
    return bars.size() + 1 < static_cast<std::size_t>(with.image.height()) ? bars
                                                                           : std::vector<int>{};
}

std::optional<LetterInk> Bar(const LetterInk& ink, const LetterInk& with, int from) {
    const std::vector<int> bars = BarRows(with);
    if (bars.empty()) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const QRgb color = MostUsedInk(ink);
    const int right = ink.Left() + ink.image.width() - 1;
    for (const int y : bars) {
        for (int x = from; x < right; ++x) {
            pixels[{y, x}] = color;
        }
    }
    return InkOf(pixels);
}

void AddStem(Pixels& pixels, int left, const LetterMetrics& metrics, QRgb color) {
    for (int y = metrics.capTop; y <= metrics.baseline; ++y) {
        for (int x = left; x < left + metrics.stem; ++x) {
            pixels[{y, x}] = color;
        }
    }
}

} // namespace

std::optional<LetterInk> BarInside(const LetterInk& ink, const LetterInk& with) {
    return Bar(ink, with, ink.Left() + 1);
}

std::optional<LetterInk> BarFromMiddle(const LetterInk& ink, const LetterInk& with) {
    return Bar(ink, with, ink.Left() + (ink.image.width() - 1) / 2);
}

std::optional<LetterInk> TopHalfOf(const LetterInk& ink, const LetterInk& with,
                                   const LetterMetrics& metrics) {
    // Above the middle of the x-height, `with`'s rows; from there down, the ink's.
    const int middle = metrics.xTop + metrics.XHeight() / 2;
    if (with.Top() >= middle || ink.Top() >= middle) {
        return std::nullopt;
    }
    Pixels pixels;
    for (const auto& [place, color] : PixelSetOf(with)) {
        if (place.first < middle) {
            pixels[place] = color;
        }
    }
    for (const auto& [place, color] : PixelSetOf(ink)) {
        if (place.first >= middle) {
            pixels[place] = color;
        }
    }
    return InkOf(pixels);
}

std::optional<LetterInk> TopLikeBowl(const LetterInk& ink) {
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> top = RowOf(pixels, ink.Top());
    for (int y = ink.Top() + 1; y <= ink.Bottom(); ++y) {
        if (const std::vector<int> row = RowOf(pixels, y); row != top) {
            for (const int x : row) {
                pixels[{ink.Top(), x}] = pixels.at({y, x});
            }
            return InkOf(pixels);
        }
    }
    return std::nullopt;
}

std::optional<LetterInk> StemAtLeftWithBar(const LetterInk& ink, const LetterMetrics& metrics) {
    if (metrics.widest < metrics.stem + 3) {
        return std::nullopt;
    }
    const int gap = std::max(1, (metrics.widest - metrics.stem) / 3);
    std::optional<LetterInk> squeezed = Squeezed(ink, metrics.widest - metrics.stem - gap);
    if (!squeezed) {
        return std::nullopt;
    }
    squeezed->at.rx() = metrics.widestLeft + metrics.widest - squeezed->image.width();
    Pixels pixels = PixelSetOf(*squeezed);
    const QRgb color = MostUsedInk(ink);
    AddStem(pixels, metrics.widestLeft, metrics, color);
    const int middle = (squeezed->Top() + squeezed->Bottom() + 1) / 2;
    const std::vector<int> row = RowOf(PixelSetOf(*squeezed), middle);
    for (int x = metrics.widestLeft + metrics.stem; !row.empty() && x < row.front(); ++x) {
        pixels[{middle, x}] = color;
    }
    return InkOf(pixels);
}

std::optional<LetterInk> BarOnTop(const LetterInk& ink) {
    const std::vector<int> bars = BarRows(ink);
    const Pixels pixels = PixelSetOf(ink);
    if (bars.empty()) {
        return std::nullopt;
    }
    Pixels moved;
    for (int y = ink.Top(); y <= ink.Bottom(); ++y) {
        const int from = y - ink.Top() < int(bars.size()) ? bars.front() : ink.Top();
        for (const int x : RowOf(pixels, from)) {
            moved[{y, x}] = pixels.at({from, x});
        }
    }
    return InkOf(moved);
}

std::optional<LetterInk> BottomFilled(const LetterInk& ink) {
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> bottom = RowOf(pixels, ink.Bottom());
    const QRgb color = MostUsedInk(ink);
    for (int x = bottom.front(); x <= bottom.back(); ++x) {
        pixels.emplace(std::pair(ink.Bottom(), x), color);
    }
    return InkOf(pixels);
}

std::optional<LetterInk> LeftStemCutBelowBar(const LetterInk& ink) {
    const std::vector<int> bars = BarRows(ink);
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> top = RowOf(pixels, ink.Top());
    if (bars.empty() || top.empty()) {
        return std::nullopt;
    }
    int stemEnd = top.front();
    while (std::find(top.begin(), top.end(), stemEnd + 1) != top.end()) {
        ++stemEnd;
    }
    for (auto at = pixels.begin(); at != pixels.end();) {
        const auto [y, x] = at->first;
        at = y >= bars.front() && x <= stemEnd ? pixels.erase(at) : std::next(at);
    }
    return InkOf(pixels);
}

std::optional<LetterInk> TailOf(const LetterInk& ink, const LetterInk& with,
                                const LetterMetrics& metrics) {
    const int lift = with.Bottom() - metrics.baseline;
    if (lift <= 0 || ink.Bottom() != metrics.baseline || ink.Top() > metrics.baseline - lift) {
        return std::nullopt;
    }
    // Only a tail that carries on a straight right stem (u's with a tail, not v's with one).
    const Pixels tail = PixelSetOf(with);
    const int right = with.Left() + with.image.width() - 1;
    for (int y = with.Top(); y <= metrics.baseline + 1; ++y) {
        if (!tail.contains({y, right})) {
            return std::nullopt;
        }
    }
    Pixels pixels;
    for (const auto& [place, color] : PixelSetOf(ink)) {
        if (place.first <= metrics.baseline - lift) {
            pixels[place] = color;
        }
    }
    for (const auto& [place, color] : PixelSetOf(with)) {
        if (place.first > metrics.baseline) {
            pixels[{place.first - lift, place.second}] = color;
        }
    }
    return InkOf(pixels);
}

std::optional<LetterInk> FootOf(const LetterInk& ink, const LetterInk& with,
                                const LetterMetrics& metrics) {
    const int middle = (metrics.xTop + metrics.baseline) / 2;
    if (ink.Bottom() != with.Bottom() || ink.Top() > middle || with.Top() > middle) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const Pixels foot = PixelSetOf(with);
    const std::vector<int> stem = RowOf(pixels, middle), footStem = RowOf(foot, middle);
    const auto isRun = [](const std::vector<int>& row) {
        return !row.empty() && row.back() - row.front() + 1 == static_cast<int>(row.size());
    };
    if (!isRun(stem) || !isRun(footStem) || stem.size() != footStem.size()) {
        return std::nullopt;
    }
    // Where the foot's stem turns: the first row under the middle that is not the stem alone.
    int turn = middle + 1;
    while (turn <= with.Bottom() && RowOf(foot, turn) == footStem) {
        ++turn;
    }
    // A foot that leaves the stem (a hook off to the side) would break it.
    const std::vector<int> turning = RowOf(foot, turn);
    if (turn > with.Bottom() || turning.empty() || turning.front() > footStem.back() + 1 ||
        turning.back() < footStem.front() - 1) {
        return std::nullopt;
    }
    std::erase_if(pixels, [&](const auto& pixel) { return pixel.first.first >= turn; });
    const int shift = stem.front() - footStem.front();
    for (const auto& [place, color] : foot) {
        if (place.first >= turn) {
            pixels.emplace(std::pair(place.first, place.second + shift), color);
        }
    }
    return InkOf(pixels);
}

} // namespace fontlathe
