// The last boss, written once and fought twice: in stage 10 and in its boss-only scene.
#pragma once

#include "stages/SceneTable.h"

namespace veltrano {

constexpr int Stage10Boss = RowOf(Stage10Scene).Fight.Slot;
// Bare of both rings, the boss circles the screen from this frame on, in the stage and in its
// boss-only scene alike.
constexpr int Stage10BossCircleStart = 40320;

// The last boss comes in, shielded by two rings; breaking each ring moves the clock on, and at last
// the boss circles the screen ever faster. Only the stretch before the first ring breaks is shifted:
// the later stretches, and the time-out, keep their own frames.
void PlaceStage10Boss(ScriptBuilder& s);
void WriteStage10Boss(ScriptBuilder& s, const BossFight& fight);

}  // namespace veltrano
