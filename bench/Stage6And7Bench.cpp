// The cost of one step of the scripts of stages 6 and 7 (the scene step alone, without the slot pass
// around it). Their step lists are the longest so far: gunners placed every step, rings of death
// shots, boss parts that follow the boss.
#include "bench/StageBenchSupport.h"

namespace {

using namespace veltrano;

void BM_Stage6Step(benchmark::State& state) {
    WalkScene(state, Stage6Scene, 8900);
}
BENCHMARK(BM_Stage6Step);

void BM_Stage7Step(benchmark::State& state) {
    WalkScene(state, Stage7Scene, 9300);
}
BENCHMARK(BM_Stage7Step);

void BM_Stage6BossAloneStep(benchmark::State& state) {
    WalkScene(state, BossRush6Scene, 8100);
}
BENCHMARK(BM_Stage6BossAloneStep);

}  // namespace
