// The last boss's climax: bare of its rings and circling, it must fill the screen and fire harder
// the weaker it gets, with more than one shape of bullet, in the stage and in its boss-only scene.
#include <gtest/gtest.h>

#include <string>

#include "stages/stage10/Stage10Boss.h"
#include "tests/support/StageGame.h"
#include "tools/stats/SceneStats.h"

using namespace veltrano;
using testdata::StageGame;

namespace {

// The bullet ranges, each drawn with its own cell.
int BulletRangeOf(int slot) {
    if (slot < 10000) return 0;
    if (slot < 11000) return 1;
    if (slot < 15000) return 2;
    return 3;
}

struct Stretch {
    stats::BossFigures Boss;
    double LongestWithoutLaunch = 0;
    bool RangesSeen[4] = {};
};

// Runs `frames` steps, nothing touching the ship, and counts what the boss fires.
Stretch RunCircling(StageGame& g, int scene, int frames) {
    stats::SceneCounter counter(scene);
    Stretch out;
    for (int f = 0; f < frames; ++f) {
        PlayerUntouchable = 1;
        const int step = StageFrame;
        g.Game.Frame();
        counter.Observe(step);
        for (int slot = FirstBulletSlot; slot <= LastBulletSlot; ++slot)
            if (EnemyState[slot] == StateActive && EnemyX[slot] >= -16 && EnemyX[slot] <= 640 &&
                EnemyY[slot] >= -16 && EnemyY[slot] <= 480)
                out.RangesSeen[BulletRangeOf(slot)] = true;
    }
    out.Boss = counter.Boss();
    out.LongestWithoutLaunch = counter.Figures()[static_cast<int>(stats::Section::Boss)].LongestWithoutLaunch;
    return out;
}

}  // namespace

TEST(StageLastBoss, TheCirclingBossFiresTwentyAShotASecondAndMoreAsItWeakens) {
    const int scenes[] = {Stage10Scene, BossRush10Scene};
    for (const int scene : scenes) {
        StageGame g{testdata::Pictures::Dropped};
        g.EnterAt(scene, Stage10BossCircleStart);
        for (int ring = 2480; ring <= 2487; ++ring) EnemyState[ring] = StateDestroyed;
        const int fullHP = EnemyHP[Stage10Boss];

        const Stretch full = RunCircling(g, scene, 800);
        ASSERT_EQ(EnemyState[Stage10Boss], StateActive) << scene;
        EXPECT_EQ(full.Boss.FinalFrames, 800) << scene;
        EXPECT_GE(full.Boss.FinalLaunchesPerSecond, 20.0) << scene;
        EXPECT_LE(full.LongestWithoutLaunch, 1.0) << scene;

        EnemyHP[Stage10Boss] = fullHP / 4;
        const Stretch worn = RunCircling(g, scene, 800);
        ASSERT_EQ(EnemyState[Stage10Boss], StateActive) << scene;
        EXPECT_GE(worn.Boss.FinalLaunchesPerSecond, 1.15 * full.Boss.FinalLaunchesPerSecond) << scene;
        EXPECT_LE(worn.LongestWithoutLaunch, 1.0) << scene;

        int shapes = 0;
        for (bool seen : worn.RangesSeen) shapes += seen;
        EXPECT_GE(shapes, 2) << scene;
    }
}

// Seeds fly different games even where the scene draws no random number, and one seed always flies
// the same game.
TEST(StageLastBoss, ASeedGivesTheDodgingPilotAGameOfItsOwn) {
    auto flight = [](int64_t seed) {
        StageGame g{testdata::Pictures::Dropped};
        g.Enter(BossRush10Scene);
        Pilot pilot({.Flight = PilotFlight::Dodge, .Fire = true, .Seed = seed});
        std::string trail;
        for (int f = 0; f < 600; ++f) {
            pilot.Steer(g.Game.Platform.Input);
            g.Game.Frame();
            trail += std::to_string(PlayerX) + "," + std::to_string(PlayerY) + ";";
        }
        return trail;
    };
    const std::string unseeded = flight(-1), first = flight(1);
    EXPECT_EQ(flight(-1), unseeded);
    EXPECT_EQ(flight(1), first);
    EXPECT_NE(flight(2), first);
    EXPECT_NE(first, unseeded);
}
