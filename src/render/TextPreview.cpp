#include "TextPreview.h"

#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"
#include "text/CodePoints.h"
#include "text/TextCoverage.h"

#include <algorithm>
#include <cstring>

namespace fontlathe {

namespace {

constexpr int Margin = 4;

// Every glyph and mark stands at the pen moved by whole multiples of zoom, and the pen starts at
// 4 + zoom and moves by whole multiples of zoom, so everything drawn is made of zoom x zoom blocks
// on one grid whose lines are at 4 mod zoom. The text is drawn into that grid at one pixel a
// block, and the grid is then enlarged once: a large glyph costs its pixels, not its pixels times
// zoom squared.
struct BlockGrid {
    // The first pixel column and row of the grid on the preview: 0 or less, so that the blocks
    // that the preview's top and left edges cut are on the grid too.
    int origin;
    int zoom;

    BlockGrid(int margin, int zoomFactor)
        : origin(margin % zoomFactor == 0 ? 0 : margin % zoomFactor - zoomFactor),
          zoom(zoomFactor) {}

    int BlockOf(qint64 position) const { return static_cast<int>((position - origin) / zoom); }
};

// Draws the raster with its top-left pixel at block `at`, leaving the background (every pixel of
// palette index 0) out so that a later glyph never hides an earlier one.
void DrawGlyph(QImage& blocks, const QImage& raster, QPoint at, const PaletteLookup& palette) {
    const QRect visible = QRect(at, raster.size()).intersected(blocks.rect());
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(raster.constScanLine(y - at.y())) - at.x();
        auto* out = reinterpret_cast<QRgb*>(blocks.scanLine(y));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            if (palette.IndexOf(in[x]) != 0) {
                out[x] = in[x] | 0xFF000000u;
            }
        }
    }
}

// Each block becomes zoom x zoom pixels of the preview, clipped at its edges.
void Enlarge(const QImage& blocks, const BlockGrid& grid, QImage& preview) {
    const int width = preview.width();
    const int height = preview.height();
    const auto lineBytes = static_cast<std::size_t>(preview.bytesPerLine());
    for (int row = 0; row < blocks.height(); ++row) {
        const int top = std::max(0, grid.origin + row * grid.zoom);
        const int bottom = std::min(height, grid.origin + (row + 1) * grid.zoom);
        if (top >= bottom) {
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(blocks.constScanLine(row));
        auto* out = reinterpret_cast<QRgb*>(preview.scanLine(top));
        for (int column = 0; column < blocks.width(); ++column) {
            const int left = std::max(0, grid.origin + column * grid.zoom);
            const int right = std::min(width, grid.origin + (column + 1) * grid.zoom);
            std::fill(out + left, out + std::max(left, right), in[column]);
        }
        for (int y = top + 1; y < bottom; ++y) {
            std::memcpy(preview.scanLine(y), out, lineBytes);
        }
    }
}

void FillBlocks(QImage& blocks, const QRect& area, QRgb color) {
    const QRect visible = area.intersected(blocks.rect());
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(blocks.scanLine(y));
        std::fill(out + visible.left(), out + visible.right() + 1, color);
    }
}

// An outline one font pixel thick: it reads as the empty box that marks a missing character
// in any text, and the background inside keeps it apart from a glyph drawn in solid ink.
void DrawMissingMark(QImage& blocks, const QRect& box) {
    FillBlocks(blocks, QRect(box.left(), box.top(), box.width(), 1), MissingMarkColor);
    FillBlocks(blocks, QRect(box.left(), box.bottom(), box.width(), 1), MissingMarkColor);
    FillBlocks(blocks, QRect(box.left(), box.top(), 1, box.height()), MissingMarkColor);
    FillBlocks(blocks, QRect(box.right(), box.top(), 1, box.height()), MissingMarkColor);
}

// How far the text's glyphs reach above its first line's top and below its last line's bottom,
// in pixels of the font, and how many lines it has.
struct Reach {
    int above = 0;
    int below = 0;
    int lines = 1;
};

Reach ReachOf(const Charset& set, const QString& lines, MissingMarks marks, const CodePage& page) {
    Reach reach;
    qint64 lineTop = 0, top = 0, bottom = 0;
    for (qsizetype i = 0; i < lines.size();) {
        const char32_t codePoint = NextCodePoint(lines, i);
        if (codePoint == '\r') {
            lineTop += set.fontHeight();
            ++reach.lines;
            continue;
        }
        if (marks == MissingMarks::Shown && MissingReasonOf(set, codePoint, page)) {
            continue;
        }
        if (const Glyph* glyph = set.GlyphAt(page.CodeOf(codePoint))) {
            top = std::min(top, lineTop + glyph->yOffset);
            bottom = std::max(bottom, lineTop + glyph->yOffset + glyph->height());
        }
    }
    reach.above = static_cast<int>(std::min<qint64>(-top, MaxGlyphSide));
    reach.below =
        static_cast<int>(std::clamp<qint64>(bottom - lineTop - set.fontHeight(), 0, MaxGlyphSide));
    return reach;
}

// A guide one pixel thin across the background of the row: a line's top or bottom.
void DrawGuide(QImage& preview, int row) {
    if (row < 0 || row >= preview.height()) {
        return;
    }
    auto* line = reinterpret_cast<QRgb*>(preview.scanLine(row));
    for (int x = 0; x < preview.width(); ++x) {
        if (SameRgb(line[x], DisplayColors[0])) {
            line[x] = LineGuideColor;
        }
    }
}

} // namespace

