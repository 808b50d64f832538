// The boss scenes of stages 1 to 3: each stages its stage's boss fight alone, over the stage's
// backdrop, with the fight moved so that the boss arrives at the scene's frame 0.
#include "stages/Scenes.h"

namespace veltrano {

namespace {

constexpr int TimeOutFrame = 8000;

// Every boss scene starts like a stage: the ship at its start, the world cleared, no bonus flags.
void StartLikeAStage(ScriptBuilder& s, int boss, int bossHP, int startFrame) {
    s.Reset(ResetKind::Stage);
    s.Boss(boss);
    s.Flags(0);
    s.HitPoints(boss, boss, bossHP);
    s.StartAt(startFrame);
}

}  // namespace

void WriteBossRush1(ScriptBuilder& s) {
    StartLikeAStage(s, 6, 100, -320);
    s.Layers(-1, -2, -4);
    s.Place(6, 640, 224);
    s.HudRows();
    // Stage 1's boss enters at its frame 3600.
    WriteStage1Boss(s, 3600, TimeOutFrame);
}

void WriteBossRush2(ScriptBuilder& s) {
    StartLikeAStage(s, 7, 200, -320);
    s.HitPoints(8, 8, 30000);
    s.Layers(-1, -1, 0);
    s.Place(7, 640, 448);
    s.Place(8, 448, -96);
    s.InitHook(ResetStage2Boss);
    s.HudRows();
    // Stage 2's boss starts its patrol at its frame 3968; here it leaves the patrol at 3000 at the latest.
    WriteStage2Boss(s, 3968, 3000, TimeOutFrame);
}

void WriteBossRush3(ScriptBuilder& s) {
    constexpr int Shift = 3876;  // stage 3's boss becomes vulnerable at its frame 3876, here at 0
    constexpr int Start = -465;
    StartLikeAStage(s, 9, 200, Start);
    s.HitPoints(2491, 2498, 50);
    s.Layers(-1, 2, 0);
    // The scene opens in the middle of the boss's fly-past, where stage 3 would have it: two pixels
    // left for every step after 3316 already run.
    s.Place(9, 640 - 2 * (Start + Shift - 1 - 3316), 224);
    WriteStage3BossShipPlacement(s);
    s.InitHook(MakeStage3BossInert);
    s.HudRows();
    WriteStage3Boss(s, Shift, TimeOutFrame);
}

}  // namespace veltrano
