#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

constexpr int Boss = 16;

// Enters stage 9 and skips ahead to just before the boss: the boss's script does not depend on
// the waves before it.
void EnterNearTheBoss(StageGame& g) {
    g.Enter(Stage9Scene);
    StageFrame = 5990;
}

}  // namespace

TEST(StageNine, TheInitKeepsTheFlagsAndTheClimbTurnsTheScenery) {
    StageGame g{Pictures::Dropped};
    BonusFlagCount = 6;
    BonusFlags[3] = 1;
    Stage9BossPhase = 2;
    g.Enter(Stage9Scene);
    EXPECT_EQ(BonusFlagCount, 6);
    EXPECT_EQ(BonusFlags[3], 1);
    EXPECT_EQ(Stage9BossPhase, 0);
    EXPECT_EQ(BossSlot, Boss);
    EXPECT_EQ(EnemyX[Boss], 64);
    EXPECT_EQ(EnemyY[Boss], -96);
    EXPECT_EQ(EnemyHP[Boss], 400);
    EXPECT_EQ(EnemyHP[2480], 50);
    EXPECT_EQ(EnemyHP[6500], 7);
    for (int slot = 1048; slot < 1064; ++slot) {
        ASSERT_GE(EnemyY[slot], 0);
        ASSERT_LT(EnemyY[slot], 416);
    }
    g.RunThroughStep(495);
    EXPECT_EQ(Layer1StepX, -2);
    g.RunThroughStep(496);
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(Layer1StepY, -1);
    EXPECT_EQ(Layer2StepY, -4);
    EXPECT_EQ(Layer3StepY, -8);
    EXPECT_EQ(RespawnSide, 2);
    g.RunThroughStep(1264);
    EXPECT_EQ(Layer1StepX, -2);
    EXPECT_EQ(Layer3StepX, -16);
    EXPECT_EQ(Layer3StepY, 0);
    EXPECT_EQ(RespawnSide, 0);
}

TEST(StageNine, TheBossPatrolsTheEdgeWithItsPodsWhileTheSceneryTurns) {
    StageGame g{Pictures::Dropped};
    EnterNearTheBoss(g);
    g.RunThroughStep(5999);
    EXPECT_EQ(EnemyY[Boss], -96);
    g.RunThroughStep(6000);
    EXPECT_EQ(EnemyY[Boss], -94);
    EXPECT_EQ(EnemyY[713], 0);
    EXPECT_EQ(Layer1StepY, 4);
    EXPECT_EQ(Layer3StepY, 32);
    EXPECT_EQ(EnemyX[5002], 128);
    EXPECT_EQ(EnemyY[5002], -30);
    EXPECT_EQ(EnemyX[4500], 32);
    EXPECT_EQ(EnemyY[4500], -126);
    g.RunThroughStep(6239);
    EXPECT_EQ(EnemyY[Boss], 384);
    EXPECT_EQ(Stage9BossCorner, 1);
    g.RunThroughStep(6250);
    EXPECT_EQ(EnemyX[Boss], 86);
    EXPECT_EQ(Layer1StepX, 4);
    EXPECT_EQ(Layer1StepY, 0);
    EXPECT_EQ(Layer2StepX, 16);
    g.RunThroughStep(6500);
    EXPECT_EQ(Layer1StepY, -4);
    g.RunThroughStep(6750);
    EXPECT_EQ(Layer1StepX, -4);
}

