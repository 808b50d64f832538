#include "stages/BossFight.h"

namespace veltrano {

void WriteBossSceneStart(ScriptBuilder& s, int boss, int bossHP, int startFrame) {
    s.Reset(ResetKind::Stage);
    s.Boss(boss);
    s.Flags(0);
    s.HitPoints(boss, boss, bossHP);
    s.StartAt(startFrame);
}

void WriteLateBossSceneStart(ScriptBuilder& s, int boss, int bossHP, int startFrame) {
    s.Reset(ResetKind::Stage);
    s.Boss(boss);
    s.HitPoints(boss, boss, bossHP);
    s.StartAt(startFrame);
}

}  // namespace veltrano
