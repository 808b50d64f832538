// Drives the last stages and their boss scenes with an untouchable pilot who fires all the time and
// sweeps up and down, the way a whole-scene run plays them.
#pragma once

#include "tests/StageTestGame.h"

namespace veltrano::testdata {

// Plays `scene` from its init until the frame handler leaves it (or `maxFrames` pass); returns the
// last StageFrame seen in the scene.
inline int PlayThrough(StageGame& g, int scene, int maxFrames) {
    HeadlessBackend& keys = g.Game.Platform;
    g.Enter(scene);
    ShotPower = 3;
    int lastStep = StageFrame;
    const long start = g.Game.Form.FramesRun();
    while (Scene == scene && g.Game.Form.FramesRun() - start < maxFrames) {
        PlayerUntouchable = 1;
        keys.Press(Vk::X);
        const bool up = (g.Game.Form.FramesRun() / 48) % 2 == 0;
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

// Runs frames without a key until the frame handler leaves `scene` or StageFrame passes `limit`;
// returns the last StageFrame seen in the scene.
inline int RunUntilTheSceneEnds(StageGame& g, int scene, int limit) {
    int lastStep = StageFrame;
    while (Scene == scene && StageFrame < limit) {
        lastStep = StageFrame;
        PlayerUntouchable = 1;
        g.Game.Frame();
    }
    return lastStep;
}

inline bool AllInState(int first, int last, int state) {
    for (int slot = first; slot <= last; ++slot) {
        if (EnemyState[slot] != state) return false;
    }
    return true;
}

}  // namespace veltrano::testdata
