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
    s.Layers(-8, -8, -16, 0, 0, -2);
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
    s.Place(2400, 16, 640, Coord::Rand(13, 32, 32));
    s.Place(3000, 16, Coord::Rand(20, 0, 32), -32);
    s.Place(3500, 16, 640, Coord::Rand(15, 0, 32));
    s.Place(4000, 32, 640, Coord::Rand(15, 0, 32));
    s.Place(4032, 32, 640, Coord::Rand(15, 0, 32));

    s.Place(1000, 8, 640, 32);
    s.Place(1008, 8, 640, 432);
    s.Place(1016, 8, 640, 96);
    s.Place(1024, 8, 640, 368);
    s.Place(1512, 8, Coord::Per(0, 32), -16);
    s.Place(FallingGun, 304, -64);
    s.Place(TwinGuardian, 640, 96);
    s.Place(TwinGuardian + 1, 640, 352);
    s.Place(FirstEscort, 8, 640, 224);
    for (int k = 0; k < 128; ++k) s.Place(8000 + k, 640, 32 + 48 * (k / 8 % 8));
    for (int k = 0; k < 64; ++k) s.Place(5500 + k, 640, 32 + 64 * (k % 7));
    s.Place(6500, 64, 640, Coord::Per(16, 6));
    // The fortress: four shot-proof pods in a square behind three gun parts.
    s.Place(FirstPod, 2, Coord::Per(736, 32), 192);
    s.Place(FirstPod + 2, 2, Coord::Per(736, 32), 224);
    s.Place(FirstPart, 704, 208);
    s.Place(FirstPart + 1, 752, 144);
    s.Place(FirstPart + 2, 752, 272);
    for (int slot : {800, 850, 900, 801, 851, 901}) s.Place(slot, 640, 224);
    // Our own sets: fliers at the edges, heavy guns, carriers, ring ships and the pincer's gunners.
    s.Place(1040, 16, 640, Coord::Per(40, 24));
    for (int k = 0; k < 16; ++k) s.Place(1056 + k, 640, 32 + 53 * k % 400);
    s.Place(1072, 4, -16, 48);
    s.Place(1076, 4, 640, 400);
    for (int k = 0; k < 32; ++k) s.Place(1080 + k, 480 - 64 * (k / 16), k % 2 == 0 ? -16 : 480);
    s.Place(1800, 8, Coord::Per(608, -16), -32);
    s.Place(1808, 8, Coord::Per(608, -16), 480);
    s.Place(2416, 4, 640, Coord::Per(96, 96));
    s.Place(2420, 4, 640, Coord::Per(96, 96));
    s.Place(2451, 640, 32);
    s.Place(2452, 640, 416);
    s.Place(2453, 4, 640, Coord::Per(48, 112));
    s.Place(5564, 4, 640, Coord::Per(96, 96));
    s.Place(FirstMiddleGun, MiddleGuns, 640, Coord::Per(64, 48));
    for (int k = 0; k < Divers; ++k) s.Place(1112 + k, 160 + 97 * k % 440, -16);
    for (int w = 0; w < 2; ++w) s.Place(4064 + 8 * w, 8, 640, Coord::Per(16, 56));
    PlaceStage10Boss(s);
}

// The ground runs too fast here for an item to be caught, so items drift in at their own pace.
void DriftItem(ScriptBuilder& s, int item, int from) {
    s.MoveDuring(item, -4, 0, from, from + 400);
}

// The race's opening: two flights of eight fan out from the edges, firing fans at the ship.
void WriteOpeningFlights(ScriptBuilder& s, BulletCursor& b) {
    FlightOf(s, b, 1000, 8, {-8, 0, 64, 96}, {-4, 6, 96, 128}, {-10, 0, 128, 0});
    FlightOf(s, b, 1008, 8, {-8, 0, 64, 96}, {-4, -6, 96, 128}, {-10, 0, 128, 0});
    for (int k = 0; k < 8; ++k) {
        AimedFan(s, b, 1000 + k, 2, 16, (4 * k) % 32, 32, 80 + 4 * k, 7);
        AimedFan(s, b, 1008 + k, 2, 16, (4 * k + 16) % 32, 32, 80 + 4 * k, 7);
    }
    DriftItem(s, 800, 400);
}

