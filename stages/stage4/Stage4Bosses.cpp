// Stage 4's two bosses: a walled boss with twelve guns, whose fall brings in a second boss that
// gathers eight satellites around it; and the boss-only scene that holds them both.
#include "stages/stage4/Stage4Bosses.h"

#include <climits>

#include "stages/Scenes.h"

namespace veltrano {

namespace {

constexpr int FirstGun = 2400, LastGun = 2411;
constexpr int FirstSatellite = 2413, LastSatellite = 2420;
constexpr int FirstFramePart = 2900, LastFramePart = 2952;

// Moves `slot` by (dx, dy) on every step on which the guard around it holds.
void Nudge(ScriptBuilder& s, int slot, int dx, int dy) {
    s.MoveDuring({.slot = slot, .dx = dx, .dy = dy, .from = INT_MIN, .to = INT_MAX});
}

// The twelve guns' volleys. Every gun fires aimed shots in a cycle of 1000 steps, some from its
// neighbours' slots, and straight shots that stop and turn into fast aimed shots.
void WriteGunFire(ScriptBuilder& s, const BossFight& fight, int d) {
    const int gun = FirstGun + d;
    const int from = fight.At(4128);
    const int speed = d + 4;
    s.FireAimed({.bullet = 15224 + d,
                 .carrier = gun,
                 .speed = speed,
                 .from = from,
                 .phase = 4 * d + 160,
                 .period = 1000});
    s.FireAimed({.bullet = 15236 + d,
                 .carrier = gun,
                 .offset = 10,
                 .speed = speed,
                 .from = from,
                 .phase = 4 * d + 224,
                 .period = 1000});
    s.FireAimed({.bullet = 15248 + d,
                 .carrier = gun,
                 .offset = -10,
                 .speed = speed,
                 .from = from,
                 .phase = 4 * d + 224,
                 .period = 1000});
    s.FireAimed({.bullet = 15260 + d,
                 .carrier = gun,
                 .speed = speed,
                 .from = from,
                 .phase = 4 * d + 288,
                 .period = 1000});
    s.FireAimed({.bullet = 15272 + d,
                 .carrier = gun,
                 .offset = 5,
                 .speed = speed,
                 .from = from,
                 .phase = 4 * d + 352,
                 .period = 1000});
    s.FireAimed({.bullet = 15284 + d,
                 .carrier = gun,
                 .offset = -5,
                 .speed = speed,
                 .from = from,
                 .phase = 4 * d + 352,
                 .period = 1000});
    for (int h = 0; h < 6; ++h) {
        s.FireAimed({.bullet = 15296 + d + 24 * h,
                     .carrier = FirstGun + h,
                     .speed = speed,
                     .from = from,
                     .phase = 2 * d + 32 * h + 432,
                     .period = 1000});
        s.FireAimed({.bullet = 15308 + d + 24 * h,
                     .carrier = LastGun - h,
                     .speed = speed,
                     .from = from,
                     .phase = 2 * d + 32 * h + 448,
                     .period = 1000});
    }
    for (int h = 0; h < 4; ++h) {
        for (int o = 0; o < 4; ++o) {
            const int stopping = 15440 + d + 12 * h + 96 * o;
            s.FireStraightStop({.bullet = stopping,
                                .carrier = gun,
                                .dx = -4 - 2 * o,
                                .from = from,
                                .moveSpan = 4 * h + 64 * o + 688,
                                .phase = 64 * o + 656,
                                .period = 1000});
            s.FireAimedExact({.bullet = 15488 + d + 12 * h + 96 * o,
                              .carrier = stopping,
                              .speed = 10,
                              .from = from,
                              .phase = 4 * h + 64 * o + 720,
                              .period = 1000});
        }
    }
}

// The first boss's own volleys: six aimed shots that stop in front of it and then fall straight
// down or rise straight up from where they stopped.
void WriteFirstBossFire(ScriptBuilder& s, const BossFight& fight, int d) {
    const int from = fight.At(4128);
    const int speed = d + 2;
    struct Stopping {
        int Bullet, Offset, MoveSpan, Phase, Mark, MarkAngle, MarkPhase;
    };
    const Stopping shots[6] = {
        {16136, 0, 944, 896, 16148, 90, 960},   {16160, 20, 976, 928, 16172, 90, 992},
        {16184, -20, 976, 928, 16196, 90, 992}, {16208, 0, 944, 896, 16220, -90, 960},
        {16232, 20, 976, 928, 16244, -90, 992}, {16256, -20, 976, 928, 16268, -90, 992},
    };
    for (const Stopping& shot : shots) {
        s.FireAimedStop({.bullet = shot.Bullet + d,
                         .carrier = Stage4FirstBoss,
                         .offset = shot.Offset,
                         .speed = speed,
                         .from = from,
                         .moveSpan = shot.MoveSpan,
                         .phase = shot.Phase,
                         .period = 1000});
    }
    for (const Stopping& shot : shots) {
        s.FireAtPlayerMark({.bullet = shot.Mark + d,
                            .carrier = shot.Bullet + d,
                            .angle = shot.MarkAngle,
                            .speed = 4,
                            .from = from,
                            .phase = shot.MarkPhase,
                            .period = 1000});
    }
}

void WriteFirstBoss(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(4128);
    s.MoveDuring({.slot = Stage4FirstBoss, .dx = -8, .from = entry, .to = fight.At(4133)});
    for (int d = 0; d < 12; ++d) {
        s.MoveDuring({.slot = FirstGun + d, .dx = -8, .from = entry, .to = fight.At(4133)});
        WriteGunFire(s, fight, d);
        WriteFirstBossFire(s, fight, d);
    }

    // The frame closes in around the screen: top and bottom rows slide in, then the left column.
    for (int slot = 2913; slot <= 2932; ++slot)
        s.MoveDuring({.slot = slot, .dy = 8, .from = fight.At(4132), .to = fight.At(4137)});
    for (int slot = 2933; slot <= LastFramePart; ++slot)
        s.MoveDuring({.slot = slot, .dy = -8, .from = fight.At(4132), .to = fight.At(4137)});
    for (int slot = FirstFramePart; slot <= 2912; ++slot)
        s.MoveDuring({.slot = slot, .dx = 8, .from = fight.At(4136), .to = fight.At(4141)});

    // With every gun down the boss fires fans of its own.
    s.WhileAllDestroyed(FirstGun, LastGun, [&] {
        for (int e = 0; e < 8; ++e) {
            s.FireAimed({.bullet = 16280 + e,
                         .carrier = Stage4FirstBoss,
                         .speed = 8,
                         .from = entry,
                         .phase = 32 * e,
                         .period = 256});
            for (int f = 0; f < 3; ++f) {
                s.FireAimed({.bullet = 16288 + e + 8 * f,
                             .carrier = Stage4FirstBoss,
                             .offset = 5 - 5 * f,
                             .speed = 8,
                             .from = entry,
                             .phase = 32 * e + 8 * f + 8,
                             .period = 256});
            }
        }
    });

    // A boss still standing at the time-out is switched off without its bonus; its guns and frame
    // go with it.
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Stage4FirstBoss, Stage4FirstBoss, StateDestroyed); });
    s.WhileAllDestroyed(Stage4FirstBoss, Stage4FirstBoss, [&] {
        s.SetState(FirstGun, LastGun, StateDestroyed);
        s.SetState(FirstFramePart, LastFramePart, StateDestroyed);
    });
}

