// The boss-only scene of stage 3: the boss becomes vulnerable at the scene's frame 0.
#include "stages/SceneTable.h"

namespace veltrano {

void WriteBossRush3(ScriptBuilder& s) {
    const BossFight& fight = RowOf(BossRush3Scene).Fight;
    constexpr int Start = -465;
    WriteBossSceneStart(s, fight.Slot, 200, Start);
    s.HitPoints(2491, 2498, 50);
    s.Layers({.layer1X = -1, .layer2X = 2});
    // The scene opens in the middle of the boss's fly-past, where stage 3 would have it: two pixels
    // left for every step after 3316 already run.
    s.Place(fight.Slot, FieldWidth - 2 * (Start + fight.Shift - 1 - 3316), 224);
    WriteStage3BossShipPlacement(s);
    s.InitHook(MakeStage3BossInert);
    s.HudRows();
    WriteStage3Boss(s, fight);
}

}  // namespace veltrano
