#include "Rasterizer.h"

#include "charset/DisplayColors.h"
#include "charset/PaletteLookup.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <vector>

namespace fontlathe {

namespace {

constexpr int FirstCode = 32;
constexpr int LastCode = 255;
constexpr int Margin = 5;

struct Drawing {
    QPoint at;
    int index;
};

// The drawings of each style, in order: later ones cover earlier ones.
std::vector<Drawing> DrawingsOf(GenerationStyle style) {
    switch (style) {
    case GenerationStyle::Shadowed:
        return {{{6, 6}, 2}, {{5, 5}, 1}};
    case GenerationStyle::Outlined:
        return {{{5, 5}, 2}, {{5, 6}, 2}, {{5, 7}, 2}, {{6, 5}, 2}, {{6, 7}, 2},
                {{7, 5}, 2}, {{7, 6}, 2}, {{7, 7}, 2}, {{6, 6}, 1}};
    case GenerationStyle::Normal:
    default:
        return {{{5, 5}, 1}};
    }
}

int BitsPerPixelOf(GenerationStyle style) {
    return style == GenerationStyle::Normal ? 1 : 2;
}

int XOffsetOf(GenerationStyle style) {
    switch (style) {
    case GenerationStyle::Shadowed:
        return 0;
    case GenerationStyle::Outlined:
        return -1;
    case GenerationStyle::Normal:
    default:
        return 1;
    }
}

// What the run finds of each glyph's ink as drawn, and the common top line it cuts at: the
// smallest top of a glyph with ink.
struct RunInk : GeneratedInk {
    RunInk() { topLine = 65535; }
};

InkBox FindInk(const QImage& raster, const PaletteLookup& palette) {
    InkBox box{raster.width() - 1, 0, raster.height() - 1, 0, 1};
    for (int y = 0; y < raster.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(raster.constScanLine(y));
        for (int x = 0; x < raster.width(); ++x) {
            if (palette.IndexOf(line[x]) != 0) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                box.empty = 0;
            }
        }
    }
    return box;
}

// The rectangle of the raster from (left, top) to (right, bottom), rows past the raster's
// bottom in background colour.
QImage Cut(const QImage& raster, int left, int top, int right, int bottom) {
    QImage cut = MakeBlankRaster(right - left + 1, bottom - top + 1);
    for (int y = top; y <= bottom && y < raster.height(); ++y) {
        if (y < 0) {
            continue;
        }
        std::copy_n(reinterpret_cast<const QRgb*>(raster.constScanLine(y)) + left, right - left + 1,
                    reinterpret_cast<QRgb*>(cut.scanLine(y - top)));
    }
    return cut;
}

bool IsSpace(char32_t character) {
    return character == 32 || character == 160;
}

void RenderGlyphs(Charset& set, RunInk& ink, const DrawingSource& source, GenerationStyle style,
                  const CodePage& page) {
    set.NewCharset(1);
    set.SetBitsPerPixel(static_cast<std::uint8_t>(BitsPerPixelOf(style)));
    const PaletteLookup palette(set.ColorCount());

    for (int code = FirstCode; code <= LastCode; ++code) {
        const std::optional<char32_t> character = page.CharacterAt(code);
        if (!character) {
            continue;
        }
        QImage raster = source.Draw(*character, style);
        if (raster.isNull()) {
            continue;
        }
        Glyph& glyph = *set.SlotAt(code);
        glyph.raster = std::move(raster);
        glyph.xOffset = static_cast<std::int16_t>(XOffsetOf(style));
        const InkBox& box = ink.boxes[static_cast<std::size_t>(code)] =
            FindInk(glyph.raster, palette);
        // Only glyphs with ink set the common top line; a blank glyph's start value would add
        // empty rows above every glyph of a small font.
        if (box.empty == 0 && box.top < ink.topLine) {
            ink.topLine = box.top;
        }
    }
}

QString CharacterName(int code, const CodePage& page) {
    const char32_t character = page.CharacterAt(code).value_or(0);
    return character == 32    ? QStringLiteral("the space")
           : character == 160 ? QStringLiteral("the no-break space")
                              : QStringLiteral("\"%1\" (%2)").arg(page.DisplayText(code)).arg(code);
}

int TrimGlyphs(Charset& set, const RunInk& ink, GenerationStyle style) {
    int tallest = 0;
    for (int code = FirstCode; code <= LastCode; ++code) {
        Glyph& glyph = *set.SlotAt(code);
        const InkBox& box = ink.boxes[static_cast<std::size_t>(code)];
        if (glyph.present() && box.empty == 0) {
            glyph.raster = Cut(glyph.raster, box.left, ink.topLine, box.right, box.bottom);
            tallest = std::max(tallest, glyph.height());
        }
    }
    for (int code = FirstCode; code <= LastCode; ++code) {
        Glyph& glyph = *set.SlotAt(code);
        if (glyph.present() && ink.boxes[static_cast<std::size_t>(code)].empty == 1 &&
            tallest > 0) {
            glyph.raster = Cut(glyph.raster, 0, 0, glyph.width() - 1, tallest - 1);
        }
    }
    set.SetFontHeight(static_cast<std::uint8_t>(tallest - static_cast<int>(style)));
    return tallest;
}

// The check of a generated set with the ink of each glyph as drawn.
Result CheckGenerated(const Charset& generated, const RunInk& ink, int tallest, int pixelSize,
                      const CodePage& page) {
    if (tallest <= 0) {
        return Result::Failure(
            QStringLiteral("the font draws no character at %1 points").arg(pixelSize));
    }
    // Glyphs with ink first (empty 0): a blank glyph that is too high only follows the tallest.
    for (const std::uint8_t empty : {0, 1}) {
        for (int code = FirstCode; code <= LastCode; ++code) {
            const Glyph& glyph = generated.glyphs()[static_cast<std::size_t>(code)];
            const bool fits = glyph.width() <= MaxGlyphSide && glyph.height() <= MaxGlyphSide;
            if (ink.boxes[static_cast<std::size_t>(code)].empty != empty || fits) {
                continue;
            }
            return Result::Failure(
                QStringLiteral("at %1 points %2 would be %3 x %4 pixels; a font file holds at most "
                               "%5 x %5, so choose a smaller size")
                    .arg(pixelSize)
                    .arg(CharacterName(code, page))
                    .arg(glyph.width())
                    .arg(glyph.height())
                    .arg(MaxGlyphSide));
        }
    }
    return Result::Success();
}

} // namespace

