// The boss of stage 8, written once and fought twice: in the stage and in its boss-only scene, whose
// timeline runs the same fight earlier by the fight's shift.
#pragma once

#include "stages/SceneTable.h"

namespace veltrano {

constexpr int Stage8Boss = RowOf(Stage8Scene).Fight.Slot;

// The boss and the 36 shot-proof blocks of the frame it hides in, all off screen.
void PlaceStage8Boss(ScriptBuilder& s);
// From the frame's approach on: the frame closes round the boss, and both fire in a cycle of 1000
// steps until the time-out.
void WriteStage8Boss(ScriptBuilder& s, const BossFight& fight);

}  // namespace veltrano
