// Stage 10: a race over a fast ground with two bonus gun groups, a long gauntlet of guardians under
// the boss theme, a fortress mid-boss whose fall moves the clock on to the last boss, and the last
// boss itself.
#include <climits>

#include "stages/LateWaves.h"
#include "stages/Scenes.h"
#include "stages/stage10/Stage10Boss.h"
#include "stages/stage10/Stage10Fortress.h"

namespace veltrano {

namespace {

constexpr int TwinGuardian = 20;  // 20 and 21
constexpr int FirstEscort = 22;
constexpr int FirstPod = 5002, LastPod = 5005;
constexpr int FirstPart = 2491, LastPart = 2493;
constexpr int FortressTimeOut = 17300, FortressCycle = 700;
constexpr int FallingGun = 2450;
constexpr int Divers = 36;
constexpr int FirstMiddleGun = 2457, MiddleGuns = 8;
// When each comes in: before the twins, after them, under the escorts and as the escorts leave.
constexpr int MiddleGunStart[MiddleGuns] = {5760, 6560, 6816, 7072, 7328, 8240, 8496, 9200};
// The fortress's own bullets, freed when it falls or times out: small ones from the pods, heavy
// ones from the parts' aimed triples.
constexpr int FortressRings = 14000, FortressRingCount = 4 * 4 * 12;
constexpr int FortressTriples = 9100, FortressTripleCount = 2 * 7 * 3;

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -8, .layer2X = -8, .layer3X = -16, .layer3Y = -2});
    s.Boss(Stage10Boss);
    s.Flags(3);

    s.HitPoints(Stage10Boss, Stage10Boss, 500);
    LateStageHitPoints(s, true);
    s.HitPoints(20, 21, 25);
    s.HitPoints(22, 29, 20);
    s.HitPoints(2400, 2449, 20);
    s.HitPoints(2450, 2479, 50);
    s.HitPoints(2480, 2499, 200);

    // Random rows and columns on a grid of 32, drawn in this order.
    s.Place({.first = 2400, .count = 16, .x = FieldWidth, .y = Coord::Rand(13, 32, 32)});
    s.Place({.first = 3000, .count = 16, .x = Coord::Rand(20, 0, 32), .y = -32});
    s.Place({.first = 3500, .count = 16, .x = FieldWidth, .y = Coord::Rand(15, 0, 32)});
    s.Place({.first = 4000, .count = 32, .x = FieldWidth, .y = Coord::Rand(15, 0, 32)});
    s.Place({.first = 4032, .count = 32, .x = FieldWidth, .y = Coord::Rand(15, 0, 32)});

    s.Place({.first = 1000, .count = 8, .x = FieldWidth, .y = 32});
    s.Place({.first = 1008, .count = 8, .x = FieldWidth, .y = 432});
    s.Place({.first = 1016, .count = 8, .x = FieldWidth, .y = 96});
    s.Place({.first = 1024, .count = 8, .x = FieldWidth, .y = 368});
    s.Place({.first = 1512, .count = 8, .x = Coord::Per(0, 32), .y = -16});
    s.Place(FallingGun, 304, -64);
    s.Place(TwinGuardian, FieldWidth, 96);
    s.Place(TwinGuardian + 1, FieldWidth, 352);
    s.Place({.first = FirstEscort, .count = 8, .x = FieldWidth, .y = 224});
    for (int k = 0; k < 128; ++k) s.Place(8000 + k, FieldWidth, 32 + 48 * (k / 8 % 8));
    for (int k = 0; k < 64; ++k) s.Place(5500 + k, FieldWidth, 32 + 64 * (k % 7));
    s.Place({.first = 6500, .count = 64, .x = FieldWidth, .y = Coord::Per(16, 6)});
    // The fortress: four shot-proof pods in a square behind three gun parts.
    s.Place({.first = FirstPod, .count = 2, .x = Coord::Per(736, 32), .y = 192});
    s.Place({.first = FirstPod + 2, .count = 2, .x = Coord::Per(736, 32), .y = 224});
    s.Place(FirstPart, 704, 208);
    s.Place(FirstPart + 1, 752, 144);
    s.Place(FirstPart + 2, 752, 272);
    for (int slot : {800, 850, 900, 801, 851, 901}) s.Place(slot, FieldWidth, 224);
    // Our own sets: fliers at the edges, heavy guns, carriers, ring ships and the pincer's gunners.
    s.Place({.first = 1040, .count = 16, .x = FieldWidth, .y = Coord::Per(40, 24)});
    for (int k = 0; k < 16; ++k) s.Place(1056 + k, FieldWidth, 32 + 53 * k % 400);
    s.Place({.first = 1072, .count = 4, .x = -16, .y = 48});
    s.Place({.first = 1076, .count = 4, .x = FieldWidth, .y = 400});
    for (int k = 0; k < 32; ++k)
        s.Place(1080 + k, FieldWidth * 3 / 4 - 64 * (k / 16), k % 2 == 0 ? -16 : FieldHeight);
    s.Place({.first = 1800, .count = 8, .x = Coord::Per(608, -16), .y = -32});
    s.Place({.first = 1808, .count = 8, .x = Coord::Per(608, -16), .y = FieldHeight});
    s.Place({.first = 2416, .count = 4, .x = FieldWidth, .y = Coord::Per(96, 96)});
    s.Place({.first = 2420, .count = 4, .x = FieldWidth, .y = Coord::Per(96, 96)});
    s.Place(2451, FieldWidth, 32);
    s.Place(2452, FieldWidth, 416);
    s.Place({.first = 2453, .count = 4, .x = FieldWidth, .y = Coord::Per(48, 112)});
    s.Place({.first = 5564, .count = 4, .x = FieldWidth, .y = Coord::Per(96, 96)});
    s.Place({.first = FirstMiddleGun, .count = MiddleGuns, .x = FieldWidth, .y = Coord::Per(64, 48)});
    for (int k = 0; k < Divers; ++k) s.Place(1112 + k, 160 + 97 * k % 440, -16);
    for (int w = 0; w < 2; ++w)
        s.Place({.first = 4064 + 8 * w, .count = 8, .x = FieldWidth, .y = Coord::Per(16, 56)});
    PlaceStage10Boss(s);
}

