// Stage 3: blocks that drift and part, a swarm of 32 fliers, a heavy gun with its guards, rising and
// falling pods, and a boss ship that assembles from parts and fires a barrage on a long cycle.
#include "stages/SceneTable.h"
#include "world/Sounds.h"

namespace veltrano {

namespace {

constexpr int Boss = RowOf(Stage3Scene).Fight.Slot;
constexpr int HeavyGun = 2499;
constexpr int FirstGuard = 1996, LastGuard = 1999;
constexpr int FirstPart = 2491, LastPart = 2498;
constexpr int FirstHull = 2900, LastHull = 2913;
constexpr int ActiveFrame = Stage3BossActiveFrame;
constexpr int CycleLength = 969;
static_assert(ActiveFrame % CycleLength == 0, "the boss wakes at the start of a fire cycle");
// The side parts open their two volleys at these points of each cycle.
constexpr int SweepPhase = 128, CrossPhase = 320;

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-1, 2, 0);
    s.Boss(Boss);
    s.Flags(4);

    s.HitPoints(Boss, Boss, 300);
    s.DefaultHitPoints(FirstItemSlot, LastItemSlot);
    s.HitPoints(1000, 1995, 1);
    s.HitPoints(FirstGuard, LastGuard, 5);
    s.HitPoints(2000, 2490, 5);
    s.HitPoints(FirstPart, LastPart, 50);
    s.HitPoints(HeavyGun, HeavyGun, 30);
    s.DefaultHitPoints(3000, 3499);
    s.DefaultHitPoints(3500, 3999);

    s.Place(1000, 4, -16, 208);
    s.Place(1004, 4, -16, 256);
    s.Place(1500, 32, 640, Coord::Rand(464));
    s.Place(1532, 4, 640, Coord::Per(64, 64));
    s.Place(1536, 4, 640, Coord::Per(96, 64));
    s.Place(1540, 4, 640, 48);
    s.Place(1544, 4, 640, 448);
    s.Place(1548, 4, -16, 208);
    s.Place(1552, 4, -16, 256);
    s.Place(1556, 4, 600, -16);
    s.Place(1560, 4, 600, 480);
    s.Place(1996, 688, 192);
    s.Place(1997, 672, 208);
    s.Place(1998, 672, 256);
    s.Place(1999, 688, 272);
    s.Place(2000, 4, 640, Coord::Per(32, 64));
    s.Place(2004, 4, 640, Coord::Per(256, 64));
    s.Place(2008, 8, 600, 480);
    s.Place(2016, 8, 550, -32);
    s.Place(HeavyGun, 640, 224);
    s.Place(2500, 4, 640, 200);
    s.Place(2504, 4, 640, 400);
    s.Place(2508, 12, 640, 0);
    s.Place(2520, 12, 640, 448);
    s.Place(3000, 8, Coord::Per(384, 32), -32);
    s.Place(3500, 8, 640, Coord::Per(128, 32));
    for (int item : {800, 801, 850, 950}) s.Place(item, 640, 224);
    s.Place(900, 640, 300);
    s.Place(901, 640, 200);
    s.Place(Boss, 640, 224);
    WriteStage3BossShipPlacement(s);
    s.InitHook(MakeStage3BossInert);
}

void WriteBlocksAndMines(ScriptBuilder& s) {
    // The blocks drift with the ground, whatever its speed, then part up and down.
    const Arg drift = Arg::TimesLayer(2, LayerStep::Layer1X);
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring(2500 + i, drift, 0, 32 + 16 * i, 288);
        s.MoveDuring(2504 + i, drift, 0, 160 + 16 * i, 352);
    }
    const int leaveDy[8] = {-2, 2, -2, 2, 2, -2, 2, -2};
    for (int i = 0; i < 8; ++i) s.MoveDuring(2500 + i, 0, leaveDy[i], 296 + 16 * i, 4000);

    s.ScrollWithGround(900, 96);
    for (int i = 0; i < 8; ++i) s.SinkDuring(3000 + i, 360, 4000);
    for (int j = 0; j < 4; ++j) {
        s.ScrollWithGround(3500 + j, 400 + 64 * j);
        s.Mine(3500 + j, 10000 + j, 4);
        s.ScrollWithGround(3504 + j, 400 + 64 * j);
        s.Mine(3504 + j, 10048 + j, 4);
    }
}

