#include "GlyphInk.h"

#include "charset/Charset.h"
#include "charset/DisplayColors.h"

#include <algorithm>
#include <limits>
#include <map>

namespace fontlathe {

QRect InkRectOf(const QImage& raster, const PaletteLookup& palette) {
    int left = raster.width(), right = -1, top = raster.height(), bottom = -1;
    for (int y = 0; y < raster.height(); ++y) {
        const auto* line = PixelsOf(raster, y);
        for (int x = 0; x < raster.width(); ++x) {
            if (palette.IndexOf(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

int RowInkCount(const QImage& raster, int y, const PaletteLookup& palette) {
    if (y < 0 || y >= raster.height()) {
        return 0;
    }
    const QRgb* line = PixelsOf(raster, y);
    return static_cast<int>(std::count_if(line, line + raster.width(),
                                          [&](QRgb pixel) { return palette.IndexOf(pixel) != 0; }));
}

QRect RowInkOf(const QImage& raster, int y, const PaletteLookup& palette) {
    if (y < 0 || y >= raster.height()) {
        return {};
    }
    const auto* line = PixelsOf(raster, y);
    int left = 0, right = raster.width() - 1;
    while (left <= right && palette.IndexOf(line[left]) == 0) {
        ++left;
    }
    while (right > left && palette.IndexOf(line[right]) == 0) {
        --right;
    }
    return left > right ? QRect() : QRect(left, y, right - left + 1, 1);
}

bool HasOpenTop(const QImage& raster, const PaletteLookup& palette) {
    const QRect ink = InkRectOf(raster, palette);
    if (ink.isNull()) {
        return false;
    }
    const auto* line = PixelsOf(raster, ink.top());
    int runs = 0;
    for (int x = ink.left(); x <= ink.right(); ++x) {
        runs +=
            palette.IndexOf(line[x]) != 0 && (x == ink.left() || palette.IndexOf(line[x - 1]) == 0);
    }
    return runs > 1;
}

void CountInk(const QImage& raster, const PaletteLookup& palette, InkCounts& counts) {
    for (int y = 0; y < raster.height(); ++y) {
        const auto* line = PixelsOf(raster, y);
        for (int x = 0; x < raster.width(); ++x) {
            ++counts[static_cast<std::size_t>(palette.IndexOf(line[x]))];
        }
    }
}

int MostUsedInk(const InkCounts& counts, int except) {
    int best = 0;
    for (int index = 1; index < static_cast<int>(counts.size()); ++index) {
        const auto count = counts[static_cast<std::size_t>(index)];
        if (index != except && count > 0 && (best == 0 || count > counts[std::size_t(best)])) {
            best = index;
        }
    }
    return best;
}

QImage Crop(const QImage& raster, const QRect& rect) {
    QImage cut = MakeBlankRaster(rect.width(), rect.height());
    for (int y = 0; y < rect.height(); ++y) {
        std::copy_n(PixelsOf(raster, rect.top() + y) + rect.left(), rect.width(),
                    WritablePixelsOf(cut, y));
    }
    return cut;
}

void StampInk(QImage& target, const QImage& source, QPoint at, const PaletteLookup& palette) {
    for (int y = std::max(0, -at.y()); y < source.height(); ++y) {
        if (at.y() + y >= target.height()) {
            break;
        }
        const auto* from = PixelsOf(source, y);
        auto* to = WritablePixelsOf(target, at.y() + y);
        for (int x = std::max(0, -at.x()); x < source.width() && at.x() + x < target.width(); ++x) {
            if (palette.IndexOf(from[x]) != 0) {
                to[at.x() + x] = from[x];
            }
        }
    }
}

void GrowGlyph(Glyph& glyph, const QMargins& margins) {
    if (margins.isNull()) {
        return;
    }
    QImage grown = MakeBlankRaster(glyph.width() + margins.left() + margins.right(),
                                   glyph.height() + margins.top() + margins.bottom());
    for (int y = 0; y < glyph.height(); ++y) {
        std::copy_n(PixelsOf(glyph.raster, y), glyph.width(),
                    WritablePixelsOf(grown, y + margins.top()) + margins.left());
    }
    glyph.raster = std::move(grown);
    glyph.xOffset = static_cast<std::int16_t>(glyph.xOffset - margins.left());
    glyph.yOffset = static_cast<std::int16_t>(glyph.yOffset - margins.top());
}

QPoint GrowToHold(Glyph& glyph, const QRect& rect) {
    const QMargins margins(std::max(0, -rect.left()), std::max(0, -rect.top()),
                           std::max(0, rect.right() + 1 - glyph.width()),
                           std::max(0, rect.bottom() + 1 - glyph.height()));
    GrowGlyph(glyph, margins);
    return QPoint(margins.left(), margins.top());
}

void StampGrowing(Glyph& glyph, const QImage& mark, QPoint at, const PaletteLookup& palette) {
    at += GrowToHold(glyph, QRect(at, mark.size()));
    StampInk(glyph.raster, mark, at, palette);
}

bool StandsClearAbove(const QImage& body, const QImage& mark, QPoint at,
                      const PaletteLookup& palette, bool cornersMayTouch) {
    const QRect markInk = InkRectOf(mark, palette);
    if (markInk.isNull() || at.y() + markInk.bottom() >= InkRectOf(body, palette).top()) {
        return false;
    }
    const InkRaster markRaster(mark, palette), bodyRaster(body, palette);
    for (int y = markInk.top(); y <= markInk.bottom(); ++y) {
        for (int x = markInk.left(); x <= markInk.right(); ++x) {
            if (!markRaster.Ink(x, y)) {
                continue;
            }
            for (const QPoint step : {QPoint(-1, 1), QPoint(0, 1), QPoint(1, 1)}) {
                if ((step.x() == 0 || !cornersMayTouch) &&
                    bodyRaster.Ink(at + QPoint(x, y) + step)) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool FitsFontFile(const Glyph& glyph) {
    return glyph.width() <= MaxGlyphSide && glyph.height() <= MaxGlyphSide &&
           IsValidGlyphOffset(glyph.xOffset) && IsValidGlyphOffset(glyph.yOffset);
}

int InkDistance(const Glyph& a, const Glyph& b, const PaletteLookup& palette) {
    const auto inkOf = [&palette](const Glyph& glyph) {
        std::map<std::pair<int, int>, int> ink;
        for (int y = 0; y < glyph.height(); ++y) {
            const auto* line = PixelsOf(glyph.raster, y);
            for (int x = 0; x < glyph.width(); ++x) {
                if (const int index = palette.IndexOf(line[x]); index != 0) {
                    ink[{x + glyph.xOffset, y + glyph.yOffset}] = index;
                }
            }
        }
        return ink;
    };
    const auto first = inkOf(a), second = inkOf(b);
    int best = std::numeric_limits<int>::max();
    for (const int shift : {0, -1, 1}) {
        int differing = 0;
        for (const auto& [at, index] : first) {
            const auto other = second.find({at.first + shift, at.second});
            differing += other == second.end() || other->second != index;
        }
        for (const auto& [at, index] : second) {
            differing += !first.contains({at.first - shift, at.second});
        }
        best = std::min(best, differing);
    }
    return best;
}

} // namespace fontlathe
