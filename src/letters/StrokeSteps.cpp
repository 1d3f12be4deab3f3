#include "StrokeSteps.h"

#include "GlyphInk.h"
#include "PixelMap.h"
#include "StrokeKeeping.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace fontlathe {

std::optional<LetterInk> StemAtRight(const LetterInk& ink, const LetterMetrics& metrics) {
    const int room = metrics.widest - metrics.stem;
    if (room < 3) {
        return std::nullopt;
    }
    LetterInk narrowed = NarrowedKeepingStrokes(ink, room - 1, metrics.stem);
    if (room - 1 < 3 || narrowed.image.width() > room - 1) {
        narrowed = NarrowedKeepingStrokes(ink, room, metrics.stem);
    }
    if (narrowed.image.width() > room) {
        return std::nullopt;
    }
    narrowed.at.rx() = metrics.widestLeft;
    Pixels pixels = PixelSetOf(narrowed);
    const QRgb color = MostUsedInk(ink);
    const int stem = metrics.widestLeft + room;
    for (int y = ink.Top(); y <= ink.Bottom(); ++y) {
        for (int x = stem; x < stem + metrics.stem; ++x) {
            pixels[{y, x}] = color;
        }
    }
    return InkOf(pixels);
}

std::optional<LetterInk> WithStemThrough(const LetterInk& ink, const LetterMetrics& metrics,
                                         StemThrough kind) {
    const int width = ink.image.width(), height = ink.image.height();
    if (width < 4 || height < 3 || metrics.descent < 1) {
        return std::nullopt;
    }
    // As wide as the font's stems where that centres it, else a pixel wide; a bowl of even width
    // round a pixel-wide stem gets its middle column doubled, or taken out where that would pass
    // M's width. In a bold font, a stem that would fill the bowl's counter is a pixel wide, and
    // the bowl grows a column past M's width rather than lose its counters, as designers of bold
    // pixel faces draw Ф.
    const Pixels source = PixelSetOf(ink);
    const auto sides = RunsOf(RowOf(source, ink.Top() + height / 2));
    const int counter = sides.size() >= 2 ? sides.back().first - sides.front().second - 1 : width;
    const bool bold = metrics.stem > 1;
    int stem = (width - metrics.stem) % 2 == 0 ? metrics.stem : 1;
    if (bold && counter - stem < 2) {
        stem = 1;
    }
    const int middle = ink.Left() + width / 2;
    int change = (width - stem) % 2 == 0                            ? 0
                 : metrics.widest > 0 && width + 1 > metrics.widest ? -1
                                                                    : 1;
    if (bold && change < 0 && counter - 1 - stem < 2) {
        change = 1;
    }
    Pixels pixels;
    for (const auto& [place, color] : source) {
        const auto [y, x] = place;
        if (x < middle) {
            pixels[place] = color;
        } else if (x > middle || change >= 0) {
            pixels[{y, x + change}] = color;
        }
        if (x == middle && change > 0) {
            pixels[place] = color;
        }
    }
    const int left = ink.Left() + (width + change - stem) / 2;
    const QRgb color = MostUsedInk(ink);
    int from = ink.Top() - std::min(metrics.descent, 2);
    int to = ink.Bottom() + std::min(metrics.descent, 2);
    if (kind == StemThrough::Open) {
        // The sides go straight up from the middle: the rows above it become its row.
        const int half = ink.Top() + (height - 1) / 2;
        const std::vector<int> sides = RowOf(pixels, half);
        for (int y = ink.Top(); y < half; ++y) {
            for (int x = ink.Left(); x < ink.Left() + width + change; ++x) {
                pixels.erase({y, x});
            }
            for (const int x : sides) {
                pixels[{y, x}] = pixels.at({half, x});
            }
        }
        from = ink.Top();
        to = ink.Bottom() + metrics.descent;
    }
    for (int y = from; y <= to; ++y) {
        for (int x = left; x < left + stem; ++x) {
            pixels[{y, x}] = color;
        }
    }
    return InkOf(pixels);
}