void WriteGunsAndSwarm(ScriptBuilder& s) {
    for (int k = 0; k < 4; ++k) {
        const int upper = 2000 + k, lower = 2004 + k;
        s.Path(upper, {{-6, 0, 656, 672}, {-6, 0, 736, 4000}});
        for (int l = 0; l < 6; ++l) s.FireAimed(15000 + k + 4 * l, upper, 0, 8 * l + 16, 672, 672, 6);
        s.Path(lower, {{-6, 0, 736, 752}, {-6, 0, 816, 4000}});
        for (int m = 0; m < 6; ++m) s.FireAimed(15024 + k + 4 * m, lower, 0, 8 * m + 16, 752, 752, 6);
    }
    s.ScrollWithGround(901, 736);

    for (int k = 0; k < 32; ++k) {
        const int flier = 1500 + k;
        s.Path(flier, {{-6, 0, 848 + 8 * k, 864 + 8 * k}, {-6, 0, 992 + 8 * k, 4000}});
        s.DeathShot(11000 + k, flier);
        s.DeathShot(11188 + k, flier, 10);
        s.DeathShot(11220 + k, flier, -10);
    }
    // The swarm's last eight shot down call two fours that loop back to the right.
    s.BonusCheck(1239, 1524, 1531, 1, 4000);
    s.WhileFlag(1, [&] {
        for (int k = 0; k < 4; ++k) {
            const int w = 8 * k;
            s.Path(1540 + k,
                   {{-6, 0, 1240 + w, 1340 + w}, {0, 6, 1340 + w, 1400 + w}, {6, 0, 1400 + w, 4000}});
            s.Path(1544 + k,
                   {{-6, 0, 1240 + w, 1340 + w}, {0, -6, 1340 + w, 1400 + w}, {6, 0, 1400 + w, 4000}});
            s.DeathShot(11116 + k, 1540 + k);
            s.DeathShot(11252 + k, 1540 + k, 0, 11);
            s.DeathShot(11120 + k, 1544 + k);
            s.DeathShot(11256 + k, 1544 + k, 0, 11);
        }
    });
    for (int k = 0; k < 12; ++k) {
        s.ScrollWithGround(2508 + k, 1296 + 16 * k);
        s.ScrollWithGround(2520 + k, 1296 + 16 * k);
    }
}

void WriteHeavyGun(ScriptBuilder& s) {
    // The gun and its four guards keep formation along one zigzag path.
    for (int slot : {HeavyGun, 1996, 1997, 1998, 1999}) {
        s.Path(slot, {{-6, 0, 1488, 1520},
                      {0, 6, 1552, 1584},
                      {0, -6, 1616, 1648},
                      {0, -6, 1680, 1712},
                      {0, 6, 1744, 1776},
                      {-6, 0, 1808, 5000}});
    }
    // A seven-shot fan every 64 steps.
    const int offsets[7] = {0, -15, 15, -20, 20, -25, 25};
    const int bullets[7] = {15048, 15053, 15058, 15608, 15613, 15618, 15623};
    for (int k = 0; k < 5; ++k) {
        for (int i = 0; i < 7; ++i)
            s.FireAimed(bullets[i] + k, HeavyGun, offsets[i], 64 * k + 16, 1520, 1520, 4);
    }
    for (int l = 0; l < 12; ++l) s.FireOnDeath(15504 + l, HeavyGun, 30 * l, 1, 3);
    for (int l = 0; l < 12; ++l) s.FireOnDeath(15516 + l, HeavyGun, 30 * l + 15, 1, 4);
    for (int m = 0; m < 4; ++m) {
        for (int b = 0; b < 5; ++b) {
            s.FireStraight(11032 + m + 4 * b, FirstGuard + m, 1520, 64 * b + 16, 1520, 0, -6);
            s.FireStraight(11260 + m + 4 * b, FirstGuard + m, 1520, 64 * b + 48, 1520, 0, -6);
        }
    }
    // The guards fall with the gun; the extra ship comes only when all five were shot down.
    s.WhileAllDestroyed(HeavyGun, HeavyGun, [&] { s.SetState(FirstGuard, LastGuard, StateDestroyed); });
    s.WhileAllHPBelowOne(HeavyGun, HeavyGun, [&] {
        s.WhileAllHPBelowOne(FirstGuard, LastGuard, [&] { s.ScrollWithGround(950, 1952); });
    });
    s.ScrollWithGround(800, 1520);
    s.ScrollWithGround(801, 1648);
}

