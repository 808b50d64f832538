// The cost of one step of the scripts of stages 2 and 3 and of the first three boss scenes (the
// scene step alone, without the slot pass around it).
#include <benchmark/benchmark.h>

#include "stages/Stage.h"
#include "world/World.h"

namespace {

using namespace veltrano;

// Walks the whole timeline of the scene from its init to the boss's time-out and starts again, so
// that every wave, pattern and guard is measured in its turn. Args: scene, last frame.
void BM_SceneStep(benchmark::State& state) {
    ResetWorldState();
    Scene = static_cast<int>(state.range(0));
    const int lastFrame = static_cast<int>(state.range(1));
    SceneInit();
    PlayerX = 100;
    PlayerY = 200;
    for (auto _ : state) {
        SceneStep();
        if (++StageFrame > lastFrame) SceneInit();
    }
}
BENCHMARK(BM_SceneStep)
    ->Args({Stage2Scene, 7700})
    ->Args({Stage3Scene, 8000})
    ->Args({BossRush1Scene, 8100})
    ->Args({BossRush2Scene, 8100})
    ->Args({BossRush3Scene, 8100});

}  // namespace
