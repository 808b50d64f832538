// The late game must not thin out: the waves of stages 9 and 10 and the fights of the stage 6 and 7
// bosses are held at the density that makes the game rise to its end, measured the way sim --stats
// measures them.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/StageGame.h"
#include "tools/pilot/Pilot.h"
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
// ship; the two stages after it must launch well over that, and never leave the screen empty or
// silent for long, to the alarm.
TEST(StageLateDensity, TheWavesOfStagesNineAndTenOutdoStageEightAndNeverFallQuiet) {
    struct Case {
        int Scene, WavesEnd;
        double MinLaunchesPerSecond;
    };
    // clang-format off
    const Case cases[] = {
        {Stage9Scene,  5744,  23.0},
        {Stage10Scene, 13300, 26.0},
    };
    // clang-format on
    for (const Case& c : cases) {
        StageGame g{testdata::Pictures::Dropped};
        const stats::SceneRun run =
            stats::MeasureScene(g.Game, c.Scene, stats::MeasuringPilot(PilotFlight::Park), 20000, c.WavesEnd);
        const stats::SectionFigures& waves = WavesOf(run);
        ASSERT_EQ(waves.Frames, c.WavesEnd) << c.Scene;
        EXPECT_GE(waves.LaunchesPerSecond, c.MinLaunchesPerSecond) << c.Scene;
        // No stretch of 3 s without an enemy on screen or without a launch, the last one before the
        // alarm included.
        EXPECT_LT(waves.LongestWithoutEnemy, 3.0) << c.Scene;
        EXPECT_LE(waves.FinalWithoutEnemy, 3.0) << c.Scene;
        EXPECT_LE(waves.LongestWithoutLaunch, 3.0) << c.Scene;
        EXPECT_GT(waves.EnemiesPerMinute, 60.0) << c.Scene;
    }
}

// A boss cycle at full strength launches at least 20 shots a second with never 2 s of silence; worn
// down to a quarter of its hit points it fires at least 15% more, whichever of the parts that can
// fall have fallen (a fight without power loses the arms alone, one with power every part), and
// still without a pause.
TEST(StageLateDensity, TheStageSixToEightBossesFillEveryCycleAndEscalateAsTheyWeaken) {
    struct Parts {
        int First, Last;  // none: Last < First
    };
    struct Case {
        int Scene, Boss, Cycle;
        Parts Fallen[3];
    };
    constexpr Parts None{1, 0};
    // clang-format off
    const Case cases[] = {
        {BossRush6Scene, 13, 1600, {None, {2420, 2423}, {2420, 2425}}},
        {BossRush7Scene, 14, 2000, {None, None, None}},
        {BossRush8Scene, 15, 1000, {None, None, None}},
    };
    // clang-format on
    for (const Case& c : cases) {
        // Runs one cycle from the fight's first step, worn down to a `hpDivisor`th of the hit points and
        // with `fallen` shot away.
        auto runCycle = [&](int hpDivisor, Parts fallen) {
            StageGame g{testdata::Pictures::Dropped};
            g.Enter(c.Scene);
            while (StageFrame < 0) {
                PlayerUntouchable = 1;
                g.Game.Frame();
            }
            EnemyHP[c.Boss] /= hpDivisor;
            for (int part = fallen.First; part <= fallen.Last; ++part) {
                EnemyHP[part] = 0;
                EnemyState[part] = StateDestroyed;
            }
            stats::SceneCounter counter(c.Scene);
            for (int f = 0; f < c.Cycle; ++f) {
                PlayerUntouchable = 1;
                const int step = StageFrame;
                g.Game.Frame();
                counter.Observe(step);
            }
            EXPECT_EQ(EnemyState[c.Boss], StateActive) << c.Scene;
            return counter.Figures()[static_cast<int>(Section::Boss)];
        };
        const stats::SectionFigures full = runCycle(1, None);
        ASSERT_EQ(full.Frames, c.Cycle) << c.Scene;
        EXPECT_GE(full.LaunchesPerSecond, 20.0) << c.Scene;
        EXPECT_LE(full.LongestWithoutLaunch, 2.0) << c.Scene;
        for (const Parts& fallen : c.Fallen) {
            const stats::SectionFigures weak = runCycle(4, fallen);
            EXPECT_GE(weak.LaunchesPerSecond, 1.15 * full.LaunchesPerSecond)
                << c.Scene << " without " << fallen.First << ".." << fallen.Last;
            EXPECT_LE(weak.LongestWithoutLaunch, 2.0) << c.Scene;
            if (fallen.Last < fallen.First) break;
        }
    }
}

