#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "EngineTestSupport.h"
#include "engine/EnemyBullet.h"
#include "world/World.h"

using namespace veltrano;
using namespace veltrano::test;

namespace {

// A stage in progress with one carrier and its free bullet slots.
void StartStage(int carrier, int x, int y, int hitClass) {
    ResetWorldState();
    Scene = Stage2Scene;
    PlaceObject(carrier, x, y, hitClass);
    for (int b = FirstBulletSlot; b <= LastBulletSlot; ++b) EnemyState[b] = StateDestroyed;
}

void ExpectAt(int slot, int x, int y) {
    EXPECT_EQ(EnemyX[slot], x) << "slot " << slot << " at frame " << StageFrame;
    EXPECT_EQ(EnemyY[slot], y) << "slot " << slot << " at frame " << StageFrame;
}

}  // namespace

TEST(EngineFire, AngledBulletStartsAtTheMuzzleAndFliesAlongItsAngle) {
    StartStage(25, 100, 100, 1);
    BulletStep[9000] = 1;  // left by an earlier retirement
    StageFrame = 10;
    const auto script = [] { FireAngled(9000, 25, 90, 10, 1000, 0, 4); };
    RunSteps(1, script);
    ExpectAt(9000, 104, 104);
    EXPECT_EQ(EnemyState[9000], StateActive);
    for (int y : {108, 112, 116}) {
        RunSteps(1, script);
        ExpectAt(9000, 104, y);
    }
    // Its first launch after a reset waits one extra step at the muzzle.
    StartStage(25, 100, 100, 1);
    StageFrame = 10;
    for (int y : {104, 104, 108, 112}) {
        RunSteps(1, script);
        ExpectAt(9000, 104, y);
    }
}

TEST(EngineFire, RingOfTwelveAfterTenSteps) {
    StartStage(2000, 300, 200, 4);  // a large carrier: muzzle 8 pixels in
    StageFrame = 50;
    RunSteps(11, [] {
        for (int e = 0; e < 12; ++e) FireAngled(10000 + e, 2000, 30 * e, 50, 400, 0, 4);
    });
    // Ten moving steps after the launch, the last at BulletStep 9: 36 pixels out.
    const int expected[12][2] = {{344, 208}, {339, 226}, {326, 239}, {308, 244}, {290, 239}, {277, 226},
                                 {272, 208}, {277, 190}, {290, 177}, {308, 172}, {326, 177}, {339, 190}};
    for (int e = 0; e < 12; ++e) ExpectAt(10000 + e, expected[e][0], expected[e][1]);
    EXPECT_EQ(BulletStep[10000], 10);
}

TEST(EngineFire, BulletsFreezeBeforeTheStartWhileTheCarrierLives) {
    StartStage(25, 100, 100, 1);
    EnemyState[9000] = StateActive;
    EnemyX[9000] = BulletOriginX[9000] = 200;
    EnemyY[9000] = BulletOriginY[9000] = 200;
    BulletAngle[9000] = 0;
    BulletStep[9000] = 3;
    StageFrame = 150;
    RunSteps(51, [] { FireAngled(9000, 25, 0, 0, 1000, 200, 4); });
    ExpectAt(9000, 200, 200);
    RunSteps(1, [] { FireAngled(9000, 25, 0, 0, 1000, 200, 4); });
    ExpectAt(9000, 212, 200);
    // With the carrier gone the bullet flies on whatever the frame.
    EnemyState[25] = StateDestroyed;
    StageFrame = 0;
    RunSteps(1, [] { FireAngled(9000, 25, 0, 0, 1000, 200, 4); });
    ExpectAt(9000, 216, 200);
}

