#pragma once

#include <cstdint>

#include "effects/effect_matrix.h"

namespace marvolin::effects {

// The effect categories, in the order the category button steps through them.
enum EffectCategory : std::uint16_t {
    kAcoustics = 0,
    kAliens = 1,
    kDelirium = 2,
    kEchoes = 3,
    kFilters = 4,
    kRobots = 5,
    kTransmissions = 6,
    kVolumes = 7,
};

// The hotspot of the effect button at `position`, 1 for the first button to 5 for the last.
constexpr std::uint16_t EffectButton(std::uint16_t position) {
    return static_cast<std::uint16_t>(kFirstEffectButton + position - 1);
}

}  // namespace marvolin::effects
