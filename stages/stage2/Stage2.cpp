// Stage 2: fliers and ground guns over a slow double scroll, mines that burst into rings of slow
// shots, fan guns that fire once, and a boss that patrols the bottom, then hides behind its shield.
#include "stages/SceneTable.h"

namespace veltrano {

namespace {

constexpr int Boss = RowOf(Stage2Scene).Fight.Slot;
constexpr int Shield = 8;
constexpr int BossMoveFrame = 3968;
constexpr int BossFireFrame = 4000;

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -1, .layer2X = -1});
    s.Boss(Boss);
    s.Flags(6);

    s.HitPoints(Boss, Boss, 300);
    s.HitPoints(Shield, Shield, 30000);
    s.DefaultHitPoints(FirstItemSlot, LastItemSlot);
    s.HitPoints(1000, 1999, 1);
    s.HitPoints(2000, 2499, 5);
    s.DefaultHitPoints(3000, 3499);
    s.DefaultHitPoints(3500, 3999);

    s.Place(Boss, FieldWidth, 448);
    s.Place(Shield, 448, -96);
    s.Place(800, FieldWidth, 368);
    s.Place({.first = 801, .count = 2, .x = FieldWidth, .y = 120});
    s.Place(850, FieldWidth, 32);
    s.Place(900, FieldWidth, 400);
    s.Place(901, FieldWidth, 300);
    s.Place({.first = 1000, .count = 6, .x = FieldWidth, .y = 100});
    s.Place({.first = 1006, .count = 6, .x = 400, .y = FieldHeight});
    s.Place({.first = 1012, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 1016, .count = 4, .x = 0, .y = -16});
    s.Place({.first = 1020, .count = 8, .x = FieldWidth, .y = 0});
    s.Place({.first = 1028, .count = 8, .x = FieldWidth, .y = 464});
    s.Place({.first = 1500, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 1504, .count = 4, .x = FieldWidth, .y = 464});
    s.Place({.first = 1508, .count = 4, .x = FieldWidth, .y = Coord::Per(320, 32)});
    s.Place({.first = 1512, .count = 4, .x = FieldWidth * 3 / 4, .y = FieldHeight});
    s.Place({.first = 2000, .count = 4, .x = FieldWidth, .y = 32});
    s.Place({.first = 2004, .count = 4, .x = FieldWidth, .y = Coord::Per(32, 64)});
    s.Place({.first = 2008, .count = 4, .x = FieldWidth, .y = Coord::Per(64, 64)});
    s.Place({.first = 2012, .count = 4, .x = FieldWidth, .y = Coord::Per(128, 64)});
    s.Place({.first = 2500, .count = 4, .x = FieldWidth, .y = 128});
    s.Place({.first = 2504, .count = 4, .x = FieldWidth, .y = 208});
    s.Place({.first = 2508, .count = 4, .x = FieldWidth, .y = 288});
    s.Place({.first = 2512, .count = 4, .x = FieldWidth, .y = 368});
    s.Place({.first = 3500, .count = 4, .x = FieldWidth, .y = Coord::Per(192, 64)});
    s.Place({.first = 3504, .count = 8, .x = FieldWidth, .y = Coord::Rand(448)});
    s.Place({.first = 3512, .count = 8, .x = Coord::Rand(508, 100), .y = FieldHeight});
    s.Place({.first = 3520, .count = 4, .x = FieldWidth, .y = Coord::Per(0, 128)});
}

// Two parting shots, ten steps apart.
void DeathPair(ScriptBuilder& s, int first, int second, int carrier) {
    s.DeathShot({.bullet = first, .carrier = carrier});
    s.DeathShot({.bullet = second, .carrier = carrier, .deadTime = 11});
}

