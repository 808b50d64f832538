// Destroying an object slot, the same for shots, contact, the burst and the fire patterns.
#pragma once

#include "world/World.h"

namespace veltrano {

// A destroyed bullet also forgets its flight, so its next launch waits a step at the muzzle.
inline void DestroySlot(int slot) {
    EnemyState[slot] = StateDestroyed;
    if (BulletStep.Holds(slot)) BulletStep[slot] = 0;
}

}  // namespace veltrano
