#pragma once

#include <QRgb>

#include <array>
#include <cstddef>

namespace fontlathe {

// The screen colour of every palette index. Glyph rasters hold these colours, never indices,
// so the table doubles as the pixel encoding of every raster. Index 0 is the background.
inline constexpr std::array<QRgb, 16> DisplayColors = {
    qRgb(0, 170, 170), qRgb(255, 255, 255), qRgb(0, 0, 0),      qRgb(170, 0, 0),
    qRgb(0, 170, 0),   qRgb(170, 0, 170),   qRgb(170, 85, 0),   qRgb(170, 170, 170),
    qRgb(85, 85, 85),  qRgb(85, 85, 255),   qRgb(85, 255, 85),  qRgb(85, 255, 255),
    qRgb(255, 85, 85), qRgb(255, 85, 255),  qRgb(255, 255, 85), qRgb(0, 0, 170),
};

inline constexpr int DisplayColorCount = static_cast<int>(DisplayColors.size());

// The display colour of a palette index; an index outside the table reads as the background,
// so no caller can reach past the 16 entries whatever a set holds.
constexpr QRgb DisplayColorOf(int index) {
    if (index < 0 || index >= DisplayColorCount) {
        return DisplayColors[0];
    }
    return DisplayColors[static_cast<std::size_t>(index)];
}

// Compares two colours on their 24 RGB bits alone.
constexpr bool SameRgb(QRgb a, QRgb b) {
    return (a & 0x00FFFFFFu) == (b & 0x00FFFFFFu);
}

} // namespace fontlathe
