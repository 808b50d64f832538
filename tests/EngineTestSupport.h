// Small helpers for driving the engine the way a scene script and the world step do.
#pragma once

#include "engine/CentralSystem.h"
#include "world/World.h"

namespace veltrano::test {

// Runs `script` once per step for n steps, advancing StageFrame after each, as the world step does.
template <typename Script>
void RunSteps(int n, Script script) {
    for (int i = 0; i < n; ++i) {
        script();
        ++StageFrame;
    }
}

// The slot pass of the world step.
inline void ObjectPass() {
    for (int k = 0; k < ObjectSlotCount; ++k) {
        CheckPlayerHit(k);
        CheckShotHits(k);
        CheckItemPickup(k);
        ScoreSlot(k);
    }
}

inline void PlaceObject(int slot, int x, int y, int hitClass, int hp = 1, int state = StateActive) {
    EnemyX[slot] = x;
    EnemyY[slot] = y;
    EnemySize[slot] = hitClass;
    EnemyHP[slot] = hp;
    EnemyState[slot] = state;
}

// A live shot with no velocity, so it stays where the test puts it.
inline void PlaceShot(int k, int x, int y) {
    ShotX[k] = x;
    ShotY[k] = y;
    ShotVX[k] = ShotVY[k] = 0;
    ShotLive[k] = 1;
}

}  // namespace veltrano::test