TEST(EngineFire, AimedBulletTakesTheShipsDirectionPlusTheOffset) {
    StartStage(25, 100, 100, 1);
    PlayerX = 20;  // aim point (28, 104): straight left of the muzzle
    PlayerY = 96;
    BulletStep[9000] = BulletStep[9001] = 1;
    StageFrame = 5;
    const auto script = [] {
        FireAimed(9000, 25, 0, 5, 100, 0, 4);
        FireAimed(9001, 25, 15, 5, 100, 0, 4);
    };
    RunSteps(1, script);
    const long double pi = std::numbers::pi_v<long double>;
    EXPECT_NEAR(static_cast<double>(BulletAngle[9000]), static_cast<double>(pi), 1e-12);
    EXPECT_NEAR(static_cast<double>(BulletAngle[9001]), static_cast<double>(pi * 195 / 180), 1e-12);
    EXPECT_EQ(BulletAimX[9000], 28);
    RunSteps(2, script);
    ExpectAt(9000, 96, 104);
    ExpectAt(9001, 96, 102);  // 195 degrees: slightly upwards
}

TEST(EngineFire, ScheduleUsesTheSignedRemainderForNegativeFrames) {
    StartStage(25, 100, 100, 1);
    StageFrame = -200;
    int launches8 = 0, launches0 = 0, firstFrame8 = 0;
    RunSteps(240, [&] {
        const bool free8 = EnemyState[9000] == StateDestroyed;
        const bool free0 = EnemyState[9001] == StateDestroyed;
        FireAimed(9000, 25, 0, 8, 40, -1000, 0);
        FireAimed(9001, 25, 0, 0, 40, -1000, 0);
        if (free8 && EnemyState[9000] == StateActive && launches8++ == 0) firstFrame8 = StageFrame;
        if (free0 && EnemyState[9001] == StateActive) ++launches0;
        EnemyState[9000] = EnemyState[9001] = StateDestroyed;
    });
    EXPECT_EQ(firstFrame8, 8);  // never at -32, -72, ... where a floored remainder would give 8
    EXPECT_EQ(launches8, 1);
    EXPECT_EQ(launches0, 6);  // -200, -160, ..., 0: a remainder of 0 matches before frame 0 too
}

TEST(EngineFire, StraightPatternsMoveAfterLaunchingAndStopPatternsPause) {
    StartStage(25, 100, 100, 1);
    StageFrame = 20;
    RunSteps(1, [] { FireStraight(9000, 25, 0, 20, 100, 2, -5); });
    ExpectAt(9000, 103, 110);  // carrier + 8, already moved once
    BulletStep[9000] = 1;
    EnemyX[9000] = 8;
    RunSteps(5, [] { FireStraight(9000, 25, 0, 20, 100, 2, -5); });
    EXPECT_EQ(EnemyState[9000], StateDestroyed);
    EXPECT_EQ(BulletStep[9000], 1);  // a straight retirement leaves the counter alone

    StartStage(25, 100, 100, 1);
    StageFrame = 0;
    int movingSteps = 0;
    RunSteps(40, [&] {
        const int x = EnemyX[9001];
        FireStraightStop(9001, 25, -1, 10, 0, 20, 0, 2);
        if (EnemyX[9001] != x) ++movingSteps;
    });
    EXPECT_EQ(movingSteps, 20);  // ten of every twenty steps, the launch step among them
    ExpectAt(9001, 104 + 40, 104);
}

TEST(EngineFire, RetirementsLeaveStepZeroOrOne) {
    // Angled: 1. Aimed and the stopping aimed pattern: 0, where the bullet left the field.
    StartStage(25, 100, 100, 1);
    for (int b : {9000, 9001, 9002, 9003}) {
        EnemyState[b] = StateActive;
        EnemyX[b] = 700;
        BulletOriginX[b] = BulletOriginY[b] = 50;
        BulletStep[b] = 9;
    }
    StageFrame = 1;
    FireAngled(9000, 25, 0, 7, 100, 0, 4);
    FireAimed(9001, 25, 0, 7, 100, 0, 4);
    FireAimedStop(9002, 25, 0, 5, 7, 100, 0, 4);
    FireAngledStop(9003, 25, 0, 5, 7, 100, 0, 4);
    for (int b : {9000, 9001, 9002, 9003}) EXPECT_EQ(EnemyState[b], StateDestroyed) << b;
    EXPECT_EQ(BulletStep[9000], 1);
    EXPECT_EQ(BulletStep[9001], 0);
    EXPECT_EQ(BulletStep[9002], 0);
    EXPECT_EQ(EnemyX[9002], 700);
    // The stopping angled pattern still takes its flight step: back at the origin, counter 1.
    EXPECT_EQ(BulletStep[9003], 1);
    ExpectAt(9003, 50, 50);
}

