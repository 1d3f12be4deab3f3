#include "TextPreview.h"

#include "charset/CodePoints.h"
#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"
#include "charset/TextCoverage.h"

#include <QPainter>

#include <algorithm>

namespace fontlathe {

namespace {

constexpr QRgb TransparentMagenta = 0x00FF00FF;
constexpr int Margin = 4;

} // namespace

QImage MakeOverlayRaster(const Charset& set, int code) {
    const Glyph* glyph = set.GlyphAt(code);
    if (!glyph) {
        return QImage();
    }
    QImage overlay = glyph->raster.convertToFormat(QImage::Format_ARGB32);
    const PaletteLookup palette(set.ColorCount());
    for (int y = 0; y < overlay.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(y));
        for (int x = 0; x < overlay.width(); ++x) {
            if (palette.IndexOf(line[x]) == 0) {
                line[x] = TransparentMagenta;
            }
        }
    }
    return overlay;
}

QString NormalizeLineBreaks(const QString& text) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    normalized.replace(u'\n', u'\r');
    return normalized;
}

QImage RenderPreview(const Charset& set, const QString& text, int zoom, QSize size,
                     MissingMarks marks) {
    QImage preview(size, QImage::Format_ARGB32_Premultiplied);
    preview.fill(DisplayColors[0]);
    const QString lines = NormalizeLineBreaks(text);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // The pen is a plain int: a long line runs off the right edge instead of wrapping round.
    const qint64 lineStart = Margin + zoom;
    qint64 x = lineStart;
    qint64 y = Margin;
    const auto onCanvas = [](qint64 position) {
        return static_cast<int>(std::clamp<qint64>(position, -1'000'000, 1'000'000));
    };
    const int markHeight = std::max(int(set.fontHeight) * zoom, zoom);
    const qsizetype length = lines.size();
    for (qsizetype i = 0; i < length;) {
        const char32_t codePoint = NextCodePoint(lines, i);
        if (codePoint == '\r') {
            x = lineStart;
            y += qint64(set.fontHeight) * zoom;
            continue;
        }
        const Glyph* glyph = set.GlyphAt(static_cast<int>(codePoint));
        if (glyph != nullptr) {
            const QRect target(onCanvas(x + qint64(glyph->xOffset) * zoom),
                               onCanvas(y + qint64(glyph->yOffset) * zoom), glyph->width() * zoom,
                               glyph->height() * zoom);
            if (target.intersects(preview.rect())) {
                painter.drawImage(target, MakeOverlayRaster(set, static_cast<int>(codePoint)));
            }
        }
        // A glyph that the file does not store is drawn and marked all the same.
        if (marks == MissingMarks::Shown && MissingReasonOf(set, codePoint)) {
            painter.fillRect(QRect(onCanvas(x), onCanvas(y), zoom, markHeight), DisplayColors[3]);
        }
        if (glyph != nullptr) {
            x += qint64(glyph->width() + glyph->xOffset) * zoom;
        }
    }
    return preview;
}

} // namespace fontlathe
