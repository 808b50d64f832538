#include <gtest/gtest.h>

#include <vector>

#include "engine/Bullets.h"
#include "engine/CentralSystem.h"
#include "world/World.h"

using namespace veltrano;

namespace {

void StartWeapon(int type, int power, int speed) {
    ResetWorldState();
    ShotType = type;
    ShotPower = power;
    PlayerSpeed = speed;
    PlayerX = 100;
    PlayerY = 200;
    SetShotVelocities();
}

int LiveShots(int group) {
    int n = 0;
    for (int j = 0; j < ShotsPerGroup; ++j) n += ShotLive[group * ShotsPerGroup + j];
    return n;
}

// The steps (1-based) on which group 0 spawned a shot, over n steps of fire.
std::vector<int> SpawnSteps(int n) {
    std::vector<int> steps;
    FireHeld = 1;
    for (int step = 1; step <= n; ++step) {
        UpdateShots();
        if (ShotCooldown[0] == 1) steps.push_back(step);
    }
    return steps;
}

}  // namespace

TEST(EngineShots, FireIntervalFollowsTheShipSpeed) {
    StartWeapon(2, 1, 10);
    EXPECT_EQ(SpawnSteps(16), (std::vector<int>{1, 8, 15}));
    StartWeapon(3, 1, 4);
    EXPECT_EQ(SpawnSteps(6), (std::vector<int>{1, 3, 5}));
    // A new shot waits at its spawn point for one step, then flies at the group's velocity.
    StartWeapon(2, 1, 6);
    FireHeld = 1;
    UpdateShots();
    EXPECT_EQ(ShotX[0], 124);
    EXPECT_EQ(ShotY[0], 208);
    UpdateShots();
    EXPECT_EQ(ShotX[0], 142);
    // Without the fire key nothing spawns, but the cooldown still counts.
    StartWeapon(2, 1, 6);
    FireHeld = 0;
    for (int i = 0; i < 5; ++i) UpdateShots();
    EXPECT_EQ(LiveShots(0), 0);
    EXPECT_EQ(ShotCooldown[0], 15);
}

TEST(EngineShots, FullGroupSpawnsNothingUntilAShotRetires) {
    StartWeapon(2, 1, 6);
    for (int j = 0; j < ShotsPerGroup; ++j) {
        ShotLive[j] = 1;
        ShotX[j] = ShotY[j] = 300;
        ShotVX[j] = ShotVY[j] = 0;
    }
    FireHeld = 1;
    for (int i = 0; i < 20; ++i) UpdateShots();
    EXPECT_EQ(LiveShots(0), 100);
    EXPECT_EQ(ShotCooldown[0], 30);
    ShotX[37] = 641;  // leaves the field on the next move
    UpdateShots();
    EXPECT_EQ(ShotLive[37], 0);
    UpdateShots();
    EXPECT_EQ(ShotLive[37], 1);
    EXPECT_EQ(ShotX[37], 124);
    EXPECT_EQ(ShotCooldown[0], 1);
}

TEST(EngineShots, PowerTwoOfTypeTwoParksTheStraightShot) {
    StartWeapon(2, 2, 6);
    FireHeld = 1;
    UpdateShots();
    EXPECT_EQ(ShotX[0], 1000);  // spawned off the field ...
    EXPECT_EQ(ShotX[100], 124);
    EXPECT_EQ(ShotY[100], 208);
    EXPECT_EQ(ShotX[200], 124);
    EXPECT_EQ(ShotY[200], 208);
    UpdateShots();
    EXPECT_EQ(ShotLive[0], 0);  // ... and retired on the next step
    // The two shots leave the same point on diverging paths.
    EXPECT_EQ(ShotY[100], 205);
    EXPECT_EQ(ShotY[200], 211);
}

TEST(EngineShots, TypeOneShotsKeepTheDriftTheyWereBornWith) {
    StartWeapon(1, 1, 6);
    FireHeld = 1;
    KeyUp = 1;
    UpdateShots();
    KeyUp = 0;
    KeyDown = 1;
    for (int i = 0; i < 5; ++i) UpdateShots();  // the next spawn, on step 6 (interval 5)
    KeyDown = 0;
    UpdateShots();
    EXPECT_EQ(ShotX[0], 124 + 6 * 24);
    EXPECT_EQ(ShotY[0], 208 - 6 * 2);
    EXPECT_EQ(ShotVY[1], 2);  // spawned with down held
    EXPECT_EQ(ShotY[1], 208 + 2);
}

