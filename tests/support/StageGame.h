// What the whole-game tests share: the headless game entered at a scene, runs until a step, a dead
// time or the next scene, the one scripted pilot at the keys, and assertions on slots and on how a
// boss fight ended.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "stages/Stage.h"
#include "tests/support/ProgramFolder.h"
#include "tools/pilot/Pilot.h"
#include "world/World.h"

namespace veltrano::testdata {

// No frame loop of a test runs longer than this, so a scene that never ends fails instead of hanging.
constexpr int FrameCap = 100000;

// The pilots of the tests. The sweeping pilot flies up and down firing, nothing touching it; the
// hunting pilot has full power and lines up with the boss or the nearest enemy ahead, nothing
// touching it either; the parked pilot leaves the ship at its start and does not fire.
inline PilotOptions SweepingPilot() {
    return {.Flight = PilotFlight::Sweep, .Fire = true, .Power = false, .Untouchable = true};
}
// A player's way to win: full power, dodging what it sees, a continue when the last ship is lost.
inline PilotOptions HuntingPilot() {
    return {
        .Flight = PilotFlight::Dodge, .Fire = true, .Power = true, .Untouchable = false, .Continue = true};
}
inline PilotOptions ParkedPilot() {
    return {.Flight = PilotFlight::Park, .Fire = false, .Power = false, .Untouchable = true};
}

// How the fight against a scene's boss ended, as the player saw it.
struct BossFall {
    int Slot = -1;          // the boss slot at the end of the scene
    int FellAtStep = -1;    // the step on which it was destroyed (-1: never)
    int HitPointsLeft = 0;  // its hit points on that step: below 1 when shots brought it down
    int ScoreGained = 0;    // what the score rose by on that step
    int DeadTimeAtChange = 0;
};

// Whether a test looks at the pictures. A game whose pictures are dropped plays exactly the same and
// runs in about half the time.
enum class Pictures { Drawn, Dropped };

struct StageGame {
    HeadlessGame Game{MakeProgramFolder().string()};

    StageGame() = default;
    explicit StageGame(Pictures pictures) {
        if (pictures == Pictures::Dropped) Game.DropPictures();
    }

