// The scripts of every scene, written once at start-up and looked up by scene number.
#pragma once

#include <string>

#include "stages/BossFight.h"
#include "stages/Script.h"
#include "stages/ScriptBuilder.h"
#include "world/World.h"

namespace veltrano {

// The script of `scene`, or nullptr outside ScoreListScene..ChallengeScene. Scenes whose content is
// not written yet have an empty script (no reset, no statements).
const SceneScript* SceneScriptOf(int scene);

// The init every menu scene starts with: its reset, the scrolling background, the hit-point table.
void WriteMenuReset(ScriptBuilder& s, ResetKind kind);

void WriteScoreList(ScriptBuilder& s);
void WriteKeyConfig(ScriptBuilder& s);
void WriteShipSelect(ScriptBuilder& s);
void WriteTitle(ScriptBuilder& s);

// The scenes' own sound cues (see SceneCues): the title's pieces striking each other, stage 3's
// boss barrage, stage 5's boss falling silent and its closing run.
void SoundTitleStrikes();
void SoundStage3Barrage();
void SoundStage5Close();

// Skips the title's animation, when it is still running: every piece jumps to the place the animation
// leaves it in and the clock to after it. Returns whether it skipped.
bool SkipTitleAnimation();
void WriteStage1(ScriptBuilder& s);
void WriteStaffRoll(ScriptBuilder& s);
void WriteChallengeBattle(ScriptBuilder& s);
void WriteChallengeEndurance(ScriptBuilder& s);
void WriteChallengeMessage(ScriptBuilder& s);
void WriteStage6(ScriptBuilder& s);
void WriteStage7(ScriptBuilder& s);
void WriteBossRush6(ScriptBuilder& s);
void WriteBossRush7(ScriptBuilder& s);
void WriteStage2(ScriptBuilder& s);
void WriteStage3(ScriptBuilder& s);
void WriteBossRush1(ScriptBuilder& s);
void WriteBossRush2(ScriptBuilder& s);
void WriteBossRush3(ScriptBuilder& s);

// The boss fights of stages 1 to 3, fought in the stage and in its boss-only scene.
void WriteStage1Boss(ScriptBuilder& s, const BossFight& fight);
void WriteStage2Boss(ScriptBuilder& s, const BossFight& fight);
void WriteStage3Boss(ScriptBuilder& s, const BossFight& fight);
// The stage 2 boss's phase and direction, which the stage itself does not reset.
void ResetStage2Boss();
// The stage 3 boss ship's parts and hull at their start, off the right edge.
void WriteStage3BossShipPlacement(ScriptBuilder& s);
// The stage 3 boss waits inert until its ship is assembled.
void MakeStage3BossInert();
void WriteStage4(ScriptBuilder& s);
void WriteStage5(ScriptBuilder& s);
void WriteBossRush4(ScriptBuilder& s);
void WriteBossRush5(ScriptBuilder& s);
void WriteStage8(ScriptBuilder& s);
void WriteStage9(ScriptBuilder& s);
void WriteStage10(ScriptBuilder& s);
void WriteBossRush8(ScriptBuilder& s);
void WriteBossRush9(ScriptBuilder& s);
void WriteBossRush10(ScriptBuilder& s);

// A high score as the score list shows it: zeros in front until the text is longer than 8
// characters. `out` holds at least 16 characters.
void ScoreListText(int score, char* out);

}  // namespace veltrano
