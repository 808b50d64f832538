// Stage tests play the real game headless: the frame handler runs the world step around the scene
// scripts exactly as in play.
#pragma once

#include <ostream>

#include "engine/CentralSystem.h"
#include "platform/headless/HeadlessGame.h"
#include "stages/Stage.h"
#include "tests/TestProgramFolder.h"
#include "world/World.h"

namespace veltrano::testdata {

struct StageGame {
    HeadlessGame Game{MakeProgramFolder().string()};

    // Enters a stage the way the ship select does, with the ship steerable.
    void Enter(int scene) {
        Scene = scene;
        SceneInit();
        SetShotVelocities();
        ControlEnabled = 1;
    }
    // Runs frames until the step with StageFrame = `frame` has run. A watcher, when given, runs
    // before every frame (to keep the ship untouchable, destroy a group on a chosen frame...).
    template <typename Watch>
    void RunThroughStep(int frame, Watch watch) {
        while (StageFrame <= frame && Game.Form.FramesRun() < 100000) {
            watch();
            Game.Frame();
        }
    }
    void RunThroughStep(int frame) {
        RunThroughStep(frame, [] { PlayerUntouchable = 1; });
    }
    // Runs until the frame handler leaves the current scene, with the ship untouchable; returns the
    // last step run in the scene.
    int RunToNextScene() {
        const int scene = Scene;
        int lastStep = StageFrame;
        while (Scene == scene && Game.Form.FramesRun() < 100000) {
            lastStep = StageFrame;
            PlayerUntouchable = 1;
            Game.Frame();
        }
        return lastStep;
    }
    // Plays on with an untouchable pilot who fires all the time and sweeps up and down, until the
    // frame handler leaves the current scene.
    void PlayThrough() {
        const int scene = Scene;
        HeadlessBackend& keys = Game.Platform;
        while (Scene == scene && Game.Form.FramesRun() < 100000) {
            PlayerUntouchable = 1;
            keys.Press(Vk::X);
            const bool up = (StageFrame / 48) % 2 == 0;
            keys.Press(Vk::Up, up);
            keys.Press(Vk::Down, !up);
            Game.Frame();
        }
    }
};

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

}  // namespace veltrano::testdata
