#include "MadeMarks.h"

#include "GlyphInk.h"
#include "charset/Charset.h"

#include <algorithm>

namespace fontlathe {

// A breve: a cup as wide as width, as tall as the circumflex and drawn with its strokes, upright
// sides over a flat bottom between them.
MarkImage BreveCup(const MarkImage& circumflex, int width, const PaletteLookup& palette) {
    const QRect bottom =
        circumflex.isNull() ? QRect() : RowInkOf(circumflex, circumflex.height() - 1, palette);
    if (bottom.isNull()) {
        return circumflex.mirrored(false, true);
    }
    const InkRaster strokes(circumflex, palette);
    int weight = 1;
    while (weight < bottom.width() && strokes.Ink(bottom.left() + weight, bottom.top())) {
        ++weight;
    }
    const QRgb ink = circumflex.pixel(bottom.left(), bottom.top());
    // A cup is two rows at least: a flat circumflex's one row would make it a bar.
    const int rows = std::max(2, circumflex.height());
    width = std::max(width, 2 * weight + 1);
    QImage cup = MakeBlankRaster(width, rows);
    for (int y = 0; y + 1 < rows; ++y) {
        for (int x = 0; x < weight; ++x) {
            cup.setPixel(x, y, ink);
            cup.setPixel(width - 1 - x, y, ink);
        }
    }
    for (int x = 1; x + 1 < width; ++x) {
        cup.setPixel(x, rows - 1, ink);
    }
    return cup;
}

namespace {

QImage SideBySide(const QImage& mark, int gap, const PaletteLookup& palette) {
    QImage both = MakeBlankRaster(2 * mark.width() + gap, mark.height());
    StampInk(both, mark, QPoint(0, 0), palette);
    StampInk(both, mark, QPoint(mark.width() + gap, 0), palette);
    return both;
}

// The acute a double acute is made of, where two of the font's would be wider than the letter:
// designers draw it no wider than three columns, a long acute losing rows from its top while it
// has more than two, then columns from its left.
QImage ShortAcute(const QImage& acute, const PaletteLookup& palette) {
    QRect kept = InkRectOf(acute, palette);
    while (kept.width() > 3 && kept.height() > 2) {
        kept.setTop(kept.top() + 1);
        kept = InkRectOf(Crop(acute, kept), palette).translated(kept.topLeft());
    }
    if (kept.width() > 3) {
        kept.setLeft(kept.right() - 2);
        kept = InkRectOf(Crop(acute, kept), palette).translated(kept.topLeft());
    }
    return Crop(acute, kept);
}

} // namespace

MarkImage DoubledAcute(const MarkImage& acute, const MarkImage& diaeresis, const MarkImage& dot,
                       int baseWidth, const PaletteLookup& palette, MarkAnchor& anchor) {
    const int apart = dot.isNull() ? 0 : InkRectOf(diaeresis, palette).width() - dot.width();
    const auto gapBeside = [&](int width) {
        if (dot.isNull()) {
            return 1;
        }
        const int gap = std::max(dot.width() == 1 && dot.height() == 1 ? 1 : 0, apart - width);
        return gap == 0 && 2 * width >= baseWidth ? 1 : gap;
    };
    QImage one = acute; // the font's marks are cropped to their ink
    int gap = gapBeside(one.width());
    if (2 * one.width() + gap > baseWidth) {
        if (const QImage shorter = ShortAcute(one, palette); shorter.size() != one.size()) {
            one = shorter;
            gap = gapBeside(one.width());
            anchor.doubledCentre = 0;
        }
    }
    // Off the middle as the acute stands, but within the base's sides: `room` half pixels off the
    // middle sets the pair's side flush with the base's.
    const int room = std::max(baseWidth - (2 * one.width() + gap), 0);
    anchor.doubledCentre = std::clamp(anchor.doubledCentre, -room, room);
    return SideBySide(one, gap, palette);
}

MarkImage CaronVee(const MarkImage& circumflex, const PaletteLookup& palette) {
    const QRect ink = InkRectOf(circumflex, palette);
    if (ink.isNull()) {
        return circumflex;
    }
    // A circumflex that reads the same upside down is a bar or a dot: its strokes are as heavy
    // as it is tall.
    const int weight = std::clamp(ink.height(), 1, 2);
    const QRect bottom = RowInkOf(circumflex, ink.bottom(), palette);
    const QRgb colour = circumflex.pixel(bottom.left(), bottom.top());
    // Two arms a column apart over a point as wide as a stroke: #.# over .#. for a weight of one.
    QImage vee = MakeBlankRaster(3 * weight, 2);
    for (int x = 0; x < weight; ++x) {
        vee.setPixel(x, 0, colour);
        vee.setPixel(2 * weight + x, 0, colour);
        vee.setPixel(weight + x, 1, colour);
    }
    return vee;
}

} // namespace fontlathe
