// The cost of one step of the last three stages' scripts, over their whole timelines.
#include <benchmark/benchmark.h>

#include "stages/Stage.h"
#include "world/World.h"

namespace {

using namespace veltrano;

// Walks the stage from its init to `end`, starting it again there; the boss phases' clock jumps
// come on their own when a phase is forced.
void WalkStage(benchmark::State& state, int scene, int end) {
    ResetWorldState();
    Scene = scene;
    SceneInit();
    PlayerX = 100;
    PlayerY = 200;
    for (auto _ : state) {
        SceneStep();
        if (++StageFrame > end) SceneInit();
    }
}

void BM_Stage8Step(benchmark::State& state) {
    WalkStage(state, Stage8Scene, 9000);
}
BENCHMARK(BM_Stage8Step);

void BM_Stage9Step(benchmark::State& state) {
    WalkStage(state, Stage9Scene, 24000);
}
BENCHMARK(BM_Stage9Step);

void BM_Stage10Step(benchmark::State& state) {
    WalkStage(state, Stage10Scene, 44320);
}
BENCHMARK(BM_Stage10Step);

}  // namespace
