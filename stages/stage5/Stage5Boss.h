// Stage 5's boss, written once and fought twice: at the end of the stage and in its boss-only scene,
// which runs the fight one whole attack cycle earlier.
#pragma once

#include "stages/stage4/Stage4Bosses.h"

namespace veltrano {

// The boss that rises from below with two pods circling it.
constexpr int Stage5Boss = RowOf(Stage5Scene).Fight.Slot;
void PlaceStage5Boss(ScriptBuilder& s);
void WriteStage5Boss(ScriptBuilder& s, const BossFight& fight);

}  // namespace veltrano
