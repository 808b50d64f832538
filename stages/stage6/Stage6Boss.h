// The boss of stage 6, written once and fought twice: the stage brings it in at its frame 4800, the
// boss-only scene at frame 0 after its lead-in.
#pragma once

#include "stages/SceneTable.h"

namespace veltrano {

constexpr int Stage6Boss = RowOf(Stage6Scene).Fight.Slot;

// The boss with its shield plates, arms and pylons: it arrives over the 17 steps before its entry,
// sways from then on and is switched off at the fight's time-out.
void WriteStage6Boss(ScriptBuilder& s, const BossFight& fight);
// The hit points of the boss's arms and pylons.
void WriteStage6BossParts(ScriptBuilder& s);

}  // namespace veltrano