TEST(StageNine, HitPointsFallingIntoTheBandMoveTheBossAndTheClockToTheNextPhase) {
    StageGame g{Pictures::Dropped};
    EnterNearTheBoss(g);
    g.RunThroughStep(6100);
    EnemyHP[Boss] = 298;
    g.RunThroughStep(6101, [] {});
    EXPECT_EQ(Stage9BossPhase, 1);
    EXPECT_EQ(EnemyHP[Boss], 295);
    EXPECT_EQ(StageFrame, 13001);
    EXPECT_TRUE(AllInState(5000, 5003, StateDestroyed));
    EXPECT_TRUE(AllInState(4500, 4503, StateActive));
    EXPECT_TRUE(AllInState(11000, 19999, StateDestroyed));
    // The parts open fire in their own stretch; the first stream shot leaves at 13248.
    g.RunThroughStep(13247);
    EXPECT_EQ(EnemyState[15200], StateDestroyed);
    g.RunThroughStep(13248);
    EXPECT_EQ(EnemyState[15200], StateActive);
    EnemyHP[Boss] = 158;
    g.RunThroughStep(13249);
    EXPECT_EQ(Stage9BossPhase, 2);
    EXPECT_EQ(EnemyHP[Boss], 155);
    EXPECT_EQ(StageFrame, 20001);
    EXPECT_TRUE(AllInState(4500, 4503, StateDestroyed));
}

TEST(StageNine, ABandSkippedInOneStepIsForcedAndEveryStretchTimesOutInTheEnd) {
    StageGame g{Pictures::Dropped};
    EnterNearTheBoss(g);
    g.RunThroughStep(6100);
    EnemyHP[Boss] = 290;  // from 300 to 290 in one step: the band is skipped
    g.RunThroughStep(7999);
    EXPECT_EQ(Stage9BossPhase, 0);
    EXPECT_EQ(EnemyHP[Boss], 290);
    g.RunThroughStep(8000);
    EXPECT_EQ(EnemyHP[Boss], 297);
    EXPECT_EQ(StageFrame, 8001);  // the change follows on the next step
    g.RunThroughStep(8001);
    EXPECT_EQ(Stage9BossPhase, 1);
    EXPECT_EQ(StageFrame, 13001);
    // Left alone, phase 1 is forced at 15000 and phase 2 times out at 24000 without the bonus.
    g.RunThroughStep(15001);
    EXPECT_EQ(Stage9BossPhase, 2);
    EXPECT_EQ(StageFrame, 20001);
    g.RunThroughStep(23999);
    ASSERT_EQ(EnemyState[Boss], StateActive);
    const int before = Score;
    g.RunThroughStep(24000);
    EXPECT_EQ(EnemyState[Boss], StateDestroyed);
    EXPECT_EQ(Score, before);
    const int lastStep = g.RunToNextScene(24500);
    EXPECT_EQ(Scene, Stage10Scene);
    EXPECT_EQ(lastStep, 24099);
}

// The rearguard runs through the alarm, but no wave enemy is left on screen when the boss arrives at
// 6000, and the waves' calls run on until their last shots have flown out instead of freezing them.
TEST(StageNine, TheRearguardIsGoneWhenTheBossArrivesAndItsShotsFlyOut) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage9Scene);
    auto onField = [](int slot) {
        const int size = EnemySize[slot] <= 2 ? 16 : 32;
        return EnemyState[slot] == StateActive && EnemyX[slot] + size > 0 && EnemyX[slot] < 640 &&
               EnemyY[slot] + size > 0 && EnemyY[slot] < 480;
    };
    g.RunThroughStep(5700);
    int raiders = 0;
    for (int slot = 6516; slot < 6536; ++slot) raiders += onField(slot);
    EXPECT_GT(raiders, 0);
    g.RunThroughStep(5999);
    for (int slot = 1000; slot < FirstBulletSlot; ++slot) {
        const bool bossPart = (slot >= 4500 && slot <= 4503) || (slot >= 5000 && slot <= 5003);
        if (!bossPart) {
            EXPECT_FALSE(onField(slot)) << "slot " << slot << " at " << EnemyX[slot];
        }
    }
    g.RunThroughStep(6399);
    // The boss's own small shots start at 14500.
    for (int slot = FirstBulletSlot; slot < 14500; ++slot) EXPECT_FALSE(onField(slot)) << "bullet " << slot;
}