// The second boss's entry and fire go by the time since the first one fell.
void WriteSecondBoss(ScriptBuilder& s, const BossFight& fight) {
    s.AtDeadTime(Stage4FirstBoss, 1, [&] { s.SetState(15000, 19999, StateDestroyed); });
    s.DeadTimeIn(Stage4FirstBoss, 21, 104, [&] { Nudge(s, Stage4SecondBoss, -4, 0); });
    s.DeadTimeIn(Stage4FirstBoss, 105, 108, [&] {
        // The satellites close in from the edges and corners onto a frame around the screen.
        const int moves[8][2] = {{8, 8}, {0, 8}, {-8, 8}, {8, 0}, {-8, 0}, {8, -8}, {0, -8}, {-8, -8}};
        for (int i = 0; i < 8; ++i) Nudge(s, FirstSatellite + i, moves[i][0], moves[i][1]);
    });

    s.DeadTimeIn(Stage4FirstBoss, 128, INT_MAX, [&] {
        const int from = fight.At(4000);
        // A slow ring of 24 every 32 steps.
        for (int f = 0; f < 8; ++f) {
            for (int g = 0; g < 24; ++g) {
                s.FireAimed({.bullet = 15848 + f + 8 * g,
                             .carrier = Stage4SecondBoss,
                             .offset = 15 * g,
                             .speed = 2,
                             .from = from,
                             .phase = 32 * f,
                             .period = 256});
            }
        }
        // Each satellite fires inward, towards the screen's middle.
        const int angles[8] = {45, 90, 135, 0, 180, 315, 270, 225};
        for (int g = 0; g < 12; ++g) {
            for (int i = 0; i < 8; ++i) {
                s.FireAngled({.bullet = 16040 + 12 * i + g,
                              .carrier = FirstSatellite + i,
                              .angle = angles[i],
                              .speed = 4,
                              .from = from,
                              .phase = 16 * g,
                              .period = 192});
            }
        }
    });

    s.AtFrame(fight.SecondTimeOut, [&] { s.SetState(Stage4SecondBoss, Stage4SecondBoss, StateDestroyed); });
    s.WhileAllDestroyed(Stage4SecondBoss, Stage4SecondBoss, [&] {
        s.ClearEnemyBullets();
        s.SetState(FirstSatellite, LastSatellite, StateDestroyed);
    });
}

}  // namespace

