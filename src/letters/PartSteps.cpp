#include "PartSteps.h"

#include "GlyphInk.h"
#include "PixelMap.h"
#include "StrokeSteps.h"

#include <algorithm>
#include <vector>

namespace fontlathe {

std::optional<LetterInk> StemFromXHeight(const LetterInk& ink, const LetterMetrics& metrics) {
    const int top = metrics.xTop, middle = (metrics.xTop + metrics.baseline) / 2;
    if (ink.Top() >= top || ink.Bottom() < middle + 2) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> stem = RowOf(pixels, middle);
    if (stem.empty() || stem.back() - stem.front() + 1 != static_cast<int>(stem.size())) {
        return std::nullopt;
    }
    // Above the middle only the stem stays: the ascender and the bar go.
    std::erase_if(pixels, [&](const auto& pixel) {
        const auto [y, x] = pixel.first;
        return y < top || (y < middle && (x < stem.front() || x > stem.back()));
    });
    // A foot of two pixels or more beside the stem ends a column sooner: in each of the last two
    // rows, its end moves a column in towards the stem. A one-pixel hook stays as it is.
    const std::vector<int> foot = RowOf(pixels, ink.Bottom());
    const auto beside =
        std::count_if(foot.begin(), foot.end(), [&](int x) { return x > stem.back(); });
    for (int y = ink.Bottom() - 1; beside >= 2 && y <= ink.Bottom(); ++y) {
        const std::vector<int> row = RowOf(pixels, y);
        if (!row.empty() && row.back() > stem.back()) {
            const QRgb color = pixels.at({y, row.back()});
            pixels.erase({y, row.back()});
            pixels.emplace(std::pair(y, row.back() - 1), color);
        }
    }
    return InkOf(pixels);
}

namespace {

// Whether row y's ink starts in column x.
bool StartsAt(const Pixels& pixels, int y, int x) {
    const std::vector<int> row = RowOf(pixels, y);
    return !row.empty() && row.front() == x;
}

// The first row from `from` on, before `end`, whose ink starts in column x; `end` where none does:
// where a bowl's left side stands straight.
int FirstRowStartingAt(const Pixels& pixels, int from, int end, int x) {
    while (from < end && !StartsAt(pixels, from, x)) {
        ++from;
    }
    return from;
}

} // namespace

std::optional<LetterInk> RisingToABar(const LetterInk& ink, const LetterMetrics& metrics) {
    const int left = ink.Left(), right = left + ink.image.width() - 1;
    const int bar = metrics.ascenderTop;
    if (ink.Top() - bar < 2 || right - left < 2) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    // Where the left side stands straight: the first row that reaches the left column.
    const int side = FirstRowStartingAt(pixels, ink.Top(), ink.Bottom(), left);
    if (side >= ink.Bottom() - 1) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    std::erase_if(pixels, [side](const auto& pixel) { return pixel.first.first <= side; });
    FillRow(pixels, bar, left, right, color);
    // The slant, as wide as the stems: from below the bar's middle down to the left side,
    // evenly, half a step on.
    const int middle = (left + right) / 2, rows = side - bar - 1;
    for (int y = bar + 1; y <= side; ++y) {
        const int steps = rows == 0 ? 0 : (2 * (middle - left) * (y - bar - 1) + rows) / (2 * rows);
        FillRow(pixels, y, middle - steps, middle - steps + std::max(1, metrics.stem) - 1, color);
    }
    return InkOf(pixels);
}

std::optional<LetterInk> MiddleTurn(const LetterInk& ink, const LetterMetrics& metrics) {
    const int left = ink.Left(), width = ink.image.width();
    Pixels pixels = PixelSetOf(ink);
    const int side = FirstRowStartingAt(pixels, ink.Top() + 1, ink.Bottom(), left);
    const std::vector<int> foot = RowOf(pixels, side - 1);
    // The side must go on straight for two rows more before the bowl's bottom.
    if (side + 3 > ink.Bottom() || foot.empty() || foot.front() <= left ||
        !StartsAt(pixels, side + 1, left) || !StartsAt(pixels, side + 2, left)) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    const int stem = std::max(1, metrics.stem);
    std::erase_if(pixels, [side](const auto& pixel) {
        return pixel.first.first == side || pixel.first.first == side + 1;
    });
    FillRow(pixels, side, foot.front() + 1, foot.front() + width / 2, color);
    FillRow(pixels, side + 1, left + 1, left + stem, color);
    return InkOf(pixels);
}

std::optional<LetterInk> StemEndsAtRight(const LetterInk& ink) {
    if (ink.image.height() < 4 || ink.image.width() < 3) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const int right = ink.Left() + ink.image.width();
    const QRgb color = MostUsedInk(ink);
    pixels[{ink.Top(), right}] = color;
    pixels[{ink.Bottom(), right}] = color;
    pixels[{ink.Top() + 1, right}] = color;
    pixels[{ink.Bottom() - 1, right}] = color;
    return InkOf(pixels);
}

std::optional<LetterInk> TopRepeatedAbove(const LetterInk& ink, const LetterMetrics& metrics) {
    const int top = metrics.ascenderTop;
    if (ink.Top() - top != 3 || ink.image.height() < 4 || ink.image.width() < 3) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    for (int row = 0; row < 2; ++row) {
        for (const int x : RowOf(pixels, ink.Top() + row)) {
            pixels[{top + row, x}] = pixels.at({ink.Top() + row, x});
        }
    }
    pixels[{top + 2, ink.Left() + 1}] = MostUsedInk(ink);
    return InkOf(pixels);
}

std::optional<LetterInk> CapitalStemThrough(const LetterInk& ink, const LetterMetrics& metrics) {
    LetterMetrics oneRow = metrics;
    oneRow.descent = 1;
    if (ink.Top() >= 2) {
        return WithStemThrough(ink, oneRow, StemThrough::Closed);
    }
    // Two of the straight rows in the middle go; the rows above them come down a row, the rows
    // below go up one.
    const int middle = ink.Top() + ink.image.height() / 2;
    Pixels pixels = PixelSetOf(ink);
    if (ink.image.height() < 6 || RowOf(pixels, middle - 1) != RowOf(pixels, middle) ||
        RowOf(pixels, middle) != RowOf(pixels, middle + 1)) {
        return std::nullopt;
    }
    Pixels shorter;
    for (const auto& [place, color] : pixels) {
        const auto [y, x] = place;
        if (y < middle - 1) {
            shorter[{y + 1, x}] = color;
        } else if (y > middle) {
            shorter[{y - 1, x}] = color;
        }
    }
    const std::optional<LetterInk> bowl = InkOf(shorter);
    return bowl ? WithStemThrough(*bowl, oneRow, StemThrough::Closed) : std::nullopt;
}

std::optional<LetterInk> ApexCarriedUp(const LetterInk& ink, const LetterMetrics& metrics) {
    const int top = ink.Top(), above = top - metrics.ascenderTop;
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> apex = RowOf(pixels, top);
    if (above < 1 || apex.empty() || apex.back() - apex.front() + 1 != int(apex.size())) {
        return std::nullopt;
    }
    // How many rows the apex's column has, and how many the leg's next column below it.
    const auto rowsAt = [&](int from, int x) {
        int y = from;
        while (y <= ink.Bottom() && StartsAt(pixels, y, x)) {
            ++y;
        }
        return y - from;
    };
    const int own = rowsAt(top, apex.front());
    const std::vector<int> below = RowOf(pixels, top + own);
    const int step = below.empty() ? 0 : rowsAt(top + own, below.front());
    if (step < 1 || below.front() >= apex.front()) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    for (int j = 1; j <= above; ++j) {
        const int x = apex.front() - (own + j - 1) / step;
        FillRow(pixels, top - j, x, x + int(apex.size()) - 1, color);
    }
    return InkOf(pixels);
}

} // namespace fontlathe
