// The boss-only scene of stage 2: the boss starts its patrol at the scene's frame 0 and leaves it at
// the second time-out at the latest.
#include "stages/SceneTable.h"

namespace veltrano {

void WriteBossRush2(ScriptBuilder& s) {
    const BossFight& fight = RowOf(BossRush2Scene).Fight;
    WriteBossSceneStart(s, fight.Slot, 200, -320);
    s.HitPoints(8, 8, 30000);
    s.Layers(-1, -1, 0);
    s.Place(fight.Slot, 640, 448);
    s.Place(8, 448, -96);
    s.InitHook(ResetStage2Boss);
    s.HudRows();
    WriteStage2Boss(s, fight);
}

}  // namespace veltrano