// The ground runs too fast here for an item to be caught, so items drift in at their own pace.
void DriftItem(ScriptBuilder& s, int item, int from) {
    s.MoveDuring({.slot = item, .dx = -4, .from = from, .to = from + 400});
}

// The race's opening: two flights of eight fan out from the edges, firing fans at the ship.
void WriteOpeningFlights(ScriptBuilder& s, BulletCursor& b) {
    FlightOf(s, b, 1000, 8, {-8, 0, 64, 96}, {-4, 6, 96, 128}, {-10, 0, 128, 0});
    FlightOf(s, b, 1008, 8, {-8, 0, 64, 96}, {-4, -6, 96, 128}, {-10, 0, 128, 0});
    for (int k = 0; k < 8; ++k) {
        AimedFan(s, b,
                 {.carrier = 1000 + k,
                  .shots = 2,
                  .spread = 16,
                  .speed = 7,
                  .from = 80 + 4 * k,
                  .phase = (4 * k) % 32,
                  .every = 32});
        AimedFan(s, b,
                 {.carrier = 1008 + k,
                  .shots = 2,
                  .spread = 16,
                  .speed = 7,
                  .from = 80 + 4 * k,
                  .phase = (4 * k + 16) % 32,
                  .every = 32});
    }
    DriftItem(s, 800, 400);
}

// Four pairs spiral in on the middle and out again, firing at the ship.
void WriteSpiralPairs(ScriptBuilder& s, BulletCursor& b) {
    for (int p = 0; p < 4; ++p) {
        const int pair = 1032 + 2 * p, start = 200 + 60 * p;
        SpiralPair(s, pair, 420, 224, 3, p % 2 == 0 ? 90 : 270, start, start + 110, 4000);
        for (int m = 0; m < 2; ++m) {
            AimedFan(s, b,
                     {.carrier = pair + m,
                      .shots = 1,
                      .speed = 6,
                      .from = start + 30,
                      .phase = 8 * m,
                      .every = 20});
            s.DeathShot({.bullet = b.Take(1), .carrier = pair + m});
        }
    }
}

