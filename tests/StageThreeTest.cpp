#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

// The boss section is untouched by everything that comes before it, so its tests start here.
constexpr int BossSectionFrame = 3300;
constexpr int Boss = 9;

}  // namespace

TEST(StageThree, BlocksDriftThenPartAndTheSwarmsTailCallsTwoFours) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage3Scene);
    EXPECT_EQ(BossSlot, Boss);
    EXPECT_EQ(EnemyState[Boss], StateInert);
    EXPECT_EQ(At(2907), (Pos{896, 256}));
    EXPECT_EQ(At(2913), (Pos{704, 448}));
    EXPECT_EQ(EnemyHP[2499], 30);
    EXPECT_EQ(EnemyHP[1995], 1);
    EXPECT_EQ(EnemyHP[1996], 5);
    for (int slot = 1500; slot <= 1531; ++slot) EXPECT_TRUE(EnemyY[slot] >= 0 && EnemyY[slot] < 464) << slot;

    g.RunParked(287);
    EXPECT_EQ(At(2500), (Pos{130, 200}));
    g.RunParked(300);
    EXPECT_EQ(At(2500), (Pos{130, 192}));  // up from 297
    g.RunParked(351);
    EXPECT_EQ(At(2504), (Pos{258, 400}));
    g.RunParked(365);
    EXPECT_EQ(At(2504), (Pos{258, 410}));       // down from 361
    EXPECT_EQ(At(2505), (Pos{258 + 32, 400}));  // started 16 steps later

    g.RunParked(1200);
    ShootDown(1524, 1531);
    g.RunParked(1238);
    const int before = Score;
    g.RunParked(1239);
    EXPECT_EQ(Score - before, 4000);
    EXPECT_EQ(BonusFlags[1], 1);
    g.RunParked(1250);
    EXPECT_EQ(At(1540), (Pos{580, 48}));
    EXPECT_EQ(At(1544), (Pos{580, 448}));
    g.RunParked(1270);
    EXPECT_EQ(At(1543), (Pos{640 - 6 * 6, 48}));  // the fourth member 24 steps behind
}

TEST(StageThree, TheHeavyGunTakesItsGuardsAlongAndTheExtraShipNeedsAllFiveShot) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage3Scene);
    g.RunParked(1519);
    EXPECT_EQ(At(2499), (Pos{454, 224}));
    EXPECT_EQ(At(1996), (Pos{688 - 186, 192}));
    g.RunParked(1536);  // the first seven-shot fan
    for (int slot : {15048, 15053, 15058, 15608, 15613, 15618, 15623})
        EXPECT_EQ(EnemyState[slot], StateActive);
    g.RunParked(1600);
    ShootDown(2499, 2499);
    g.RunParked(1601);
    for (int slot = 1996; slot <= 1999; ++slot) {
        EXPECT_EQ(EnemyState[slot], StateDestroyed);
        EXPECT_EQ(EnemyHP[slot], 5);
    }
    for (int l = 0; l < 24; ++l) EXPECT_NE(EnemyState[15504 + l], StateActive);
    g.RunParked(1602);  // two rings, one step after the gun went
    for (int l = 0; l < 24; ++l) EXPECT_EQ(EnemyState[15504 + l], StateActive) << l;

    g.RunParked(1960);
    EXPECT_EQ(At(950), (Pos{640, 224}));  // the guards were switched off, not shot down
    for (int slot = 1996; slot <= 1999; ++slot) EnemyHP[slot] = 0;
    g.RunParked(1963);
    EXPECT_EQ(At(950), (Pos{634, 224}));
}

TEST(StageThree, TheBossShipAssemblesWakesAt3876AndFiresItsCycle) {
    StageGame g{Pictures::Dropped};
    g.EnterAt(Stage3Scene, BossSectionFrame);
    g.RunParked(3651);
    EXPECT_EQ(At(Boss), (Pos{-30, 224}));
    g.RunParked(3795);
    EXPECT_EQ(At(2491), (Pos{578, 0}));
    EXPECT_EQ(At(2906), (Pos{610, 192}));
    EXPECT_EQ(At(2907), (Pos{610, 256}));
    EXPECT_EQ(Layer2StepX, 2);
    g.RunParked(3796);
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(Layer2StepX, 4);
    g.RunParked(3875);
    EXPECT_EQ(At(Boss), (Pos{610, 224}));
    EXPECT_EQ(EnemyState[Boss], StateInert);
    EXPECT_EQ(EnemyY[713], -32);
    EXPECT_NE(EnemyState[16000], StateActive);
    g.RunParked(3876);
    EXPECT_EQ(EnemyState[Boss], StateActive);
    EXPECT_EQ(EnemyY[713], 0);
    ASSERT_EQ(EnemyState[16000], StateActive);
    const Pos muzzle = At(16000);
    g.RunParked(3878);
    // Straight left; a first call retired the parked slot with a step count of 1, so it moves at once.
    EXPECT_EQ(At(16000), (Pos{muzzle.X - 12, muzzle.Y}));
    EXPECT_EQ(At(16000), (Pos{610 + 8 - 12, 224 + 8}));

    // At 6876 two side parts are switched off, and the front parts join the sweep at cycle point 128.
    StageFrame = 6860;
    g.RunParked(6875);
    EXPECT_EQ(EnemyState[2495], StateActive);
    g.RunParked(6876);
    EXPECT_EQ(EnemyState[2495], StateDestroyed);
    EXPECT_EQ(EnemyState[2496], StateActive);
    EXPECT_EQ(EnemyState[2497], StateDestroyed);
    g.RunParked(6910);
    EXPECT_NE(EnemyState[16480], StateActive);
    g.RunParked(6911);  // 6911 mod 969 = 128
    EXPECT_EQ(EnemyState[16480], StateActive);
    EXPECT_EQ(EnemyState[15112 + 16], StateActive);  // the side part still standing fires too
}

TEST(StageThree, TheHullBreaksUpFromTheMiddleAndTheStageEnds200StepsAfterTheBoss) {
    StageGame g{Pictures::Dropped};
    g.EnterAt(Stage3Scene, BossSectionFrame);
    g.RunParked(3999);
    ShootDown(Boss, Boss);
    g.RunParked(4039);
    for (int slot = 2900; slot <= 2913; ++slot) EXPECT_NE(EnemyState[slot], StateDestroyed) << slot;
    g.RunParked(4040);
    EXPECT_EQ(EnemyState[2906], StateDestroyed);
    EXPECT_EQ(EnemyState[2907], StateDestroyed);
    EXPECT_NE(EnemyState[2905], StateDestroyed);
    g.RunParked(4052);
    EXPECT_EQ(EnemyState[2905], StateDestroyed);
    EXPECT_EQ(EnemyState[2908], StateDestroyed);
    g.RunParked(4111);
    EXPECT_NE(EnemyState[2900], StateDestroyed);
    EXPECT_EQ(EnemyState[2901], StateDestroyed);
    g.RunParked(4112);  // the ends of the hull last
    EXPECT_EQ(EnemyState[2900], StateDestroyed);
    EXPECT_EQ(EnemyState[2913], StateDestroyed);
    g.RunParked(4123);
    EXPECT_NE(EnemyState[2491], StateDestroyed);
    g.RunParked(4124);
    for (int slot = 2491; slot <= 2498; ++slot) EXPECT_EQ(EnemyState[slot], StateDestroyed) << slot;
    const int lastStep = g.RunToNextScene();
    EXPECT_EQ(Scene, Stage4Scene);
    EXPECT_EQ(lastStep, 4199);
}
