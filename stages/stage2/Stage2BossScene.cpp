// The boss-only scene of stage 2: the boss starts its patrol at the scene's frame 0 and leaves it at
// the second time-out at the latest.
#include "stages/SceneTable.h"

namespace veltrano {

void WriteBossRush2(ScriptBuilder& s) {
    const BossFight& fight = RowOf(BossRush2Scene).Fight;
    WriteBossSceneStart(s, fight.Slot, 200, -320);
    s.HitPoints(8, 8, 30000);
    s.Layers({.layer1X = -1, .layer2X = -1});
    s.Place(fight.Slot, FieldWidth, 448);
    s.Place(8, 448, -96);
    s.InitHook(ResetStage2Boss);
    s.HudRows();
    WriteStage2Boss(s, fight);
}

}  // namespace veltrano