// Two walls of blocks roll in, each with one gap, firing straight ahead.
void WriteRollingWalls(ScriptBuilder& s, BulletCursor& b) {
    for (int w = 0; w < 2; ++w) {
        const int start = 300 + 320 * w, gap = w == 0 ? 5 : 2;
        for (int k = 0; k < 8; ++k) {
            if (k == gap) continue;
            const int block = 4064 + 8 * w + k;
            s.MoveDuring({.slot = block, .dx = -2, .from = start, .to = 4000});
            s.FireStraight({.bullet = b.Take(1),
                            .carrier = block,
                            .dx = -6,
                            .from = start + 16,
                            .phase = 4 * k % 32,
                            .period = 32});
            s.FireStraight({.bullet = b.Take(1),
                            .carrier = block,
                            .dx = -6,
                            .from = start + 16,
                            .phase = (4 * k + 16) % 32,
                            .period = 32});
            DeathRing(s, b, block, 6, 4);
        }
    }
}

// Dashers in a staircase, each with a fan of three on the way, then the debris falls.
void WriteDashersAndDebris(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 16; ++k) {
        const int dasher = 1040 + k, start = 440 + 24 * k;
        s.MoveDuring({.slot = dasher, .dx = -8, .from = start, .to = 4000});
        FanOnce(s, b, {.carrier = dasher, .shots = 3, .spread = 20, .speed = 7, .from = start, .phase = 16});
        s.DeathShot({.bullet = b.Take(1), .carrier = dasher});
    }
    for (int k = 0; k < 16; ++k) {
        s.SinkDuring(3000 + k, 700 + 24 * k, 4000);
        s.FireStraight({.bullet = b.Take(1),
                        .carrier = 3000 + k,
                        .dx = -8,
                        .from = 708 + 24 * k,
                        .phase = 8 * k % 16,
                        .period = 16});
        DeathRing(s, b, 3000 + k, 6, 4);
    }
}

// Chasers hunt the ship's row while the debris falls; two more flights close in behind them.
void WriteChasersAndFlights(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 16; ++k) {
        const int chaser = 1056 + k, start = 760 + 32 * k;
        s.ChaseRow(chaser, start, 5);
        FanOnce(s, b, {.carrier = chaser, .shots = 2, .spread = 24, .speed = 6, .from = start, .phase = 32});
        DeathRing(s, b, chaser, 4, 5);
    }
    FlightOf(s, b, 1016, 8, {-10, 0, 1100, 1140}, {0, 0, 1140, 1180}, {-10, 4, 1180, 0});
    FlightOf(s, b, 1024, 8, {-10, 0, 1100, 1140}, {0, 0, 1140, 1180}, {-10, -4, 1180, 0});
    for (int k = 0; k < 8; ++k) {
        AimedFan(s, b,
                 {.carrier = 1016 + k,
                  .shots = 3,
                  .spread = 12,
                  .speed = 6,
                  .from = 1140 + 4 * k,
                  .phase = 8 * (k % 2),
                  .every = 16});
        AimedFan(s, b,
                 {.carrier = 1024 + k,
                  .shots = 3,
                  .spread = 12,
                  .speed = 6,
                  .from = 1140 + 4 * k,
                  .phase = 8 * (1 - k % 2),
                  .every = 16});
    }
}

// Two heavy guns hold the corners and turn streams against each other.
void WriteCornerGuns(ScriptBuilder& s, BulletCursor& b) {
    for (int c = 0; c < 2; ++c) {
        const int gun = 2451 + c, start = 1280 + 40 * c;
        s.MoveDuring({.slot = gun, .dx = -4, .from = start, .to = start + 40});
        s.MoveDuring({.slot = gun, .dx = -4, .dy = c == 0 ? -1 : 1, .from = 2520, .to = 4000});
        TurningStream(s, b,
                      {.carrier = gun,
                       .shots = 36,
                       .angle = 90 + 180 * c,
                       .turn = c == 0 ? 10 : -10,
                       .speed = 5,
                       .from = start + 40,
                       .gap = 4,
                       .period = 144});
        AimedFan(s, b,
                 {.carrier = gun,
                  .shots = 3,
                  .spread = 20,
                  .speed = 7,
                  .from = start + 40,
                  .phase = 24 * c,
                  .every = 48});
        DeathRing(s, b, gun, 16, 5);
    }
}

