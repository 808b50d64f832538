// Shared by the stage benchmarks: one step of a scene's script, walked over its whole timeline.
#pragma once

#include <benchmark/benchmark.h>

#include "stages/Stage.h"
#include "world/World.h"

namespace veltrano {

// Walks the scene from its init to `lastFrame` and starts it again there, so that every wave, pattern
// and guard is measured in its turn (boss phases' clock jumps come on their own when forced).
inline void WalkScene(benchmark::State& state, int scene, int lastFrame) {
    ResetWorldState();
    Scene = scene;
    SceneInit();
    PlayerX = 100;
    PlayerY = 200;
    for (auto _ : state) {
        SceneStep();
        if (++StageFrame > lastFrame) SceneInit();
    }
}

}  // namespace veltrano
