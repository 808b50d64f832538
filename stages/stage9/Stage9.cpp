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
    s.Layers({.layer1X = -2, .layer2X = -8, .layer3X = -16});
    s.Boss(Stage9Boss);
    // The flag table stays as stage 8 left it: this stage grants no bonus.

    s.HitPoints(Stage9Boss, Stage9Boss, 400);
    LateStageHitPoints(s, true);
    s.HitPoints(2400, 2479, 10);
    s.HitPoints(2480, 2499, 50);

    s.Place({.first = 1000, .count = 8, .x = FieldWidth, .y = 64});
    s.Place({.first = 1008, .count = 8, .x = FieldWidth, .y = 400});
    s.Place({.first = 1016, .count = 16, .x = Coord::Per(32, 36), .y = -16});
    s.Place({.first = 1048, .count = 16, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place({.first = 1520, .count = 16, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place({.first = 2000, .count = 4, .x = FieldWidth, .y = Coord::Per(32, 128)});
    s.Place({.first = 2004, .count = 8, .x = Coord::Per(64, 64), .y = FieldHeight});
    s.Place({.first = 2400, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 2404, .count = 4, .x = FieldWidth, .y = 448});
    s.Place(2480, 288, FieldHeight);
    s.Place({.first = 2676, .count = 64, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place({.first = 2804, .count = 16, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place({.first = 3500, .count = 12, .x = Coord::Per(48, 48), .y = Coord::Per(FieldHeight, 24)});
    s.Place({.first = 5500, .count = 16, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place({.first = 5516, .count = 16, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place({.first = 6500, .count = 16, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place({.first = 8000, .count = 32, .x = FieldWidth, .y = Coord::Rand(416)});
    s.Place(800, 304, FieldHeight);
    for (int slot : {850, 900, 801, 851, 901}) s.Place(slot, FieldWidth, 224);
    // Fliers of our own sets: spirallers enter on their circles, side gunners and swoopers at the edges.
    s.Place({.first = 1080, .count = 4, .x = -16, .y = 48});
    s.Place({.first = 1084, .count = 4, .x = FieldWidth, .y = 48});
    for (int k = 0; k < 16; ++k) s.Place(1088 + k, FieldWidth * 3 / 4, k % 2 == 0 ? -16 : FieldHeight);
    s.Place(2481, 32, -32);
    s.Place(2482, 576, -32);
    s.Place({.first = 2483, .count = 2, .x = FieldWidth, .y = Coord::Per(96, 256)});
    s.Place({.first = 2485, .count = 2, .x = FieldWidth, .y = Coord::Per(112, 224)});
    s.Place({.first = 2412, .count = 4, .x = FieldWidth, .y = Coord::Per(96, 96)});
    s.Place({.first = 5532, .count = 4, .x = FieldWidth, .y = Coord::Per(64, 96)});
    s.Place({.first = 1536, .count = 12, .x = FieldWidth, .y = Coord::Per(48, 32)});
    s.Place({.first = 6516, .count = 20, .x = FieldWidth, .y = Coord::Per(40, 18)});
    PlaceStage9Boss(s);
}

// Frames 0..496: the run along the ground.
void WriteRun(ScriptBuilder& s, BulletCursor& b) {
    // The two flights turn toward each other mid-screen but level out a corridor apart, so the
    // opening pincer closes round the ship's start without crushing it against the left edge.
    FlightOf(s, b, 1000, 8, {-8, 0, 32, 72}, {-4, 3, 72, 104}, {-8, 0, 104, 0});
    FlightOf(s, b, 1008, 8, {-8, 0, 32, 72}, {-4, -3, 72, 104}, {-8, 0, 104, 0});
    // They fire as they turn: pairs that pass either side of the ship.
    for (int k = 0; k < 8; ++k) {
        AimedFan(s, b,
                 {.carrier = 1000 + k,
                  .shots = 2,
                  .spread = 24,
                  .speed = 6,
                  .from = 56 + 4 * k,
                  .phase = (4 * k) % 32,
                  .every = 32});
        AimedFan(s, b,
                 {.carrier = 1008 + k,
                  .shots = 2,
                  .spread = 24,
                  .speed = 6,
                  .from = 56 + 4 * k,
                  .phase = (4 * k + 16) % 32,
                  .every = 32});
    }
    // Dashers at scattered heights, each with two aimed shots on the way.
    for (int k = 0; k < 16; ++k) {
        const int slot = 1048 + k, start = 160 + 16 * k;
        s.MoveDuring({.slot = slot, .dx = -6, .from = start, .to = 4000});
        FanOnce(s, b, {.carrier = slot, .shots = 1, .speed = 8, .from = start, .phase = 24});
        FanOnce(s, b, {.carrier = slot, .shots = 3, .spread = 20, .speed = 6, .from = start, .phase = 56});
        s.DeathShot({.bullet = b.Take(1), .carrier = slot});
    }
    for (int k = 0; k < 4; ++k) {
        const int gun = 2000 + k;
        s.ScrollWithGround(gun, 224 + 16 * k);
        const int bullet = b.Take(4);
        for (int i = 0; i < 4; ++i)
            s.FireAimed({.bullet = bullet + i,
                         .carrier = gun,
                         .offset = 10 * i - 15,
                         .speed = 6,
                         .from = 224,
                         .phase = 16 * k,
                         .period = 64});
        DeathRing(s, b, gun, 8, 4);
    }
    // Four pairs of fliers spiral in on the middle of the screen and out again, firing at the ship.
    for (int p = 0; p < 4; ++p) {
        const int pair = 1064 + 2 * p, start = 240 + 40 * p;
        SpiralPair(s, pair, 400, 224, 3, p % 2 == 0 ? 90 : 270, start, start + 100, 4000);
        for (int m = 0; m < 2; ++m) {
            AimedFan(s, b,
                     {.carrier = pair + m,
                      .shots = 1,
                      .speed = 6,
                      .from = start + 30,
                      .phase = 8 * m,
                      .every = 24});
            s.DeathShot({.bullet = b.Take(1), .carrier = pair + m});
        }
    }
    s.AtFrame(496, [&] {
        s.SetLayerSteps({.layer1Y = -1, .layer2Y = -4, .layer3Y = -8});
        s.SetRespawnSide(2);
    });
}

// Frames 496..1264: the climb. The ground slides down and off, so ground objects rise from below.
// The big ships drop into view just before it and fire once they hang.
constexpr int ClimbShipsDrop = 480, ClimbShipsFire = 520;

void WriteClimb(ScriptBuilder& s, BulletCursor& b, BulletCursor& mines) {
    // Big ships hang at the top corners as the climb begins and throw turning streams downwards.
    for (int c = 0; c < 2; ++c) {
        const int ship = 2481 + c, dx = c == 0 ? -2 : 2;
        s.MoveDuring({.slot = ship, .dy = 4, .from = ClimbShipsDrop, .to = ClimbShipsFire});
        s.MoveDuring({.slot = ship, .dx = dx, .dy = -3, .from = 760, .to = 4000});
        TurningStream(s, b,
                      {.carrier = ship,
                       .shots = 24,
                       .angle = c == 0 ? 30 : 150,
                       .turn = c == 0 ? 5 : -5,
                       .speed = 5,
                       .from = ClimbShipsFire,
                       .gap = 4,
                       .period = 96});
        DeathRing(s, b, ship, 16, 5);
    }
    for (int k = 0; k < 8; ++k) {
        const int turret = 2004 + k;
        s.ScrollWithGround(turret, 520 + 48 * k);
        const int bullet = b.Take(3);
        for (int i = 0; i < 3; ++i)
            s.FireAimed({.bullet = bullet + i,
                         .carrier = turret,
                         .speed = 6,
                         .from = 520 + 48 * k + 16,
                         .phase = (16 * i + 8 * k) % 64,
                         .period = 64});
        s.DeathShot({.bullet = b.Take(1), .carrier = turret});
    }
    for (int k = 0; k < 12; ++k) {
        s.ScrollWithGround(3500 + k, 560);
        MineOf(s, mines, 3500 + k);
    }
    // Divers from above, one every 8 steps, each dropping a shot straight down and one at the ship.
    for (int k = 0; k < 16; ++k) {
        const int slot = 1016 + k;
        s.MoveDuring({.slot = slot, .dy = 6, .from = 700 + 8 * k, .to = 4000});
        s.FireStraight({.bullet = b.Take(1),
                        .carrier = slot,
                        .dy = 8,
                        .from = 710 + 8 * k,
                        .phase = 8 * k % 32,
                        .period = 32});
        FanOnce(s, b, {.carrier = slot, .shots = 1, .speed = 7, .from = 700 + 8 * k, .phase = 20});
        s.DeathShot({.bullet = b.Take(1), .carrier = slot, .speed = 4});
    }
    // A heavy gun rises to the middle, rests and fires rings, then rides up with the ground.
    constexpr int HeavyGun = 2480;
    s.MoveDuring({.slot = HeavyGun, .dy = -4, .from = 900, .to = 960});
    s.ScrollWithGround(HeavyGun, 1100);
    const int ring = b.Take(24);
    for (int i = 0; i < 24; ++i)
        s.FireAngled({.bullet = ring + i,
                      .carrier = HeavyGun,
                      .angle = 15 * i + 4 * (i % 2),
                      .speed = 5,
                      .from = 960,
                      .period = 48});
    AimedFan(
        s, b,
        {.carrier = HeavyGun, .shots = 3, .spread = 12, .speed = 8, .from = 960, .phase = 24, .every = 48});
    DeathRing(s, b, HeavyGun, 16, 6);
    s.ScrollWithGround(800, 1000);
    // Side gunners cross from left and right at the top of the climb, firing fans that close in.
    for (int k = 0; k < 4; ++k) {
        const int left = 1080 + k, right = 1084 + k, start = 900 + 24 * k;
        s.Path(left, {{6, 0, start, start + 32}, {2, 4, start + 32, 4000}});
        s.Path(right, {{-6, 0, start, start + 32}, {-2, 4, start + 32, 4000}});
        AimedFan(s, b,
                 {.carrier = left,
                  .shots = 3,
                  .spread = 10,
                  .speed = 6,
                  .from = start + 8,
                  .phase = 8 * k % 32,
                  .every = 32});
        AimedFan(s, b,
                 {.carrier = right,
                  .shots = 3,
                  .spread = 10,
                  .speed = 6,
                  .from = start + 8,
                  .phase = (8 * k + 16) % 32,
                  .every = 32});
    }
    // As the climb levels out a file of fliers comes in from the right, hangs mid-screen firing at
    // the ship and peels off up and down, so the screen never empties before the gauntlet.
    for (int k = 0; k < 12; ++k) {
        const int slot = 1536 + k, start = 1096 + 16 * k;
        s.Path(slot, {{-6, 0, start, start + 40},
                      {-2, 0, start + 40, start + 120},
                      {-6, k % 2 == 0 ? -3 : 3, start + 120, 4000}});
        AimedFan(
            s, b,
            {.carrier = slot, .shots = 1, .speed = 6, .from = start + 16, .phase = 8 * k % 24, .every = 24});
        s.DeathShot({.bullet = b.Take(1), .carrier = slot});
    }
    s.AtFrame(1264, [&] {
        s.SetLayerSteps({.layer1X = -2, .layer2X = -8, .layer3X = -16});
        s.SetRespawnSide(0);
    });
}

// Frames 1264..4100: the gauntlet, its heavy ships ever faster and thicker.
void WriteGauntlet(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 16; ++k) {
        s.ChaseRow(1520 + k, 1300 + 16 * k, 4);
        s.DeathShot({.bullet = b.Take(1), .carrier = 1520 + k});
        FanOnce(
            s, b,
            {.carrier = 1520 + k, .shots = 2, .spread = 30, .speed = 6, .from = 1300 + 16 * k, .phase = 48});
    }
    s.ScrollWithGround(850, 1400);
    // A gate of four gunships holds the screen's right edge as the ground levels out, firing rings
    // whose gaps turn from one ring to the next.
    for (int k = 0; k < 4; ++k) {
        const int ship = 5532 + k, start = 1320 + 16 * k;
        s.MoveDuring({.slot = ship, .dx = -4, .from = start, .to = start + 24});
        s.MoveDuring({.slot = ship, .dx = -4, .from = 1700, .to = 6000});
        AngledRing(s, b,
                   {.carrier = ship,
                    .shots = 8,
                    .angle = 22 * k,
                    .speed = 4,
                    .from = start + 24,
                    .phase = 12 * k,
                    .every = 48});
        DeathRing(s, b, ship, 8, 5);
    }
    // A field of ground blocks, each a gun that turns toward the ship every two seconds.
    for (int k = 0; k < 64; ++k) {
        const int block = 2676 + k, start = 1500 + 8 * k;
        s.ScrollWithGround(block, start);
        AimedFan(
            s, b,
            {.carrier = block, .shots = 1, .speed = 5, .from = start + 24, .phase = 8 * k % 48, .every = 48});
        s.DeathShot({.bullet = b.Take(1), .carrier = block, .speed = 4});
    }
    // Over the block field two heavy guns stand off and turn streams in opposite directions.
    for (int c = 0; c < 2; ++c) {
        const int gun = 2483 + c, start = 1600 + 240 * c;
        s.MoveDuring({.slot = gun, .dx = -4, .from = start, .to = start + 40});
        s.MoveDuring({.slot = gun, .dx = -3, .dy = c == 0 ? 1 : -1, .from = start + 560, .to = 4000});
        TurningStream(s, b,
                      {.carrier = gun,
                       .shots = 36,
                       .angle = 90 * c,
                       .turn = c == 0 ? 10 : -10,
                       .speed = 5,
                       .from = start + 40,
                       .gap = 4,
                       .period = 144});
        DeathRing(s, b, gun, 12, 5);
    }
    for (int k = 0; k < 16; ++k) {
        const int dasher = 2804 + k;
        s.MoveDuring({.slot = dasher, .dx = -6, .from = 2000 + 24 * k, .to = 6000});
        FanOnce(
            s, b,
            {.carrier = dasher, .shots = 3, .spread = 24, .speed = 7, .from = 2000 + 24 * k, .phase = 16});
        DeathRing(s, b, dasher, 6, 4);
    }
    // Heavy gunships drift in, each firing a fan of five every 48 steps.
    for (int k = 0; k < 16; ++k) {
        const int ship = 5500 + k, start = 2400 + 64 * k;
        s.MoveDuring({.slot = ship, .dx = -2, .from = start, .to = 6000});
        AimedFan(s, b,
                 {.carrier = ship,
                  .shots = 5,
                  .spread = 15,
                  .speed = 6,
                  .from = start + 16,
                  .phase = (32 + 16 * k) % 48,
                  .every = 48});
        DeathRing(s, b, ship, 12, 4);
    }
    s.ScrollWithGround(900, 2600);
    // Faster ships that sweep a quarter ring each time round.
    for (int k = 0; k < 16; ++k) {
        const int ship = 5516 + k, start = 3200 + 48 * k;
        s.MoveDuring({.slot = ship, .dx = -3, .from = start, .to = 6000});
        const int bullet = b.Take(6);
        for (int i = 0; i < 6; ++i)
            s.FireAngled({.bullet = bullet + i,
                          .carrier = ship,
                          .angle = 135 + 18 * i,
                          .speed = 7,
                          .from = start + 16,
                          .phase = 4 * i,
                          .period = 64});
    }
    s.ScrollWithGround(801, 3400);
    for (int k = 0; k < 16; ++k) {
        const int ship = 6500 + k, start = 3600 + 32 * k;
        s.MoveDuring({.slot = ship, .dx = -5, .from = start, .to = 6000});
        const int bullet = b.Take(2);
        s.FireAimed(
            {.bullet = bullet, .carrier = ship, .speed = 9, .from = start, .phase = 16, .period = 48});
        s.FireAimed(
            {.bullet = bullet + 1, .carrier = ship, .speed = 9, .from = start, .phase = 40, .period = 48});
        DeathRing(s, b, ship, 4, 5);
    }
}

// Frames 4100..5900: a swarm, the carrier wing, the gun rows and the rearguard, into the alarm.
void WriteFinale(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 32; ++k) {
        s.MoveDuring({.slot = 8000 + k, .dx = -8, .from = 4200 + 16 * k, .to = 6000});
        FanOnce(
            s, b,
            {.carrier = 8000 + k, .shots = 3, .spread = 30, .speed = 6, .from = 4200 + 16 * k, .phase = 12});
        s.DeathShot({.bullet = b.Take(1), .carrier = 8000 + k, .speed = 8});
    }
    // Four mine carriers sway across the swarm.
    for (int c = 0; c < 4; ++c)
        MineCarrier(s, b, 2412 + c, 9000 + 4 * c, 4100 + 120 * c, c % 2 == 0 ? -1 : 1, 18 * c, 6000);
    s.ScrollWithGround(851, 4400);
    // The gun rows along the top and bottom edges fire straight across the ship's path.
    for (int k = 0; k < 4; ++k) {
        for (int row = 0; row < 2; ++row) {
            const int gun = 2400 + 4 * row + k, dy = row == 0 ? 6 : -6;
            s.ScrollWithGround(gun, 4800 + 32 * k);
            const int bullet = b.Take(4);
            // Each gun opens fire only once it is on screen.
            for (int i = 0; i < 4; ++i)
                s.FireStraight({.bullet = bullet + i,
                                .carrier = gun,
                                .dx = -4,
                                .dy = dy,
                                .from = 4808 + 32 * k,
                                .phase = 8 * i + 32 * row,
                                .period = 64});
        }
    }
    s.ScrollWithGround(901, 5000);
    // Swoopers dive from above and below in turn.
    for (int k = 0; k < 16; ++k) Swooper(s, b, 1088 + k, 9016 + k, 4900 + 32 * k, k % 2 == 0 ? 8 : -8, 6000);
    // Two pairs of heavy guns close the gauntlet with counter-turning rings.
    for (int c = 0; c < 2; ++c) {
        const int gun = 2485 + c, start = 5080, y = c == 0 ? -4 : 4;
        s.MoveDuring({.slot = gun, .dx = -4, .from = start, .to = start + 48});
        s.MoveDuring({.slot = gun, .dx = -4, .dy = y, .from = 5560, .to = 6000});
        AngledRing(s, b,
                   {.carrier = gun,
                    .shots = 16,
                    .angle = 11 * c,
                    .speed = 5,
                    .from = start + 48,
                    .phase = 24 * c,
                    .every = 48});
        TurningStream(s, b,
                      {.carrier = gun,
                       .shots = 20,
                       .angle = 180,
                       .turn = c == 0 ? 9 : -9,
                       .speed = 6,
                       .from = start + 48,
                       .gap = 4,
                       .period = 96});
    }
    // The rearguard: raiders come in one after the other through the alarm, stand off firing fans
    // and dash away left, the last of them gone before the boss arrives.
    for (int k = 0; k < 20; ++k) {
        const int raider = 6516 + k, start = 5300 + 24 * k;
        s.Path(raider,
               {{-5, 0, start, start + 32}, {-1, 0, start + 32, start + 160}, {-6, 0, start + 160, 6000}});
        AimedFan(s, b,
                 {.carrier = raider,
                  .shots = 3,
                  .spread = 15,
                  .speed = 6,
                  .from = start + 16,
                  .phase = 16 * k % 48,
                  .every = 48});
        DeathRing(s, b, raider, 6, 4);
    }
}
}  // namespace

void WriteStage9(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    BulletCursor bullets{11000};
    BulletCursor mines{10000};
    // The rearguard's last shots are still flying when the boss arrives at 6000, so the waves' calls
    // run on until every shot has left; they never use the bullet slots from 15000 on, which the
    // boss's phases take over.
    s.FramesIn(INT_MIN, 6399, [&] {
        WriteRun(s, bullets);
        WriteClimb(s, bullets, mines);
        WriteGauntlet(s, bullets);
        WriteFinale(s, bullets);
    });
    WriteStage9Boss(s, RowOf(Stage9Scene).Fight);
}

}  // namespace veltrano
