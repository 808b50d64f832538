// The cost of one step of the scripts of stages 4 and 5 (the scene step alone, without the slot pass
// around it), whose boss fights hold the longest statement lists.
#include <benchmark/benchmark.h>

#include "stages/Stage.h"
#include "world/World.h"

namespace {

using namespace veltrano;

// Walks stage 4's whole timeline; the first boss falls early so that the second boss's entry and
// fire are walked too.
void BM_Stage4Step(benchmark::State& state) {
    ResetWorldState();
    Scene = Stage4Scene;
    SceneInit();
    PlayerX = 100;
    PlayerY = 200;
    for (auto _ : state) {
        if (StageFrame == 4300) EnemyState[10] = StateDestroyed;
        SceneStep();
        if (EnemyState[10] == StateDestroyed) ++EnemyDeadTime[10];
        if (++StageFrame > 8100) SceneInit();
    }
}
BENCHMARK(BM_Stage4Step);

// Stage 5's boss fight, its 1600-step attack cycle over and over.
void BM_Stage5BossFightStep(benchmark::State& state) {
    ResetWorldState();
    Scene = Stage5Scene;
    SceneInit();
    PlayerX = 100;
    PlayerY = 200;
    StageFrame = 1560;
    for (auto _ : state) {
        SceneStep();
        if (++StageFrame > 7500) StageFrame = 1600;
    }
}
BENCHMARK(BM_Stage5BossFightStep);

}  // namespace
