#pragma once

#include <QRgb>

#include <array>
#include <cstdint>

namespace fontlathe {

// Answers Charset::PaletteIndexOf for whole rasters without a search per pixel: every display
// colour has a slot of its own in a small hash table, so a colour is one multiply, one load and
// one compare away from its index. Colours that are not the set's own give index 0.
class PaletteLookup {
public:
    explicit PaletteLookup(int colorCount);

    int IndexOf(QRgb color) const {
        const std::uint32_t rgb = color & 0x00FFFFFFu;
        const Slot& slot = slots_[SlotOf(rgb)];
        return slot.rgb == rgb ? slot.index : 0;
    }

    // The index of the set's colour nearest to color by distance in RGB, the lowest index among
    // equals; a colour of the set gives its own index at once.
    int NearestIndexOf(QRgb color) const;

    // Chosen by a search so that the 16 display colours fall into 16 distinct slots.
    static constexpr std::uint32_t Multiplier = 0x612E7697u;
    static constexpr int SlotBits = 5;
    static constexpr std::uint32_t SlotOf(std::uint32_t rgb) {
        return (rgb * Multiplier) >> (32 - SlotBits);
    }

private:
    struct Slot {
        // An impossible colour marks an empty slot.
        std::uint32_t rgb = 0xFFFFFFFFu;
        int index = 0;
    };
    std::array<Slot, 1u << SlotBits> slots_{};
    int colorCount_;
};

} // namespace fontlathe
