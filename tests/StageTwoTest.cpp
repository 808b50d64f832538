#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

// The boss section is untouched by everything that comes before it, so its tests start here.
constexpr int BossSectionFrame = 3900;
constexpr int Boss = 7, Shield = 8;

}  // namespace

TEST(StageTwo, FliersRestAtTheJointsAndTheGunRowBonusCallsFliersThatFire) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage2Scene);
    EXPECT_EQ(BossSlot, Boss);
    EXPECT_EQ(At(Boss), (Pos{640, 448}));
    EXPECT_EQ(At(Shield), (Pos{448, -96}));
    EXPECT_EQ(EnemyHP[Shield], 30000);
    for (int slot = 3504; slot <= 3511; ++slot) {
        EXPECT_EQ(EnemyX[slot], 640);
        EXPECT_TRUE(EnemyY[slot] >= 0 && EnemyY[slot] < 448) << slot;
    }
    for (int slot = 3512; slot <= 3519; ++slot)
        EXPECT_TRUE(EnemyX[slot] >= 100 && EnemyX[slot] < 608) << slot;

    g.RunParked(95);
    EXPECT_EQ(At(1000), (Pos{454, 100}));
    g.RunParked(96);
    EXPECT_EQ(At(1000), (Pos{454, 100}));  // the joint
    g.RunParked(128);
    EXPECT_EQ(At(1000), (Pos{516, 255}));
    g.RunParked(129);
    EXPECT_EQ(At(1000), (Pos{510, 255}));

    g.RunParked(400);
    ShootDown(2000, 2003);
    g.RunParked(494);
    const int before = Score;
    g.RunParked(495);
    EXPECT_EQ(Score - before, 10000);
    EXPECT_EQ(BonusFlags[5], 1);
    g.RunParked(503);
    EXPECT_EQ(At(1512), (Pos{480 + 2 * 7, 480 - 5 * 7}));
    EXPECT_NE(EnemyState[11012], StateActive);
    g.RunParked(504);  // flier 0's first shot
    EXPECT_EQ(EnemyState[11012], StateActive);
    EXPECT_EQ(EnemyX[11012] - EnemyX[1512], EnemyY[11012] - EnemyY[1512]);
    EXPECT_NE(EnemyState[11016], StateActive);  // its second comes 8 steps later

    // Two mines are still flying at the mine check: its fliers never come.
    g.RunParked(1100);
    EXPECT_EQ(BonusFlags[1], 0);
    EXPECT_EQ(At(1020), (Pos{640, 0}));
    EXPECT_EQ(Layer3StepX, 0);
    g.RunParked(1200);
    EXPECT_EQ(Layer3StepX, -4);
}

TEST(StageTwo, AMineGoesOffNearTheShipInARingOfTwelveSlowShotsWithoutPoints) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage2Scene);
    g.RunParked(520);
    const int before = Score;
    // The first mine scrolls in at (640, 192) from step 529 on; the ship waits 88 pixels away from
    // where the mine comes on screen.
    auto shipNearby = [] {
        PlayerUntouchable = 1;
        PlayerX = 520;
        PlayerY = 192;
    };
    g.RunThroughStep(543, shipNearby);
    EXPECT_EQ(EnemyState[3500], StateActive);
    EXPECT_EQ(At(3500), (Pos{610, 192}));
    g.RunThroughStep(544, shipNearby);
    EXPECT_EQ(EnemyState[3500], StateDestroyed);
    for (int e = 0; e < 12; ++e) EXPECT_NE(EnemyState[10000 + 4 * e], StateActive) << e;
    g.RunThroughStep(545, shipNearby);
    for (int e = 0; e < 12; ++e) EXPECT_EQ(EnemyState[10000 + 4 * e], StateActive) << e;
    g.RunThroughStep(565, shipNearby);
    // Twelve directions 30 degrees apart, the first aimed at the ship on its left, 3 pixels a step.
    const int x0 = EnemyX[10000 + 4 * 6];  // the shot turned away from the ship
    EXPECT_LT(EnemyX[10000], x0);
    EXPECT_GT(EnemyX[10000] + 100, x0);
    for (int e = 0; e < 12; ++e) {
        for (int f = e + 1; f < 12; ++f) EXPECT_NE(At(10000 + 4 * e), At(10000 + 4 * f)) << e << " " << f;
    }
    EXPECT_EQ(EnemyHP[3500], 10);
    EXPECT_EQ(Score, before);  // set off, not shot down
}

TEST(StageTwo, TheBossWaitsPatrolsTheBottomAndFiresFromFrame4000) {
    StageGame g{Pictures::Dropped};
    g.EnterAt(Stage2Scene, BossSectionFrame);
    g.RunParked(3967);
    EXPECT_EQ(At(Boss), (Pos{640, 448}));
    EXPECT_EQ(Layer1StepX, -1);
    EXPECT_EQ(EnemyY[713], -32);
    g.RunParked(3968);
    EXPECT_EQ(At(Boss), (Pos{632, 448}));
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(Layer2StepX, 0);
    EXPECT_EQ(EnemyY[713], 0);
    // Nothing of the patrol's fire leaves the boss before 4000; the first shot leaves at 4016.
    g.RunParked(4015);
    for (int slot = 15088; slot <= 15103; ++slot) EXPECT_EQ(At(slot), (Pos{-128, -128})) << slot;
    g.RunParked(4016);
    EXPECT_EQ(EnemyState[15096], StateActive);
    EXPECT_EQ(At(15096), (Pos{248 + 8, 448 + 8}));
    // The patrol turns at the left edge.
    g.RunParked(4047);
    EXPECT_EQ(At(Boss), (Pos{0, 448}));
    EXPECT_EQ(Boss2Dir, 1);
    g.RunParked(4048);
    EXPECT_EQ(At(Boss), (Pos{8, 448}));
    // The shot flies until cycle point 96, stops, and 16 steps later turns into a new aimed shot.
    g.RunParked(4064);
    const Pos stopped = At(15096);
    g.RunParked(4079);
    EXPECT_EQ(EnemyState[15096], StateActive);
    EXPECT_EQ(At(15096), stopped);
    EXPECT_NE(At(15100), stopped);
    g.RunParked(4080);
    EXPECT_EQ(EnemyState[15096], StateDestroyed);
    EXPECT_EQ(EnemyState[15100], StateActive);
    EXPECT_EQ(At(15100), stopped);
}

