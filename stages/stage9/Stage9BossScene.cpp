// The boss-only scene of stage 9: the stage's boss fight on the stage's backdrop, with a shorter
// lead-in and fewer hit points.
#include "stages/stage9/Stage9Boss.h"

namespace veltrano {

void WriteBossRush9(ScriptBuilder& s) {
    const BossFight& fight = RowOf(BossRush9Scene).Fight;
    WriteLateBossSceneStart(s, fight.Slot, 200, -384);
    s.Layers({.layer1X = -2, .layer2X = -8, .layer3X = -16});
    PlaceStage9Boss(s);
    s.HudRows();
    WriteStage9Boss(s, fight);
}

}  // namespace veltrano