void WriteOpening(ScriptBuilder& s) {
    s.ScrollWithGround(900, 32);
    s.ScrollWithGround(800, 48);
    for (int i = 0; i < 6; ++i) {
        const int w = 4 * i;
        s.Flier(1000 + i, {-6, 0, 64 + w, 96 + w}, {2, 5, 96 + w, 128 + w}, {-6, 0, 128 + w, 2000},
                11000 + i);
        s.Flier(1006 + i, {0, -6, 128 + w, 160 + w}, {2, -5, 160 + w, 192 + w}, {-6, 0, 192 + w, 2000},
                11006 + i);
    }
    for (int j = 0; j < 4; ++j) {
        const int gun = 2000 + j, from = 208 + 64 * j;
        s.ScrollWithGround(gun, from);
        s.FireAimed(
            {.bullet = 15000 + j, .carrier = gun, .speed = 6, .from = from, .phase = 4 * j, .period = 80});
        s.FireAimed({.bullet = 15004 + j,
                     .carrier = gun,
                     .speed = 6,
                     .from = from,
                     .phase = 4 * j + 40,
                     .period = 80});
        DeathPair(s, 15008 + j, 15012 + j, gun);
    }
    // The gun row shot down calls four fliers that each fire four aimed shots on their way up.
    s.BonusCheck({.first = 2000, .last = 2003, .frame = 495, .flag = 5, .points = 10000});
    s.WhileFlag(5, [&] {
        for (int j = 0; j < 4; ++j) {
            const int flier = 1512 + j;
            s.MoveDuring({.slot = flier, .dx = 2, .dy = -5, .from = 496 + 8 * j, .to = 1000});
            for (int k = 0; k < 4; ++k)
                s.FireAimed({.bullet = 11012 + j + 4 * k,
                             .carrier = flier,
                             .speed = 6,
                             .from = 496,
                             .phase = 8 * k + 8,
                             .period = 496 + 8 * j});
            DeathPair(s, 11028 + j, 11032 + j, flier);
        }
    });
}

void WriteMinesAndFliers(ScriptBuilder& s) {
    for (int j = 0; j < 4; ++j) {
        s.ScrollWithGround(3500 + j, 528 + 128 * j);
        s.Mine(3500 + j, 10000 + j, 4);
    }
    s.BonusCheck({.first = 3500, .last = 3503, .frame = 1039, .flag = 1, .points = 10000});
    s.WhileFlag(1, [&] {
        for (int k = 0; k < 8; ++k) {
            const int w = 4 * k;
            s.Flier(1020 + k, {-6, 0, 1040 + w, 1090 + w}, {2, 5, 1090 + w, 1115 + w},
                    {-5, 2, 1115 + w, 4000}, 11036 + k);
            s.Flier(1028 + k, {-6, 0, 1040 + w, 1090 + w}, {2, -5, 1090 + w, 1115 + w},
                    {-5, -2, 1115 + w, 4000}, 11044 + k);
        }
    });
    s.AtFrame(1200, [&] { s.SetLayerStep(LayerStep::Layer3X, -4); });
    s.ScrollWithGround(801, 1232);
    for (int k = 0; k < 4; ++k) {
        const int w = 4 * k;
        s.Flier(1012 + k, {-6, 0, 1232 + w, 1264 + w}, {2, -5, 1264 + w, 1296 + w}, {-4, -4, 1296 + w, 4000},
                11052 + k);
        s.Flier(1016 + k, {0, 6, 1328 + w, 1392 + w}, {6, 0, 1392 + w, 1456 + w}, {-4, -4, 1456 + w, 4000},
                11056 + k);
    }
    s.BonusCheck({.first = 1016, .last = 1019, .frame = 1456, .flag = 4, .points = 2000});
    s.WhileFlag(4, [&] {
        for (int k = 0; k < 4; ++k) {
            const int flier = 1508 + k, w = 8 * k;
            s.Path(flier, {{-6, 0, 1456 + w, 1504 + w}, {-2, -5, 1536 + w, 2000}});
            for (int l = 0; l < 4; ++l)
                s.FireAimed({.bullet = 11060 + k + 4 * l,
                             .carrier = flier,
                             .speed = 6,
                             .from = 1455,
                             .phase = 8 * l + 8,
                             .period = 1456 + w});
            DeathPair(s, 11076 + k, 11080 + k, flier);
        }
    });
}

