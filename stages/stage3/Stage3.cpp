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
    s.Layers({.layer1X = -1, .layer2X = 2});
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

    s.Place({.first = 1000, .count = 4, .x = -16, .y = 208});
    s.Place({.first = 1004, .count = 4, .x = -16, .y = 256});
    s.Place({.first = 1500, .count = 32, .x = FieldWidth, .y = Coord::Rand(464)});
    s.Place({.first = 1532, .count = 4, .x = FieldWidth, .y = Coord::Per(64, 64)});
    s.Place({.first = 1536, .count = 4, .x = FieldWidth, .y = Coord::Per(96, 64)});
    s.Place({.first = 1540, .count = 4, .x = FieldWidth, .y = 48});
    s.Place({.first = 1544, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 1548, .count = 4, .x = -16, .y = 208});
    s.Place({.first = 1552, .count = 4, .x = -16, .y = 256});
    s.Place({.first = 1556, .count = 4, .x = 600, .y = -16});
    s.Place({.first = 1560, .count = 4, .x = 600, .y = FieldHeight});
    s.Place(1996, 688, 192);
    s.Place(1997, 672, 208);
    s.Place(1998, 672, 256);
    s.Place(1999, 688, 272);
    s.Place({.first = 2000, .count = 4, .x = FieldWidth, .y = Coord::Per(32, 64)});
    s.Place({.first = 2004, .count = 4, .x = FieldWidth, .y = Coord::Per(256, 64)});
    s.Place({.first = 2008, .count = 8, .x = 600, .y = FieldHeight});
    s.Place({.first = 2016, .count = 8, .x = 550, .y = -32});
    s.Place(HeavyGun, FieldWidth, 224);
    s.Place({.first = 2500, .count = 4, .x = FieldWidth, .y = 200});
    s.Place({.first = 2504, .count = 4, .x = FieldWidth, .y = 400});
    s.Place({.first = 2508, .count = 12, .x = FieldWidth, .y = 0});
    s.Place({.first = 2520, .count = 12, .x = FieldWidth, .y = 448});
    s.Place({.first = 3000, .count = 8, .x = Coord::Per(384, 32), .y = -32});
    s.Place({.first = 3500, .count = 8, .x = FieldWidth, .y = Coord::Per(128, 32)});
    for (int item : {800, 801, 850, 950}) s.Place(item, FieldWidth, 224);
    s.Place(900, FieldWidth, 300);
    s.Place(901, FieldWidth, 200);
    s.Place(Boss, FieldWidth, 224);
    WriteStage3BossShipPlacement(s);
    s.InitHook(MakeStage3BossInert);
}

