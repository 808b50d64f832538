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
    s.Layers({.layer1X = 2, .layer2X = 8, .layer3X = -16, .layer3Y = -2});
    s.HitPoints(boss, boss, bossHP);
    s.DefaultHitPoints();
    s.HitPoints(2400, 2489, 10);
    s.HitPoints(2490, 2499, 50);
    s.Place(boss, bossX, 224);
    s.Boss(boss);
    s.StartAt(-64);
    s.InitHook(MakeShipVulnerable);
}

}  // namespace veltrano
