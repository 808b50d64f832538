// The bosses of stages 4 and 5 are written once and fought twice: at the end of their stage and in
// their boss-only scene.
#pragma once

#include "stages/ScriptBuilder.h"

namespace veltrano {

// When a boss fight happens on the clock of the scene that holds it. The boss-only scene runs the
// fight earlier by a whole number of attack cycles, so every launch phase and stop span of the
// fight stays as it is and only the frames of its windows move.
struct FightTimes {
    int Shift;          // the stage's frame minus this scene's frame at the same moment of the fight
    int FirstTimeOut;   // on this scene's clock: the frame at which the (first) boss is switched off
    int SecondTimeOut;  // the second boss's (stage 4 only)
    int At(int stageFrame) const { return stageFrame - Shift; }
};

// The init a boss-only scene of stage 4 or 5 begins with: the stage reset, the stage's scenery
// scrolling through a lead-in of 320 steps, and `boss` as the boss whose hit points are shown.
void WriteBossOnlyOpening(ScriptBuilder& s, int boss);

// Stage 4: the walled boss with its twelve guns, then the boss with eight satellites that comes in
// when the first one has fallen.
constexpr int Stage4FirstBoss = 10, Stage4SecondBoss = 11;
void PlaceStage4Bosses(ScriptBuilder& s);
void WriteStage4Bosses(ScriptBuilder& s, const FightTimes& t);

// Stage 5: the boss that rises from below with two pods circling it.
constexpr int Stage5Boss = 12;
void PlaceStage5Boss(ScriptBuilder& s);
void WriteStage5Boss(ScriptBuilder& s, const FightTimes& t);

}  // namespace veltrano
