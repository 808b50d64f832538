#include "stages/extra/ChallengeInit.h"

#include "world/World.h"

namespace veltrano {

namespace {

// A ship still untouchable from the last stage's loss would fight the god unharmed.
void MakeShipVulnerable() {
    PlayerUntouchable = 0;
}

}  // namespace

void WriteChallengeInit(ScriptBuilder& s, int boss, int bossHP, int bossX) {
    s.Reset(ResetKind::Stage);
    s.Layers(2, 8, -16, 0, 0, -2);
    s.HitPoints(boss, boss, bossHP);
    s.HitPoints(800, 999, 2);
    s.HitPoints(1000, 1799, 1);
    s.HitPoints(1800, 2399, 5);
    s.HitPoints(2400, 2489, 10);
    s.HitPoints(2490, 2499, 50);
    s.HitPoints(3000, 3499, 5);
    s.HitPoints(3500, 3999, 10);
    s.HitPoints(4000, 4499, 3);
    s.HitPoints(5500, 6499, 15);
    s.HitPoints(6500, 6999, 7);
    s.HitPoints(8000, 8999, 2);
    s.Place(boss, bossX, 224);
    s.Boss(boss);
    s.StartAt(-64);
    s.InitHook(MakeShipVulnerable);
}

}  // namespace veltrano