// Four pairs spiral in on the middle and out again, firing at the ship.
void WriteSpiralPairs(ScriptBuilder& s, BulletCursor& b) {
    for (int p = 0; p < 4; ++p) {
        const int pair = 1032 + 2 * p, start = 200 + 60 * p;
        SpiralPair(s, pair, 420, 224, 3, p % 2 == 0 ? 90 : 270, start, start + 110, 4000);
        for (int m = 0; m < 2; ++m) {
            AimedFan(s, b, pair + m, 1, 0, 8 * m, 20, start + 30, 6);
            s.DeathShot(b.Take(1), pair + m);
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
            s.MoveDuring(block, -2, 0, start, 4000);
            s.FireStraight(b.Take(1), block, start + 16, 4 * k % 32, 32, 0, -6);
            s.FireStraight(b.Take(1), block, start + 16, (4 * k + 16) % 32, 32, 0, -6);
            DeathRing(s, b, block, 6, 4);
        }
    }
}

// Dashers in a staircase, each with a fan of three on the way, then the debris falls.
void WriteDashersAndDebris(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 16; ++k) {
        const int dasher = 1040 + k, start = 440 + 24 * k;
        s.MoveDuring(dasher, -8, 0, start, 4000);
        FanOnce(s, b, dasher, start, 16, 3, 20, 7);
        s.DeathShot(b.Take(1), dasher);
    }
    for (int k = 0; k < 16; ++k) {
        s.SinkDuring(3000 + k, 700 + 24 * k, 4000);
        s.FireStraight(b.Take(1), 3000 + k, 708 + 24 * k, 8 * k % 16, 16, 0, -8);
        DeathRing(s, b, 3000 + k, 6, 4);
    }
}

// Chasers hunt the ship's row while the debris falls; two more flights close in behind them.
void WriteChasersAndFlights(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 16; ++k) {
        const int chaser = 1056 + k, start = 760 + 32 * k;
        s.ChaseRow(chaser, start, 5);
        FanOnce(s, b, chaser, start, 32, 2, 24, 6);
        DeathRing(s, b, chaser, 4, 5);
    }
    FlightOf(s, b, 1016, 8, {-10, 0, 1100, 1140}, {0, 0, 1140, 1180}, {-10, 4, 1180, 0});
    FlightOf(s, b, 1024, 8, {-10, 0, 1100, 1140}, {0, 0, 1140, 1180}, {-10, -4, 1180, 0});
    for (int k = 0; k < 8; ++k) {
        AimedFan(s, b, 1016 + k, 3, 12, 8 * (k % 2), 16, 1140 + 4 * k, 6);
        AimedFan(s, b, 1024 + k, 3, 12, 8 * (1 - k % 2), 16, 1140 + 4 * k, 6);
    }
}

// Two heavy guns hold the corners and turn streams against each other.
void WriteCornerGuns(ScriptBuilder& s, BulletCursor& b) {
    for (int c = 0; c < 2; ++c) {
        const int gun = 2451 + c, start = 1280 + 40 * c;
        s.MoveDuring(gun, -4, 0, start, start + 40);
        s.MoveDuring(gun, -4, c == 0 ? -1 : 1, 2520, 4000);
        TurningStream(s, b, gun, 36, 90 + 180 * c, c == 0 ? 10 : -10, 4, 144, start + 40, 5);
        AimedFan(s, b, gun, 3, 20, 24 * c, 48, start + 40, 7);
        DeathRing(s, b, gun, 16, 5);
    }
}

// Gun groups glide in, hold their row and fire, then leave. The whole first group shot down lets
// the falling gun drop with its ring.
void WriteGunGroups(ScriptBuilder& s, BulletCursor& b) {
    for (int group = 0; group < 4; ++group) {
        const int start = 1600 + 1000 * group;
        for (int k = 0; k < 4; ++k) {
            const int gun = 2400 + 4 * group + k;
            s.MoveDuring(gun, -4, 0, start + 16 * k, start + 16 * k + 60);
            s.MoveDuring(gun, -4, 0, start + 480, 8000);
            AimedFan(s, b, gun, 3, 14, 16 * k % 48, 48, start + 16 * k + 16, 6);
        }
    }
    s.BonusCheck(1967, 2400, 2403, 1, 20000);
    s.WhileFlag(1, [&] {
        s.MoveDuring(FallingGun, 0, 2, 1968, 4000);
        const int bullet = b.Take(12);
        for (int i = 0; i < 12; ++i) s.FireAngled(bullet + i, FallingGun, 30 * i + 15, 0, 64, 1968, 4);
    });
}

