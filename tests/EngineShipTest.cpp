#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/CentralSystem.h"
#include "world/World.h"

using namespace veltrano;

namespace {

void Steer(int x, int y, bool up, bool down, bool left, bool right) {
    PlayerX = x;
    PlayerY = y;
    KeyUp = up;
    KeyDown = down;
    KeyLeft = left;
    KeyRight = right;
    MovePlayer();
}

// The respawn steps together with the frame handler's end of the protection period.
void RespawnSteps(int n) {
    for (int i = 0; i < n; ++i) {
        if (RespawnTimer >= 160) {
            RespawnTimer = 0;
            PlayerUntouchable = 0;
            PlayerActive = 1;
        }
        RespawnStep();
    }
}

void LoseShip() {
    PlayerActive = 0;
    PlayerShown = 0;
    PlayerUntouchable = 1;
    PlayerHP = 0;
    RespawnTimer = 0;
}

}  // namespace

TEST(EngineShip, DiagonalsUseTheRoundedDiagonalStepAndClampOnlyTheApproachedEdges) {
    ResetWorldState();
    const int speeds[] = {4, 6, 8, 10};
    const int diagonals[] = {3, 4, 6, 7};
    for (int i = 0; i < 4; ++i) {
        PlayerSpeed = speeds[i];
        Steer(300, 200, true, false, false, true);
        EXPECT_EQ(PlayerX, 300 + diagonals[i]);
        EXPECT_EQ(PlayerY, 200 - diagonals[i]);
    }
    PlayerSpeed = 10;
    // Up, down and right together: up-right wins, the down key is ignored.
    Steer(300, 200, true, true, false, true);
    EXPECT_EQ(PlayerX, 307);
    EXPECT_EQ(PlayerY, 193);
    // Down-left clamps left and bottom only; a ship past the right edge stays past it.
    Steer(3, 445, false, true, true, false);
    EXPECT_EQ(PlayerX, 0);
    EXPECT_EQ(PlayerY, 448);
    Steer(-20, 100, true, false, false, true);
    EXPECT_EQ(PlayerX, -13);
}

TEST(EngineShip, StraightMovesCancelOppositeKeysAndClampToTheField) {
    ResetWorldState();
    PlayerSpeed = 4;
    Steer(607, 100, false, false, false, true);
    EXPECT_EQ(PlayerX, 608);
    Steer(0, 100, false, false, true, false);
    EXPECT_EQ(PlayerX, 0);
    Steer(200, 100, true, true, false, false);
    EXPECT_EQ(PlayerY, 100);
    Steer(200, 100, false, false, true, true);
    EXPECT_EQ(PlayerX, 200);
    // Out of the field in case 5 the ship is pulled back on all four edges.
    Steer(-40, 470, false, false, false, false);
    EXPECT_EQ(PlayerX, 0);
    EXPECT_EQ(PlayerY, 448);
}

TEST(EngineShip, SpeedKeyChangesTheSpeedOncePerPress) {
    ResetWorldState();
    for (int i = 0; i < 20; ++i) CycleSpeed();  // held
    EXPECT_EQ(PlayerSpeed, 8);
    const int cycle[] = {10, 4, 6, 8};
    for (int expected : cycle) {
        SpeedKeyLatch = 0;  // released
        CycleSpeed();
        CycleSpeed();
        EXPECT_EQ(PlayerSpeed, expected);
    }
}

TEST(EngineShip, LostShipWaitsEntersFromTheLeftAndRegainsControlAtStep34) {
    ResetWorldState();
    Scene = Stage1Scene;
    Lives = 3;
    ShotPower = 3;
    PlayerX = 300;
    PlayerY = 200;
    ControlEnabled = 1;
    FireHeld = 1;
    LoseShip();

    RespawnSteps(18);
    EXPECT_EQ(RespawnTimer, 18);
    EXPECT_EQ(ControlEnabled, 0);
    EXPECT_EQ(FireHeld, 0);
    EXPECT_EQ(PlayerShown, 0);
    EXPECT_EQ(Lives, 3);

    RespawnSteps(1);  // the new ship enters
    EXPECT_EQ(PlayerX, -32);
    EXPECT_EQ(PlayerY, 200);
    EXPECT_EQ(Lives, 2);
    EXPECT_EQ(PlayerHP, 1);
    EXPECT_EQ(PlayerShown, 1);
    EXPECT_EQ(Option1On, 1);  // difficulty 1: one option
    EXPECT_EQ(Option2On, 0);
    EXPECT_EQ(ShotPower, 2);

    RespawnSteps(15);
    EXPECT_EQ(PlayerX, 28);
    EXPECT_EQ(ControlEnabled, 0);
    RespawnSteps(1);
    EXPECT_EQ(ControlEnabled, 1);
    EXPECT_EQ(PlayerX, 28);
    EXPECT_EQ(PlayerActive, 0);
    EXPECT_EQ(PlayerUntouchable, 1);

    RespawnSteps(160 - 35 + 1);
    EXPECT_EQ(PlayerActive, 1);
    EXPECT_EQ(PlayerUntouchable, 0);
    EXPECT_EQ(RespawnTimer, 0);
}

