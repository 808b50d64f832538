// Stage 10: a race over a fast ground with two bonus gun groups, a long gauntlet of guardians under
// the boss theme, a fortress mid-boss whose fall moves the clock on to the last boss, and the last
// boss itself.
#include <climits>

#include "stages/LateWaves.h"
#include "stages/Scenes.h"
#include "stages/stage10/Stage10Boss.h"

namespace veltrano {

namespace {

constexpr int TwinGuardian = 20;  // 20 and 21
constexpr int FirstEscort = 22;
constexpr int FirstPod = 5002, LastPod = 5005;
constexpr int FirstPart = 2491, LastPart = 2493;
constexpr int FortressStart = 13300, FortressTimeOut = 17300, FortressCycle = 700;
constexpr int FallingGun = 2450;

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
    PlaceStage10Boss(s);
}

// The ground runs too fast here for an item to be caught, so items drift in at their own pace.
void DriftItem(ScriptBuilder& s, int item, int from) {
    s.MoveDuring(item, -4, 0, from, from + 400);
}

// Frames 0..4000: the race, with the two bonus gun groups.
void WriteRace(ScriptBuilder& s, BulletCursor& b) {
    FlightOf(s, b, 1000, 8, {-8, 0, 64, 96}, {-4, 6, 96, 128}, {-10, 0, 128, 0});
    FlightOf(s, b, 1008, 8, {-8, 0, 64, 96}, {-4, -6, 96, 128}, {-10, 0, 128, 0});
    DriftItem(s, 800, 400);
    for (int k = 0; k < 16; ++k) s.SinkDuring(3000 + k, 700 + 24 * k, 4000);
    FlightOf(s, b, 1016, 8, {-10, 0, 1100, 1140}, {0, 0, 1140, 1180}, {-10, 4, 1180, 0});
    FlightOf(s, b, 1024, 8, {-10, 0, 1100, 1140}, {0, 0, 1140, 1180}, {-10, -4, 1180, 0});

    // Gun groups glide in, hold their row and fire, then leave.
    for (int group = 0; group < 4; ++group) {
        const int start = 1600 + 1000 * group;
        for (int k = 0; k < 4; ++k) {
            const int gun = 2400 + 4 * group + k;
            s.MoveDuring(gun, -4, 0, start + 16 * k, start + 16 * k + 60);
            s.MoveDuring(gun, -4, 0, start + 480, 8000);
            const int bullet = b.Take(2);
            s.FireAimed(bullet, gun, 0, 16 * k, 64, start, 6);
            s.FireAimed(bullet + 1, gun, 0, (16 * k + 32) % 64, 64, start, 6);
        }
    }
    s.BonusCheck(1967, 2400, 2403, 1, 20000);
    s.WhileFlag(1, [&] {
        s.MoveDuring(FallingGun, 0, 2, 1968, 4000);
        const int bullet = b.Take(12);
        for (int i = 0; i < 12; ++i) s.FireAngled(bullet + i, FallingGun, 30 * i + 15, 0, 64, 1968, 4);
    });
    DriftItem(s, 850, 2800);
    s.BonusCheck(3935, 2408, 2411, 2, 20000);
    s.WhileFlag(2, [&] {
        for (int h = 0; h < 8; ++h) {
            s.MoveDuring(1512 + h, 4, 10, 3936 + 4 * h, 4200);
            s.DeathShot(b.Take(1), 1512 + h, 0, 1, 8);
        }
    });
}

// Frames 4000..13300: the gauntlet under the boss theme.
void WriteGauntlet(ScriptBuilder& s, BulletCursor& b, BulletCursor& mines) {
    // Sixteen flights of eight small fliers, alternating their turn up and down.
    for (int n = 0; n < 16; ++n) {
        const int start = 4100 + 112 * n, dy = n % 2 == 0 ? 5 : -5;
        FlightOf(s, b, 8000 + 8 * n, 8, {-8, 0, start, start + 40}, {-2, dy, start + 40, start + 72},
                 {-8, 0, start + 72, 0}, 8000);
    }
    for (int k = 0; k < 16; ++k) {
        s.MoveDuring(3500 + k, -3, 0, 4600 + 32 * k, 8000);
        MineOf(s, mines, 3500 + k);
    }
    DriftItem(s, 900, 5200);

    // The twin guardians sway in front of the ship and fire rings and fans, then leave.
    for (int t = 0; t < 2; ++t) {
        const int g = TwinGuardian + t;
        s.MoveDuring(g, -4, 0, 6000, 6064);
        // The upper one sways down first, the lower one up, so the two never meet.
        const int first = t == 0 ? 1 : -1;
        s.MoveDuring(g, 0, Arg::Cycle(6064, 128, 63, -first, first), 6064, 7600);
        s.MoveDuring(g, -6, 0, 7600, 8000);
        const int ring = b.Take(16);
        for (int i = 0; i < 16; ++i) s.FireAngled(ring + i, g, 360 * i / 16 + 11 * t, 64 * t, 128, 6064, 5);
        const int fan = b.Take(5);
        for (int i = 0; i < 5; ++i) s.FireAimed(fan + i, g, 10 * i - 20, 32 + 64 * t, 128, 6064, 8);
        DeathRing(s, b, g, 24, 4);
    }
    // Eight escorts circle the middle, firing at the ship in turn.
    for (int k = 0; k < 8; ++k) {
        const int e = FirstEscort + k;
        s.CircleDuring(e, 304, 224, 160, 45 * k, 2, 7700, 9500);
        s.MoveDuring(e, -8, 0, 9499, 9600);
        const int bullet = b.Take(3);
        for (int i = 0; i < 3; ++i) s.FireAimed(bullet + i, e, 15 * i - 15, 16 * k, 128, 7700, 7);
        s.DeathShot(b.Take(1), e);
    }
    DriftItem(s, 801, 9000);

    // Columns of gunships drift in while fast raiders dash through.
    for (int k = 0; k < 64; ++k) {
        const int ship = 5500 + k, start = 9600 + 32 * k;
        s.MoveDuring(ship, -2, 0, start, 13300);
        const int bullet = b.Take(2);
        s.FireAimed(bullet, ship, 8, 48 + k % 4 * 8, 96, start, 6);
        s.FireAimed(bullet + 1, ship, -8, 48 + k % 4 * 8, 96, start, 6);
    }
    for (int k = 0; k < 64; ++k) {
        const int raider = 6500 + k;
        s.MoveDuring(raider, -7, 0, 10000 + 24 * k, 13300);
        DeathRing(s, b, raider, 4, 5);
    }
    DriftItem(s, 851, 11000);
    for (int k = 0; k < 32; ++k) {
        for (int row = 0; row < 2; ++row) {
            const int block = 4000 + 32 * row + k;
            s.MoveDuring(block, -4, 0, 11600 + 500 * row + 16 * k, 13300);
            s.DeathShot(b.Take(1), block, 0, 1, 6);
        }
    }
    DriftItem(s, 901, 12400);
}

void FreeFortressBullets(ScriptBuilder& s) {
    s.SetState(11144, 11223, StateDestroyed, true);
    s.SetState(13196, 13423, StateDestroyed, true);
}

// Frames 13300..17300: the fortress. Its gun parts must fall before its pods can; 32 steps after the
// first pod bursts the clock moves on to the last boss's approach.
void WriteFortress(ScriptBuilder& s) {
    for (int slot = FirstPart; slot <= LastPart; ++slot) s.MoveDuring(slot, -4, 0, 13235, 13300);
    for (int slot = FirstPod; slot <= LastPod; ++slot) s.MoveDuring(slot, -4, 0, 13235, 13300);
    const int from = FortressStart;
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
    s.WhileAllDestroyed(FirstPart, LastPart, [&] { s.SetState(FirstPod, LastPod, StateDestroyed); });
    s.AtFrame(FortressTimeOut, [&] {
        s.SetState(FirstPod, LastPod, StateDestroyed);
        s.SetState(FirstPart, LastPart, StateDestroyed);
        FreeFortressBullets(s);
    });
    // The fortress's shots go with it, since its calls end with the jump.
    s.AtDeadTime(FirstPod, 32, [&] {
        FreeFortressBullets(s);
        s.SetStageFrame(19888);
    });
}

}  // namespace

void WriteStage10(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    // The fortress owns 11144..11223, so the waves before it stop short of it and go on after it.
    BulletCursor early{11000};
    BulletCursor later{11224};
    BulletCursor mines{10000};
    // Each section runs only over its own stretch, which ends when its objects and their shots
    // have all left the screen.
    s.FramesIn(INT_MIN, 5600, [&] { WriteRace(s, early); });
    s.FramesIn(4000, 14000, [&] { WriteGauntlet(s, later, mines); });
    s.FramesIn(13200, 19887, [&] { WriteFortress(s); });
    WriteStage10Boss(s, RowOf(Stage10Scene).Fight);
}

}  // namespace veltrano