std::optional<LetterInk> StemsPinched(const LetterInk& ink) {
    // The top row's runs of ink: three stems.
    const std::vector<std::pair<int, int>> stems = RunsOf(RowOf(PixelSetOf(ink), ink.Top()));
    const int height = ink.image.height();
    if (stems.size() != 3 || height < 3) {
        return std::nullopt;
    }
    const int leftGap = stems[1].first - stems[0].second - 1;
    const int rightGap = stems[2].first - stems[1].second - 1;
    const int waist = ink.Top() + (height - 1) / 2;
    const QRgb color = MostUsedInk(ink);
    Pixels made;
    for (int y = ink.Top(); y <= ink.Bottom(); ++y) {
        const int left = std::max(0, leftGap - std::abs(y - waist));
        const int right = std::max(0, rightGap - std::abs(y - waist));
        FillRow(made, y, stems[0].first + left, stems[0].second + left, color);
        FillRow(made, y, stems[1].first, stems[1].second, color);
        FillRow(made, y, stems[2].first - right, stems[2].second - right, color);
    }
    return InkOf(made);
}

std::optional<LetterInk> StemsOnAFoot(const LetterInk& ink) {
    const std::vector<std::pair<int, int>> stems = RunsOf(RowOf(PixelSetOf(ink), ink.Top()));
    if (stems.size() != 3 || ink.image.height() < 5) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    Pixels made;
    for (int y = ink.Top(); y < ink.Bottom() - 2; ++y) {
        for (const auto& [first, last] : stems) {
            FillRow(made, y, first, last, color);
        }
    }
    FillRow(made, ink.Bottom() - 2, stems[0].second + 1, stems[2].first - 1, color);
    for (int y = ink.Bottom() - 1; y <= ink.Bottom(); ++y) {
        FillRow(made, y, stems[1].first, stems[1].second, color);
    }
    return InkOf(made);
}

std::optional<LetterInk> FinalTail(const LetterInk& ink, const LetterMetrics& metrics) {
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> bottom = RowOf(pixels, ink.Bottom());
    if (bottom.empty() || metrics.descent < 1 || ink.image.height() < 3) {
        return std::nullopt;
    }
    // The bowl's lower end goes: below the middle only the left stem's run stays.
    for (int y = (ink.Top() + ink.Bottom()) / 2 + 1; y < ink.Bottom(); ++y) {
        const std::vector<int> row = RowOf(pixels, y);
        for (std::size_t at = 1; at < row.size(); ++at) {
            if (row[at] != row[at - 1] + 1) {
                for (std::size_t gone = at; gone < row.size(); ++gone) {
                    pixels.erase({y, row[gone]});
                }
                break;
            }
        }
    }
    // The tail's right column is one past the bottom row's end; its last row turns left.
    const int end = bottom.back() + 1;
    const QRgb color = MostUsedInk(ink);
    for (int y = ink.Bottom() + 1; y <= ink.Bottom() + metrics.descent; ++y) {
        const int turn = y == ink.Bottom() + metrics.descent ? 1 : 0;
        for (int x = end + 1 - metrics.stem - turn; x <= end - turn; ++x) {
            pixels[{y, x}] = color;
        }
    }
    return InkOf(pixels);
}

std::optional<LetterInk> Waist(const LetterInk& ink, const LetterMetrics& metrics, WaistStem stem) {
    const int width = ink.image.width(), height = ink.image.height();
    // A bar to the middle holds on four rows (a 7-pixel face's є); a waist needs five.
    if (height < (stem == WaistStem::Kept ? 4 : 5) || width < metrics.stem + 2) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const int waist = ink.Top() + (height - 1) / 2;
    const QRgb color = MostUsedInk(ink);
    for (int x = ink.Left(); x < ink.Left() + width; ++x) {
        pixels.erase({waist, x});
    }
    const int from = stem == WaistStem::Kept ? ink.Left() : ink.Left() + metrics.stem;
    for (int x = from; x < ink.Left() + width / 2 + metrics.stem; ++x) {
        pixels[{waist, x}] = color;
    }
    return InkOf(pixels);
}

std::optional<LetterInk> BarAcross(const LetterInk& ink) {
    if (ink.image.height() < 5) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const int middle = ink.Top() + (ink.image.height() - 1) / 2;
    const QRgb color = MostUsedInk(ink);
    for (int x = ink.Left(); x < ink.Left() + ink.image.width(); ++x) {
        pixels[{middle, x}] = color;
    }
    return InkOf(pixels);
}

