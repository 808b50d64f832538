// The init the two fights against the god share.
#pragma once

#include "stages/ScriptBuilder.h"

namespace veltrano {

// The stage reset over a backdrop that scrolls to the right, the hit-point table of the two fights,
// the boss standing at (bossX, 224) and a lead-in of 64 frames in which nothing fires.
void WriteChallengeInit(ScriptBuilder& s, int boss, int bossHP, int bossX);

}  // namespace veltrano