// The fortress of stage 10 holds the screen until all three of its gun parts fall: whichever of them
// have fallen, it never goes 3 s without a launch.
TEST(StageLateDensity, TheFortressNeverFallsSilentWhicheverOfItsPartsHaveFallen) {
    constexpr int FirstPart = 2491, Parts = 3, FirstPod = 5002, LastPod = 5005, Cycle = 700;
    for (int fallen = 0; fallen < (1 << Parts) - 1; ++fallen) {
        StageGame g{testdata::Pictures::Dropped};
        g.EnterAt(Stage10Scene, 13230);
        // The fortress alone: the gauntlet it closes is gone, and none of it fires on its way out.
        for (int slot = 1000; slot < FirstBulletSlot; ++slot) {
            const bool fortress =
                (slot >= FirstPart && slot < FirstPart + Parts) || (slot >= FirstPod && slot <= LastPod);
            if (fortress) continue;
            EnemyState[slot] = StateDestroyed;
            EnemyDeadTime[slot] = 1000;
        }
        g.RunThroughStep(13299);
        for (int p = 0; p < Parts; ++p) {
            if ((fallen >> p & 1) == 0) continue;
            EnemyHP[FirstPart + p] = 0;
            EnemyState[FirstPart + p] = StateDestroyed;
        }
        stats::SceneCounter counter(Stage10Scene);
        for (int f = 0; f < Cycle; ++f) {
            PlayerUntouchable = 1;
            const int step = StageFrame;
            g.Game.Frame();
            counter.Observe(step);
        }
        const stats::SectionFigures mid = counter.Figures()[static_cast<int>(Section::MidBoss)];
        ASSERT_EQ(mid.Frames, Cycle) << "parts fallen: " << fallen;
        EXPECT_LE(mid.LongestWithoutLaunch, 3.0) << "parts fallen: " << fallen;
    }
}

// Played as a player plays them, dodging and shooting without power, the waves of stages 9 and 10
// never leave the screen without an enemy for 6 s before the alarm, stage 10's are at least as thick
// as stage 9's, and the ship comes through stage 9's opening pincer.
TEST(StageLateDensity, ADodgingPilotMeetsNoEmptyScreenBeforeTheAlarmsOfStagesNineAndTen) {
    struct Case {
        int Scene, WavesEnd;
    };
    const Case cases[] = {{Stage9Scene, 5744}, {Stage10Scene, 13300}};
    stats::SectionFigures waves[2];
    for (int i = 0; i < 2; ++i) {
        StageGame g{testdata::Pictures::Dropped};
        RandomSeed = 31;
        g.Enter(cases[i].Scene);
        Pilot pilot({.Flight = PilotFlight::Dodge, .Fire = true, .Power = false, .Continue = true});
        stats::SceneCounter counter(cases[i].Scene);
        int lostInOpening = 0;
        while (StageFrame < cases[i].WavesEnd && Scene == cases[i].Scene) {
            pilot.Steer(g.Game.Platform.Input);
            const int step = StageFrame;
            const int lost = pilot.ShipsLost();
            g.Game.Frame();
            counter.Observe(step);
            if (step < 600) lostInOpening += pilot.ShipsLost() - lost;
        }
        waves[i] = counter.Figures()[static_cast<int>(Section::Waves)];
        ASSERT_EQ(waves[i].Frames, cases[i].WavesEnd) << cases[i].Scene;
        EXPECT_LE(waves[i].LongestWithoutEnemy, 6.0) << cases[i].Scene;
        EXPECT_LE(waves[i].FinalWithoutEnemy, 6.0) << cases[i].Scene;
        if (cases[i].Scene == Stage9Scene) {
            EXPECT_EQ(lostInOpening, 0);
        }
    }
    EXPECT_GE(waves[1].LaunchesPerSecond, waves[0].LaunchesPerSecond);
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
