// A boss fight as a scene stages it. Each fight is written once, on its stage's clock, and fought
// twice: at the end of the stage and in the stage's boss-only scene, which runs the same fight
// earlier so that the boss arrives soon after the scene starts.
#pragma once

#include "stages/ScriptBuilder.h"

namespace veltrano {

constexpr int NoTimeOut = -1000000;

struct BossFight {
    int Slot = 0;                   // the boss whose fall ends the scene
    int Shift = 0;                  // the stage's frame minus this scene's frame at the same moment
    int TimeOut = NoTimeOut;        // on this scene's clock: the boss is switched off
    int SecondTimeOut = NoTimeOut;  // stage 2: its boss leaves the patrol; stage 4: the second boss falls
    // A frame of the stage's fight on this scene's clock.
    constexpr int At(int stageFrame) const { return stageFrame - Shift; }
};

// The init of the boss-only scenes of stages 1 to 3, which start like a stage: the ship at its start,
// the world cleared, no bonus flags, and the boss with `bossHP` hit points.
void WriteBossSceneStart(ScriptBuilder& s, int boss, int bossHP, int startFrame);
// The init of the boss-only scenes of stages 8 to 10: the same, but the bonus flags are left as they
// were.
void WriteLateBossSceneStart(ScriptBuilder& s, int boss, int bossHP, int startFrame);

}  // namespace veltrano
