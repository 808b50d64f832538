// The cost of one step of the last three stages' scripts, over their whole timelines.
#include "bench/StageBenchSupport.h"

namespace {

using namespace veltrano;

void BM_Stage8Step(benchmark::State& state) {
    WalkScene(state, Stage8Scene, 9000);
}
BENCHMARK(BM_Stage8Step);

void BM_Stage9Step(benchmark::State& state) {
    WalkScene(state, Stage9Scene, 24000);
}
BENCHMARK(BM_Stage9Step);

void BM_Stage10Step(benchmark::State& state) {
    WalkScene(state, Stage10Scene, 44320);
}
BENCHMARK(BM_Stage10Step);

}  // namespace