// A fan gun: slides in, stops to fire its fan once (period = start frame), and slides on.
void FanGun(ScriptBuilder& s, int gun, int bullet, int from) {
    const int phase[5] = {8, 8, 40, 40, 40};
    const int dy[5] = {2, -2, 0, 4, -4};
    const int dx[5] = {-5, -5, -6, -4, -4};
    for (int i = 0; i < 5; ++i)
        s.FireStraight({.bullet = bullet + 4 * i,
                        .carrier = gun,
                        .dx = dx[i],
                        .dy = dy[i],
                        .from = from,
                        .phase = phase[i],
                        .period = from});
}

void WriteBlocksAndFanGuns(ScriptBuilder& s) {
    for (int k = 0; k < 4; ++k) {
        s.ScrollWithGround(2500 + k, 1488 + 16 * k);
        s.ScrollWithGround(2508 + k, 1488 + 16 * k);
        s.ScrollWithGround(2504 + k, 1616 + 16 * k);
        s.ScrollWithGround(2512 + k, 1616 + 16 * k);
    }
    s.ScrollWithGround(850, 1616);
    for (int k = 0; k < 4; ++k) {
        const int a = 2004 + k, b = 2008 + k;
        s.Path(a, {{-6, 0, 1856, 1872}, {-6, 0, 1936, 4000}});
        s.Path(b, {{-6, 0, 1952, 1968}, {-6, 0, 2032, 4000}});
        FanGun(s, a, 15016 + k, 1872);
        FanGun(s, b, 15036 + k, 1968);
        DeathPair(s, 15056 + k, 15060 + k, a);
        DeathPair(s, 15064 + k, 15068 + k, b);
    }
}

void WriteMineFields(ScriptBuilder& s) {
    s.ScrollWithGround(901, 2032);
    for (int k = 0; k < 8; ++k) {
        s.ScrollWithGround(3504 + k, 2096 + 64 * k);
        s.Mine(3504 + k, 10096 + k, 8);
    }
    for (int l = 0; l < 8; ++l) {
        s.MoveDuring({.slot = 3512 + l, .dy = -2, .from = 2688 + 64 * l, .to = 6000});
        s.Mine(3512 + l, 10288 + l, 8);
    }
    // Half the rising mines shot down call two rows of gunships: the upper fires down, the lower up.
    s.BonusCheck({.first = 3516, .last = 3519, .frame = 3263, .flag = 2, .points = 10000});
    s.WhileFlag(2, [&] {
        for (int l = 0; l < 4; ++l) {
            const int upper = 1500 + l, lower = 1504 + l;
            s.MoveDuring({.slot = upper, .dx = -4, .from = 3264 + 8 * l, .to = 6000});
            s.MoveDuring({.slot = lower, .dx = -4, .from = 3264 + 8 * l, .to = 6000});
            for (int m = 0; m < 8; ++m) {
                s.FireAngled({.bullet = 11084 + l + 4 * m,
                              .carrier = upper,
                              .angle = 90,
                              .speed = 6,
                              .from = 3263,
                              .phase = 16 * m,
                              .period = 128});
                s.FireAngled({.bullet = 11116 + l + 4 * m,
                              .carrier = lower,
                              .angle = 270,
                              .speed = 6,
                              .from = 3263,
                              .phase = 16 * m,
                              .period = 128});
            }
            DeathPair(s, 11148 + l, 11152 + l, upper);
            DeathPair(s, 11156 + l, 11160 + l, lower);
        }
    });
    for (int l = 0; l < 4; ++l) {
        const int gun = 2012 + l;
        s.MoveDuring({.slot = gun, .dx = -6, .from = 3408, .to = 3424});
        for (int m = 0; m < 4; ++m)
            s.DeathShot({.bullet = 15072 + l + 4 * m, .carrier = gun, .deadTime = 10 * m + 1});
    }
    s.ScrollWithGround(802, 3408);
    for (int l = 0; l < 4; ++l) {
        s.ChaseRow(3520 + l, 3536 + 32 * l, 2);
        s.Mine(3520 + l, 10480 + l, 8);
    }
    s.AtFrame(3600, [&] { s.SetLayerStep(LayerStep::Layer3X, 0); });
}