// Gun groups glide in, hold their row and fire, then leave. The whole first group shot down lets
// the falling gun drop with its ring.
void WriteGunGroups(ScriptBuilder& s, BulletCursor& b) {
    constexpr int GunGroupHold = 480;  // steps from a group's start until it leaves
    for (int group = 0; group < 4; ++group) {
        const int start = 1600 + 1000 * group;
        for (int k = 0; k < 4; ++k) {
            const int gun = 2400 + 4 * group + k;
            s.MoveDuring({.slot = gun, .dx = -4, .from = start + 16 * k, .to = start + 16 * k + 60});
            s.MoveDuring({.slot = gun, .dx = -4, .from = start + GunGroupHold, .to = 8000});
            AimedFan(s, b,
                     {.carrier = gun,
                      .shots = 3,
                      .spread = 14,
                      .speed = 6,
                      .from = start + 16 * k + 16,
                      .phase = 16 * k % 48,
                      .every = 48});
        }
    }
    s.BonusCheck({.first = 2400, .last = 2403, .frame = 1967, .flag = 1, .points = 20000});
    s.WhileFlag(1, [&] {
        s.MoveDuring({.slot = FallingGun, .dy = 2, .from = 1968, .to = 4000});
        const int bullet = b.Take(12);
        for (int i = 0; i < 12; ++i)
            s.FireAngled({.bullet = bullet + i,
                          .carrier = FallingGun,
                          .angle = 30 * i + 15,
                          .speed = 4,
                          .from = 1968,
                          .period = 64});
    });
}

// Side gunners cross in from both edges after the first group, firing fans that close in; mine
// carriers and swoopers follow.
void WriteSideGunnersAndMines(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 4; ++k) {
        const int left = 1072 + k, right = 1076 + k, start = 2140 + 24 * k;
        s.Path(left, {{6, 0, start, start + 32}, {2, 4, start + 32, 4000}});
        s.Path(right, {{-6, 0, start, start + 32}, {-2, -4, start + 32, 4000}});
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
    for (int c = 0; c < 4; ++c)
        MineCarrier(s, b, 2416 + c, 9000 + 4 * c, 2480 + 160 * c, c % 2 == 0 ? 1 : -1, 9 * c, 4000);
    DriftItem(s, 850, 2800);
    for (int k = 0; k < 16; ++k) Swooper(s, b, 1080 + k, 9016 + k, 3100 + 28 * k, k % 2 == 0 ? 8 : -8, 4000);
}

// The whole second gun group shot down lets a hail of eight fall on the ship.
void WriteSecondGroupBonus(ScriptBuilder& s, BulletCursor& b) {
    s.BonusCheck({.first = 2408, .last = 2411, .frame = 3935, .flag = 2, .points = 20000});
    s.WhileFlag(2, [&] {
        for (int h = 0; h < 8; ++h) {
            s.MoveDuring({.slot = 1512 + h, .dx = 4, .dy = 10, .from = 3936 + 4 * h, .to = 4200});
            s.DeathShot({.bullet = b.Take(1), .carrier = 1512 + h, .speed = 8});
        }
    });
}

// Ring ships come in pairs between the last two gun groups.
void WriteRingShips(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 4; ++k) {
        const int ship = 5564 + k, start = 3440 + 160 * k;
        s.MoveDuring({.slot = ship, .dx = -3, .from = start, .to = start + 64});
        s.MoveDuring({.slot = ship, .dx = -3, .dy = k % 2 == 0 ? 2 : -2, .from = start + 560, .to = 6000});
        AngledRing(s, b,
                   {.carrier = ship,
                    .shots = 12,
                    .angle = 15 * k,
                    .speed = 4,
                    .from = start + 32,
                    .phase = 8 * k,
                    .every = 48});
        AimedFan(s, b,
                 {.carrier = ship,
                  .shots = 3,
                  .spread = 30,
                  .speed = 7,
                  .from = start + 32,
                  .phase = 24,
                  .every = 48});
        DeathRing(s, b, ship, 8, 5);
    }
}

