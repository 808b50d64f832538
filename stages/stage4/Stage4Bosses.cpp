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
    s.MoveDuring(slot, dx, dy, INT_MIN, INT_MAX);
}

// The twelve guns' volleys. Every gun fires aimed shots in a cycle of 1000 steps, some from its
// neighbours' slots, and straight shots that stop and turn into fast aimed shots.
void WriteGunFire(ScriptBuilder& s, const BossFight& fight, int d) {
    const int gun = FirstGun + d;
    const int from = fight.At(4128);
    const int speed = d + 4;
    s.FireAimed(15224 + d, gun, 0, 4 * d + 160, 1000, from, speed);
    s.FireAimed(15236 + d, gun, 10, 4 * d + 224, 1000, from, speed);
    s.FireAimed(15248 + d, gun, -10, 4 * d + 224, 1000, from, speed);
    s.FireAimed(15260 + d, gun, 0, 4 * d + 288, 1000, from, speed);
    s.FireAimed(15272 + d, gun, 5, 4 * d + 352, 1000, from, speed);
    s.FireAimed(15284 + d, gun, -5, 4 * d + 352, 1000, from, speed);
    for (int h = 0; h < 6; ++h) {
        s.FireAimed(15296 + d + 24 * h, FirstGun + h, 0, 2 * d + 32 * h + 432, 1000, from, speed);
        s.FireAimed(15308 + d + 24 * h, LastGun - h, 0, 2 * d + 32 * h + 448, 1000, from, speed);
    }
    for (int h = 0; h < 4; ++h) {
        for (int o = 0; o < 4; ++o) {
            const int stopping = 15440 + d + 12 * h + 96 * o;
            s.FireStraightStop(stopping, gun, from, 4 * h + 64 * o + 688, 64 * o + 656, 1000, 0, -4 - 2 * o);
            s.FireAimedExact(15488 + d + 12 * h + 96 * o, stopping, 0, 4 * h + 64 * o + 720, 1000, from, 10);
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
        s.FireAimedStop(shot.Bullet + d, Stage4FirstBoss, shot.Offset, shot.MoveSpan, shot.Phase, 1000, from,
                        speed);
    }
    for (const Stopping& shot : shots) {
        s.FireAtPlayerMark(shot.Mark + d, shot.Bullet + d, shot.MarkAngle, shot.MarkPhase, 1000, from, 4);
    }
}

void WriteFirstBoss(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(4128);
    s.MoveDuring(Stage4FirstBoss, -8, 0, entry, fight.At(4133));
    for (int d = 0; d < 12; ++d) {
        s.MoveDuring(FirstGun + d, -8, 0, entry, fight.At(4133));
        WriteGunFire(s, fight, d);
        WriteFirstBossFire(s, fight, d);
    }

    // The frame closes in around the screen: top and bottom rows slide in, then the left column.
    for (int slot = 2913; slot <= 2932; ++slot) s.MoveDuring(slot, 0, 8, fight.At(4132), fight.At(4137));
    for (int slot = 2933; slot <= LastFramePart; ++slot)
        s.MoveDuring(slot, 0, -8, fight.At(4132), fight.At(4137));
    for (int slot = FirstFramePart; slot <= 2912; ++slot)
        s.MoveDuring(slot, 8, 0, fight.At(4136), fight.At(4141));

    // With every gun down the boss fires fans of its own.
    s.WhileAllDestroyed(FirstGun, LastGun, [&] {
        for (int e = 0; e < 8; ++e) {
            s.FireAimed(16280 + e, Stage4FirstBoss, 0, 32 * e, 256, entry, 8);
            for (int f = 0; f < 3; ++f) {
                s.FireAimed(16288 + e + 8 * f, Stage4FirstBoss, 5 - 5 * f, 32 * e + 8 * f + 8, 256, entry, 8);
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
                s.FireAimed(15848 + f + 8 * g, Stage4SecondBoss, 15 * g, 32 * f, 256, from, 2);
            }
        }
        // Each satellite fires inward, towards the screen's middle.
        const int angles[8] = {45, 90, 135, 0, 180, 315, 270, 225};
        for (int g = 0; g < 12; ++g) {
            for (int i = 0; i < 8; ++i) {
                s.FireAngled(16040 + 12 * i + g, FirstSatellite + i, angles[i], 16 * g, 192, from, 4);
            }
        }
    });

    s.AtFrame(fight.SecondTimeOut, [&] { s.SetState(Stage4SecondBoss, Stage4SecondBoss, StateDestroyed); });
    s.WhileAllDestroyed(Stage4SecondBoss, Stage4SecondBoss, [&] {
        s.SetState(11000, 19999, StateDestroyed);
        s.SetState(FirstSatellite, LastSatellite, StateDestroyed);
    });
}

}  // namespace

void WriteBossOnlyOpening(ScriptBuilder& s, int boss) {
    s.Reset(ResetKind::Stage);
    s.Layers(-1, -2, 0);
    s.Boss(boss);
    s.StartAt(-320);
}

void PlaceStage4Bosses(ScriptBuilder& s) {
    s.Place(Stage4FirstBoss, 640, 224);
    s.Place(Stage4SecondBoss, 640, 224);
    s.Place(FirstGun, 6, 640, Coord::Per(32, 32));
    s.Place(FirstGun + 6, 6, 640, Coord::Per(256, 32));
    // Satellites wait just outside the edges: three above, two beside, three below.
    s.Place(FirstSatellite, 3, Coord::Per(-32, 336), -32);
    s.Place(FirstSatellite + 3, 2, Coord::Per(-32, 672), 224);
    s.Place(FirstSatellite + 5, 3, Coord::Per(-32, 336), 480);
    s.Place(FirstFramePart, 13, -32, Coord::Per(32, 32));
    s.Place(2913, 20, Coord::Per(0, 32), -32);
    s.Place(2933, 20, Coord::Per(0, 32), 480);
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