// Side gunners cross in from both edges after the first group, firing fans that close in; mine
// carriers and swoopers follow.
void WriteSideGunnersAndMines(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 4; ++k) {
        const int left = 1072 + k, right = 1076 + k, start = 2140 + 24 * k;
        s.Path(left, {{6, 0, start, start + 32}, {2, 4, start + 32, 4000}});
        s.Path(right, {{-6, 0, start, start + 32}, {-2, -4, start + 32, 4000}});
        AimedFan(s, b, left, 3, 10, 8 * k % 32, 32, start + 8, 6);
        AimedFan(s, b, right, 3, 10, (8 * k + 16) % 32, 32, start + 8, 6);
    }
    for (int c = 0; c < 4; ++c)
        MineCarrier(s, b, 2416 + c, 9000 + 4 * c, 2480 + 160 * c, c % 2 == 0 ? 1 : -1, 9 * c, 4000);
    DriftItem(s, 850, 2800);
    for (int k = 0; k < 16; ++k) Swooper(s, b, 1080 + k, 9016 + k, 3100 + 28 * k, k % 2 == 0 ? 8 : -8, 4000);
}

// The whole second gun group shot down lets a hail of eight fall on the ship.
void WriteSecondGroupBonus(ScriptBuilder& s, BulletCursor& b) {
    s.BonusCheck(3935, 2408, 2411, 2, 20000);
    s.WhileFlag(2, [&] {
        for (int h = 0; h < 8; ++h) {
            s.MoveDuring(1512 + h, 4, 10, 3936 + 4 * h, 4200);
            s.DeathShot(b.Take(1), 1512 + h, 0, 1, 8);
        }
    });
}