// Frames 0..4600: the race, with the two bonus gun groups, wave by wave in the order they are
// written (the order their statements run and their bullets are handed out).
void WriteRace(ScriptBuilder& s, BulletCursor& b) {
    WriteOpeningFlights(s, b);
    WriteSpiralPairs(s, b);
    WriteRollingWalls(s, b);
    WriteDashersAndDebris(s, b);
    WriteChasersAndFlights(s, b);
    WriteCornerGuns(s, b);
    WriteGunGroups(s, b);
    WriteSideGunnersAndMines(s, b);
    WriteSecondGroupBonus(s, b);
    WriteRingShips(s, b);
}

// The four shapes a flight of eight fliers of the gauntlet takes in turn: turning down, turning up,
// a dip and a rise that straighten out, and a zigzag.
void GauntletFlight(ScriptBuilder& s, BulletCursor& b, int n) {
    const int first = 8000 + 8 * n, start = 4100 + 112 * n;
    switch (n % 4) {
        case 0:
        case 1: {
            const int dy = n % 4 == 0 ? 5 : -5;
            FlightOf(s, b, first, 8, {-8, 0, start, start + 40}, {-2, dy, start + 40, start + 72},
                     {-8, 0, start + 72, 0}, 8000);
            break;
        }
        case 2:
            FlightOf(s, b, first, 8, {-6, 4, start, start + 24}, {-6, -4, start + 24, start + 48},
                     {-10, 0, start + 48, 0}, 8000);
            break;
        default:
            FlightOf(s, b, first, 8, {-10, 0, start, start + 20}, {0, 6, start + 20, start + 36},
                     {-10, -2, start + 36, 0}, 8000);
            break;
    }
    for (int k = 0; k < 8; ++k)
        FanOnce(
            s, b,
            {.carrier = first + k, .shots = 1, .speed = 7, .from = start + 4 * k, .phase = 24 + 2 * (k % 4)});
}