QImage DrawCharacter(char32_t character, const QFont& font, GenerationStyle style) {
    const QString text = QString::fromUcs4(&character, 1);
    const QFontMetricsF measure(font);
    int width = static_cast<int>(measure.horizontalAdvance(text));
    int height = static_cast<int>(measure.height());
    if (width <= 0 || height <= 0) {
        return {};
    }
    if (IsSpace(character)) {
        width += static_cast<int>(style);
    } else {
        width += 2 * Margin;
        height += 2 * Margin;
    }
    QImage raster = MakeBlankRaster(width, height);
    const int ascent = QFontMetrics(font).ascent();
    QPainter painter(&raster);
    painter.setFont(font);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Drawing& drawing : DrawingsOf(style)) {
        painter.setPen(QColor::fromRgb(DisplayColors[static_cast<std::size_t>(drawing.index)]));
        painter.drawText(QPoint(drawing.at.x(), drawing.at.y() + ascent), text);
    }
    painter.end();
    return raster;
}

QImage DrawFaceCharacter(char32_t character, const BitmapFace& face, GenerationStyle style) {
    const FaceGlyph* glyph = face.GlyphOf(character);
    if (glyph == nullptr || glyph->advance <= 0 || face.LineHeight() <= 0) {
        return {};
    }
    const bool space = IsSpace(character);
    const int margin = space ? 0 : Margin;
    QImage raster = MakeBlankRaster(glyph->advance + (space ? static_cast<int>(style) : 2 * Margin),
                                    face.LineHeight() + 2 * margin);
    for (const Drawing& drawing : DrawingsOf(style)) {
        const QRgb color = DisplayColors[static_cast<std::size_t>(drawing.index)];
        const QPoint origin(drawing.at.x() + glyph->box.left(),
                            drawing.at.y() + face.ascent + glyph->box.top());
        for (int row = 0; row < glyph->box.height(); ++row) {
            const int y = origin.y() + row;
            if (y < 0 || y >= raster.height()) {
                continue;
            }
            auto* line = reinterpret_cast<QRgb*>(raster.scanLine(y));
            for (int column = 0; column < glyph->box.width(); ++column) {
                const int x = origin.x() + column;
                if (x >= 0 && x < raster.width() && glyph->Ink(column, row)) {
                    line[x] = color;
                }
            }
        }
    }
    return raster;
}

Result CheckGeneratedSet(const Charset& generated, int tallest, int pixelSize,
                         const CodePage& page) {
    RunInk ink;
    const PaletteLookup palette(generated.ColorCount());
    for (int code = FirstCode; code <= LastCode; ++code) {
        ink.boxes[static_cast<std::size_t>(code)] =
            FindInk(generated.glyphs()[static_cast<std::size_t>(code)].raster, palette);
    }
    return CheckGenerated(generated, ink, tallest, pixelSize, page);
}

Result GenerateCharset(Charset& set, const DrawingSource& source, GenerationStyle style,
                       const CodePage& page, GeneratedInk* drawnInk) {
    // A line twice as high as a file's glyphs can be gives glyphs that can't fit; drawing 224 of
    // them at such a size would only cost memory and time.
    constexpr qreal LargestLine = 2 * MaxGlyphSide;
    if (source.LineHeight() > LargestLine) {
        return Result::Failure(
            QStringLiteral("at %1 points the characters would be larger than a font file holds (at "
                           "most %2 x %2), so choose a smaller size")
                .arg(source.PixelSize())
                .arg(MaxGlyphSide));
    }
    Charset generated;
    RunInk ink;
    RenderGlyphs(generated, ink, source, style, page);
    const int tallest = TrimGlyphs(generated, ink, style);
    if (Result checked = CheckGenerated(generated, ink, tallest, source.PixelSize(), page);
        !checked) {
        return checked;
    }
    set = std::move(generated);
    if (drawnInk != nullptr) {
        drawnInk->boxes = ink.boxes;
        drawnInk->topLine = ink.topLine;
    }
    return Result::Success();
}

} // namespace fontlathe
