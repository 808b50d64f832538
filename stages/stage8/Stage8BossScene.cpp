// The boss-only scenes of stages 8 to 10: each replays its stage's boss fight on that stage's
// backdrop, with a shorter lead-in and fewer hit points.
#include "stages/Scenes.h"
#include "stages/stage8/Stage8Boss.h"

namespace veltrano {

namespace {

void WriteBossSceneInit(ScriptBuilder& s, int boss, int hp, int startFrame) {
    s.Reset(ResetKind::Stage);
    s.Boss(boss);
    s.HitPoints(boss, boss, hp);
    s.StartAt(startFrame);
}

}  // namespace

void WriteBossRush8(ScriptBuilder& s) {
    WriteBossSceneInit(s, Stage8Boss, 200, -509);
    s.Layers(-2, -4, 0);
    PlaceStage8Boss(s);
    s.HudRows();
    WriteStage8Boss(s, Stage8BossShift);
}

void WriteBossRush9(ScriptBuilder& s) {
    WriteBossSceneInit(s, Stage9Boss, 200, -384);
    s.Layers(-2, -8, -16);
    PlaceStage9Boss(s);
    s.HudRows();
    WriteStage9Boss(s, Stage9BossShift);
}

void WriteBossRush10(ScriptBuilder& s) {
    WriteBossSceneInit(s, Stage10Boss, 100, -384);
    // The rings keep the strength they have in the stage.
    s.HitPoints(2480, 2487, 200);
    s.Layers(-8, -8, -16, 0, 0, -2);
    PlaceStage10Boss(s);
    s.HudRows();
    WriteStage10Boss(s, Stage10BossShift);
}

}  // namespace veltrano
