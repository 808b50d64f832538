// The late game must not thin out: the waves of stages 9 and 10 and the fights of the stage 6 and 7
// bosses are held at the density that makes the game rise to its end, measured the way sim --stats
// measures them.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/StageGame.h"
#include "tools/stats/SceneStats.h"

using namespace veltrano;
using stats::Section;
using testdata::StageGame;

namespace {

const stats::SectionFigures& WavesOf(const stats::SceneRun& run) {
    return run.Sections[static_cast<int>(Section::Waves)];
}

}  // namespace

// Stage 8's waves, the last the game writes out in full, launch some 17 shots a second for a parked
// ship; the two stages after it must launch more, and never leave the screen empty for long.
TEST(StageLateDensity, TheWavesOfStagesNineAndTenOutdoStageEightAndNeverFallQuiet) {
    struct Case {
        int Scene, WavesEnd;
        double MinLaunchesPerSecond;
    };
    // clang-format off
    const Case cases[] = {
        {Stage9Scene,  5744,  18.0},
        {Stage10Scene, 13300, 20.0},
    };
    // clang-format on
    for (const Case& c : cases) {
        StageGame g{testdata::Pictures::Dropped};
        const stats::SceneRun run =
            stats::MeasureScene(g.Game, c.Scene, stats::MeasuringPilot(PilotFlight::Park), 20000, c.WavesEnd);
        const stats::SectionFigures& waves = WavesOf(run);
        ASSERT_EQ(waves.Frames, c.WavesEnd) << c.Scene;
        EXPECT_GE(waves.LaunchesPerSecond, c.MinLaunchesPerSecond) << c.Scene;
        // No stretch of 4 s without an enemy on screen, and at most 6 s of quiet before the alarm.
        EXPECT_LT(waves.LongestWithoutEnemy, 4.0) << c.Scene;
        EXPECT_LE(waves.FinalWithoutEnemy, 6.0) << c.Scene;
        EXPECT_LE(waves.LongestWithoutLaunch, 6.0) << c.Scene;
        EXPECT_GT(waves.EnemiesPerMinute, 60.0) << c.Scene;
    }
}

// A boss cycle at full strength launches at least 20 shots a second with never 2 s of silence; worn
// down to a quarter of its hit points and stripped of every part that can fall, the boss fires more
// still, and still without a pause.
TEST(StageLateDensity, TheStageSixAndSevenBossesFillEveryCycleAndEscalateAsTheyWeaken) {
    struct Case {
        int Scene, Boss, Cycle;
        int FirstPart, LastPart;  // the parts that can be shot away (none: Last < First)
    };
    // clang-format off
    const Case cases[] = {
        {BossRush6Scene, 13, 1600, 2420, 2425},
        {BossRush7Scene, 14, 2000, 1, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        StageGame g{testdata::Pictures::Dropped};
        g.Enter(c.Scene);
        while (StageFrame < 0) {
            PlayerUntouchable = 1;
            g.Game.Frame();
        }
        const int fullHP = EnemyHP[c.Boss];
        auto runCycle = [&] {
            stats::SceneCounter counter(c.Scene);
            for (int f = 0; f < c.Cycle; ++f) {
                PlayerUntouchable = 1;
                const int step = StageFrame;
                g.Game.Frame();
                counter.Observe(step);
            }
            return counter.Figures()[static_cast<int>(Section::Boss)];
        };
        const stats::SectionFigures full = runCycle();
        ASSERT_EQ(full.Frames, c.Cycle) << c.Scene;
        EXPECT_GE(full.LaunchesPerSecond, 20.0) << c.Scene;
        EXPECT_LE(full.LongestWithoutLaunch, 2.0) << c.Scene;

        EnemyHP[c.Boss] = fullHP / 4;
        for (int part = c.FirstPart; part <= c.LastPart; ++part) {
            EnemyHP[part] = 0;
            EnemyState[part] = StateDestroyed;
        }
        const stats::SectionFigures weak = runCycle();
        ASSERT_EQ(EnemyState[c.Boss], StateActive) << c.Scene;
        EXPECT_GT(weak.LaunchesPerSecond, full.LaunchesPerSecond) << c.Scene;
        EXPECT_LE(weak.LongestWithoutLaunch, 2.0) << c.Scene;
    }
}

// Every volley leaves a way through: the shared pilot, dodging at speed 6 without firing, comes
// through each boss's first full cycle untouched from at least one of a few starts.
TEST(StageLateDensity, ADodgingPilotComesThroughTheFirstCycleOfTheStageSixAndSevenBosses) {
    struct Case {
        int Scene, Cycle;
    };
    const Case cases[] = {{BossRush6Scene, 1600}, {BossRush7Scene, 2000}};
    const int starts[][2] = {{32, 224}, {160, 96}, {160, 352}, {288, 224}};
    for (const Case& c : cases) {
        std::string tries;
        bool cameThrough = false;
        for (const auto& start : starts) {
            if (cameThrough) break;
            StageGame g{testdata::Pictures::Dropped};
            g.Enter(c.Scene);
            PlayerX = start[0];
            PlayerY = start[1];
            PlayerSpeed = 6;
            PlayerUntouchable = 0;
            Pilot pilot({.Flight = PilotFlight::Dodge, .Fire = false});
            int hits = 0, firstHit = -1;
            while (StageFrame < c.Cycle && Scene == c.Scene) {
                pilot.Steer(g.Game.Platform.Input);
                const int hp = PlayerHP;
                g.Game.Frame();
                if (PlayerHP < hp || PlayerActive == 0) {
                    if (firstHit < 0) firstHit = StageFrame;
                    ++hits;
                    // Carry on unharmed, to count every volley that gets through.
                    PlayerHP = hp;
                    PlayerActive = PlayerShown = 1;
                }
            }
            cameThrough = cameThrough || hits == 0;
            tries += " from (" + std::to_string(start[0]) + ", " + std::to_string(start[1]) +
                     "): " + std::to_string(hits) + " hits, the first at " + std::to_string(firstHit) + ";";
        }
        EXPECT_TRUE(cameThrough) << c.Scene << tries;
    }
}
