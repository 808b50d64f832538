// The boss of stage 7, written once and fought twice: the stage brings it in at its frame 5200, the
// boss-only scene at frame 0 after its lead-in.
#pragma once

#include "stages/SceneTable.h"

namespace veltrano {

constexpr int Stage7Boss = RowOf(Stage7Scene).Fight.Slot;

// The boss with its eight plates and two pods, arriving over the 17 steps before its entry.
void WriteStage7Boss(ScriptBuilder& s, const BossFight& fight);

}  // namespace veltrano
