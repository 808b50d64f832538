// The bosses of stages 8 to 10, written once and used twice: in their stages and in the boss-only
// scenes, whose timelines run the same fight `shift` steps earlier.
#pragma once

#include "stages/ScriptBuilder.h"

namespace veltrano {

constexpr int Stage8Boss = 15, Stage9Boss = 16, Stage10Boss = 17;

// How much earlier each boss scene runs its stage's fight: frame 0 of the scene is the stage's
// frame 5000, 6000 and 20000.
constexpr int Stage8BossShift = 5000, Stage9BossShift = 6000, Stage10BossShift = 20000;

// Stage 8: the boss and the 36 shot-proof blocks of the frame it hides in, all off screen.
void PlaceStage8Boss(ScriptBuilder& s);
// From the frame's approach on: the frame closes round the boss, and both fire in a cycle of 1000
// steps until the time-out.
void WriteStage8Boss(ScriptBuilder& s, int shift);

// Stage 9: the boss patrols the screen's edge in three phases, each on its own stretch of the
// timeline; the scene moves its clock forward at each phase change.
void PlaceStage9Boss(ScriptBuilder& s);
// `shift` is 0 or Stage9BossShift.
void WriteStage9Boss(ScriptBuilder& s, int shift);

// Stage 10: the last boss comes in, shielded by two rings; breaking each ring moves the clock on,
// and at last the boss circles the screen ever faster. Only the stretch before the first ring breaks
// is shifted: the later stretches keep their own frames.
void PlaceStage10Boss(ScriptBuilder& s);
void WriteStage10Boss(ScriptBuilder& s, int shift);

}  // namespace veltrano
