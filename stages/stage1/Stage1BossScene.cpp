// The boss-only scene of stage 1: the stage's boss fight alone, over the stage's backdrop, moved so
// that the boss arrives at the scene's frame 0.
#include "stages/SceneTable.h"

namespace veltrano {

void WriteBossRush1(ScriptBuilder& s) {
    const BossFight& fight = RowOf(BossRush1Scene).Fight;
    WriteBossSceneStart(s, fight.Slot, 100, -320);
    s.Layers({.layer1X = -1, .layer2X = -2, .layer3X = -4});
    s.Place(fight.Slot, FieldWidth, 224);
    s.HudRows();
    WriteStage1Boss(s, fight);
}

}  // namespace veltrano