// ---- The boss -------------------------------------------------------------------------------------

void FreeBullets(int first, int last) {
    for (int slot = first; slot <= last; ++slot) {
        EnemyState[slot] = StateDestroyed;
        BulletStep[slot] = 0;
    }
}

// Phase 0: patrol along the bottom edge until the hit points fall to the threshold.
void Patrol() {
    if (Boss2Dir == 1) {
        EnemyX[Boss] += 8;
        if (EnemyX[Boss] > 607) Boss2Dir = 0;
    } else if (Boss2Dir == 0) {
        EnemyX[Boss] -= 8;
        if (EnemyX[Boss] < 1) Boss2Dir = 1;
    }
    // A single step from above 211 to 200 or below jumps the band; the boss then waits for the clock.
    if (EnemyHP[Boss] >= 201 && EnemyHP[Boss] <= 211) {
        EnemyHP[Boss] = 200;
        FreeBullets(15000, 15999);
        Boss2Phase = 1;
    }
}

// Phase 1: fly up off the screen, then come back inside the shield.
void Climb() {
    EnemyY[Boss] -= 12;
    if (EnemyY[Boss] < -95) {
        Boss2Phase = 2;
        Boss2Dir = 2;
        EnemyX[Boss] = EnemyX[Shield] + 32;
        EnemyY[Boss] = EnemyY[Shield] + 32;
    }
}

// Phase 2: the shield rides with the boss until it dies, then drops away; the boss sways and
// sweeps up and down the screen.
void Shielded() {
    if (EnemyState[Boss] != StateDestroyed) {
        EnemyX[Shield] = EnemyX[Boss] - 32;
        EnemyY[Shield] = EnemyY[Boss] - 32;
    } else {
        EnemyY[Shield] += 4;
    }
    EnemyX[Boss] += StageFrame % 64 > 31 ? 2 : -2;
    if (Boss2Dir == 2) {
        EnemyY[Boss] += 2;
        if (EnemyY[Boss] > 383) Boss2Dir = 3;
    } else if (Boss2Dir == 3) {
        EnemyY[Boss] -= 2;
        if (EnemyY[Boss] <= 32) Boss2Dir = 2;
    }
}

void MoveBoss() {
    switch (Boss2Phase) {
        case 0:
            Patrol();
            break;
        case 1:
            Climb();
            break;
        case 2:
            Shielded();
            break;
        default:
            break;
    }
}

void LeavePatrol() {
    Boss2Phase = 1;
}

// Phase 0: each aimed shot flies, stops, and 16 steps after stopping turns into a new aimed shot.
void WritePatrolFire(ScriptBuilder& s, int from) {
    for (int l = 0; l < 4; ++l) {
        const int a = 4 * l;
        s.FireAimedStop({.bullet = 15088 + l,
                         .carrier = Boss,
                         .speed = 6,
                         .from = from,
                         .moveSpan = a + 32,
                         .phase = a,
                         .period = 128});
        s.FireAimedExact({.bullet = 15092 + l,
                          .carrier = 15088 + l,
                          .speed = 6,
                          .from = from,
                          .phase = a + 48,
                          .period = 128});
        s.FireAimedStop({.bullet = 15096 + l,
                         .carrier = Boss,
                         .speed = 6,
                         .from = from,
                         .moveSpan = a + 96,
                         .phase = a + 48,
                         .period = 128});
        s.FireAimedExact({.bullet = 15100 + l,
                          .carrier = 15096 + l,
                          .speed = 6,
                          .from = from,
                          .phase = a + 112,
                          .period = 128});
    }
}

