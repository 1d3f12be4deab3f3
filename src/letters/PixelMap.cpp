#include "PixelMap.h"

#include "GlyphInk.h"

#include "charset/Charset.h"

#include <QRect>

#include <climits>

namespace fontlathe {

Pixels PixelSetOf(const LetterInk& ink) {
    Pixels pixels;
    for (int y = 0; y < ink.image.height(); ++y) {
        const auto* line = PixelsOf(ink.image, y);
        for (int x = 0; x < ink.image.width(); ++x) {
            if (IsLetterInk(line[x])) {
                pixels[{ink.Top() + y, ink.Left() + x}] = line[x];
            }
        }
    }
    return pixels;
}

std::optional<LetterInk> InkOf(const Pixels& pixels) {
    if (pixels.empty()) {
        return std::nullopt;
    }
    QRect bounds;
    for (const auto& [place, color] : pixels) {
        bounds |= QRect(place.second, place.first, 1, 1);
    }
    LetterInk ink{MakeBlankRaster(bounds.width(), bounds.height()), bounds.topLeft()};
    for (const auto& [place, color] : pixels) {
        ink.image.setPixel(place.second - bounds.left(), place.first - bounds.top(), color);
    }
    return ink;
}

std::vector<int> RowOf(const Pixels& pixels, int y) {
    std::vector<int> row;
    for (auto at = pixels.lower_bound({y, INT_MIN}); at != pixels.end() && at->first.first == y;
         ++at) {
        row.push_back(at->first.second);
    }
    return row;
}

std::vector<std::pair<int, int>> RunsOf(const std::vector<int>& row) {
    std::vector<std::pair<int, int>> runs;
    for (const int x : row) {
        if (runs.empty() || x != runs.back().second + 1) {
            runs.emplace_back(x, x);
        } else {
            runs.back().second = x;
        }
    }
    return runs;
}

void FillRow(Pixels& pixels, int y, int from, int to, QRgb color) {
    for (int x = from; x <= to; ++x) {
        pixels[{y, x}] = color;
    }
}

} // namespace fontlathe
