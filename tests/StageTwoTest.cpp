#include <gtest/gtest.h>

#include "tests/StageRunSupport.h"

using namespace veltrano;
using testdata::At;
using testdata::Pos;
using testdata::RunParked;
using testdata::ShootDown;
using testdata::StageGame;

namespace {

constexpr int Boss = 7, Shield = 8;

// Enters stage 2 and skips to frame 3900: the boss, its shield and the layers it stops are untouched
// by everything that comes before.
void EnterBeforeTheBoss(StageGame& g) {
    g.Enter(Stage2Scene);
    StageFrame = 3900;
}

}  // namespace

TEST(StageTwo, FliersRestAtTheJointsAndTheGunRowBonusCallsFliersThatFire) {
    StageGame g;
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

    RunParked(g, 95);
    EXPECT_EQ(At(1000), (Pos{454, 100}));
    RunParked(g, 96);
    EXPECT_EQ(At(1000), (Pos{454, 100}));  // the joint
    RunParked(g, 128);
    EXPECT_EQ(At(1000), (Pos{516, 255}));
    RunParked(g, 129);
    EXPECT_EQ(At(1000), (Pos{510, 255}));

    RunParked(g, 400);
    ShootDown(2000, 2003);
    RunParked(g, 494);
    const int before = Score;
    RunParked(g, 495);
    EXPECT_EQ(Score - before, 10000);
    EXPECT_EQ(BonusFlags[5], 1);
    RunParked(g, 503);
    EXPECT_EQ(At(1512), (Pos{480 + 2 * 7, 480 - 5 * 7}));
    EXPECT_NE(EnemyState[11012], StateActive);
    RunParked(g, 504);  // flier 0's first shot
    EXPECT_EQ(EnemyState[11012], StateActive);
    EXPECT_EQ(EnemyX[11012] - EnemyX[1512], EnemyY[11012] - EnemyY[1512]);
    EXPECT_NE(EnemyState[11016], StateActive);  // its second comes 8 steps later

    // Two mines are still flying at the mine check: its fliers never come.
    RunParked(g, 1100);
    EXPECT_EQ(BonusFlags[1], 0);
    EXPECT_EQ(At(1020), (Pos{640, 0}));
    EXPECT_EQ(Layer3StepX, 0);
    RunParked(g, 1200);
    EXPECT_EQ(Layer3StepX, -4);
}

TEST(StageTwo, AMineGoesOffNearTheShipInARingOfTwelveSlowShotsWithoutPoints) {
    StageGame g;
    g.Enter(Stage2Scene);
    RunParked(g, 520);
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
    StageGame g;
    EnterBeforeTheBoss(g);
    RunParked(g, 3967);
    EXPECT_EQ(At(Boss), (Pos{640, 448}));
    EXPECT_EQ(Layer1StepX, -1);
    EXPECT_EQ(EnemyY[713], -32);
    RunParked(g, 3968);
    EXPECT_EQ(At(Boss), (Pos{632, 448}));
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(Layer2StepX, 0);
    EXPECT_EQ(EnemyY[713], 0);
    // Nothing of the patrol's fire leaves the boss before 4000; the first shot leaves at 4016.
    RunParked(g, 4015);
    for (int slot = 15088; slot <= 15103; ++slot) EXPECT_EQ(At(slot), (Pos{-128, -128})) << slot;
    RunParked(g, 4016);
    EXPECT_EQ(EnemyState[15096], StateActive);
    EXPECT_EQ(At(15096), (Pos{248 + 8, 448 + 8}));
    // The patrol turns at the left edge.
    RunParked(g, 4047);
    EXPECT_EQ(At(Boss), (Pos{0, 448}));
    EXPECT_EQ(Boss2Dir, 1);
    RunParked(g, 4048);
    EXPECT_EQ(At(Boss), (Pos{8, 448}));
    // The shot flies until cycle point 96, stops, and 16 steps later turns into a new aimed shot.
    RunParked(g, 4064);
    const Pos stopped = At(15096);
    RunParked(g, 4079);
    EXPECT_EQ(EnemyState[15096], StateActive);
    EXPECT_EQ(At(15096), stopped);
    EXPECT_NE(At(15100), stopped);
    RunParked(g, 4080);
    EXPECT_EQ(EnemyState[15096], StateDestroyed);
    EXPECT_EQ(EnemyState[15100], StateActive);
    EXPECT_EQ(At(15100), stopped);
}

