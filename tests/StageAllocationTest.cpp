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

TEST(StageAllocation, TheStepsOfStageOneAndTheMenusAllocateNothing) {
    const long probe = Allocations;
    // Called directly and kept in a volatile, so link-time optimisation cannot elide the allocation.
    static void* volatile kept = nullptr;
    kept = ::operator new(sizeof(int));
    ::operator delete(kept);
    ASSERT_EQ(Allocations - probe, 1);  // the count is live
    OpenTextFace(nullptr);
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    for (int scene : {ScoreListScene, KeyConfigScene, ShipSelectScene, TitleScene, Stage1Scene, StaffRollScene}) {
        ResetWorldState();
        Scene = scene;
        SceneInit();  // the scripts are written on first use, before the count starts
        PlayerY = 200;
        const long before = Allocations;
        // The menus that wait count to 2000 and start again, so their steps are counted, not frames.
        const int steps = scene == Stage1Scene ? 7800 : scene == StaffRollScene ? 3100 : 20;
        for (int step = 0; step < steps; ++step, ++StageFrame) SceneStep();
        EXPECT_EQ(Allocations - before, 0) << "scene " << scene;
    }
}

TEST(StageAllocation, TheStepsOfTheLastFightsAndTheirMessageAllocateNothing) {
    OpenTextFace(nullptr);
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    // The lead-in and a whole cycle of the fight, the five phases of the trial, the whole message.
    const struct {
        int Scene, Steps;
    } runs[] = {{ChallengeBattleScene, 1100}, {ChallengeEnduranceScene, 4100}, {ChallengeScene, 900}};
    for (const auto& run : runs) {
        ResetWorldState();
        Scene = run.Scene;
        SceneInit();
        PlayerY = 200;
        const long before = Allocations;
        for (int step = 0; step < run.Steps; ++step, ++StageFrame) SceneStep();
        EXPECT_EQ(Allocations - before, 0) << "scene " << run.Scene;
    }
}

TEST(StageAllocation, TheStepsOfStagesSixAndSevenAndTheirBossesAloneAllocateNothing) {
    for (int scene : {Stage6Scene, Stage7Scene, BossRush1Scene + 5, BossRush1Scene + 6}) {
        ResetWorldState();
        Scene = scene;
        SceneInit();
        PlayerY = 200;
        const long before = Allocations;
        for (int step = 0; step < 9000; ++step, ++StageFrame) SceneStep();
        EXPECT_EQ(Allocations - before, 0) << "scene " << scene;
    }
}

TEST(StageAllocation, TheStepsOfStagesTwoAndThreeAndTheirBossScenesAllocateNothing) {
    for (int scene : {Stage2Scene, Stage3Scene, BossRush1Scene, BossRush1Scene + 1, BossRush1Scene + 2}) {
        ResetWorldState();
        Scene = scene;
        SceneInit();
        PlayerY = 200;
        const long before = Allocations;
        for (int step = 0; step < 8200; ++step, ++StageFrame) SceneStep();
        EXPECT_EQ(Allocations - before, 0) << "scene " << scene;
    }
}

TEST(StageAllocation, TheStepsOfStagesFourAndFiveAndTheirBossScenesAllocateNothing) {
    OpenTextFace(nullptr);
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    struct Run {
        int Scene, Boss, FallsAt, Steps;
    };
    const Run runs[] = {{Stage4Scene, 10, 4300, 8300},
                        {Stage5Scene, 12, 2000, 2400},
                        {BossRush1Scene + 3, 10, 300, 8100},
                        {BossRush1Scene + 4, 12, 500, 700}};
    for (const Run& run : runs) {
        ResetWorldState();
        Scene = run.Scene;
        SceneInit();
        PlayerY = 200;
        const long before = Allocations;
        for (int step = 0; step < run.Steps; ++step, ++StageFrame) {
            if (StageFrame == run.FallsAt) EnemyState[run.Boss] = StateDestroyed;
            SceneStep();
            if (EnemyState[run.Boss] == StateDestroyed) ++EnemyDeadTime[run.Boss];
        }
        EXPECT_EQ(Allocations - before, 0) << "scene " << run.Scene;
    }
}

TEST(StageAllocation, TheStepsOfTheLastStagesAndTheirBossScenesAllocateNothing) {
    OpenTextFace(nullptr);
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    for (int scene :
         {Stage8Scene, Stage9Scene, Stage10Scene, BossRush1Scene + 7, BossRush1Scene + 8, BossRush10Scene}) {
        ResetWorldState();
        Scene = scene;
        SceneInit();
        PlayerY = 200;
        const long before = Allocations;
        // Past the boss phases' clock jumps in the stages, and through the boss scenes' fights.
        for (int step = 0; step < 9000; ++step, ++StageFrame) SceneStep();
        EXPECT_EQ(Allocations - before, 0) << "scene " << scene;
    }
}