// Frames 4000..9600: flights, mines, the twin guardians and the circling escorts.
void WriteGauntletFirst(ScriptBuilder& s, BulletCursor& b, BulletCursor& mines, BulletCursor& guns) {
    for (int n = 0; n < 16; ++n) GauntletFlight(s, b, n);
    for (int k = 0; k < 16; ++k) {
        s.MoveDuring({.slot = 3500 + k, .dx = -3, .from = 4600 + 32 * k, .to = 8000});
        MineOf(s, mines, 3500 + k);
    }
    DriftItem(s, 900, 5200);
    // A pincer: gunners close in from the top and bottom edges and fire across the screen.
    for (int k = 0; k < 8; ++k) {
        const int top = 1800 + k, bottom = 1808 + k, start = 5200 + 32 * k;
        s.Path(top,
               {{-1, 6, start, start + 24}, {-1, 0, start + 24, start + 400}, {-1, -6, start + 400, 8000}});
        s.Path(bottom,
               {{-1, -6, start, start + 24}, {-1, 0, start + 24, start + 400}, {-1, 6, start + 400, 8000}});
        s.FireStraight({.bullet = b.Take(1),
                        .carrier = top,
                        .dx = -4,
                        .dy = 4,
                        .from = start + 24,
                        .phase = 16 * k % 32,
                        .period = 32});
        s.FireStraight({.bullet = b.Take(1),
                        .carrier = bottom,
                        .dx = -4,
                        .dy = -4,
                        .from = start + 24,
                        .phase = (16 * k + 16) % 32,
                        .period = 32});
        AimedFan(s, b,
                 {.carrier = top,
                  .shots = 2,
                  .spread = 20,
                  .speed = 6,
                  .from = start + 24,
                  .phase = 8,
                  .every = 48});
        AimedFan(s, b,
                 {.carrier = bottom,
                  .shots = 2,
                  .spread = 20,
                  .speed = 6,
                  .from = start + 24,
                  .phase = 32,
                  .every = 48});
    }

    // The twin guardians sway in front of the ship and fire rings, fans and streams, then leave.
    for (int t = 0; t < 2; ++t) {
        const int g = TwinGuardian + t;
        s.MoveDuring({.slot = g, .dx = -4, .from = 6000, .to = 6064});
        // The upper one sways down first, the lower one up, so the two never meet.
        const int first = t == 0 ? 1 : -1;
        s.MoveDuring(
            {.slot = g,
             .dy = Arg::Cycle(
                 {.shift = 6064, .period = 128, .threshold = 63, .above = -first, .otherwise = first}),
             .from = 6064,
             .to = 7600});
        s.MoveDuring({.slot = g, .dx = -6, .from = 7600, .to = 8000});
        AngledRing(s, b,
                   {.carrier = g,
                    .shots = 16,
                    .angle = 11 * t,
                    .speed = 5,
                    .from = 6064,
                    .phase = 32 * t,
                    .every = 64});
        AimedFan(s, b,
                 {.carrier = g,
                  .shots = 5,
                  .spread = 10,
                  .speed = 8,
                  .from = 6064,
                  .phase = 16 + 32 * t,
                  .every = 64});
        TurningStream(s, b,
                      {.carrier = g,
                       .shots = 32,
                       .angle = t == 0 ? 90 : 270,
                       .turn = t == 0 ? 7 : -7,
                       .speed = 6,
                       .from = 6400,
                       .gap = 8,
                       .period = 256});
        DeathRing(s, b, g, 24, 4);
    }
    // From the twins' arrival to the escorts' departure divers drop from above in a scattered line,
    // firing as they fall.
    for (int k = 0; k < Divers; ++k) {
        const int diver = 1112 + k, start = 6160 + 80 * k;
        s.MoveDuring({.slot = diver, .dx = -1, .dy = 5, .from = start, .to = 9700});
        AimedFan(s, b,
                 {.carrier = diver,
                  .shots = 2,
                  .spread = 14,
                  .speed = 6,
                  .from = start + 8,
                  .phase = 8 * (k % 3),
                  .every = 24});
        DeathRing(s, b, diver, 4, 5);
    }
    // Eight escorts circle the middle, firing at the ship in turn.
    for (int k = 0; k < 8; ++k) {
        const int e = FirstEscort + k;
        s.CircleDuring({.slot = e,
                        .cx = 304,
                        .cy = 224,
                        .radius = 160,
                        .startAngle = 45 * k,
                        .angleStep = 2,
                        .from = 7700,
                        .to = 9500});
        s.MoveDuring({.slot = e, .dx = -8, .from = 9499, .to = 9600});
        AimedFan(
            s, b,
            {.carrier = e, .shots = 3, .spread = 15, .speed = 7, .from = 7700, .phase = 6 * k, .every = 48});
        DeathRing(s, b, e, 8, 4);
    }
    // Heavy guns hold the right of the screen around the twins and the escorts, so the middle of the
    // gauntlet stays thick however early the twins and the escorts fall.
    for (int c = 0; c < MiddleGuns; ++c) {
        const int gun = FirstMiddleGun + c, start = MiddleGunStart[c];
        s.MoveDuring({.slot = gun, .dx = -4, .from = start, .to = start + 40});
        s.MoveDuring({.slot = gun, .dx = -3, .dy = c % 2 == 0 ? -1 : 1, .from = start + 400, .to = 9700});
        AimedFan(s, guns,
                 {.carrier = gun,
                  .shots = 3,
                  .spread = 16,
                  .speed = 6,
                  .from = start + 40,
                  .phase = 8 * c % 48,
                  .every = 48});
        TurningStream(s, guns,
                      {.carrier = gun,
                       .shots = 24,
                       .angle = 120 + 40 * c,
                       .turn = c % 2 == 0 ? 10 : -10,
                       .speed = 5,
                       .from = start + 40,
                       .gap = 4,
                       .period = 144});
        DeathRing(s, guns, gun, 8, 5);
    }
    DriftItem(s, 801, 9000);
}

