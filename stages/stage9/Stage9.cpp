// Stage 9: a fast horizontal run, a climb in which the ground falls away below, a long gauntlet of
// scattered heavy enemies, and a boss that patrols the screen's edge while the scenery turns round it.
#include <climits>

#include "stages/LateWaves.h"
#include "stages/Scenes.h"
#include "stages/stage9/Stage9Boss.h"

namespace veltrano {

namespace {

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-2, -8, -16);
    s.Boss(Stage9Boss);
    // The flag table stays as stage 8 left it: this stage grants no bonus.

    s.HitPoints(Stage9Boss, Stage9Boss, 400);
    LateStageHitPoints(s, true);
    s.HitPoints(2400, 2479, 10);
    s.HitPoints(2480, 2499, 50);

    s.Place(1000, 8, 640, 64);
    s.Place(1008, 8, 640, 400);
    s.Place(1016, 16, Coord::Per(32, 36), -16);
    s.Place(1048, 16, 640, Coord::Rand(416));
    s.Place(1520, 16, 640, Coord::Rand(416));
    s.Place(2000, 4, 640, Coord::Per(32, 128));
    s.Place(2004, 8, Coord::Per(64, 64), 480);
    s.Place(2400, 4, 640, 0);
    s.Place(2404, 4, 640, 448);
    s.Place(2480, 288, 480);
    s.Place(2676, 64, 640, Coord::Rand(416));
    s.Place(2804, 16, 640, Coord::Rand(416));
    s.Place(3500, 12, Coord::Per(48, 48), Coord::Per(480, 24));
    s.Place(5500, 16, 640, Coord::Rand(416));
    s.Place(5516, 16, 640, Coord::Rand(416));
    s.Place(6500, 16, 640, Coord::Rand(416));
    s.Place(8000, 32, 640, Coord::Rand(416));
    s.Place(800, 304, 480);
    for (int slot : {850, 900, 801, 851, 901}) s.Place(slot, 640, 224);
    PlaceStage9Boss(s);
}

void SetLayers(ScriptBuilder& s, int x1, int y1, int x2, int y2, int x3, int y3) {
    s.SetLayerStep(LayerStep::Layer1X, x1);
    s.SetLayerStep(LayerStep::Layer1Y, y1);
    s.SetLayerStep(LayerStep::Layer2X, x2);
    s.SetLayerStep(LayerStep::Layer2Y, y2);
    s.SetLayerStep(LayerStep::Layer3X, x3);
    s.SetLayerStep(LayerStep::Layer3Y, y3);
}

// Frames 0..496: the run along the ground.
void WriteRun(ScriptBuilder& s, BulletCursor& b) {
    FlightOf(s, b, 1000, 8, {-8, 0, 32, 96}, {-4, 4, 96, 128}, {-8, 0, 128, 0});
    FlightOf(s, b, 1008, 8, {-8, 0, 32, 96}, {-4, -4, 96, 128}, {-8, 0, 128, 0});
    // Dashers at scattered heights, each with one aimed shot on the way.
    for (int k = 0; k < 16; ++k) {
        const int slot = 1048 + k, start = 160 + 16 * k;
        s.MoveDuring(slot, -6, 0, start, 4000);
        FanOnce(s, b, slot, start, 24, 1, 0, 8);
        s.DeathShot(b.Take(1), slot);
    }
    for (int k = 0; k < 4; ++k) {
        const int gun = 2000 + k;
        s.ScrollWithGround(gun, 224 + 16 * k);
        const int bullet = b.Take(4);
        for (int i = 0; i < 4; ++i) s.FireAimed(bullet + i, gun, 10 * i - 15, 16 * k, 64, 224, 6);
        DeathRing(s, b, gun, 8, 4);
    }
    s.AtFrame(496, [&] {
        SetLayers(s, 0, -1, 0, -4, 0, -8);
        s.SetRespawnSide(2);
    });
}

