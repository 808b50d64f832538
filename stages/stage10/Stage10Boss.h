// The last boss, written once and fought twice: in stage 10 and in its boss-only scene.
#pragma once

#include "stages/SceneTable.h"

namespace veltrano {

constexpr int Stage10Boss = RowOf(Stage10Scene).Fight.Slot;
constexpr int Stage10BossHP = 500;  // in the stage; its boss-only scene gives it fewer
// Bare of both rings, the boss circles the screen from this frame on, in the stage and in its
// boss-only scene alike.
constexpr int Stage10BossCircleStart = 40320;

// The last boss comes in, shielded by two rings; breaking each ring moves the clock on, and at last
// the boss circles the screen ever faster. Only the stretch before the first ring breaks is shifted:
// the later stretches, and the time-out, keep their own frames.
void PlaceStage10Boss(ScriptBuilder& s);
// `fullHP`: the hit points the boss comes with in this scene; its fire thickens by thirds of them.
void WriteStage10Boss(ScriptBuilder& s, const BossFight& fight, int fullHP = Stage10BossHP);

}  // namespace veltrano