QSize PreviewSizeFor(const Charset& set, const QString& text, int zoom, QSize size,
                     MissingMarks marks, const CodePage& page) {
    const Reach reach = ReachOf(set, NormalizeLineBreaks(text), marks, page);
    return QSize(size.width(), size.height() + (reach.above + reach.below) * std::max(zoom, 1));
}

QSize TextSizeFor(const Charset& set, const QString& text, int zoom, MissingMarks marks,
                  const CodePage& page) {
    zoom = std::max(zoom, 1);
    const QString lines = NormalizeLineBreaks(text);
    const Reach reach = ReachOf(set, lines, marks, page);
    const qint64 lineStart = Margin + zoom;
    const qint64 markWidth = std::max(set.fontHeight() / 2, MinMarkSide);
    qint64 x = lineStart, right = lineStart;
    for (qsizetype i = 0; i < lines.size();) {
        const char32_t codePoint = NextCodePoint(lines, i);
        if (codePoint == '\r') {
            x = lineStart;
        } else if (marks == MissingMarks::Shown && MissingReasonOf(set, codePoint, page)) {
            x += markWidth * zoom;
        } else if (const Glyph* glyph = set.GlyphAt(page.CodeOf(codePoint))) {
            right = std::max(right, x + qint64(glyph->xOffset + glyph->width()) * zoom);
            x += qint64(glyph->width() + glyph->xOffset) * zoom;
        }
        right = std::max(right, x);
    }
    const qint64 height =
        Margin + (qint64(reach.above) + qint64(reach.lines) * set.fontHeight() + reach.below) * zoom +
        Margin;
    return QSize(static_cast<int>(std::min<qint64>(right + Margin, 1'000'000)),
                 static_cast<int>(std::min<qint64>(height, 1'000'000)));
}

QString NormalizeLineBreaks(const QString& text) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    normalized.replace(u'\n', u'\r');
    return normalized;
}

bool TextUsesCode(const QString& text, int code, const CodePage& page) {
    const std::optional<char32_t> character = page.CharacterAt(code);
    return character && *character != '\r' && *character != '\n' &&
           text.contains(QString::fromUcs4(&*character, 1));
}

int ScreenWidthColumn(int zoom) {
    return Margin + zoom + GameScreenWidth * zoom;
}

QImage RenderPreview(const Charset& set, const QString& text, int zoom, QSize size,
                     MissingMarks marks, const CodePage& page) {
    zoom = std::max(zoom, 1);
    QImage preview(size, QImage::Format_ARGB32_Premultiplied);
    preview.fill(DisplayColors[0]);
    const BlockGrid grid(Margin, zoom);
    QImage blocks((size.width() - grid.origin + zoom - 1) / zoom,
                  (size.height() - grid.origin + zoom - 1) / zoom, QImage::Format_ARGB32);
    blocks.fill(DisplayColors[0]);
    const QString lines = NormalizeLineBreaks(text);
    // The pen is a plain int: a long line runs off the right edge instead of wrapping round.
    const qint64 lineStart = Margin + zoom;
    // Glyphs that leave the line show where the engine draws them: the text moves down by the
    // rows they reach above it.
    const Reach reach = ReachOf(set, lines, marks, page);
    const qint64 top = Margin + qint64(reach.above) * zoom;
    qint64 x = lineStart;
    qint64 y = top;
    const auto onCanvas = [](qint64 position) {
        return static_cast<int>(std::clamp<qint64>(position, -1'000'000, 1'000'000));
    };
    const QSize markBlocks(std::max(set.fontHeight() / 2, MinMarkSide),
                           std::max<int>(set.fontHeight(), MinMarkSide));
    const PaletteLookup palette(set.ColorCount());
    const qsizetype length = lines.size();
    for (qsizetype i = 0; i < length;) {
        const char32_t codePoint = NextCodePoint(lines, i);
        if (codePoint == '\r') {
            x = lineStart;
            y += qint64(set.fontHeight()) * zoom;
            continue;
        }
        if (marks == MissingMarks::Shown && MissingReasonOf(set, codePoint, page)) {
            DrawMissingMark(
                blocks,
                QRect(QPoint(grid.BlockOf(onCanvas(x)), grid.BlockOf(onCanvas(y))), markBlocks));
            x += qint64(markBlocks.width()) * zoom;
            continue;
        }
        if (const Glyph* glyph = set.GlyphAt(page.CodeOf(codePoint))) {
            DrawGlyph(blocks, glyph->raster,
                      QPoint(grid.BlockOf(onCanvas(x + qint64(glyph->xOffset) * zoom)),
                             grid.BlockOf(onCanvas(y + qint64(glyph->yOffset) * zoom))),
                      palette);
            x += qint64(glyph->width() + glyph->xOffset) * zoom;
        }
    }
    Enlarge(blocks, grid, preview);
    if (reach.above > 0 || reach.below > 0) {
        for (int line = 0; line <= reach.lines; ++line) {
            DrawGuide(preview, static_cast<int>(top + qint64(line) * set.fontHeight() * zoom) - 1);
        }
    }
    return preview;
}

} // namespace fontlathe