// Frames 496..1264: the climb. The ground slides down and off, so ground objects rise from below.
void WriteClimb(ScriptBuilder& s, BulletCursor& b, BulletCursor& mines) {
    for (int k = 0; k < 8; ++k) {
        const int turret = 2004 + k;
        s.ScrollWithGround(turret, 520 + 48 * k);
        const int bullet = b.Take(3);
        for (int i = 0; i < 3; ++i) s.FireAimed(bullet + i, turret, 0, 16 * i + 8 * k, 96, 520 + 48 * k, 6);
        s.DeathShot(b.Take(1), turret);
    }
    for (int k = 0; k < 12; ++k) {
        s.ScrollWithGround(3500 + k, 560);
        MineOf(s, mines, 3500 + k);
    }
    // Divers from above, one every 8 steps.
    for (int k = 0; k < 16; ++k) {
        const int slot = 1016 + k;
        s.MoveDuring(slot, 0, 6, 700 + 8 * k, 4000);
        s.DeathShot(b.Take(1), slot, 0, 1, 4);
    }
    // A heavy gun rises to the middle, rests and fires rings, then rides up with the ground.
    constexpr int HeavyGun = 2480;
    s.MoveDuring(HeavyGun, 0, -4, 900, 960);
    s.ScrollWithGround(HeavyGun, 1100);
    const int ring = b.Take(24);
    for (int i = 0; i < 24; ++i) s.FireAngled(ring + i, HeavyGun, 15 * i + 4 * (i % 2), 0, 48, 960, 5);
    DeathRing(s, b, HeavyGun, 16, 6);
    s.ScrollWithGround(800, 1000);
    s.AtFrame(1264, [&] {
        SetLayers(s, -2, 0, -8, 0, -16, 0);
        s.SetRespawnSide(0);
    });
}

// Frames 1264..5744: the gauntlet.
void WriteGauntlet(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 16; ++k) {
        s.ChaseRow(1520 + k, 1300 + 16 * k, 4);
        s.DeathShot(b.Take(1), 1520 + k);
    }
    s.ScrollWithGround(850, 1400);
    for (int k = 0; k < 64; ++k) s.ScrollWithGround(2676 + k, 1500 + 8 * k);
    for (int k = 0; k < 16; ++k) s.MoveDuring(2804 + k, -6, 0, 2000 + 24 * k, 6000);
    // Heavy gunships drift in, each firing a fan of three every 64 steps.
    for (int k = 0; k < 16; ++k) {
        const int ship = 5500 + k, start = 2400 + 64 * k;
        s.MoveDuring(ship, -2, 0, start, 6000);
        const int bullet = b.Take(3);
        for (int i = 0; i < 3; ++i) s.FireAimed(bullet + i, ship, 20 * i - 20, 32, 64, start, 6);
        DeathRing(s, b, ship, 12, 4);
    }
    s.ScrollWithGround(900, 2600);
    // Faster ships that sweep a quarter ring each time round.
    for (int k = 0; k < 16; ++k) {
        const int ship = 5516 + k, start = 3200 + 48 * k;
        s.MoveDuring(ship, -3, 0, start, 6000);
        const int bullet = b.Take(6);
        for (int i = 0; i < 6; ++i) s.FireAngled(bullet + i, ship, 135 + 18 * i, 4 * i, 96, start, 7);
    }
    s.ScrollWithGround(801, 3400);
    for (int k = 0; k < 16; ++k) {
        const int ship = 6500 + k, start = 3600 + 32 * k;
        s.MoveDuring(ship, -5, 0, start, 6000);
        const int bullet = b.Take(2);
        s.FireAimed(bullet, ship, 0, 16, 48, start, 9);
        s.FireAimed(bullet + 1, ship, 0, 40, 48, start, 9);
    }
    for (int k = 0; k < 32; ++k) {
        s.MoveDuring(8000 + k, -8, 0, 4200 + 16 * k, 6000);
        s.DeathShot(b.Take(1), 8000 + k, 0, 1, 8);
    }
    s.ScrollWithGround(851, 4400);
    // The gun rows along the top and bottom edges fire straight across the ship's path.
    for (int k = 0; k < 4; ++k) {
        for (int row = 0; row < 2; ++row) {
            const int gun = 2400 + 4 * row + k, dy = row == 0 ? 6 : -6;
            s.ScrollWithGround(gun, 4800 + 32 * k);
            const int bullet = b.Take(4);
            for (int i = 0; i < 4; ++i) s.FireStraight(bullet + i, gun, 4800, 8 * i + 32 * row, 64, dy, -4);
        }
    }
    s.ScrollWithGround(901, 5000);
}

}  // namespace

void WriteStage9(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    BulletCursor bullets{11000};
    BulletCursor mines{10000};
    // The waves are gone long before 6600; the boss's phases then run alone.
    s.FramesIn(INT_MIN, 6600, [&] {
        WriteRun(s, bullets);
        WriteClimb(s, bullets, mines);
        WriteGauntlet(s, bullets);
    });
    WriteStage9Boss(s, RowOf(Stage9Scene).Fight);
}

}  // namespace veltrano