TEST(EngineShots, OptionsFollowTheFormationOfTheWeapon) {
    StartWeapon(5, 1, 6);
    Option1On = 1;
    UpdateShots();
    EXPECT_EQ(Option1X, 0);
    EXPECT_EQ(Option1Y, 208);
    EXPECT_EQ(Option2X, 1000);  // absent
    EXPECT_EQ(Option2Y, 1000);
    StartWeapon(1, 3, 6);
    Option1On = Option2On = 1;
    OptionAltFormation = 1;
    FireHeld = 1;
    UpdateShots();
    EXPECT_EQ(Option1X, 108);
    EXPECT_EQ(Option1Y, 280);
    EXPECT_EQ(Option2Y, 136);
    EXPECT_EQ(ShotX[300], 108);  // the first option's group fires from it
    EXPECT_EQ(ShotY[400], 136);
    EXPECT_EQ(LiveShots(5) + LiveShots(6), 0);  // type 1 options fire one group each
}

TEST(EngineShots, BurstFiresEverythingSweepsBulletsOnceAndUsesUpAnOption) {
    StartWeapon(2, 1, 6);
    Option1On = Option2On = 1;
    EnemyX[9000] = EnemyY[9000] = 100;
    BulletStep[9000] = 7;
    EnemyX[15000] = EnemyY[15000] = 100;
    FireHeld = 0;
    BurstKeyFrames = 1;
    UpdateShots();
    EXPECT_EQ(BurstActive, 1);
    EXPECT_EQ(PlayerUntouchable, 1);
    EXPECT_EQ(EnemyState[9000], StateDestroyed);
    EXPECT_EQ(BulletStep[9000], 0);
    EXPECT_EQ(EnemyState[15000], StateActive);  // beyond the swept range
    EXPECT_EQ(EnemyState[9001], StateActive);   // parked off screen
    for (int g = 7; g <= 16; ++g) EXPECT_EQ(LiveShots(g), 1) << g;
    // The sweep happens once: a bullet arriving later survives the burst. The streams fire every
    // second step, and the ship fires from the next step on without the fire key.
    EnemyState[9000] = StateActive;
    int streamSpawns = 1;
    for (int i = 2; i <= 49; ++i) {
        UpdateShots();
        if (ShotCooldown[7] == 1) ++streamSpawns;
    }
    EXPECT_EQ(EnemyState[9000], StateActive);
    EXPECT_EQ(streamSpawns, 25);
    EXPECT_GT(LiveShots(0), 0);
    UpdateShots();
    EXPECT_EQ(BurstActive, 0);
    EXPECT_EQ(PlayerUntouchable, 0);
    EXPECT_EQ(BurstKeyFrames, 0);
    EXPECT_EQ(Option1On, 1);
    EXPECT_EQ(Option2On, 0);
    // Streams in flight keep moving after the burst ends.
    ASSERT_EQ(ShotLive[900], 1);
    const int x = ShotX[900], y = ShotY[900];
    UpdateShots();
    EXPECT_EQ(ShotX[900], x + 17);
    EXPECT_EQ(ShotY[900], y + 2);
    // With the first option alone, the next burst uses it up.
    BurstKeyFrames = 1;
    for (int i = 0; i < 50; ++i) UpdateShots();
    EXPECT_EQ(Option1On, 0);
}

TEST(EngineShots, BurstStreamsFanOutByType) {
    StartWeapon(3, 1, 6);
    Option1On = 1;
    BurstKeyFrames = 1;
    UpdateShots();
    // Type 3's first option sits at (px+64, py-48); its five streams leave 8 pixels apart.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ShotX[(7 + i) * 100], 164);
        EXPECT_EQ(ShotY[(7 + i) * 100], 152 - 16 + 8 * i);
    }
}

TEST(EngineShots, VelocityTableCoversBurstStreamsAndLeavesUnlistedGroups) {
    StartWeapon(5, 1, 6);
    EXPECT_EQ(ShotVX[1 * 100 + 50], 0);
    EXPECT_EQ(ShotVY[1 * 100 + 50], -18);
    EXPECT_EQ(ShotVX[10 * 100], 16);
    EXPECT_EQ(ShotVY[10 * 100], 8);
    EXPECT_EQ(ShotVX[12 * 100], -18);
    EXPECT_EQ(ShotVX[16 * 100 + 99], -16);
    EXPECT_EQ(ShotVY[16 * 100 + 99], -8);
    ShotType = 6;  // type 6 leaves groups 5 and 6 as type 5 set them
    SetShotVelocities();
    EXPECT_EQ(ShotVX[500], -16);
    EXPECT_EQ(ShotVY[600], 8);
    EXPECT_EQ(ShotVX[1600], 18);
    EXPECT_EQ(ShotVY[1600], 0);
    StartWeapon(4, 1, 6);
    for (int g = 7; g <= 11; ++g) {
        EXPECT_EQ(ShotVX[(g + 5) * 100], ShotVX[g * 100]) << g;
        EXPECT_EQ(ShotVY[(g + 5) * 100], ShotVY[g * 100]) << g;
    }
    EXPECT_EQ(ShotVX[800], -17);
    EXPECT_EQ(ShotVY[1500], -2);
}
