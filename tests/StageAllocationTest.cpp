// Counts the allocations of the whole test program, so that a test can show that a stretch of play
// allocates nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "platform/Display.h"
#include "stages/Stage.h"
#include "world/World.h"

namespace {
long Allocations = 0;
}

// Both halves of the replaced pair use malloc and free; GCC, seeing only the free, takes the pair
// for mismatched.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++Allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace veltrano;

namespace {

// One scene's run: its steps, and optionally a boss destroyed on a given frame, so that the steps of
// its death (clearing sweeps, hand-overs, closing runs) are counted too.
struct Run {
    int Scene, Steps, Boss = -1, FallsAt = 0;
};

void ExpectStepsAllocateNothing(std::initializer_list<Run> runs) {
    OpenTextFace(nullptr);
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    for (const Run& run : runs) {
        ResetWorldState();
        Scene = run.Scene;
        SceneInit();  // the scripts are written on first use, before the count starts
        PlayerY = 200;
        const long before = Allocations;
        for (int step = 0; step < run.Steps; ++step, ++StageFrame) {
            if (run.Boss >= 0 && StageFrame == run.FallsAt) EnemyState[run.Boss] = StateDestroyed;
            SceneStep();
            if (run.Boss >= 0 && EnemyState[run.Boss] == StateDestroyed) ++EnemyDeadTime[run.Boss];
        }
        EXPECT_EQ(Allocations - before, 0) << "scene " << run.Scene;
    }
}

}  // namespace

TEST(StageAllocation, TheStepsOfStageOneAndTheMenusAllocateNothing) {
    const long probe = Allocations;
    // Called directly and kept in a volatile, so link-time optimisation cannot elide the allocation.
    static void* volatile kept = nullptr;
    kept = ::operator new(sizeof(int));
    ::operator delete(kept);
    ASSERT_EQ(Allocations - probe, 1);  // the count is live
    // The menus that wait count to 2000 and start again, so their steps are counted, not frames.
    ExpectStepsAllocateNothing({{ScoreListScene, 20},
                                {KeyConfigScene, 20},
                                {ShipSelectScene, 20},
                                {TitleScene, 20},
                                {Stage1Scene, 7800},
                                {StaffRollScene, 3100}});
}

TEST(StageAllocation, TheStepsOfTheLastFightsAndTheirMessageAllocateNothing) {
    // The lead-in and a whole cycle of the fight, the five phases of the trial, the whole message.
    ExpectStepsAllocateNothing(
        {{ChallengeBattleScene, 1100}, {ChallengeEnduranceScene, 4100}, {ChallengeScene, 900}});
}

TEST(StageAllocation, TheStepsOfStagesTwoToSevenAndTheirBossScenesAllocateNothing) {
    ExpectStepsAllocateNothing({{Stage2Scene, 8200},
                                {Stage3Scene, 8200},
                                {BossRush1Scene, 8200},
                                {BossRush2Scene, 8200},
                                {BossRush3Scene, 8200},
                                {Stage4Scene, 8300, 10, 4300},
                                {Stage5Scene, 2400, 12, 2000},
                                {BossRush4Scene, 8100, 10, 300},
                                {BossRush5Scene, 700, 12, 500},
                                {Stage6Scene, 9000},
                                {Stage7Scene, 9000},
                                {BossRush6Scene, 9000},
                                {BossRush7Scene, 9000}});
}

TEST(StageAllocation, TheStepsOfTheLastStagesAndTheirBossScenesAllocateNothing) {
    // Past the boss phases' clock jumps in the stages, and through the boss scenes' fights.
    ExpectStepsAllocateNothing({{Stage8Scene, 9000},
                                {Stage9Scene, 9000},
                                {Stage10Scene, 9000},
                                {BossRush8Scene, 9000},
                                {BossRush9Scene, 9000},
                                {BossRush10Scene, 9000}});
}