// Ring ships come in pairs between the last two gun groups.
void WriteRingShips(ScriptBuilder& s, BulletCursor& b) {
    for (int k = 0; k < 4; ++k) {
        const int ship = 5564 + k, start = 3440 + 160 * k;
        s.MoveDuring(ship, -3, 0, start, start + 64);
        s.MoveDuring(ship, -3, k % 2 == 0 ? 2 : -2, start + 560, 6000);
        AngledRing(s, b, ship, 12, 15 * k, 8 * k, 48, start + 32, 4);
        AimedFan(s, b, ship, 3, 30, 24, 48, start + 32, 7);
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
    for (int k = 0; k < 8; ++k) FanOnce(s, b, first + k, start + 4 * k, 24 + 2 * (k % 4), 1, 0, 7);
}

// Frames 4000..9600: flights, mines, the twin guardians and the circling escorts.
void WriteGauntletFirst(ScriptBuilder& s, BulletCursor& b, BulletCursor& mines, BulletCursor& guns) {
    for (int n = 0; n < 16; ++n) GauntletFlight(s, b, n);
    for (int k = 0; k < 16; ++k) {
        s.MoveDuring(3500 + k, -3, 0, 4600 + 32 * k, 8000);
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
        s.FireStraight(b.Take(1), top, start + 24, 16 * k % 32, 32, 4, -4);
        s.FireStraight(b.Take(1), bottom, start + 24, (16 * k + 16) % 32, 32, -4, -4);
        AimedFan(s, b, top, 2, 20, 8, 48, start + 24, 6);
        AimedFan(s, b, bottom, 2, 20, 32, 48, start + 24, 6);
    }

    // The twin guardians sway in front of the ship and fire rings, fans and streams, then leave.
    for (int t = 0; t < 2; ++t) {
        const int g = TwinGuardian + t;
        s.MoveDuring(g, -4, 0, 6000, 6064);
        // The upper one sways down first, the lower one up, so the two never meet.
        const int first = t == 0 ? 1 : -1;
        s.MoveDuring(g, 0, Arg::Cycle(6064, 128, 63, -first, first), 6064, 7600);
        s.MoveDuring(g, -6, 0, 7600, 8000);
        AngledRing(s, b, g, 16, 11 * t, 32 * t, 64, 6064, 5);
        AimedFan(s, b, g, 5, 10, 16 + 32 * t, 64, 6064, 8);
        TurningStream(s, b, g, 32, t == 0 ? 90 : 270, t == 0 ? 7 : -7, 8, 256, 6400, 6);
        DeathRing(s, b, g, 24, 4);
    }
    // From the twins' arrival to the escorts' departure divers drop from above in a scattered line,
    // firing as they fall.
    for (int k = 0; k < Divers; ++k) {
        const int diver = 1112 + k, start = 6160 + 80 * k;
        s.MoveDuring(diver, -1, 5, start, 9700);
        AimedFan(s, b, diver, 2, 14, 8 * (k % 3), 24, start + 8, 6);
        DeathRing(s, b, diver, 4, 5);
    }
    // Eight escorts circle the middle, firing at the ship in turn.
    for (int k = 0; k < 8; ++k) {
        const int e = FirstEscort + k;
        s.CircleDuring(e, 304, 224, 160, 45 * k, 2, 7700, 9500);
        s.MoveDuring(e, -8, 0, 9499, 9600);
        AimedFan(s, b, e, 3, 15, 6 * k, 48, 7700, 7);
        DeathRing(s, b, e, 8, 4);
    }
    // Heavy guns hold the right of the screen around the twins and the escorts, so the middle of the
    // gauntlet stays thick however early the twins and the escorts fall.
    for (int c = 0; c < MiddleGuns; ++c) {
        const int gun = FirstMiddleGun + c, start = MiddleGunStart[c];
        s.MoveDuring(gun, -4, 0, start, start + 40);
        s.MoveDuring(gun, -3, c % 2 == 0 ? -1 : 1, start + 400, 9700);
        AimedFan(s, guns, gun, 3, 16, 8 * c % 48, 48, start + 40, 6);
        TurningStream(s, guns, gun, 24, 120 + 40 * c, c % 2 == 0 ? 10 : -10, 4, 144, start + 40, 5);
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
        s.MoveDuring(ship, -2, 0, start, Stage10FortressStart);
        AimedFan(s, b, ship, 3, 16, 16 + k % 4 * 8, 48, start + 16, 6);
        DeathRing(s, b, ship, 6, 4);
    }
    for (int k = 0; k < 64; ++k) {
        const int raider = 6500 + k;
        s.MoveDuring(raider, -7, 0, 10000 + 24 * k, Stage10FortressStart);
        FanOnce(s, b, raider, 10000 + 24 * k, 20, 1, 0, 9);
        DeathRing(s, b, raider, 4, 5);
    }
    DriftItem(s, 851, 11000);
    for (int k = 0; k < 32; ++k) {
        for (int row = 0; row < 2; ++row) {
            const int block = 4000 + 32 * row + k;
            s.MoveDuring(block, -4, 0, 11600 + 500 * row + 16 * k, Stage10FortressStart);
            s.DeathShot(b.Take(1), block, 0, 1, 6);
        }
    }
    DriftItem(s, 901, 12400);
    // Four heavy guns take the four quarters of the screen in turn and turn their streams.
    for (int c = 0; c < 4; ++c) {
        const int gun = 2453 + c, start = 11400 + 400 * c;
        s.MoveDuring(gun, -4, 0, start, start + 48);
        s.MoveDuring(gun, -4, 0, start + 560, Stage10FortressStart);
        TurningStream(s, b, gun, 36, 45 + 90 * c, c % 2 == 0 ? 10 : -10, 4, 144, start + 48, 5);
        AngledRing(s, b, gun, 8, 22 * c, 36, 72, start + 48, 6);
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
        s.MoveDuring(slot, -4, 0, 13235, Stage10FortressStart);
    for (int slot = FirstPod; slot <= LastPod; ++slot) s.MoveDuring(slot, -4, 0, 13235, Stage10FortressStart);
    const int from = Stage10FortressStart;
    // Large bullets 11144..11223 from the parts, small ones 13196..13423 from the pods: the
    // time-out frees exactly these.
    for (int v = 0; v < 8; ++v) {
        for (int i = 0; i < 5; ++i)
            s.FireAimed(11144 + 5 * v + i, FirstPart, 10 * i - 20, 87 * v, FortressCycle, from, 7);
    }
    for (int i = 0; i < 20; ++i) {
        s.FireAngled(11184 + i, FirstPart + 1, 90 + 5 * i, 200 + 4 * i, FortressCycle, from, 6);
        s.FireAngled(11204 + i, FirstPart + 2, 270 - 5 * i, 450 + 4 * i, FortressCycle, from, 6);
    }
    for (int p = 0; p < 4; ++p) {
        for (int r = 0; r < 3; ++r) {
            for (int i = 0; i < 19; ++i) {
                const int bullet = 13196 + 57 * p + 19 * r + i;
                s.FireAngled(bullet, FirstPod + p, 360 * i / 19 + 6 * r, 100 + 200 * r + 8 * p, FortressCycle,
                             from, 4);
            }
        }
    }
    // Every part fires aimed triples of its own, and the pods ring between their rings, so the
    // fortress never falls silent whichever of its parts has gone.
    for (int part = 1; part < 3; ++part) {
        for (int v = 0; v < 7; ++v) {
            for (int i = 0; i < 3; ++i) {
                s.FireAimed(FortressTriples + 21 * (part - 1) + 3 * v + i, FirstPart + part, 15 * i - 15,
                            (50 * part + 100 * v) % FortressCycle, FortressCycle, from, 6);
            }
        }
    }
    for (int p = 0; p < 4; ++p) {
        for (int r = 0; r < 4; ++r) {
            for (int i = 0; i < 12; ++i) {
                s.FireAngled(FortressRings + 48 * p + 12 * r + i, FirstPod + p, 30 * i + 15 * (r % 2),
                             200 * r + 8 * p, FortressCycle, from, 5);
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
