// The world step of the gameplay engine, timed: the background scroll, the shot groups, and the
// object pass over all 20000 slots followed by the respawn step. The scene script is not part of
// it. Targets: under 2 ms for the heaviest scene, under 0.2 ms for an ordinary stage frame.
#include <benchmark/benchmark.h>

#include <random>

#include "engine/Bullets.h"
#include "engine/CentralSystem.h"
#include "world/World.h"

namespace {

using namespace veltrano;

void WorldStep() {
    for (int t = 0; t < TileCount; ++t) ScrollLayers(t);
    UpdateShots();
    for (int k = 0; k < ObjectSlotCount; ++k) {
        CheckPlayerHit(k);
        CheckShotHits(k);
        CheckItemPickup(k);
        ScoreSlot(k);
    }
    RespawnStep();
}

void StartStage() {
    ResetWorldState();
    Scene = Stage3Scene;
    ShotType = 2;
    ShotPower = 3;
    SetShotVelocities();
    PlayerX = 120;
    PlayerY = 220;
    PlayerHP = 1000000;  // the ship survives every contact, so each step does the same work
    ControlEnabled = 1;
    FireHeld = 1;
    Option1On = Option2On = 1;
    // Free bullet slots, as the stage inits leave them.
    for (int b = FirstBulletSlot; b <= LastBulletSlot; ++b) EnemyState[b] = StateDestroyed;
}

// Fixed pseudo-random positions on screen, the same on every run.
struct Spread {
    int x[4000], y[4000];
    Spread() {
        std::minstd_rand random(12345);
        for (int i = 0; i < 4000; ++i) {
            x[i] = static_cast<int>(random() % 620);
            y[i] = static_cast<int>(random() % 460);
        }
    }
};
const Spread spread;
int SpreadX(int i) {
    return spread.x[i % 4000];
}
int SpreadY(int i) {
    return spread.y[i % 4000];
}

void PlaceEnemies(int count) {
    for (int e = 0; e < count; ++e) {
        const int slot = 1000 + e;
        EnemyX[slot] = SpreadX(3800 + e);
        EnemyY[slot] = SpreadY(3800 + e);
        EnemyHP[slot] = 1000000000;  // they stay in play however often they are hit
    }
}

// Bullets in flight, half small and half large; placed again before every step, since the burst
// destroys those it meets.
void PlaceBullets(int count) {
    for (int i = 0; i < count; ++i) {
        const int slot = i % 2 == 0 ? 9000 + i / 2 : 11000 + i / 2;
        EnemyX[slot] = SpreadX(i);
        EnemyY[slot] = SpreadY(i);
        EnemyState[slot] = StateActive;
    }
}

// Every one of the 1700 shots in flight on screen; placed again before every step, since shots
// leave the field and are spent on targets.
void PlaceAllShots() {
    for (int k = 0; k < ShotCount; ++k) {
        ShotLive[k] = 1;
        ShotX[k] = SpreadX(k + 2000);
        ShotY[k] = SpreadY(k + 2000);
    }
}

// The burst at its height: all 1700 shots in flight, 2000 bullets and 40 enemies on screen. The
// setting-up of the bullets and shots before each step is timed with it (a few microseconds).
// With `apart` set the shots fly in the top half of the screen and the bullets sit in the bottom
// half, so no bullet is hit and every one of them is tested against all 1000 burst shots.
void RunHeaviest(benchmark::State& state, bool apart) {
    StartStage();
    PlaceEnemies(40);
    PlayerUntouchable = 1;
    for (auto _ : state) {
        BurstActive = 1;
        BurstTimer = 10;
        PlaceAllShots();
        PlaceBullets(2000);
        if (apart) {
            for (int k = 0; k < ShotCount; ++k) ShotY[k] = ShotY[k] / 2;
            for (int b = FirstBulletSlot; b <= LastBulletSlot; ++b) {
                if (EnemyState[b] == StateActive) EnemyY[b] = 260 + EnemyY[b] / 2;
            }
        }
        WorldStep();
        benchmark::DoNotOptimize(Score);
    }
}

void BM_WorldStepHeaviestBulletsHit(benchmark::State& state) {
    RunHeaviest(state, false);
}
BENCHMARK(BM_WorldStepHeaviestBulletsHit)->Unit(benchmark::kMicrosecond);

void BM_WorldStepHeaviestBulletsMissed(benchmark::State& state) {
    RunHeaviest(state, true);
}
BENCHMARK(BM_WorldStepHeaviestBulletsMissed)->Unit(benchmark::kMicrosecond);

// An ordinary stage frame: the ship and both options fire, 40 enemies and 150 bullets are on
// screen, and every other slot is parked or free. The shots run freely from step to step.
void BM_WorldStepOrdinary(benchmark::State& state) {
    StartStage();
    PlaceEnemies(40);
    for (auto _ : state) {
        PlaceBullets(150);
        WorldStep();
        benchmark::DoNotOptimize(Score);
    }
}
BENCHMARK(BM_WorldStepOrdinary)->Unit(benchmark::kMicrosecond);

}  // namespace
