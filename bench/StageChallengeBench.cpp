// The cost of one step of the two fights against the god (the scene step alone): the busiest
// scripts of the game, thousands of fire calls a step with many shots in flight at once.
#include <benchmark/benchmark.h>

#include "stages/Stage.h"
#include "world/World.h"

namespace {

using namespace veltrano;

// Runs the scene's init, then walks its timeline from `first` to `last` again and again.
void WalkScene(benchmark::State& state, int scene, int first, int last) {
    ResetWorldState();
    Scene = scene;
    SceneInit();
    PlayerX = 100;
    PlayerY = 200;
    for (StageFrame = -64; StageFrame < first; ++StageFrame) SceneStep();
    for (auto _ : state) {
        SceneStep();
        if (++StageFrame > last) StageFrame = first;
    }
}

// One whole cycle of the fight's patterns.
void BM_ChallengeBattleStep(benchmark::State& state) {
    WalkScene(state, ChallengeBattleScene, 0, 999);
}
BENCHMARK(BM_ChallengeBattleStep);

// The five phases of the trial.
void BM_ChallengeEnduranceStep(benchmark::State& state) {
    WalkScene(state, ChallengeEnduranceScene, 0, 3999);
}
BENCHMARK(BM_ChallengeEnduranceStep);

}  // namespace
