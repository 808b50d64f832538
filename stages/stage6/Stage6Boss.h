// The bosses of stages 6 and 7. Each is written against its own entry frame, so that the stage and
// the boss-only scene that replays it share one script: the stage brings its boss in at 4800 or 5200,
// the boss-only scene at frame 0 after its lead-in.
#pragma once

#include "stages/ScriptBuilder.h"

namespace veltrano {

constexpr int Stage6Boss = 13;
constexpr int Stage7Boss = 14;

// The boss of stage 6 with its shield plates, arms and pylons: it arrives over the 17 steps before
// `entry`, sways from then on and is switched off at `timeOut`.
void WriteStage6Boss(ScriptBuilder& s, int entry, int timeOut);
// The hit points of the stage 6 boss's arms and pylons.
void WriteStage6BossParts(ScriptBuilder& s);

// The boss of stage 7 with its eight plates and two pods, arriving likewise before `entry`.
void WriteStage7Boss(ScriptBuilder& s, int entry, int timeOut);

}  // namespace veltrano
