#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "engine/CentralSystem.h"
#include "engine/Enemys.h"
#include "world/World.h"

using namespace veltrano;
using namespace veltrano::test;

TEST(EngineMotion, WindowsAreStrictAtBothEnds) {
    ResetWorldState();
    EnemyX[25] = EnemyY[25] = 0;
    EnemyY[26] = 0;
    EnemyX[27] = 500;
    Layer1StepX = -4;
    RunSteps(301, [] {
        MoveDuring(25, 1, 2, 100, 200);
        SinkDuring(26, 290, 295);
        ScrollWithGround(27, 250);
    });
    EXPECT_EQ(EnemyX[25], 99);
    EXPECT_EQ(EnemyY[25], 198);
    EXPECT_EQ(EnemyY[26], 4 * 8);
    EXPECT_EQ(EnemyX[27], 500 - 50 * 8);  // frames 251..300, twice the ground's step
}

TEST(EngineMotion, CircleIsAbsoluteAndWrapsEvery360DivStepFrames) {
    ResetWorldState();
    EnemyX[30] = EnemyY[30] = -128;
    StageFrame = 1000;
    CircleDuring(30, 300, 200, 50, 90, 10, 1000, 2000);
    EXPECT_EQ(EnemyX[30], -128);  // the window is not open yet
    StageFrame = 1001;            // one frame in: 100 degrees
    CircleDuring(30, 300, 200, 50, 90, 10, 1000, 2000);
    EXPECT_EQ(EnemyX[30], 291);
    EXPECT_EQ(EnemyY[30], 249);
    for (int f : {1036, 1072, 1108}) {  // whole turns: back at the start angle, straight below the centre
        StageFrame = f;
        CircleDuring(30, 300, 200, 50, 90, 10, 1000, 2000);
        EXPECT_EQ(EnemyX[30], 300) << f;
        EXPECT_EQ(EnemyY[30], 250) << f;
    }
    StageFrame = 1037;
    CircleDuring(30, 300, 200, 50, 90, 10, 1000, 2000);
    EXPECT_EQ(EnemyX[30], 291);

    // A step of 7 cuts the last partial turn: 51 frames a turn.
    StageFrame = 51;
    CircleFrom(31, 100, 100, 40, 0, 7, 0);
    EXPECT_EQ(EnemyX[31], 140);
    EXPECT_EQ(EnemyY[31], 100);
    StageFrame = 50;
    CircleFrom(31, 100, 100, 40, 0, 7, 0);  // 350 degrees
    EXPECT_EQ(EnemyX[31], 139);
    EXPECT_EQ(EnemyY[31], 93);

    // A negative step turns the other way: up first, from the right of the centre.
    StageFrame = 11;
    CircleFrom(32, 100, 100, 40, 0, -90, 10);
    EXPECT_EQ(EnemyX[32], 100);
    EXPECT_EQ(EnemyY[32], 60);
    StageFrame = 15;  // four frames a turn
    CircleFrom(32, 100, 100, 40, 0, -90, 10);
    EXPECT_EQ(EnemyY[32], 60);
    StageFrame = 14;
    CircleFrom(32, 100, 100, 40, 0, -90, 10);
    EXPECT_EQ(EnemyX[32], 140);
    EXPECT_EQ(EnemyY[32], 100);
}

TEST(EngineMotion, CircleRejectsStepsWithoutAWholeFramePerTurn) {
    ResetWorldState();
    EnemyX[33] = 17;
    EnemyY[33] = 23;
    StageFrame = 5;
    for (int step : {0, 361, -400}) {
        CircleFrom(33, 100, 100, 40, 0, step, 0);
        CircleDuring(33, 100, 100, 40, 0, step, 0, 10);
        EXPECT_EQ(EnemyX[33], 17) << step;
        EXPECT_EQ(EnemyY[33], 23) << step;
    }
    CircleFrom(33, 100, 100, 40, 0, 360, 0);  // one frame a turn: always the start angle
    EXPECT_EQ(EnemyX[33], 140);
}

TEST(EngineMotion, ChaseRowDescendsOnlyWhenTheShipIsWellBelow) {
    ResetWorldState();
    StageFrame = 10;
    PlaceObject(40, 500, 100, 1);  // centre 108
    PlayerY = 94;                  // ship centre 110: two pixels below
    ChaseRow(40, 0, 4);
    EXPECT_EQ(EnemyX[40], 496);
    EXPECT_EQ(EnemyY[40], 100);
    PlayerY = 200;
    ChaseRow(40, 0, 4);
    EXPECT_EQ(EnemyY[40], 104);
    PlayerY = 0;
    ChaseRow(40, 0, 4);
    EXPECT_EQ(EnemyY[40], 100);
    PlaceObject(2000, 500, 100, 4);  // large: centre 116
    PlayerY = 100;                   // the same centre: no move
    ChaseRow(2000, 0, 4);
    EXPECT_EQ(EnemyY[2000], 100);
    ChaseRow(2000, 10, 4);  // window not open
    EXPECT_EQ(EnemyX[2000], 496);
}

TEST(EngineMotion, MineDetonatesNearTheShipOnlyInsideTheField) {
    ResetWorldState();
    Scene = Stage2Scene;
    PlayerX = 600;
    PlayerY = 200;
    PlaceObject(3500, 609, 200, 4, 1);
    DetonateNear(3500);
    EXPECT_EQ(EnemyState[3500], StateActive);
    EnemyX[3500] = 608;
    DetonateNear(3500);
    EXPECT_EQ(EnemyState[3500], StateDestroyed);
    ScoreSlot(3500);
    EXPECT_EQ(Score, 0);  // its hit points are untouched: an explosion without points
    EXPECT_EQ(EnemyDeadTime[3500], 1);
    PlaceObject(3501, 400, 200, 4, 1);
    PlayerX = 272;  // 128 pixels away
    DetonateNear(3501);
    EXPECT_EQ(EnemyState[3501], StateActive);
    PlayerX = 273;
    DetonateNear(3501);
    EXPECT_EQ(EnemyState[3501], StateDestroyed);
}
