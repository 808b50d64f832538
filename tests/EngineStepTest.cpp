#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "engine/CentralSystem.h"
#include "engine/EnemyBullet.h"
#include "engine/Enemys.h"
#include "world/World.h"

using namespace veltrano;
using namespace veltrano::test;

namespace {

// The world step as the frame handler runs it, with `script` in the place of the scene's step.
template <typename Script>
void WorldStep(Script script) {
    for (int t = 0; t < TileCount; ++t) ScrollLayers(t);
    if (ControlEnabled == 1) MovePlayer();
    UpdateShots();
    script();
    ObjectPass();
    RespawnStep();
    ++StageFrame;
}

}  // namespace

// An enemy flies in, the ship's shot brings it down, it scores once, and its death shot leaves on
// the step after, aimed at the ship.
TEST(EngineStep, EnemyShotDownScoresAndFiresItsDeathShot) {
    ResetWorldState();
    Scene = Stage1Scene;
    ShotType = 2;
    SetShotVelocities();
    PlayerX = 100;
    PlayerY = 200;
    FireHeld = 1;
    PlaceObject(1000, 700, 196, 1);
    EnemyState[9000] = StateDestroyed;
    const auto script = [] {
        MoveDuring(1000, -4, 0, 0, 1000);
        FireOnDeath(9000, 1000, 0, 1, 3);
    };
    int destroyedAt = -1;
    for (int step = 0; step < 200 && destroyedAt < 0; ++step) {
        WorldStep(script);
        if (EnemyState[1000] == StateDestroyed) destroyedAt = StageFrame;
    }
    ASSERT_GT(destroyedAt, 0);
    EXPECT_GT(EnemyX[1000], 124);  // met in front of the ship
    EXPECT_EQ(Score, 100);
    EXPECT_EQ(EnemyDeadTime[1000], 1);
    EXPECT_EQ(EnemyState[9000], StateDestroyed);

    WorldStep(script);  // dead time 1: the death shot leaves from the wreck, which still drifts
    EXPECT_EQ(EnemyState[9000], StateActive);
    EXPECT_EQ(EnemyX[9000], EnemyX[1000] + 4);
    EXPECT_EQ(EnemyY[9000], 200);
    const int launchX = EnemyX[9000];
    for (int i = 0; i < 5; ++i) WorldStep(script);
    EXPECT_LT(EnemyX[9000], launchX);
    EXPECT_EQ(Score, 100);
    EXPECT_EQ(EnemyDeadTime[1000], 7);
}