void WriteBossOnlyOpening(ScriptBuilder& s, int boss) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -1, .layer2X = -2});
    s.Boss(boss);
    s.StartAt(-320);
}

void PlaceStage4Bosses(ScriptBuilder& s) {
    s.Place(Stage4FirstBoss, FieldWidth, 224);
    s.Place(Stage4SecondBoss, FieldWidth, 224);
    s.Place({.first = FirstGun, .count = 6, .x = FieldWidth, .y = Coord::Per(32, 32)});
    s.Place({.first = FirstGun + 6, .count = 6, .x = FieldWidth, .y = Coord::Per(256, 32)});
    // Satellites wait just outside the edges: three above, two beside, three below.
    s.Place({.first = FirstSatellite, .count = 3, .x = Coord::Per(-32, 336), .y = -32});
    s.Place({.first = FirstSatellite + 3, .count = 2, .x = Coord::Per(-32, 672), .y = 224});
    s.Place({.first = FirstSatellite + 5, .count = 3, .x = Coord::Per(-32, 336), .y = FieldHeight});
    s.Place({.first = FirstFramePart, .count = 13, .x = -32, .y = Coord::Per(32, 32)});
    s.Place({.first = 2913, .count = 20, .x = Coord::Per(0, 32), .y = -32});
    s.Place({.first = 2933, .count = 20, .x = Coord::Per(0, 32), .y = FieldHeight});
}

void WriteStage4Bosses(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(4128);
    // The scenery stops for the fight.
    s.AtFrame(entry, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer2X, 0);
    });
    // The hit points shown are the second boss's once the first has fallen.
    s.WhileAllDestroyed(Stage4FirstBoss, Stage4FirstBoss, [&] { s.SetBossSlot(Stage4SecondBoss); });
    s.FromFrame(entry, [&] { s.HudBossDigits(); });
    WriteFirstBoss(s, fight);
    WriteSecondBoss(s, fight);
}

// Both bosses of stage 4 on their own. The fight runs 4000 steps earlier than in the stage, four
// whole cycles of the first boss's fire, so the first boss comes in at 128; each boss gets 200 hit
// points.
void WriteBossRush4(ScriptBuilder& s) {
    WriteBossOnlyOpening(s, Stage4FirstBoss);
    s.HitPoints(Stage4FirstBoss, Stage4FirstBoss, 200);
    s.HitPoints(Stage4SecondBoss, Stage4SecondBoss, 200);
    s.HitPoints(FirstGun, 2498, 50);
    PlaceStage4Bosses(s);
    s.HudRows();
    WriteStage4Bosses(s, RowOf(BossRush4Scene).Fight);
}

}  // namespace veltrano