    // Enters a stage the way the ship select does, with the ship steerable.
    void Enter(int scene) {
        Scene = scene;
        SceneInit();
        SetShotVelocities();
        ControlEnabled = 1;
    }
    // Enters a stage and moves its clock on to `frame` without playing the steps between, for tests
    // of a section that what comes before plays no part in.
    void EnterAt(int scene, int frame) {
        Enter(scene);
        StageFrame = frame;
    }
    // Runs frames until the step with StageFrame = `frame` has run. A watcher, when given, runs
    // before every frame (to keep the ship untouchable, destroy a group on a chosen frame...); the
    // keys stay as the test pressed them.
    template <typename Watch>
    void RunThroughStep(int frame, Watch watch) {
        while (StageFrame <= frame && Game.Form.FramesRun() < FrameCap) {
            watch();
            Game.Frame();
        }
    }
    void RunThroughStep(int frame) {
        RunThroughStep(frame, [] { PlayerUntouchable = 1; });
    }
    // Runs up to and including the step `frame` with the parked pilot.
    void RunParked(int frame) {
        Pilot pilot(ParkedPilot());
        RunThroughStep(frame, [&] { pilot.Steer(Game.Platform.Input); });
    }
    // Runs frames, the ship untouchable and the keys as they are, until `slot` has been destroyed for
    // `deadTime` steps, so that the last step's script saw deadTime - 1.
    void RunUntilDeadTime(int slot, int deadTime) {
        while (EnemyDeadTime[slot] < deadTime && Game.Form.FramesRun() < FrameCap) {
            PlayerUntouchable = 1;
            Game.Frame();
        }
    }
    // Runs frames, the ship untouchable and the keys as they are, until the frame handler leaves the
    // current scene or `maxFrames` frames have run; returns the last step run in the scene.
    int RunToNextScene(int maxFrames = FrameCap) {
        const int scene = Scene;
        int lastStep = StageFrame;
        for (int frame = 0; Scene == scene && frame < maxFrames; ++frame) {
            lastStep = StageFrame;
            PlayerUntouchable = 1;
            Game.Frame();
        }
        return lastStep;
    }
    // Lets `pilot` fly until the frame handler leaves the current scene or `maxFrames` frames have
    // run; returns the last step run in the scene and leaves every key released. `fight`, when
    // given, is told how the scene's boss fell.
    int PlayToNextScene(const PilotOptions& options, int maxFrames = FrameCap, BossFall* fight = nullptr) {
        Pilot pilot(options);
        const int scene = Scene;
        int lastStep = StageFrame;
        BossFall seen;
        for (int frame = 0; Scene == scene && frame < maxFrames; ++frame) {
            pilot.Steer(Game.Platform.Input);
            lastStep = StageFrame;
            const int boss = BossSlot;
            const bool bossStanding =
                boss >= 0 && boss < ObjectSlotCount && EnemyState[boss] != StateDestroyed;
            const int scoreBefore = Score;
            Game.Frame();
            if (Scene != scene) break;
            seen.Slot = BossSlot;
            seen.DeadTimeAtChange = seen.Slot >= 0 ? EnemyDeadTime[seen.Slot] + 1 : 0;
            if (bossStanding && EnemyState[boss] == StateDestroyed) {
                seen.FellAtStep = lastStep;
                seen.HitPointsLeft = EnemyHP[boss];
                seen.ScoreGained = Score - scoreBefore;
            }
        }
        Game.Platform.ReleaseAll();
        if (fight) *fight = seen;
        return lastStep;
    }
    // The sweeping pilot's run to the next scene.
    int PlayThrough(int maxFrames = FrameCap) { return PlayToNextScene(SweepingPilot(), maxFrames); }
};

// Checks that the scene's boss was shot down on a step before `timeOutStep` (where the script
// would have switched it off without its bonus), paid its bonus in a stage, and that the scene
// changed on the dead time `deadTimeAtChange` of the boss-destroyed path.
inline void ExpectBossShotDown(const BossFall& fight, int bossSlot, int timeOutStep, int deadTimeAtChange,
                               bool paysBonus = true) {
    EXPECT_EQ(fight.Slot, bossSlot);
    ASSERT_GE(fight.FellAtStep, 0) << "the boss never fell";
    EXPECT_LT(fight.FellAtStep, timeOutStep) << "the boss fell at its time-out";
    EXPECT_LT(fight.HitPointsLeft, 1) << "the boss was switched off with hit points left";
    if (paysBonus) {
        EXPECT_GE(fight.ScoreGained, SlotPoints(bossSlot)) << "no boss bonus";
    }
    if (deadTimeAtChange > 0) {
        EXPECT_EQ(fight.DeadTimeAtChange, deadTimeAtChange);
    }
}

// A slot's position, compared and printed as one value.
struct Pos {
    int X, Y;
    bool operator==(const Pos&) const = default;
};
inline Pos At(int slot) {
    return {EnemyX[slot], EnemyY[slot]};
}
inline void PrintTo(const Pos& p, std::ostream* os) {
    *os << "(" << p.X << ", " << p.Y << ")";
}

// Shoots down slots first..last as the ship would: no hit points left and destroyed.
inline void ShootDown(int first, int last) {
    for (int slot = first; slot <= last; ++slot) {
        EnemyHP[slot] = 0;
        EnemyState[slot] = StateDestroyed;
    }
}

inline bool AllInState(int first, int last, int state) {
    for (int slot = first; slot <= last; ++slot) {
        if (EnemyState[slot] != state) return false;
    }
    return true;
}

// Moves the scene's clock on to `frame` without playing the steps between, for tests of a boss that
// the waves before it play no part in. Objects of those waves stay at their places off screen.
inline void SkipTo(int frame) {
    StageFrame = frame;
}

}  // namespace veltrano::testdata