void WritePods(ScriptBuilder& s) {
    for (int m = 0; m < 8; ++m) {
        const int up = 2008 + m, down = 2016 + m;
        s.MoveDuring(up, 0, -6, 1824 + 32 * m, 5000);
        s.MoveDuring(down, 0, 6, 1840 + 32 * m, 5000);
        s.FireAimed(15064 + m, up, -10, 0, 40, 1824, 2);
        s.FireAimed(15072 + m, up, 10, 0, 40, 1824, 2);
        s.FireAimed(15080 + m, down, -10, 20, 40, 1824, 2);
        s.FireAimed(15088 + m, down, 10, 20, 40, 1824, 2);
        s.FireAimed(15628 + m, up, -10, 0, 40, 1824, 8);
        s.FireAimed(15636 + m, up, 10, 0, 40, 1824, 8);
        s.FireAimed(15644 + m, down, -10, 20, 40, 1824, 8);
        s.FireAimed(15652 + m, down, 10, 20, 40, 1824, 8);
    }
    s.ScrollWithGround(850, 2196);
}

// A flier that stops, fires three aimed shots as it leaves, and bursts into a four-way death fan of
// five shots each; `speed(c)` is the speed of the fan's c-th shot.
template <typename Speed>
void FanFlier(ScriptBuilder& s, int flier, int arrive, int leave, int aimed, const int (&fan)[4],
              Speed speed) {
    s.Path(flier, {{-6, 0, arrive, arrive + 44}, {4, -4, leave, 6000}});
    for (int c = 0; c < 3; ++c) s.FireAimed(aimed + 4 * c, flier, 0, 4 * c + 4, leave, arrive, 6);
    for (int c = 0; c < 5; ++c) {
        s.FireOnDeath(fan[0] + 4 * c, flier, -10 * c, 1, speed(c));
        s.FireOnDeath(fan[1] + 4 * c, flier, -10 * c - 50, 1, speed(c));
        s.FireOnDeath(fan[2] + 4 * c, flier, 10 * c, 1, speed(c));
        s.FireOnDeath(fan[3] + 4 * c, flier, 10 * c + 50, 1, speed(c));
    }
}

void WriteFanFliers(ScriptBuilder& s) {
    for (int m = 0; m < 4; ++m) {
        const int b = 128 * m;
        const int early[4] = {11052 + m, 11280 + m, 11300 + m, 11320 + m};
        FanFlier(s, 1532 + m, 2196 + b, 2400 + b, 11092 + m, early, [](int c) { return 6 + c; });
        const int late[4] = {11072 + m, 11340 + m, 11360 + m, 11380 + m};
        FanFlier(s, 1536 + m, 2708 + b, 2932 + b, 11104 + m, late, [](int c) { return 10 - c; });
    }
    // All eight shot down call two columns that fall and rise through the screen.
    s.BonusCheck(3263, 1532, 1539, 3, 4000);
    s.WhileFlag(3, [&] {
        for (int m = 0; m < 4; ++m) {
            s.MoveDuring(1556 + m, 0, 6, 3264 + 64 * m, 6000);
            s.MoveDuring(1560 + m, 0, -6, 3296 + 64 * m, 6000);
            for (int a = 0; a < 7; ++a) {
                const int offset = 10 * a - 30;
                s.DeathShot(11132 + m + 4 * a, 1556 + m, offset, 1, 4);
                s.DeathShot(11400 + m + 4 * a, 1556 + m, offset, 1, 8);
                s.DeathShot(11160 + m + 4 * a, 1560 + m, offset, 1, 4);
                s.DeathShot(11428 + m + 4 * a, 1560 + m, offset, 1, 8);
            }
        }
    });
}