void WriteBlocksAndMines(ScriptBuilder& s) {
    // The blocks drift with the ground, whatever its speed, then part up and down.
    const Arg drift = Arg::TimesLayer(2, LayerStep::Layer1X);
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring({.slot = 2500 + i, .dx = drift, .from = 32 + 16 * i, .to = 288});
        s.MoveDuring({.slot = 2504 + i, .dx = drift, .from = 160 + 16 * i, .to = 352});
    }
    const int leaveDy[8] = {-2, 2, -2, 2, 2, -2, 2, -2};
    for (int i = 0; i < 8; ++i)
        s.MoveDuring({.slot = 2500 + i, .dy = leaveDy[i], .from = 296 + 16 * i, .to = 4000});

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
        for (int l = 0; l < 6; ++l)
            s.FireAimed({.bullet = 15000 + k + 4 * l,
                         .carrier = upper,
                         .speed = 6,
                         .from = 672,
                         .phase = 8 * l + 16,
                         .period = 672});
        s.Path(lower, {{-6, 0, 736, 752}, {-6, 0, 816, 4000}});
        for (int m = 0; m < 6; ++m)
            s.FireAimed({.bullet = 15024 + k + 4 * m,
                         .carrier = lower,
                         .speed = 6,
                         .from = 752,
                         .phase = 8 * m + 16,
                         .period = 752});
    }
    s.ScrollWithGround(901, 736);

    for (int k = 0; k < 32; ++k) {
        const int flier = 1500 + k;
        s.Path(flier, {{-6, 0, 848 + 8 * k, 864 + 8 * k}, {-6, 0, 992 + 8 * k, 4000}});
        s.DeathShot({.bullet = 11000 + k, .carrier = flier});
        s.DeathShot({.bullet = 11188 + k, .carrier = flier, .offset = 10});
        s.DeathShot({.bullet = 11220 + k, .carrier = flier, .offset = -10});
    }
    // The swarm's last eight shot down call two fours that loop back to the right.
    s.BonusCheck({.first = 1524, .last = 1531, .frame = 1239, .flag = 1, .points = 4000});
    s.WhileFlag(1, [&] {
        for (int k = 0; k < 4; ++k) {
            const int w = 8 * k;
            s.Path(1540 + k,
                   {{-6, 0, 1240 + w, 1340 + w}, {0, 6, 1340 + w, 1400 + w}, {6, 0, 1400 + w, 4000}});
            s.Path(1544 + k,
                   {{-6, 0, 1240 + w, 1340 + w}, {0, -6, 1340 + w, 1400 + w}, {6, 0, 1400 + w, 4000}});
            s.DeathShot({.bullet = 11116 + k, .carrier = 1540 + k});
            s.DeathShot({.bullet = 11252 + k, .carrier = 1540 + k, .deadTime = 11});
            s.DeathShot({.bullet = 11120 + k, .carrier = 1544 + k});
            s.DeathShot({.bullet = 11256 + k, .carrier = 1544 + k, .deadTime = 11});
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
            s.FireAimed({.bullet = bullets[i] + k,
                         .carrier = HeavyGun,
                         .offset = offsets[i],
                         .speed = 4,
                         .from = 1520,
                         .phase = 64 * k + 16,
                         .period = 1520});
    }
    for (int l = 0; l < 12; ++l)
        s.FireOnDeath(
            {.bullet = 15504 + l, .carrier = HeavyGun, .offset = 30 * l, .speed = 3, .deadTime = 1});
    for (int l = 0; l < 12; ++l)
        s.FireOnDeath(
            {.bullet = 15516 + l, .carrier = HeavyGun, .offset = 30 * l + 15, .speed = 4, .deadTime = 1});
    for (int m = 0; m < 4; ++m) {
        for (int b = 0; b < 5; ++b) {
            s.FireStraight({.bullet = 11032 + m + 4 * b,
                            .carrier = FirstGuard + m,
                            .dx = -6,
                            .from = 1520,
                            .phase = 64 * b + 16,
                            .period = 1520});
            s.FireStraight({.bullet = 11260 + m + 4 * b,
                            .carrier = FirstGuard + m,
                            .dx = -6,
                            .from = 1520,
                            .phase = 64 * b + 48,
                            .period = 1520});
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
        s.MoveDuring({.slot = up, .dy = -6, .from = 1824 + 32 * m, .to = 5000});
        s.MoveDuring({.slot = down, .dy = 6, .from = 1840 + 32 * m, .to = 5000});
        s.FireAimed(
            {.bullet = 15064 + m, .carrier = up, .offset = -10, .speed = 2, .from = 1824, .period = 40});
        s.FireAimed(
            {.bullet = 15072 + m, .carrier = up, .offset = 10, .speed = 2, .from = 1824, .period = 40});
        s.FireAimed({.bullet = 15080 + m,
                     .carrier = down,
                     .offset = -10,
                     .speed = 2,
                     .from = 1824,
                     .phase = 20,
                     .period = 40});
        s.FireAimed({.bullet = 15088 + m,
                     .carrier = down,
                     .offset = 10,
                     .speed = 2,
                     .from = 1824,
                     .phase = 20,
                     .period = 40});
        s.FireAimed(
            {.bullet = 15628 + m, .carrier = up, .offset = -10, .speed = 8, .from = 1824, .period = 40});
        s.FireAimed(
            {.bullet = 15636 + m, .carrier = up, .offset = 10, .speed = 8, .from = 1824, .period = 40});
        s.FireAimed({.bullet = 15644 + m,
                     .carrier = down,
                     .offset = -10,
                     .speed = 8,
                     .from = 1824,
                     .phase = 20,
                     .period = 40});
        s.FireAimed({.bullet = 15652 + m,
                     .carrier = down,
                     .offset = 10,
                     .speed = 8,
                     .from = 1824,
                     .phase = 20,
                     .period = 40});
    }
    s.ScrollWithGround(850, 2196);
}

// A flier that stops, fires three aimed shots as it leaves, and bursts into a four-way death fan of
// five shots each; `speed(c)` is the speed of the fan's c-th shot.
template <typename Speed>
void FanFlier(ScriptBuilder& s, int flier, int arrive, int leave, int aimed, const int (&fan)[4],
              Speed speed) {
    s.Path(flier, {{-6, 0, arrive, arrive + 44}, {4, -4, leave, 6000}});
    for (int c = 0; c < 3; ++c)
        s.FireAimed({.bullet = aimed + 4 * c,
                     .carrier = flier,
                     .speed = 6,
                     .from = arrive,
                     .phase = 4 * c + 4,
                     .period = leave});
    for (int c = 0; c < 5; ++c) {
        s.FireOnDeath({.bullet = fan[0] + 4 * c,
                       .carrier = flier,
                       .offset = -10 * c,
                       .speed = speed(c),
                       .deadTime = 1});
        s.FireOnDeath({.bullet = fan[1] + 4 * c,
                       .carrier = flier,
                       .offset = -10 * c - 50,
                       .speed = speed(c),
                       .deadTime = 1});
        s.FireOnDeath(
            {.bullet = fan[2] + 4 * c, .carrier = flier, .offset = 10 * c, .speed = speed(c), .deadTime = 1});
        s.FireOnDeath({.bullet = fan[3] + 4 * c,
                       .carrier = flier,
                       .offset = 10 * c + 50,
                       .speed = speed(c),
                       .deadTime = 1});
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
    s.BonusCheck({.first = 1532, .last = 1539, .frame = 3263, .flag = 3, .points = 4000});
    s.WhileFlag(3, [&] {
        for (int m = 0; m < 4; ++m) {
            s.MoveDuring({.slot = 1556 + m, .dy = 6, .from = 3264 + 64 * m, .to = 6000});
            s.MoveDuring({.slot = 1560 + m, .dy = -6, .from = 3296 + 64 * m, .to = 6000});
            for (int a = 0; a < 7; ++a) {
                const int offset = 10 * a - 30;
                s.DeathShot({.bullet = 11132 + m + 4 * a, .carrier = 1556 + m, .offset = offset, .speed = 4});
                s.DeathShot({.bullet = 11400 + m + 4 * a, .carrier = 1556 + m, .offset = offset, .speed = 8});
                s.DeathShot({.bullet = 11160 + m + 4 * a, .carrier = 1560 + m, .offset = offset, .speed = 4});
                s.DeathShot({.bullet = 11428 + m + 4 * a, .carrier = 1560 + m, .offset = offset, .speed = 8});
            }
        }
    });
}

// ---- The boss ship --------------------------------------------------------------------------------

void WriteBossFire(ScriptBuilder& s, const BossFight& fight) {
    const int from = fight.At(ActiveFrame);
    const int p = CycleLength;
    for (int a = 0; a < 16; ++a) {
        s.FireAngled({.bullet = 16000 + a,
                      .carrier = Boss,
                      .angle = 180 + 2 * a,
                      .speed = 6,
                      .from = from - 1,
                      .phase = 8 * a,
                      .period = p});
        s.FireAngled({.bullet = 16016 + a,
                      .carrier = Boss,
                      .angle = 180 - 2 * a,
                      .speed = 6,
                      .from = from - 1,
                      .phase = 8 * a,
                      .period = p});
        s.FireAngled({.bullet = 16032 + a,
                      .carrier = Boss,
                      .angle = 180 + 2 * a,
                      .speed = 6,
                      .from = from - 1,
                      .phase = 8 * a + 192,
                      .period = p});
        s.FireAngled({.bullet = 16048 + a,
                      .carrier = Boss,
                      .angle = 180 + 3 * a,
                      .speed = 8,
                      .from = from - 1,
                      .phase = 4 * a + 256,
                      .period = p});
        s.FireAngled({.bullet = 16064 + a,
                      .carrier = Boss,
                      .angle = 180 - 2 * a,
                      .speed = 6,
                      .from = from - 1,
                      .phase = 8 * a + 192,
                      .period = p});
        s.FireAngled({.bullet = 16080 + a,
                      .carrier = Boss,
                      .angle = 180 - 3 * a,
                      .speed = 8,
                      .from = from - 1,
                      .phase = 4 * a + 256,
                      .period = p});
        // The side parts sweep the screen; the front parts join in once a side part is lost.
        for (int e = 0; e < 4; ++e)
            s.FireStraight({.bullet = 15112 + a + 16 * e,
                            .carrier = 2495 + e,
                            .dx = -12,
                            .from = from,
                            .phase = 4 * a + SweepPhase,
                            .period = p});
        s.WhileAnyDestroyed(2495, 2498, [&] {
            for (int e = 0; e < 4; ++e)
                s.FireStraight({.bullet = 16480 + a + 16 * e,
                                .carrier = 2491 + e,
                                .dx = -12,
                                .from = from,
                                .phase = 4 * a + SweepPhase,
                                .period = p});
        });
        const int phase = 4 * a + CrossPhase;
        s.FireStraight(
            {.bullet = 15192 + a, .carrier = 2495, .dy = 12, .from = from, .phase = phase, .period = p});
        s.FireStraight(
            {.bullet = 15208 + a, .carrier = 2496, .dy = 12, .from = from, .phase = phase, .period = p});
        s.FireStraight(
            {.bullet = 15224 + a, .carrier = 2497, .dy = -12, .from = from, .phase = phase, .period = p});
        s.FireStraight(
            {.bullet = 15240 + a, .carrier = 2498, .dy = -12, .from = from, .phase = phase, .period = p});
        s.WhileAnyDestroyed(2495, 2498, [&] {
            s.FireStraight({.bullet = 16544 + a,
                            .carrier = 2491,
                            .dx = -8,
                            .dy = 8,
                            .from = from,
                            .phase = phase,
                            .period = p});
            s.FireStraight({.bullet = 16560 + a,
                            .carrier = 2492,
                            .dx = -8,
                            .dy = 8,
                            .from = from,
                            .phase = phase,
                            .period = p});
            s.FireStraight({.bullet = 16576 + a,
                            .carrier = 2493,
                            .dx = -8,
                            .dy = -8,
                            .from = from,
                            .phase = phase,
                            .period = p});
            s.FireStraight({.bullet = 16592 + a,
                            .carrier = 2494,
                            .dx = -8,
                            .dy = -8,
                            .from = from,
                            .phase = phase,
                            .period = p});
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
            s.FireAngled({.bullet = r.Bullet + b,
                          .carrier = Boss,
                          .angle = r.Angle + r.AnglePerShot * b,
                          .speed = 12,
                          .from = from,
                          .phase = 2 * b + r.Phase,
                          .period = p});
        }
    }
    // The front parts throw shots that stop and re-aim at the ship.
    for (int c = 0; c < 12; ++c) {
        s.FireStraightStop({.bullet = 15384 + c,
                            .carrier = 2491,
                            .dx = -4,
                            .dy = 4,
                            .from = from,
                            .moveSpan = 8 * c + 688,
                            .phase = 8 * c + 656,
                            .period = p});
        s.FireStraightStop({.bullet = 15396 + c,
                            .carrier = 2492,
                            .dx = -4,
                            .dy = 4,
                            .from = from,
                            .moveSpan = 8 * c + 688,
                            .phase = 8 * c + 656,
                            .period = p});
        s.FireStraightStop({.bullet = 15408 + c,
                            .carrier = 2493,
                            .dx = -4,
                            .dy = -4,
                            .from = from,
                            .moveSpan = 8 * c + 816,
                            .phase = 8 * c + 784,
                            .period = p});
        s.FireStraightStop({.bullet = 15420 + c,
                            .carrier = 2494,
                            .dx = -4,
                            .dy = -4,
                            .from = from,
                            .moveSpan = 8 * c + 816,
                            .phase = 8 * c + 784,
                            .period = p});
        s.FireAimedExact({.bullet = 15432 + c,
                          .carrier = 15384 + c,
                          .speed = 6,
                          .from = fight.At(0),
                          .phase = 8 * c + 688,
                          .period = p});
        s.FireAimedExact({.bullet = 15444 + c,
                          .carrier = 15396 + c,
                          .speed = 6,
                          .from = fight.At(0),
                          .phase = 8 * c + 688,
                          .period = p});
        s.FireAimedExact({.bullet = 15456 + c,
                          .carrier = 15408 + c,
                          .speed = 6,
                          .from = fight.At(0),
                          .phase = 8 * c + 816,
                          .period = p});
        s.FireAimedExact({.bullet = 15468 + c,
                          .carrier = 15420 + c,
                          .speed = 6,
                          .from = fight.At(0),
                          .phase = 8 * c + 816,
                          .period = p});
    }
    for (int d = 0; d < 16; ++d) {
        s.FireAimed({.bullet = 16700 + d,
                     .carrier = Boss,
                     .offset = 2 * d,
                     .speed = 4,
                     .from = from,
                     .phase = 656,
                     .period = p});
        s.FireAimed({.bullet = 16716 + d,
                     .carrier = Boss,
                     .offset = -2 * d,
                     .speed = 4,
                     .from = from,
                     .phase = 656,
                     .period = p});
        s.FireAimed({.bullet = 16732 + d,
                     .carrier = Boss,
                     .offset = 2 * d + 5,
                     .speed = 4,
                     .from = from,
                     .phase = 784,
                     .period = p});
        s.FireAimed({.bullet = 16748 + d,
                     .carrier = Boss,
                     .offset = -2 * d - 5,
                     .speed = 4,
                     .from = from,
                     .phase = 784,
                     .period = p});
    }
}

}  // namespace

void MakeStage3BossInert() {
    EnemyState[Boss] = StateInert;
}

void WriteStage3BossShipPlacement(ScriptBuilder& s) {
    s.Place({.first = 2491, .count = 2, .x = Coord::Per(864, 32), .y = Coord::Per(0, 32)});
    s.Place({.first = 2493, .count = 2, .x = Coord::Per(896, -32), .y = Coord::Per(416, 32)});
    s.Place({.first = 2495, .count = 2, .x = Coord::Per(FieldWidth, 32), .y = 0});
    s.Place({.first = 2497, .count = 2, .x = Coord::Per(FieldWidth, 32), .y = 448});
    s.Place({.first = FirstHull, .count = 7, .x = Coord::Per(704, 32), .y = Coord::Per(0, 32)});
    s.Place({.first = FirstHull + 7, .count = 7, .x = Coord::Per(896, -32), .y = Coord::Per(256, 32)});
}

void WriteStage3Boss(ScriptBuilder& s, const BossFight& fight) {
    const int active = fight.At(ActiveFrame);
    // The boss flies past, the ship's parts close in, and the boss returns to the ship's bow.
    s.MoveDuring({.slot = Boss, .dx = -2, .from = fight.At(3316), .to = fight.At(3652)});
    for (int slot = FirstPart; slot <= LastPart; ++slot)
        s.MoveDuring({.slot = slot, .dx = -2, .from = fight.At(3652), .to = fight.At(3796)});
    for (int slot = FirstHull; slot <= LastHull; ++slot)
        s.MoveDuring({.slot = slot, .dx = -2, .from = fight.At(3652), .to = fight.At(3796)});
    s.AtFrame(fight.At(3796), [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer2X, 4);
    });
    s.FromFrame(active, [&] { s.HudBossDigits(); });
    s.MoveDuring({.slot = Boss, .dx = 8, .from = fight.At(3795), .to = active});
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
