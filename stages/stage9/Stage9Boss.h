// The boss of stage 9, written once and fought twice: in the stage and in its boss-only scene, whose
// timeline runs the same fight earlier by the fight's shift.
#pragma once

#include "stages/SceneTable.h"

namespace veltrano {

constexpr int Stage9Boss = RowOf(Stage9Scene).Fight.Slot;

// The boss patrols the screen's edge in three phases, each on its own stretch of the timeline; the
// scene moves its clock forward at each phase change.
void PlaceStage9Boss(ScriptBuilder& s);
// The time-out ends the first phase's stretch; the later ones end theirs at the same distance.
void WriteStage9Boss(ScriptBuilder& s, const BossFight& fight);

}  // namespace veltrano