// ---- The boss ship --------------------------------------------------------------------------------

void WriteBossFire(ScriptBuilder& s, const BossFight& fight) {
    const int from = fight.At(ActiveFrame);
    const int p = CycleLength;
    for (int a = 0; a < 16; ++a) {
        s.FireAngled(16000 + a, Boss, 180 + 2 * a, 8 * a, p, from - 1, 6);
        s.FireAngled(16016 + a, Boss, 180 - 2 * a, 8 * a, p, from - 1, 6);
        s.FireAngled(16032 + a, Boss, 180 + 2 * a, 8 * a + 192, p, from - 1, 6);
        s.FireAngled(16048 + a, Boss, 180 + 3 * a, 4 * a + 256, p, from - 1, 8);
        s.FireAngled(16064 + a, Boss, 180 - 2 * a, 8 * a + 192, p, from - 1, 6);
        s.FireAngled(16080 + a, Boss, 180 - 3 * a, 4 * a + 256, p, from - 1, 8);
        // The side parts sweep the screen; the front parts join in once a side part is lost.
        for (int e = 0; e < 4; ++e)
            s.FireStraight(15112 + a + 16 * e, 2495 + e, from, 4 * a + SweepPhase, p, 0, -12);
        s.WhileAnyDestroyed(2495, 2498, [&] {
            for (int e = 0; e < 4; ++e)
                s.FireStraight(16480 + a + 16 * e, 2491 + e, from, 4 * a + SweepPhase, p, 0, -12);
        });
        const int phase = 4 * a + CrossPhase;
        s.FireStraight(15192 + a, 2495, from, phase, p, 12, 0);
        s.FireStraight(15208 + a, 2496, from, phase, p, 12, 0);
        s.FireStraight(15224 + a, 2497, from, phase, p, -12, 0);
        s.FireStraight(15240 + a, 2498, from, phase, p, -12, 0);
        s.WhileAnyDestroyed(2495, 2498, [&] {
            s.FireStraight(16544 + a, 2491, from, phase, p, 8, -8);
            s.FireStraight(16560 + a, 2492, from, phase, p, 8, -8);
            s.FireStraight(16576 + a, 2493, from, phase, p, -8, -8);
            s.FireStraight(16592 + a, 2494, from, phase, p, -8, -8);
        });
    }
    // Twelve fast sprays, alternating above and below the boss's line.
    struct Spray {
        int Bullet, Angle, AnglePerShot, Phase;
    };
    const Spray sprays[12] = {{16096, 135, 2, 400},   {16112, -135, -2, 432}, {16128, 167, -1, 432},
                              {16144, -167, 1, 464},  {16160, 151, 2, 464},   {16176, -151, -2, 496},
                              {16192, 183, -2, 496},  {16208, -183, 2, 528},  {16224, 151, 2, 528},
                              {16240, -151, -2, 560}, {16256, 183, -2, 560},  {16272, -183, 2, 592}};
    for (int b = 0; b < 16; ++b) {
        for (const Spray& r : sprays) {
            s.FireAngled(r.Bullet + b, Boss, r.Angle + r.AnglePerShot * b, 2 * b + r.Phase, p, from, 12);
        }
    }
    // The front parts throw shots that stop and re-aim at the ship.
    for (int c = 0; c < 12; ++c) {
        s.FireStraightStop(15384 + c, 2491, from, 8 * c + 688, 8 * c + 656, p, 4, -4);
        s.FireStraightStop(15396 + c, 2492, from, 8 * c + 688, 8 * c + 656, p, 4, -4);
        s.FireStraightStop(15408 + c, 2493, from, 8 * c + 816, 8 * c + 784, p, -4, -4);
        s.FireStraightStop(15420 + c, 2494, from, 8 * c + 816, 8 * c + 784, p, -4, -4);
        s.FireAimedExact(15432 + c, 15384 + c, 0, 8 * c + 688, p, fight.At(0), 6);
        s.FireAimedExact(15444 + c, 15396 + c, 0, 8 * c + 688, p, fight.At(0), 6);
        s.FireAimedExact(15456 + c, 15408 + c, 0, 8 * c + 816, p, fight.At(0), 6);
        s.FireAimedExact(15468 + c, 15420 + c, 0, 8 * c + 816, p, fight.At(0), 6);
    }
    for (int d = 0; d < 16; ++d) {
        s.FireAimed(16700 + d, Boss, 2 * d, 656, p, from, 4);
        s.FireAimed(16716 + d, Boss, -2 * d, 656, p, from, 4);
        s.FireAimed(16732 + d, Boss, 2 * d + 5, 784, p, from, 4);
        s.FireAimed(16748 + d, Boss, -2 * d - 5, 784, p, from, 4);
    }
}

}  // namespace