TEST(StageTwo, HitPointsInTheBandSendTheBossUpAndBackInsideItsShield) {
    StageGame g{Pictures::Dropped};
    g.EnterAt(Stage2Scene, BossSectionFrame);
    g.RunParked(4100);
    ASSERT_EQ(Boss2Phase, 0);
    EnemyHP[Boss] = 205;
    g.RunParked(4101);
    EXPECT_EQ(Boss2Phase, 1);
    EXPECT_EQ(EnemyHP[Boss], 200);
    for (int slot = 15000; slot <= 15999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    const int x = EnemyX[Boss];
    g.RunParked(4146);
    EXPECT_EQ(At(Boss), (Pos{x, 448 - 12 * 45}));
    EXPECT_EQ(Boss2Phase, 1);
    // The patrol's fire has stopped: its 4144 shot never leaves.
    EXPECT_EQ(EnemyState[15096], StateDestroyed);
    g.RunParked(4147);
    EXPECT_EQ(Boss2Phase, 2);
    EXPECT_EQ(Boss2Dir, 2);
    EXPECT_EQ(At(Boss), (Pos{480, -64}));
    g.RunParked(4148);
    EXPECT_EQ(At(Shield), (Pos{448, -96}));  // the shield follows where the boss was
    EXPECT_EQ(At(Boss), (Pos{482, -62}));    // 4148 mod 64 = 52: sway right, sink 2
    g.RunParked(4160);
    EXPECT_EQ(At(Boss), (Pos{502, -38}));  // twelve steps right, then from 4160 (mod 64 = 0) left
    EXPECT_EQ(At(Shield), (Pos{472, -72}));
    // Phase 2's first volley at 4352 (period 256, phase 0).
    g.RunParked(4351);
    EXPECT_NE(EnemyState[15110], StateActive);
    g.RunParked(4352);
    for (int slot = 15110; slot <= 15113; ++slot) EXPECT_EQ(EnemyState[slot], StateActive) << slot;
    // The boss turns back up once below Y 383, and down again at Y 32.
    g.RunParked(4370);
    EXPECT_EQ(Boss2Dir, 2);
    g.RunParked(4371);
    EXPECT_EQ(EnemyY[Boss], 384);
    EXPECT_EQ(Boss2Dir, 3);
    g.RunParked(4547);
    EXPECT_EQ(EnemyY[Boss], 32);
    EXPECT_EQ(Boss2Dir, 2);
}

TEST(StageTwo, APassPastTheBandWaitsForFrame6600AndTheShieldSinksAfterTheBoss) {
    StageGame g{Pictures::Dropped};
    g.EnterAt(Stage2Scene, BossSectionFrame);
    g.RunParked(4100);
    EnemyHP[Boss] = 150;  // from above 211 straight to below 201
    g.RunParked(6599);
    EXPECT_EQ(Boss2Phase, 0);
    EXPECT_EQ(EnemyHP[Boss], 150);
    bool inFlight = false;
    for (int slot = 15000; slot <= 19999; ++slot) inFlight |= EnemyState[slot] == StateActive;
    EXPECT_TRUE(inFlight);
    g.RunParked(6600);
    EXPECT_EQ(Boss2Phase, 1);
    for (int slot = 15000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;

    g.RunParked(6700);
    ASSERT_EQ(Boss2Phase, 2);
    ShootDown(Boss, Boss);
    const Pos shield = At(Shield);
    g.RunParked(6701);
    EXPECT_EQ(EnemyState[Shield], StateActive);
    EXPECT_EQ(At(Shield), (Pos{shield.X, shield.Y + 4}));
    g.RunParked(6702);  // the boss's dead time reads 1: the shield goes and every bullet with it
    EXPECT_EQ(EnemyState[Shield], StateDestroyed);
    for (int slot = 11000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    EXPECT_EQ(At(Shield), (Pos{shield.X, shield.Y + 8}));
    const int lastStep = g.RunToNextScene();
    EXPECT_EQ(Scene, Stage3Scene);
    EXPECT_EQ(lastStep, 6800);
}

TEST(StageTwo, ABossLeftStandingAtTheTimeOutIsSwitchedOffWithoutItsBonus) {
    StageGame g{Pictures::Dropped};
    g.EnterAt(Stage2Scene, BossSectionFrame);
    g.RunParked(4000);
    StageFrame = 7590;  // skip the wait; nothing between is timed
    g.RunParked(7599);
    ASSERT_EQ(EnemyState[Boss], StateActive);
    const int before = Score;
    g.RunParked(7600);
    EXPECT_EQ(EnemyState[Boss], StateDestroyed);
    EXPECT_EQ(EnemyHP[Boss], 300);
    g.RunParked(7601);
    EXPECT_EQ(Score, before);
    EXPECT_EQ(EnemyState[Shield], StateDestroyed);
}
