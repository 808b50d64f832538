// The boss-only scene of stage 10: the last boss on the stage's backdrop, with a shorter lead-in and
// fewer hit points.
#include "stages/stage10/Stage10Boss.h"

namespace veltrano {

void WriteBossRush10(ScriptBuilder& s) {
    const BossFight& fight = RowOf(BossRush10Scene).Fight;
    constexpr int BossHP = 100;
    WriteLateBossSceneStart(s, fight.Slot, BossHP, -384);
    // The rings keep the strength they have in the stage.
    s.HitPoints(2480, 2487, 200);
    s.Layers({.layer1X = -8, .layer2X = -8, .layer3X = -16, .layer3Y = -2});
    PlaceStage10Boss(s);
    s.HudRows();
    WriteStage10Boss(s, fight, BossHP);
}

}  // namespace veltrano
