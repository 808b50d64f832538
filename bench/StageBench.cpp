// The cost of one step of stage 1's script (the scene step alone, without the slot pass around it).
#include <benchmark/benchmark.h>

#include "stages/Stage.h"
#include "world/World.h"

namespace {

using namespace veltrano;

// Walks the whole timeline of the stage, starting it again after the boss's time-out, so that
// every wave, pattern and guard is measured in its turn.
void BM_Stage1Step(benchmark::State& state) {
    ResetWorldState();
    Scene = Stage1Scene;
    SceneInit();
    PlayerX = 100;
    PlayerY = 200;
    for (auto _ : state) {
        SceneStep();
        if (++StageFrame > 7700) SceneInit();
    }
}
BENCHMARK(BM_Stage1Step);

// The boss's fight with the boss destroyed: every step clears the 9000 bullet slots.
void BM_Stage1StepBossDestroyed(benchmark::State& state) {
    ResetWorldState();
    Scene = Stage1Scene;
    SceneInit();
    StageFrame = 4000;
    EnemyState[6] = StateDestroyed;
    for (auto _ : state) {
        SceneStep();
        if (++StageFrame > 7500) StageFrame = 4000;
    }
}
BENCHMARK(BM_Stage1StepBossDestroyed);

}  // namespace