// Frames 9000 to the fortress's arrival: gunships, raiders, block rows, and heavy guns holding the
// last stretch.
void WriteGauntletSecond(ScriptBuilder& s, BulletCursor& b) {
    for (int c = 0; c < 4; ++c)
        MineCarrier(s, b, 2420 + c, 9032 + 4 * c, 8800 + 100 * c, c % 2 == 0 ? -1 : 1, 9 * c,
                    Stage10FortressStart);
    // Columns of gunships drift in while fast raiders dash through.
    for (int k = 0; k < 64; ++k) {
        const int ship = 5500 + k, start = 9400 + 32 * k;
        s.MoveDuring({.slot = ship, .dx = -2, .from = start, .to = Stage10FortressStart});
        AimedFan(s, b,
                 {.carrier = ship,
                  .shots = 3,
                  .spread = 16,
                  .speed = 6,
                  .from = start + 16,
                  .phase = 16 + k % 4 * 8,
                  .every = 48});
        DeathRing(s, b, ship, 6, 4);
    }
    for (int k = 0; k < 64; ++k) {
        const int raider = 6500 + k;
        s.MoveDuring({.slot = raider, .dx = -7, .from = 10000 + 24 * k, .to = Stage10FortressStart});
        FanOnce(s, b, {.carrier = raider, .shots = 1, .speed = 9, .from = 10000 + 24 * k, .phase = 20});
        DeathRing(s, b, raider, 4, 5);
    }
    DriftItem(s, 851, 11000);
    for (int k = 0; k < 32; ++k) {
        for (int row = 0; row < 2; ++row) {
            const int block = 4000 + 32 * row + k;
            s.MoveDuring(
                {.slot = block, .dx = -4, .from = 11600 + 500 * row + 16 * k, .to = Stage10FortressStart});
            s.DeathShot({.bullet = b.Take(1), .carrier = block});
        }
    }
    DriftItem(s, 901, 12400);
    // Four heavy guns take the four quarters of the screen in turn and turn their streams.
    for (int c = 0; c < 4; ++c) {
        const int gun = 2453 + c, start = 11400 + 400 * c;
        s.MoveDuring({.slot = gun, .dx = -4, .from = start, .to = start + 48});
        s.MoveDuring({.slot = gun, .dx = -4, .from = start + 560, .to = Stage10FortressStart});
        TurningStream(s, b,
                      {.carrier = gun,
                       .shots = 36,
                       .angle = 45 + 90 * c,
                       .turn = c % 2 == 0 ? 10 : -10,
                       .speed = 5,
                       .from = start + 48,
                       .gap = 4,
                       .period = 144});
        AngledRing(s, b,
                   {.carrier = gun,
                    .shots = 8,
                    .angle = 22 * c,
                    .speed = 6,
                    .from = start + 48,
                    .phase = 36,
                    .every = 72});
        DeathRing(s, b, gun, 16, 5);
    }
    for (int k = 0; k < 16; ++k)
        Swooper(s, b, 1096 + k, 9048 + k, 12400 + 40 * k, k % 2 == 0 ? 8 : -8, Stage10FortressStart);
}

void FreeFortressBullets(ScriptBuilder& s) {
    s.SetState(11144, 11223, StateDestroyed, true);
    s.SetState(13196, 13423, StateDestroyed, true);
    s.SetState(FortressRings, FortressRings + FortressRingCount - 1, StateDestroyed, true);
    s.SetState(FortressTriples, FortressTriples + FortressTripleCount - 1, StateDestroyed, true);
}