TEST(StageTwo, HitPointsInTheBandSendTheBossUpAndBackInsideItsShield) {
    StageGame g;
    EnterBeforeTheBoss(g);
    RunParked(g, 4100);
    ASSERT_EQ(Boss2Phase, 0);
    EnemyHP[Boss] = 205;
    RunParked(g, 4101);
    EXPECT_EQ(Boss2Phase, 1);
    EXPECT_EQ(EnemyHP[Boss], 200);
    for (int slot = 15000; slot <= 15999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    const int x = EnemyX[Boss];
    RunParked(g, 4146);
    EXPECT_EQ(At(Boss), (Pos{x, 448 - 12 * 45}));
    EXPECT_EQ(Boss2Phase, 1);
    // The patrol's fire has stopped: its 4144 shot never leaves.
    EXPECT_EQ(EnemyState[15096], StateDestroyed);
    RunParked(g, 4147);
    EXPECT_EQ(Boss2Phase, 2);
    EXPECT_EQ(Boss2Dir, 2);
    EXPECT_EQ(At(Boss), (Pos{480, -64}));
    RunParked(g, 4148);
    EXPECT_EQ(At(Shield), (Pos{448, -96}));  // the shield follows where the boss was
    EXPECT_EQ(At(Boss), (Pos{482, -62}));    // 4148 mod 64 = 52: sway right, sink 2
    RunParked(g, 4160);
    EXPECT_EQ(At(Boss), (Pos{502, -38}));  // twelve steps right, then from 4160 (mod 64 = 0) left
    EXPECT_EQ(At(Shield), (Pos{472, -72}));
    // Phase 2's first volley at 4352 (period 256, phase 0).
    RunParked(g, 4351);
    EXPECT_NE(EnemyState[15110], StateActive);
    RunParked(g, 4352);
    for (int slot = 15110; slot <= 15113; ++slot) EXPECT_EQ(EnemyState[slot], StateActive) << slot;
    // The boss turns back up once below Y 383, and down again at Y 32.
    RunParked(g, 4370);
    EXPECT_EQ(Boss2Dir, 2);
    RunParked(g, 4371);
    EXPECT_EQ(EnemyY[Boss], 384);
    EXPECT_EQ(Boss2Dir, 3);
    RunParked(g, 4547);
    EXPECT_EQ(EnemyY[Boss], 32);
    EXPECT_EQ(Boss2Dir, 2);
}

TEST(StageTwo, APassPastTheBandWaitsForFrame6600AndTheShieldSinksAfterTheBoss) {
    StageGame g;
    EnterBeforeTheBoss(g);
    RunParked(g, 4100);
    EnemyHP[Boss] = 150;  // from above 211 straight to below 201
    RunParked(g, 6599);
    EXPECT_EQ(Boss2Phase, 0);
    EXPECT_EQ(EnemyHP[Boss], 150);
    bool inFlight = false;
    for (int slot = 15000; slot <= 19999; ++slot) inFlight |= EnemyState[slot] == StateActive;
    EXPECT_TRUE(inFlight);
    RunParked(g, 6600);
    EXPECT_EQ(Boss2Phase, 1);
    for (int slot = 15000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;

    RunParked(g, 6700);
    ASSERT_EQ(Boss2Phase, 2);
    ShootDown(Boss, Boss);
    const Pos shield = At(Shield);
    RunParked(g, 6701);
    EXPECT_EQ(EnemyState[Shield], StateActive);
    EXPECT_EQ(At(Shield), (Pos{shield.X, shield.Y + 4}));
    RunParked(g, 6702);  // the boss's dead time reads 1: the shield goes and every bullet with it
    EXPECT_EQ(EnemyState[Shield], StateDestroyed);
    for (int slot = 11000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    EXPECT_EQ(At(Shield), (Pos{shield.X, shield.Y + 8}));
    const int lastStep = testdata::RunUntilTheSceneEnds(g);
    EXPECT_EQ(Scene, Stage3Scene);
    EXPECT_EQ(lastStep, 6800);
}

TEST(StageTwo, ABossLeftStandingAtTheTimeOutIsSwitchedOffWithoutItsBonus) {
    StageGame g;
    EnterBeforeTheBoss(g);
    RunParked(g, 4000);
    StageFrame = 7590;  // skip the wait; nothing between is timed
    RunParked(g, 7599);
    ASSERT_EQ(EnemyState[Boss], StateActive);
    const int before = Score;
    RunParked(g, 7600);
    EXPECT_EQ(EnemyState[Boss], StateDestroyed);
    EXPECT_EQ(EnemyHP[Boss], 300);
    RunParked(g, 7601);
    EXPECT_EQ(Score, before);
    EXPECT_EQ(EnemyState[Shield], StateDestroyed);
}

TEST(StageTwo, AFiringPilotPlaysTheStageThroughToStageThree) {
    StageGame g;
    g.Enter(Stage2Scene);
    testdata::PlayThroughScene(g, 9000);
    EXPECT_EQ(Scene, Stage3Scene);
    EXPECT_EQ(StageFrame, 0);
}
