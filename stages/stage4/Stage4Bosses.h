// Stage 4's two bosses, written once and fought twice: at the end of the stage and in its boss-only
// scene, which runs the fight earlier by a whole number of attack cycles, so every launch phase and
// stop span of the fight stays as it is and only the frames of its windows move.
#pragma once

#include "stages/SceneTable.h"

namespace veltrano {

// The init a boss-only scene of stage 4 or 5 begins with: the stage reset, the stage's scenery
// scrolling through a lead-in of 320 steps, and `boss` as the boss whose hit points are shown.
void WriteBossOnlyOpening(ScriptBuilder& s, int boss);

// The walled boss with its twelve guns, then the boss with eight satellites that comes in when the
// first one has fallen and whose fall ends the scene.
constexpr int Stage4SecondBoss = RowOf(Stage4Scene).Fight.Slot, Stage4FirstBoss = Stage4SecondBoss - 1;
void PlaceStage4Bosses(ScriptBuilder& s);
// The fight's time-out switches off the first boss, its second time-out the second one.
void WriteStage4Bosses(ScriptBuilder& s, const BossFight& fight);

}  // namespace veltrano