TEST(EngineShip, RespawnSidesBottomAndTop) {
    const int sides[] = {1, 2};
    const int entryY[] = {480, -32};
    const int controlY[] = {420, 28};
    for (int i = 0; i < 2; ++i) {
        ResetWorldState();
        Scene = Stage1Scene;
        RespawnSide = sides[i];
        PlayerX = 250;
        LoseShip();
        RespawnSteps(19);
        EXPECT_EQ(PlayerY, entryY[i]);
        EXPECT_EQ(PlayerX, 250);
        RespawnSteps(16);
        EXPECT_EQ(PlayerY, controlY[i]);
        EXPECT_EQ(ControlEnabled, 1);
    }
}

TEST(EngineShip, RespawnHelpDependsOnDifficultyAndScene) {
    struct Case {
        int scene, difficulty, option1Before;
        int option1, option2, power;
    };
    const Case cases[] = {
        {Stage1Scene, 0, 0, 1, 1, 1},    {Stage1Scene, 1, 1, 1, 1, 1},
        {Stage1Scene, 2, 0, 0, 0, 1},    {ChallengeEnduranceScene, 0, 0, 0, 0, 2},
        {BossRush1Scene, 1, 0, 0, 0, 2},
    };
    for (const Case& c : cases) {
        ResetWorldState();
        Scene = c.scene;
        Difficulty = c.difficulty;
        Option1On = c.option1Before;
        ShotPower = 2;
        LoseShip();
        RespawnSteps(19);
        EXPECT_EQ(Option1On, c.option1) << c.scene << "/" << c.difficulty;
        EXPECT_EQ(Option2On, c.option2) << c.scene << "/" << c.difficulty;
        EXPECT_EQ(ShotPower, c.power) << c.scene << "/" << c.difficulty;
    }
}

TEST(EngineShip, TakingTheLastShipInStockEndsTheGameOnTheNextStep) {
    ResetWorldState();
    Scene = Stage1Scene;
    Lives = 1;
    Option1On = Option2On = 1;
    ShotPower = 3;
    LoseShip();
    RespawnSteps(19);
    EXPECT_EQ(Lives, 0);
    EXPECT_EQ(GameOver, 0);
    RespawnSteps(1);
    EXPECT_EQ(GameOver, 1);
    EXPECT_EQ(Option1On, 0);
    EXPECT_EQ(Option2On, 0);
    EXPECT_EQ(ShotPower, 1);
    EXPECT_EQ(ControlEnabled, 0);
    EXPECT_EQ(PlayerUntouchable, 1);
    const int frozen = RespawnTimer;
    RespawnSteps(5);
    EXPECT_EQ(RespawnTimer, frozen);
}

TEST(EngineShip, ScrolledLayersKeepTenColumnsAndEightRowsEightyPixelsApart) {
    ResetWorldState();
    Layer1StepX = -4;
    Layer2StepX = 8;
    Layer3StepY = -8;
    for (int step = 1; step <= 300; ++step) {
        for (int t = 0; t < TileCount; ++t) ScrollLayers(t);
        std::set<int> xs1(Layer1TileX, Layer1TileX + TileCount), xs2(Layer2TileX, Layer2TileX + TileCount);
        std::set<int> ys3(Layer3TileY, Layer3TileY + TileCount);
        ASSERT_EQ(xs1.size(), 10u) << step;
        ASSERT_EQ(xs2.size(), 10u) << step;
        ASSERT_EQ(ys3.size(), 8u) << step;
        ASSERT_GT(*xs1.begin(), -160);
        ASSERT_LT(*xs2.rbegin(), 720);
        ASSERT_GT(*ys3.begin(), -160);
        ASSERT_EQ(*xs1.rbegin() - *xs1.begin(), 720) << step;
        ASSERT_EQ(*xs2.rbegin() - *xs2.begin(), 720) << step;
    }
    // The four wraps, one tile each: (x, y, stepX, stepY) and where the tile ends.
    const int wraps[4][6] = {
        {716, 0, 4, 0, -80, 0}, {-156, 0, -4, 0, 640, 0}, {0, 556, 0, 4, 0, -80}, {0, -156, 0, -4, 0, 480}};
    for (const auto& w : wraps) {
        ResetWorldState();
        Layer1TileX[5] = w[0];
        Layer1TileY[5] = w[1];
        Layer1StepX = w[2];
        Layer1StepY = w[3];
        ScrollLayers(5);
        EXPECT_EQ(Layer1TileX[5], w[4]);
        EXPECT_EQ(Layer1TileY[5], w[5]);
    }
}
