// The nine sound effects of the game, rendered by their recipes (VELTRANO_EFFECTS, world/Sounds.h).
#pragma once

#include <cstdint>
#include <vector>

#include "world/Sounds.h"

namespace veltrano::assetgen {

// The finished samples of an effect slot's wave (ShotSound to BossAlarmSound) at SampleRate, each
// effect at its own level against the others (its row of VELTRANO_EFFECTS).
std::vector<int16_t> RenderEffectWave(SoundSlot effect);

}  // namespace veltrano::assetgen