// Phase 2: fans that stop and re-aim, then a slow spread of five pairs.
void WriteShieldedFire(ScriptBuilder& s, int from) {
    for (int i = 0; i < 3; ++i)
        s.FireAimedStop({.bullet = 15104 + i,
                         .carrier = Boss,
                         .offset = 20 - 20 * i,
                         .speed = 6,
                         .from = from,
                         .moveSpan = 32,
                         .period = 256});
    for (int i = 0; i < 3; ++i)
        s.FireAimedExact({.bullet = 15107 + i,
                          .carrier = 15104 + i,
                          .speed = 6,
                          .from = from,
                          .phase = 48,
                          .period = 256});
    for (int m = 0; m < 4; ++m)
        s.FireAimed({.bullet = 15110 + m,
                     .carrier = Boss,
                     .offset = 30 - 20 * m,
                     .speed = 6,
                     .from = from,
                     .period = 256});
    for (int i = 0; i < 3; ++i)
        s.FireAimedStop({.bullet = 15114 + i,
                         .carrier = Boss,
                         .offset = 20 - 20 * i,
                         .speed = 6,
                         .from = from,
                         .moveSpan = 80,
                         .phase = 48,
                         .period = 256});
    for (int i = 0; i < 3; ++i)
        s.FireAimedExact({.bullet = 15117 + i,
                          .carrier = 15114 + i,
                          .speed = 6,
                          .from = from,
                          .phase = 96,
                          .period = 256});
    for (int b = 0; b < 4; ++b)
        s.FireAimed({.bullet = 15120 + b,
                     .carrier = Boss,
                     .offset = 30 - 20 * b,
                     .speed = 6,
                     .from = from,
                     .phase = 48,
                     .period = 256});
    for (int c = 0; c < 4; ++c)
        s.FireAimed({.bullet = 15124 + c,
                     .carrier = Boss,
                     .speed = 4,
                     .from = from,
                     .phase = 128 + 32 * c,
                     .period = 256});
    const int offsets[4] = {5, 10, 30, 35};
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 4; ++c) {
            s.FireAimed({.bullet = 15128 + 8 * i + c,
                         .carrier = Boss,
                         .offset = offsets[i],
                         .speed = 4,
                         .from = from,
                         .phase = 128 + 32 * c,
                         .period = 256});
            s.FireAimed({.bullet = 15132 + 8 * i + c,
                         .carrier = Boss,
                         .offset = -offsets[i],
                         .speed = 4,
                         .from = from,
                         .phase = 128 + 32 * c,
                         .period = 256});
        }
    }
}

}  // namespace

void ResetStage2Boss() {
    Boss2Phase = 0;
    Boss2Dir = 0;
}

void WriteStage2Boss(ScriptBuilder& s, const BossFight& fight) {
    const int moveFrom = fight.At(BossMoveFrame);
    const int fireFrom = fight.At(BossFireFrame);
    // The scenery stops for the boss.
    s.AtFrame(moveFrom, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer2X, 0);
    });
    s.FromFrame(moveFrom, [&] {
        s.HudBossDigits();
        s.Call(MoveBoss);
    });
    const Arg phase = Arg::Of(ScriptVariable::Boss2Phase);
    s.WhileAbove(1, phase, [&] { WritePatrolFire(s, fireFrom); });
    s.WhileAbove(phase, 1, [&] { WriteShieldedFire(s, fireFrom); });
    // The boss leaves its patrol at the second time-out at the latest.
    s.AtFrame(fight.SecondTimeOut, [&] {
        s.Call(LeavePatrol);
        s.SetState(15000, 19999, StateDestroyed, true);
    });
    // A boss still flying at the time-out is switched off, without the boss bonus.
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.AtDeadTime(Boss, 1, [&] {
        s.SetState(Shield, Shield, StateDestroyed);
        s.ClearEnemyBullets();
    });
}

void WriteStage2(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    WriteOpening(s);
    WriteMinesAndFliers(s);
    WriteBlocksAndFanGuns(s);
    WriteMineFields(s);
    WriteStage2Boss(s, RowOf(Stage2Scene).Fight);
}

}  // namespace veltrano
