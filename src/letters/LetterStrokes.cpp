#include "LetterStrokes.h"

#include "GlyphInk.h"
#include "charset/DisplayColors.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace fontlathe {

namespace {

int StemColumn(const QImage& raster, const QRect& ink, const PaletteLookup& palette) {
    std::vector<int> counts(static_cast<std::size_t>(ink.width()), 0);
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        const auto* line = PixelsOf(raster, y);
        for (int x = ink.left(); x <= ink.right(); ++x) {
            counts[static_cast<std::size_t>(x - ink.left())] += palette.IndexOf(line[x]) != 0;
        }
    }
    return ink.left() +
           static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());
}

// The pixels of a line from one point to the other, ends included.
std::vector<QPoint> LinePoints(QPoint from, QPoint to) {
    std::vector<QPoint> points;
    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1, stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    for (QPoint at = from;;) {
        points.push_back(at);
        if (at == to) {
            return points;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
}

} // namespace

std::optional<Glyph> DrawStroke(const Glyph& base, StrokeKind stroke,
                                const PaletteLookup& palette) {
    const QRect ink = InkRectOf(base.raster, palette);
    if (ink.isNull()) {
        return std::nullopt;
    }
    InkCounts counts{};
    CountInk(base.raster, palette, counts);
    const QRgb color = DisplayColorOf(MostUsedInk(counts));
    const int stem = StemColumn(base.raster, ink, palette);
    const int middle = (ink.top() + ink.bottom()) / 2;
    const int reach = std::max(1, ink.width() / 3);
    std::vector<QPoint> points;
    switch (stroke) {
    case StrokeKind::SlantThroughStem: {
        int stemRight = stem;
        const auto* row = PixelsOf(base.raster, middle);
        while (stemRight < ink.right() && palette.IndexOf(row[stemRight + 1]) != 0) {
            ++stemRight;
        }
        if (ink.height() < 13) {
            // Two rows, one pixel beyond the stem each way: right above, left on the lower
            // middle row.
            const int lower = (ink.top() + ink.bottom() + 1) / 2;
            points = LinePoints({stem - 1, lower}, {stem, lower});
            const std::vector<QPoint> upper =
                LinePoints({stemRight, lower - 1}, {stemRight + 1, lower - 1});
            points.insert(points.end(), upper.begin(), upper.end());
        } else {
            // A tall letter's slant rises one column a row through the middle, a third of its
            // height long, as thick as the stem is wide.
            const int half = (ink.height() + 2) / 6;
            for (int k = -half; k <= half; ++k) {
                const std::vector<QPoint> run =
                    LinePoints({stem - k, middle + k}, {stemRight - k, middle + k});
                points.insert(points.end(), run.begin(), run.end());
            }
        }
        break;
    }
    case StrokeKind::BarNearStemTop: {
        const int row = ink.top() + std::max(1, ink.height() / 5);
        points = LinePoints({stem - reach, row}, {stem + 1, row});
        break;
    }
    case StrokeKind::BarThroughStemMid:
        points = LinePoints({stem - 1, middle}, {stem + reach, middle});
        break;
    case StrokeKind::BarAcrossTop: {
        const int row = ink.top() + std::max(1, ink.height() / 4);
        points = LinePoints({ink.left() - 1, row}, {ink.right() + 1, row});
        break;
    }
    case StrokeKind::SlashAcrossInk:
        points = LinePoints(ink.bottomLeft(), ink.topRight());
        break;
    }
    QRect reached;
    for (const QPoint& point : points) {
        reached |= QRect(point, QSize(1, 1));
    }
    Glyph stroked = base;
    const QPoint moved = GrowToHold(stroked, reached);
    for (const QPoint& point : points) {
        const QPoint at = point + moved;
        WritablePixelsOf(stroked.raster, at.y())[at.x()] = color;
    }
    return FitsFontFile(stroked) ? std::optional<Glyph>(std::move(stroked)) : std::nullopt;
}

} // namespace fontlathe