void MakeStage3BossInert() {
    EnemyState[Boss] = StateInert;
}

void WriteStage3BossShipPlacement(ScriptBuilder& s) {
    s.Place(2491, 2, Coord::Per(864, 32), Coord::Per(0, 32));
    s.Place(2493, 2, Coord::Per(896, -32), Coord::Per(416, 32));
    s.Place(2495, 2, Coord::Per(640, 32), 0);
    s.Place(2497, 2, Coord::Per(640, 32), 448);
    s.Place(FirstHull, 7, Coord::Per(704, 32), Coord::Per(0, 32));
    s.Place(FirstHull + 7, 7, Coord::Per(896, -32), Coord::Per(256, 32));
}

void WriteStage3Boss(ScriptBuilder& s, const BossFight& fight) {
    const int active = fight.At(ActiveFrame);
    // The boss flies past, the ship's parts close in, and the boss returns to the ship's bow.
    s.MoveDuring(Boss, -2, 0, fight.At(3316), fight.At(3652));
    for (int slot = FirstPart; slot <= LastPart; ++slot)
        s.MoveDuring(slot, -2, 0, fight.At(3652), fight.At(3796));
    for (int slot = FirstHull; slot <= LastHull; ++slot)
        s.MoveDuring(slot, -2, 0, fight.At(3652), fight.At(3796));
    s.AtFrame(fight.At(3796), [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer2X, 4);
    });
    s.FromFrame(active, [&] { s.HudBossDigits(); });
    s.MoveDuring(Boss, 8, 0, fight.At(3795), active);
    s.AtFrame(active, [&] { s.SetState(Boss, Boss, StateActive); });
    WriteBossFire(s, fight);
    s.AtFrame(fight.At(6876), [&] {
        s.SetState(2495, 2495, StateDestroyed);
        s.SetState(2497, 2497, StateDestroyed);
    });
    // A boss still standing at the time-out is switched off, without the boss bonus.
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] { s.ClearEnemyBullets(); });
    // The hull breaks up from the middle outwards, then the parts go.
    for (int d = 0; d < 7; ++d) {
        s.AtDeadTime(Boss, 40 + 12 * d, [&] {
            s.SetState(2906 - d, 2906 - d, StateDestroyed);
            s.SetState(2907 + d, 2907 + d, StateDestroyed);
        });
    }
    s.AtDeadTime(Boss, 124, [&] { s.SetState(FirstPart, LastPart, StateDestroyed); });
}

void WriteStage3(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    WriteBlocksAndMines(s);
    WriteGunsAndSwarm(s);
    WriteHeavyGun(s);
    WritePods(s);
    WriteFanFliers(s);
    WriteStage3Boss(s, RowOf(Stage3Scene).Fight);
}

// The boss's barrage of bombs keeps sounding, at the start of each volley, until it falls.
void SoundStage3Barrage() {
    const BossFight& fight = RowOf(Scene).Fight;
    if (EnemyState[fight.Slot] == StateDestroyed || StageFrame <= fight.At(ActiveFrame)) return;
    const int phase = StageFrame % CycleLength;
    if (phase == SweepPhase || phase == CrossPhase) RestartSound(BombSound);
}

}  // namespace veltrano
