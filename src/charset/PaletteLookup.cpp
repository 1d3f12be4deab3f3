#include "PaletteLookup.h"

#include "DisplayColors.h"

#include <algorithm>
#include <limits>

namespace fontlathe {

namespace {

constexpr bool EveryDisplayColorHasItsOwnSlot() {
    std::array<bool, 1u << PaletteLookup::SlotBits> taken{};
    for (QRgb color : DisplayColors) {
        const std::uint32_t slot = PaletteLookup::SlotOf(color & 0x00FFFFFFu);
        if (taken[slot]) {
            return false;
        }
        taken[slot] = true;
    }
    return true;
}
static_assert(EveryDisplayColorHasItsOwnSlot(), "choose another PaletteLookup::Multiplier");

} // namespace

PaletteLookup::PaletteLookup(int colorCount)
    : colorCount_(std::clamp(colorCount, 0, DisplayColorCount)) {
    for (int i = 0; i < colorCount_; ++i) {
        const std::uint32_t rgb = DisplayColors[static_cast<std::size_t>(i)] & 0x00FFFFFFu;
        slots_[SlotOf(rgb)] = Slot{rgb, i};
    }
}

int PaletteLookup::NearestIndexOf(QRgb color) const {
    const std::uint32_t rgb = color & 0x00FFFFFFu;
    if (const Slot& slot = slots_[SlotOf(rgb)]; slot.rgb == rgb) {
        return slot.index;
    }
    int nearest = 0;
    int nearestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < colorCount_; ++i) {
        const QRgb candidate = DisplayColors[static_cast<std::size_t>(i)];
        const int red = qRed(color) - qRed(candidate);
        const int green = qGreen(color) - qGreen(candidate);
        const int blue = qBlue(color) - qBlue(candidate);
        const int distance = red * red + green * green + blue * blue;
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}

} // namespace fontlathe
