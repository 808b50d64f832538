#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

constexpr int Boss = 17;

// Enters stage 10 and skips ahead to `frame`: the fortress and the boss do not depend on the
// waves before them.
void EnterAt(StageGame& g, int frame) {
    g.Enter(Stage10Scene);
    StageFrame = frame;
}

}  // namespace

TEST(StageTen, TheFirstGunGroupShotDownByItsCheckReleasesTheFallingGun) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage10Scene);
    EXPECT_EQ(BonusFlagCount, 3);
    EXPECT_EQ(EnemyHP[Boss], 500);
    EXPECT_EQ(EnemyHP[20], 25);
    EXPECT_EQ(EnemyHP[29], 20);
    EXPECT_EQ(EnemyHP[2480], 200);
    for (int slot = 2400; slot < 2416; ++slot) {
        ASSERT_EQ((EnemyY[slot] - 32) % 32, 0);
        ASSERT_GE(EnemyY[slot], 32);
        ASSERT_LE(EnemyY[slot], 416);
    }
    g.RunThroughStep(1900);
    ShootDown(2400, 2403);
    const int before = Score;
    g.RunThroughStep(1967);
    EXPECT_EQ(BonusFlags[1], 1);
    EXPECT_EQ(Score - before, 4 * 1000 + 20000);  // the guns' own points and the bonus
    g.RunThroughStep(1970);
    EXPECT_EQ(EnemyY[2450], -64 + 2 * 2);
    // The second group was left alone, so its reward fliers never come.
    g.RunThroughStep(3940);
    EXPECT_EQ(BonusFlags[2], 0);
    EXPECT_EQ(EnemyX[1512], 0);
    EXPECT_EQ(EnemyY[1512], -16);
}

TEST(StageTen, TheFortressFallsWithItsPartsAndMovesTheClockToTheBoss) {
    StageGame g{Pictures::Dropped};
    EnterAt(g, 13200);
    g.RunThroughStep(13300);
    EXPECT_EQ(EnemyX[2491], 448);
    EXPECT_EQ(EnemyX[5002], 480);
    g.RunThroughStep(13400);
    ShootDown(2491, 2493);
    g.RunThroughStep(13401);
    EXPECT_TRUE(AllInState(5002, 5005, StateDestroyed));
    // 32 steps after the first pod burst the clock jumps to the boss's approach.
    g.RunThroughStep(13432);
    EXPECT_EQ(StageFrame, 13433);
    g.RunThroughStep(13433);
    EXPECT_EQ(StageFrame, 19889);
    // The fortress's shots go with it rather than hang where they were.
    EXPECT_TRUE(AllInState(11144, 11223, StateDestroyed));
    EXPECT_TRUE(AllInState(13196, 13423, StateDestroyed));
}

TEST(StageTen, AFortressLeftStandingTimesOutAndStillLeadsToTheBoss) {
    StageGame g{Pictures::Dropped};
    EnterAt(g, 17250);
    g.RunThroughStep(17299);
    EXPECT_EQ(EnemyState[5002], StateActive);
    g.RunThroughStep(17300);
    EXPECT_TRUE(AllInState(5002, 5005, StateDestroyed));
    EXPECT_TRUE(AllInState(2491, 2493, StateDestroyed));
    EXPECT_TRUE(AllInState(11144, 11223, StateDestroyed));
    EXPECT_TRUE(AllInState(13196, 13423, StateDestroyed));
    g.RunThroughStep(17331);
    EXPECT_EQ(StageFrame, 17332);
    g.RunThroughStep(17332);
    EXPECT_EQ(StageFrame, 19889);
}

TEST(StageTen, BreakingEachRingMovesTheClockForwardOnly) {
    StageGame g{Pictures::Dropped};
    EnterAt(g, 19880);
    g.RunThroughStep(20000);
    EXPECT_EQ(EnemyX[Boss], 546);
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(20001);
    // The outer ring at radius 64 turns +4 degrees a step, the inner at 32 the other way.
    EXPECT_EQ(EnemyX[2480], 546 + 64);
    EXPECT_EQ(EnemyY[2480] - 224, 4);
    EXPECT_EQ(EnemyX[2484], 546 + 32);
    EXPECT_EQ(EnemyY[2484] - 224, -2);
    // The inner ring broken first jumps straight to the circling; the outer one broken later
    // does not send the clock back.
    g.RunThroughStep(20100);
    ShootDown(2485, 2485);
    g.RunThroughStep(20101);
    EXPECT_EQ(StageFrame, 20102);
    g.RunThroughStep(20102);
    EXPECT_EQ(StageFrame, 40320);
    EXPECT_TRUE(AllInState(2484, 2487, StateDestroyed));
    EXPECT_TRUE(AllInState(15100, 15579, StateDestroyed));
    EXPECT_EQ(EnemyState[2480], StateActive);
    ShootDown(2480, 2480);
    g.RunThroughStep(40322);
    EXPECT_GT(StageFrame, 40320);
    EXPECT_TRUE(AllInState(2480, 2483, StateDestroyed));
}

TEST(StageTen, TheRingsAreForcedOffAndTheBossCirclesFasterUntilItsTimeOut) {
    StageGame g{Pictures::Dropped};
    EnterAt(g, 19880);
    g.RunThroughStep(22000);
    EXPECT_TRUE(AllInState(2480, 2483, StateDestroyed));
    g.RunThroughStep(22001);
    EXPECT_EQ(StageFrame, 30000);
    g.RunThroughStep(32000);
    EXPECT_TRUE(AllInState(2484, 2487, StateDestroyed));
    g.RunThroughStep(32001);
    EXPECT_EQ(StageFrame, 40320);
    EXPECT_EQ(EnemyX[Boss], 546);
    g.RunThroughStep(40321);
    EXPECT_EQ(EnemyX[Boss], 528);
    EXPECT_EQ(EnemyY[Boss], 228);
    g.RunThroughStep(40501);  // the second stretch starts half a turn round, at 2 degrees a step
    EXPECT_EQ(EnemyX[Boss], 80);
    EXPECT_EQ(EnemyY[Boss], 216);
    g.RunThroughStep(44319);
    ASSERT_EQ(EnemyState[Boss], StateActive);
    g.RunThroughStep(44320);
    EXPECT_EQ(EnemyState[Boss], StateDestroyed);
    ContinuesUsed = 1;
    g.RunToNextScene(45000);
    EXPECT_EQ(Scene, StaffRollScene);
}