std::optional<LetterInk> TopBarToTheRight(const LetterInk& ink) {
    const int width = ink.image.width(), height = ink.image.height();
    if (width < 4 || height < 4) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const std::vector<int> top = RowOf(pixels, ink.Top());
    const int right = ink.Left() + width - 1;
    if (top.empty() || top.back() >= right) {
        return std::nullopt;
    }
    const QRgb color = MostUsedInk(ink);
    // The slant starts under the top bar right of the middle and steps right a row at a time
    // until it meets the right side; the bowl right of the middle above that goes.
    int x = ink.Left() + (width + 1) / 2, y = ink.Top() + 1;
    const int meets = y + (right - x);
    for (auto at = pixels.begin(); at != pixels.end();) {
        const auto [py, px] = at->first;
        at = py > ink.Top() && py < meets && px > ink.Left() + width / 2 ? pixels.erase(at)
                                                                         : std::next(at);
    }
    for (; x <= right && y <= ink.Bottom(); ++x, ++y) {
        pixels[{y, x}] = color;
    }
    for (int bar = top.front(); bar <= top.back() + 1; ++bar) {
        pixels[{ink.Top(), bar}] = color;
    }
    return InkOf(pixels);
}

std::optional<LetterInk> StretchedThroughDescent(const LetterInk& ink,
                                                 const LetterMetrics& metrics) {
    const Pixels pixels = PixelSetOf(ink);
    std::vector<std::vector<int>> rows;
    for (int y = ink.Top(); y <= ink.Bottom(); ++y) {
        rows.push_back(RowOf(pixels, y));
    }
    // The rows unlike the first and last, taken from the outside in.
    std::vector<std::size_t> inner;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] != rows.front() && rows[i] != rows.back()) {
            inner.push_back(i);
        }
    }
    std::vector<std::size_t> order;
    for (std::size_t low = 0, high = inner.size(); low < high; ++low) {
        order.push_back(inner[low]);
        if (--high > low) {
            order.push_back(inner[high]);
        }
    }
    const auto extra = static_cast<std::size_t>(std::max(0, metrics.descent));
    if (extra == 0 || extra > order.size()) {
        return std::nullopt;
    }
    order.resize(extra);
    Pixels made;
    const QRgb color = MostUsedInk(ink);
    int y = ink.Top();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int copies = std::find(order.begin(), order.end(), i) != order.end() ? 2 : 1;
        for (int copy = 0; copy < copies; ++copy, ++y) {
            for (const int x : rows[i]) {
                made[{y, x}] = color;
            }
        }
    }
    return InkOf(made);
}

std::optional<LetterInk> PointDown(const LetterInk& ink, const LetterMetrics& metrics) {
    if (ink.Bottom() != metrics.baseline || metrics.descent < 2) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    for (const int x : RowOf(pixels, ink.Bottom())) {
        const QRgb color = pixels.at({ink.Bottom(), x});
        for (int y = ink.Bottom() + 1; y <= ink.Bottom() + metrics.descent; ++y) {
            pixels[{y, x}] = color;
        }
    }
    return InkOf(pixels);
}

std::optional<LetterInk> StemDown(const LetterInk& ink, const LetterMetrics& metrics) {
    if (ink.Bottom() != metrics.baseline || metrics.descent < 1) {
        return std::nullopt;
    }
    Pixels pixels = PixelSetOf(ink);
    const QRgb color = MostUsedInk(ink);
    for (int y = ink.Bottom() + 1; y <= ink.Bottom() + metrics.descent; ++y) {
        for (int x = ink.Left(); x < ink.Left() + metrics.stem; ++x) {
            pixels[{y, x}] = color;
        }
    }
    return InkOf(pixels);
}

std::optional<LetterInk> BottomAtHalf(const LetterInk& ink) {
    const Pixels pixels = PixelSetOf(ink);
    const int bar = ink.Top() + ink.image.height() / 2;
    const std::vector<int> bottom = RowOf(pixels, ink.Bottom());
    const std::vector<int> above = RowOf(pixels, bar - 1);
    if (bottom.empty() || above.size() < 2 || bar >= ink.Bottom()) {
        return std::nullopt;
    }
    // The right stem: the last run of ink of the row above the bar.
    int stem = above.back();
    while (std::find(above.begin(), above.end(), stem - 1) != above.end()) {
        --stem;
    }
    if (stem <= above.front()) {
        return std::nullopt;
    }
    Pixels made;
    const QRgb color = MostUsedInk(ink);
    for (const auto& [place, pixel] : pixels) {
        if (place.first < bar) {
            made[place] = pixel;
        }
    }
    for (int x = bottom.front(); x <= above.back(); ++x) {
        made[{bar, x}] = color;
    }
    for (int y = bar + 1; y <= ink.Bottom(); ++y) {
        for (int x = stem; x <= above.back(); ++x) {
            made[{y, x}] = color;
        }
    }
    return InkOf(made);
}

} // namespace fontlathe