TEST(EngineFire, DeathBarrageLaunchesOnceOnTheGivenDeadTime) {
    StartStage(2100, 200, 200, 4);
    int launches = 0;
    int launchDeadTime = -1;
    RunSteps(30, [&] {
        if (StageFrame == 10) EnemyState[2100] = StateDestroyed;
        const bool free = EnemyState[9500] == StateDestroyed;
        FireOnDeath(9500, 2100, 0, 5, 2);
        FireAngledOnDeath(9501, 2100, 45, 5, 2);
        if (free && EnemyState[9500] == StateActive) {
            ++launches;
            launchDeadTime = EnemyDeadTime[2100];
        }
        ScoreSlot(2100);  // the dead time advances at the end of each step
    });
    EXPECT_EQ(launches, 1);
    EXPECT_EQ(launchDeadTime, 5);
    EXPECT_EQ(BulletOriginX[9501], 208);
    EXPECT_GT(EnemyX[9501], 208);  // flying down-right
    EXPECT_GT(EnemyY[9501], 208);
}

TEST(EngineFire, CarriersOfClassSixAndAboveLaunchWithoutPlacing) {
    StartStage(900, 100, 100, 6);
    EnemyX[9000] = 300;
    EnemyY[9000] = 310;
    BulletOriginX[9000] = 50;
    BulletOriginY[9000] = 60;
    StageFrame = 3;
    FireAngled(9000, 900, 0, 3, 10, 0, 4);
    EXPECT_EQ(EnemyState[9000], StateActive);
    ExpectAt(9000, 300, 310);
    StageFrame = 4;
    FireAngled(9000, 900, 0, 3, 10, 0, 4);
    ExpectAt(9000, 50, 60);  // flies from the origin it kept
}

TEST(EngineFire, MarkAndExactPatternsConsumeTheirCarrier) {
    // A bullet in flight is the carrier: it turns into the new shot at its own position.
    StartStage(25, 100, 100, 1);
    PlaceObject(9100, 200, 150, 0);
    BulletStep[9100] = 7;
    PlayerX = 400;
    PlayerY = 300;
    StageFrame = 10;
    FireAtPlayerMark(9200, 9100, 0, 0, 10, 0, 5);
    EXPECT_EQ(EnemyState[9100], StateDestroyed);
    EXPECT_EQ(BulletStep[9100], 0);
    ExpectAt(9200, 200, 150);
    EXPECT_EQ(BulletAimX[9200], 408);
    EXPECT_EQ(BulletAimY[9200], 308);
    StageFrame = 12;
    FireAtPlayerMark(9200, 9100, 0, 0, 10, 0, 5);
    FireAtPlayerMark(9200, 9100, 0, 0, 10, 0, 5);
    ExpectAt(9200, 205, 150);  // the fixed angle, not the mark

    PlaceObject(2000, 100, 300, 4);
    PlayerY = 292;  // aim point level with the carrier's corner
    FireAimedExact(9300, 2000, 0, 2, 10, 0, 5);
    EXPECT_EQ(EnemyState[2000], StateDestroyed);
    ExpectAt(9300, 100, 300);
    EXPECT_NEAR(static_cast<double>(BulletAngle[9300]), 0.0, 1e-12);
}
