// Guards on the frames of a repeating cycle, and the restart of bullet flight counts.
#include <gtest/gtest.h>

#include "stages/ScriptBuilder.h"
#include "world/World.h"

using namespace veltrano;

TEST(StageScriptCycle, ACycleGuardOpensOnItsCycleFramesWithTheSignOfTheFrame) {
    SceneScript script;
    ScriptBuilder s(script);
    s.AtCycleFrame(100, 30, [&] { s.SetState(1000, 1000, StateDestroyed); });
    s.CycleFramesIn(100, -5, -1, [&] { s.MoveDuring({.slot = 1001, .dx = 1, .from = -1000, .to = 1000}); });
    s.AtCycleFrame(100, 0, [&] { s.ClearBulletStep(11000, 11001); });
    ASSERT_TRUE(s.Finish()) << script.Errors.front();

    ResetWorldState();
    auto stepAt = [&](int frame) {
        EnemyState[1000] = StateActive;
        StageFrame = frame;
        RunStep(script);
        return EnemyState[1000] == StateDestroyed;
    };
    EXPECT_TRUE(stepAt(30));
    EXPECT_TRUE(stepAt(230));
    EXPECT_FALSE(stepAt(29));
    EXPECT_FALSE(stepAt(31));
    EXPECT_FALSE(stepAt(-70));  // -70 mod 100 is -70, not 30

    // Negative cycle frames come only before frame 0.
    const int x = EnemyX[1001];
    for (int frame : {-103, -3, 97, 197}) stepAt(frame);
    EXPECT_EQ(EnemyX[1001], x + 2);

    // Only the flight counts restart; the bullets keep their states and places.
    BulletStep[11000] = BulletStep[11001] = BulletStep[11002] = 7;
    EnemyState[11000] = StateActive;
    EnemyX[11000] = 50;
    stepAt(300);
    EXPECT_EQ(BulletStep[11000], 0);
    EXPECT_EQ(BulletStep[11001], 0);
    EXPECT_EQ(BulletStep[11002], 7);
    EXPECT_EQ(EnemyState[11000], StateActive);
    EXPECT_EQ(EnemyX[11000], 50);
}

TEST(StageScriptCycle, CyclesThatNeverComeAndClearsOutsideTheBulletsAreCaught) {
    SceneScript script;
    script.Name = "faulty";
    ScriptBuilder s(script);
    // A cycle of no frames, a frame past the cycle's end, an empty range.
    auto move = [&](int slot) { s.MoveDuring({.slot = slot, .dx = 1, .from = 0, .to = 10}); };
    s.AtCycleFrame(0, 0, [&] { move(1000); });
    s.AtCycleFrame(100, 100, [&] { move(1001); });
    s.CycleFramesIn(100, 5, 4, [&] { move(1002); });
    // Clears of an enemy slot, and backwards.
    s.ClearBulletStep(8999, 9000);
    s.ClearBulletStep(11000, 10999);
    EXPECT_EQ(script.Errors.size(), 5u);
    EXPECT_FALSE(s.Finish());
    // Each faulty guard keeps its block shut.
    ResetWorldState();
    for (StageFrame = 1; StageFrame < 10; ++StageFrame) RunStep(script);
    EXPECT_EQ(EnemyX[1000], ParkedPosition);
    EXPECT_EQ(EnemyX[1001], ParkedPosition);
    EXPECT_EQ(EnemyX[1002], ParkedPosition);
}
