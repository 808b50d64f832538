#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

TEST(StageEight, TheFirstFlierRestsAtEachJointAndLeavesASlowShot) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage8Scene);
    EXPECT_EQ(BossSlot, 15);
    EXPECT_EQ(BonusFlagCount, 6);
    EXPECT_EQ(EnemyHP[15], 400);
    EXPECT_EQ(EnemyHP[2499], 50);
    g.RunThroughStep(63);
    EXPECT_EQ(At(1000), (Pos{640 - 9 * 31, 0}));
    g.RunThroughStep(64);
    EXPECT_EQ(At(1000), (Pos{361, 0}));
    g.RunThroughStep(96);
    EXPECT_EQ(At(1000), (Pos{361, 279}));
    g.RunThroughStep(97);
    EXPECT_EQ(At(1000), (Pos{355, 273}));
    // The last member of the last flight starts 28 steps later on its own path.
    g.RunThroughStep(220);
    EXPECT_EQ(At(1063), (Pos{640, 120}));
    g.RunThroughStep(221);
    EXPECT_EQ(At(1063), (Pos{631, 120}));
    ShootDown(1000, 1000);
    g.RunThroughStep(222);
    EXPECT_EQ(EnemyState[11000], StateDestroyed);
    g.RunThroughStep(223);
    EXPECT_EQ(EnemyState[11000], StateActive);  // its parting shot, a step after it burst
}

TEST(StageEight, TheScenerySwitchesDirectionAndBlocksBurstAtTheRightEdge) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage8Scene);
    g.RunThroughStep(1024);
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(Layer2StepX, 0);
    g.RunThroughStep(1088);
    EXPECT_EQ(Layer1StepX, 2);
    EXPECT_EQ(Layer2StepX, 4);
    // The first backward block scrolls 4 pixels a step from 1121 and bursts on reaching X 608.
    g.RunThroughStep(1279);
    EXPECT_EQ(At(4000), (Pos{604, 0}));
    EXPECT_EQ(EnemyState[4000], StateActive);
    g.RunThroughStep(1280);
    EXPECT_EQ(EnemyState[4000], StateDestroyed);
    EXPECT_EQ(EnemyHP[4000], 3);  // not shot, so not scored
    g.RunThroughStep(1281);
    EXPECT_EQ(EnemyState[9000], StateActive);  // its death shots leave all the same
    g.RunThroughStep(1752);
    EXPECT_EQ(Layer1StepY, 2);
    EXPECT_EQ(Layer2StepY, 4);
    EXPECT_EQ(RespawnSide, 1);
    g.RunThroughStep(3808);
    EXPECT_EQ(Layer1StepX, -2);
    EXPECT_EQ(Layer1StepY, 0);
    EXPECT_EQ(RespawnSide, 0);
}

TEST(StageEight, TheTrioShotDownEarlyIsRewardedAtBothChecks) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage8Scene);
    g.RunThroughStep(2030);
    ShootDown(1506, 1508);
    const int before = Score;
    g.RunThroughStep(2063);
    EXPECT_EQ(BonusFlags[2], 1);
    EXPECT_EQ(BonusFlags[1], 0);
    g.RunThroughStep(2066);
    EXPECT_EQ(At(2004), (Pos{636, 0}));  // the bonus gun row glides in from 2065
    g.RunThroughStep(2223);
    EXPECT_EQ(BonusFlags[1], 1);
    g.RunThroughStep(2226);
    EXPECT_EQ(At(4032), (Pos{624, 0}));
    EXPECT_EQ(At(4033), (Pos{608, 624}));
    // Scoring of the three fliers themselves comes on top of the two bonuses.
    EXPECT_GE(Score - before, 3000);
    // The crossing blocks burst at the far edge they run to: 4033 rises from 640 past Y 1.
    g.RunThroughStep(2304);
    EXPECT_EQ(EnemyState[4033], StateDestroyed);
    EXPECT_EQ(EnemyState[4032], StateDestroyed);
}

TEST(StageEight, TheHeavyGunDropsInWithItsEscortsAndItsFallBringsTheSpirals) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage8Scene);
    g.RunThroughStep(2373);
    EXPECT_EQ(At(2499), (Pos{304, 208}));
    EXPECT_EQ(At(4500), (Pos{288, 144}));
    EXPECT_EQ(At(4507), (Pos{288, 240}));
    ShootDown(2499, 2499);
    g.RunThroughStep(2374);
    EXPECT_EQ(EnemyState[4500], StateDestroyed);
    EXPECT_EQ(EnemyState[4507], StateDestroyed);
    const int before = Score;
    g.RunThroughStep(2559);
    EXPECT_EQ(Score - before, 25000);
    EXPECT_EQ(BonusFlags[3], 1);
    // The first spiral flier jumps onto a circle whose radius shrinks 4 pixels a step.
    g.RunThroughStep(2561);
    EXPECT_EQ(At(1064).X, 312 + 364);
}

TEST(StageEight, TheFrameClosesRoundTheBossWhichTimesOutAt9000) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage8Scene);
    g.RunThroughStep(4996);
    EXPECT_EQ(At(15), (Pos{608, 224}));
    EXPECT_EQ(At(5000), (Pos{256, 0}));
    EXPECT_EQ(At(5023), (Pos{608, 448}));
    EXPECT_EQ(At(5024), (Pos{256, 32}));
    EXPECT_EQ(At(5035), (Pos{256, 416}));
    EXPECT_EQ(EnemyY[713], -32);
    g.RunThroughStep(5000);
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(8999);
    ASSERT_EQ(EnemyState[15], StateActive);
    const int before = Score;
    g.RunThroughStep(9000);
    EXPECT_EQ(EnemyState[15], StateDestroyed);
    EXPECT_EQ(EnemyState[5017], StateDestroyed);
    EXPECT_EQ(Score, before);
    const int lastStep = g.RunToNextScene(9500);
    EXPECT_EQ(Scene, Stage9Scene);
    EXPECT_EQ(lastStep, 9099);
    EXPECT_EQ(StageFrame, 0);
}
