// What the tests of stages 4 and 5 and their boss-only scenes share: positions that print, runs by a
// boss's dead time, and the untouchable pilot who fires all the time.
#pragma once

#include <ostream>

#include "platform/Input.h"
#include "tests/StageTestGame.h"

namespace veltrano::testdata {

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

// Runs frames until `slot` has been destroyed for `deadTime` steps, so that the last step's script
// saw deadTime - 1.
inline void RunUntilDeadTime(StageGame& g, int slot, int deadTime) {
    while (EnemyDeadTime[slot] < deadTime && g.Game.Form.FramesRun() < 100000) {
        PlayerUntouchable = 1;
        g.Game.Frame();
    }
}

// Runs frames with the ship left alone until the scene changes. Returns the StageFrame of the last
// step played in `scene`.
inline int RunUntilSceneChanges(StageGame& g, int scene, int maxFrames) {
    int lastStep = StageFrame;
    for (int frame = 0; Scene == scene && frame < maxFrames; ++frame) {
        lastStep = StageFrame;
        PlayerUntouchable = 1;
        g.Game.Frame();
    }
    return lastStep;
}

// An untouchable pilot who holds fire and sweeps up and down, until the scene changes. Returns the
// StageFrame of the last step played in `scene`.
inline int PlayToTheEnd(StageGame& g, int scene, int maxFrames) {
    HeadlessBackend& keys = g.Game.Platform;
    int lastStep = StageFrame;
    for (int frame = 0; Scene == scene && frame < maxFrames; ++frame) {
        PlayerUntouchable = 1;
        keys.Press(Vk::X);
        const bool up = (StageFrame / 48) % 2 == 0;
        keys.Press(Vk::Up, up);
        keys.Press(Vk::Down, !up);
        lastStep = StageFrame;
        g.Game.Frame();
    }
    keys.Press(Vk::X, false);
    keys.Press(Vk::Up, false);
    keys.Press(Vk::Down, false);
    return lastStep;
}

}  // namespace veltrano::testdata
