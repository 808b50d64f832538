// Helpers of the whole-scene tests: positions that print, a parked ship, and a test pilot who is
// untouchable, fires all the time and sweeps up and down, to play a scene from its init to the frame
// handler's move to the next scene.
#pragma once

#include <ostream>

#include "tests/StageTestGame.h"

namespace veltrano::testdata {

// Runs up to and including the step with StageFrame = `frame`, the ship untouchable and parked at
// its start, where it neither meets nor sets off anything.
inline void RunParked(StageGame& g, int frame) {
    g.RunThroughStep(frame, [] {
        PlayerUntouchable = 1;
        PlayerX = 32;
        PlayerY = 224;
    });
}

// Runs frames, nothing pressed, until the frame handler leaves the current scene; returns the last
// step run in it.
inline int RunUntilTheSceneEnds(StageGame& g, int maxFrames = 20000) {
    const int scene = Scene;
    int lastStep = StageFrame;
    for (int frame = 0; frame < maxFrames && Scene == scene; ++frame) {
        lastStep = StageFrame;
        g.Game.Frame();
    }
    return lastStep;
}

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
