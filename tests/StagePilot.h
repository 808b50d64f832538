// A test pilot for whole-scene runs: untouchable, firing all the time and sweeping up and down the
// screen, so that a scene is played from its init to the frame handler's move to the next scene.
#pragma once

#include "tests/StageTestGame.h"

namespace veltrano::testdata {

// Plays the current scene until the scene changes or `maxFrames` frames have run; returns the last
// step run in the scene.
inline int PlayThroughScene(StageGame& g, int maxFrames) {
    HeadlessBackend& keys = g.Game.Platform;
    const int scene = Scene;
    int lastStep = StageFrame;
    for (int frame = 0; frame < maxFrames && Scene == scene; ++frame) {
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
