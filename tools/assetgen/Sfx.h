// The nine sound effects of the game.
#pragma once

#include <cstdint>
#include <vector>

#include "world/Sounds.h"

namespace veltrano::assetgen {

enum class Effect { Shot, EnemyDeath, BigEnemyDeath, BossDeath, Item, Speed, MeDeath, Bomb, BossAlarm };
inline constexpr int EffectCount = EffectSlotCount;

// The file name without ".wav": "Shot", "EnemyDeath", ...
const char* EffectName(Effect effect);

// The finished samples at SampleRate, each effect at its own level against the others.
std::vector<int16_t> RenderEffectWave(Effect effect);

}  // namespace veltrano::assetgen
