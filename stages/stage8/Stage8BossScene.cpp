// The boss-only scene of stage 8: the stage's boss fight on the stage's backdrop, with a shorter
// lead-in and fewer hit points.
#include "stages/stage8/Stage8Boss.h"

namespace veltrano {

void WriteBossRush8(ScriptBuilder& s) {
    const BossFight& fight = RowOf(BossRush8Scene).Fight;
    WriteLateBossSceneStart(s, fight.Slot, 200, -509);
    s.Layers({.layer1X = -2, .layer2X = -4});
    PlaceStage8Boss(s);
    s.HudRows();
    WriteStage8Boss(s, fight);
}

}  // namespace veltrano
