#include "PaletteLookup.h"

#include "DisplayColors.h"

#include <algorithm>

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

PaletteLookup::PaletteLookup(int colorCount) {
    const int count = std::clamp(colorCount, 0, DisplayColorCount);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t rgb = DisplayColors[static_cast<std::size_t>(i)] & 0x00FFFFFFu;
        slots_[SlotOf(rgb)] = Slot{rgb, i};
    }
}

} // namespace fontlathe