// The fortress, from its arrival to its time-out. Its gun parts must fall before its pods can; 32
// steps after the first pod bursts the clock moves on to the last boss's approach.
void WriteFortress(ScriptBuilder& s) {
    for (int slot = FirstPart; slot <= LastPart; ++slot)
        s.MoveDuring({.slot = slot, .dx = -4, .from = 13235, .to = Stage10FortressStart});
    for (int slot = FirstPod; slot <= LastPod; ++slot)
        s.MoveDuring({.slot = slot, .dx = -4, .from = 13235, .to = Stage10FortressStart});
    const int from = Stage10FortressStart;
    // Large bullets 11144..11223 from the parts, small ones 13196..13423 from the pods: the
    // time-out frees exactly these.
    for (int v = 0; v < 8; ++v) {
        for (int i = 0; i < 5; ++i)
            s.FireAimed({.bullet = 11144 + 5 * v + i,
                         .carrier = FirstPart,
                         .offset = 10 * i - 20,
                         .speed = 7,
                         .from = from,
                         .phase = 87 * v,
                         .period = FortressCycle});
    }
    for (int i = 0; i < 20; ++i) {
        s.FireAngled({.bullet = 11184 + i,
                      .carrier = FirstPart + 1,
                      .angle = 90 + 5 * i,
                      .speed = 6,
                      .from = from,
                      .phase = 200 + 4 * i,
                      .period = FortressCycle});
        s.FireAngled({.bullet = 11204 + i,
                      .carrier = FirstPart + 2,
                      .angle = 270 - 5 * i,
                      .speed = 6,
                      .from = from,
                      .phase = 450 + 4 * i,
                      .period = FortressCycle});
    }
    for (int p = 0; p < 4; ++p) {
        for (int r = 0; r < 3; ++r) {
            for (int i = 0; i < 19; ++i) {
                const int bullet = 13196 + 57 * p + 19 * r + i;
                s.FireAngled({.bullet = bullet,
                              .carrier = FirstPod + p,
                              .angle = 360 * i / 19 + 6 * r,
                              .speed = 4,
                              .from = from,
                              .phase = 100 + 200 * r + 8 * p,
                              .period = FortressCycle});
            }
        }
    }
    // Every part fires aimed triples of its own, and the pods ring between their rings, so the
    // fortress never falls silent whichever of its parts has gone.
    for (int part = 1; part < 3; ++part) {
        for (int v = 0; v < 7; ++v) {
            for (int i = 0; i < 3; ++i) {
                s.FireAimed({.bullet = FortressTriples + 21 * (part - 1) + 3 * v + i,
                             .carrier = FirstPart + part,
                             .offset = 15 * i - 15,
                             .speed = 6,
                             .from = from,
                             .phase = (50 * part + 100 * v) % FortressCycle,
                             .period = FortressCycle});
            }
        }
    }
    for (int p = 0; p < 4; ++p) {
        for (int r = 0; r < 4; ++r) {
            for (int i = 0; i < 12; ++i) {
                s.FireAngled({.bullet = FortressRings + 48 * p + 12 * r + i,
                              .carrier = FirstPod + p,
                              .angle = 30 * i + 15 * (r % 2),
                              .speed = 5,
                              .from = from,
                              .phase = 200 * r + 8 * p,
                              .period = FortressCycle});
            }
        }
    }
    s.WhileAllDestroyed(FirstPart, LastPart, [&] { s.SetState(FirstPod, LastPod, StateDestroyed); });
    s.AtFrame(FortressTimeOut, [&] {
        s.SetState(FirstPod, LastPod, StateDestroyed);
        s.SetState(FirstPart, LastPart, StateDestroyed);
        FreeFortressBullets(s);
    });
    // The fortress's shots go with it, since its calls end with the jump.
    s.AtDeadTime(FirstPod, 32, [&] {
        FreeFortressBullets(s);
        s.SetStageFrame(Stage10AfterFortress);
    });
}

}  // namespace

void WriteStage10(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    // Each section runs only over its own stretch, which ends when its objects and their shots have
    // all left the screen, so sections that never meet share bullet slots. The fortress owns
    // 11144..11223 and 13196..13423, which the second gauntlet, running into its arrival, steps round.
    BulletCursor race{11000};
    BulletCursor first{15624};
    BulletCursor second{11224};
    BulletCursor mines{10000};
    BulletCursor middleGuns{13424};
    s.FramesIn(INT_MIN, 5600, [&] { WriteRace(s, race); });
    s.FramesIn(4000, 9800, [&] { WriteGauntletFirst(s, first, mines, middleGuns); });
    s.FramesIn(8800, 14000, [&] { WriteGauntletSecond(s, second); });
    s.FramesIn(13200, Stage10AfterFortress - 1, [&] { WriteFortress(s); });
    WriteStage10Boss(s, RowOf(Stage10Scene).Fight);
}

}  // namespace veltrano
