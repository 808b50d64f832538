// The scripts of every scene, written once at start-up and looked up by scene number.
#pragma once

#include <string>

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
void WriteStage1(ScriptBuilder& s);
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
