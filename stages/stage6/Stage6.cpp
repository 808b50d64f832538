// Stage 6: platforms that carry their own gunners, fliers spiralling into the middle, guns that rise
// from below, sweeping turrets with single-target bonuses, runners that burst at the left edge, and
// a boss behind shield plates with two pylons.
#include "engine/Enemys.h"
#include "stages/Scenes.h"
#include "stages/stage6/Stage6Boss.h"

namespace veltrano {

namespace {

// After stage 5's closing run the stage opens early, while the leftover foreground scrolls away.
constexpr int StartAfterClosing = -96;

// Stage 5's closing run leaves the foreground switched on; nothing else does.
void StartEarlyAfterTheClosingRun() {
    if (ForegroundTileOn[0] == 1) StageFrame = StartAfterClosing;
}

// A foreground tile, once it has scrolled off the left edge, is not drawn again when it wraps round.
void ForgetPassedForeground() {
    for (int i = 0; i < TileCount; ++i) {
        if (Layer3TileX[i] < -79) ForegroundTileOn[i] = 0;
    }
}

// The extra ship comes only to a player who holds both options: it drifts in from frame 4608.
void MoveRewardItemWithBothOptions() {
    constexpr int RewardItem = FirstExtraShipItemSlot, From = 4608, To = 8000;
    if (Option2On == 1) MoveDuring(RewardItem, -2, 0, From, To);
}

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -4, .layer2X = -8, .layer3X = -20});
    s.Boss(Stage6Boss);
    s.Flags(9);
    s.InitHook(StartEarlyAfterTheClosingRun);

    s.HitPoints(Stage6Boss, Stage6Boss, 300);
    s.DefaultHitPoints(FirstObjectSlot, FirstHeavyCraftSlot - 1);
    s.HitPoints(2400, 2419, 10);
    WriteStage6BossParts(s);

    s.Place({.first = 1500, .count = 4, .x = -16, .y = 0});
    s.Place({.first = 1504, .count = 4, .x = -16, .y = 464});
    s.Place({.first = 1508, .count = 4, .x = FieldWidth * 3 / 4, .y = -16});
    s.Place({.first = 1512, .count = 4, .x = FieldWidth * 3 / 4, .y = FieldHeight});
    s.Place({.first = 1516, .count = 4, .x = 560, .y = -16});
    s.Place({.first = 1520, .count = 4, .x = 560, .y = FieldHeight});
    s.Place({.first = 1524, .count = 4, .x = FieldWidth * 3 / 4, .y = -16});
    s.Place({.first = 1528, .count = 4, .x = FieldWidth * 3 / 4, .y = FieldHeight});
    s.Place({.first = 1800, .count = 16, .x = FieldWidth, .y = 0});
    s.Place({.first = 1816, .count = 8, .x = 0, .y = FieldHeight});
    // The four groups of rising guns come up from below the right half of the screen.
    for (int base = 2000; base < 2016; base += 4)
        s.Place({.first = base, .count = 4, .x = Coord::Per(512, 32), .y = FieldHeight});
    s.Place({.first = 2016, .count = 4, .x = FieldWidth, .y = Coord::Rand(448)});
    s.Place({.first = 2020, .count = 16, .x = 0, .y = -32});
    s.Place({.first = 2400, .count = 4, .x = 656, .y = Coord::Per(64, 96)});
    s.Place({.first = 2404, .count = 4, .x = 0, .y = FieldHeight});
    s.Place({.first = 2408, .count = 4, .x = FieldWidth, .y = 192});
    s.Place({.first = 2412, .count = 4, .x = FieldWidth, .y = 256});
    s.Place({.first = 3000, .count = 4, .x = Coord::Per(0, 32), .y = -32});
    s.Place({.first = 4000, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 4004, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 4008, .count = 4, .x = FieldWidth, .y = 224});
    s.Place({.first = 4012, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 4016, .count = 4, .x = FieldWidth, .y = 448});
    for (int item : {800, 801, 802, 850, 851, 852, 900, 902, 903, 950}) s.Place(item, FieldWidth, 224);
    // The boss waits with all its parts beyond the right edge.
    s.Place(Stage6Boss, 704, 224);
}

// Gunners ride a platform; when the platform goes, they go with it.
void FallWithPlatform(ScriptBuilder& s, int platform, std::initializer_list<int> gunners) {
    s.WhileAllDestroyed(platform, platform, [&] {
        for (int g : gunners) s.SetState(g, g, StateDestroyed);
    });
}

void WriteFirstPlatforms(ScriptBuilder& s) {
    for (int j = 0; j < 4; ++j) {
        const int platform = 2400 + j;
        s.MoveDuring({.slot = platform, .dx = -2, .from = 96 + 64 * j, .to = 4000});
        s.PlaceRelative(1800 + j, platform, -16, -32);
        s.PlaceRelative(1804 + j, platform, -16, -16);
        s.PlaceRelative(1808 + j, platform, -16, 32);
        s.PlaceRelative(1812 + j, platform, -16, 48);
        FallWithPlatform(s, platform, {1800 + j, 1804 + j, 1808 + j, 1812 + j});
        for (int k = 0; k < 4; ++k) {
            for (int l = 0; l < 2; ++l) {
                const int gunner = 1800 + j + 4 * k;
                const int n = j + 4 * k + 16 * l;
                for (int m = 0; m < 4; ++m) {
                    s.FireAimed({.bullet = 11000 + n + 64 * m,
                                 .carrier = gunner,
                                 .offset = 20,
                                 .speed = 8,
                                 .from = 0,
                                 .phase = 64 * l + 4 * m,
                                 .period = 128});
                    s.FireAimed({.bullet = 11032 + n + 64 * m,
                                 .carrier = gunner,
                                 .offset = -20,
                                 .speed = 8,
                                 .from = 0,
                                 .phase = 64 * l + 4 * m,
                                 .period = 128});
                }
                const int phase = 4 * k + 64 * l + 16;
                s.FireAimed({.bullet = 15000 + n,
                             .carrier = platform,
                             .speed = 6,
                             .from = 0,
                             .phase = phase,
                             .period = 128});
                s.FireAimed({.bullet = 15032 + n,
                             .carrier = platform,
                             .offset = 15,
                             .speed = 6,
                             .from = 0,
                             .phase = phase,
                             .period = 128});
                s.FireAimed({.bullet = 15064 + n,
                             .carrier = platform,
                             .offset = -15,
                             .speed = 6,
                             .from = 0,
                             .phase = phase,
                             .period = 128});
            }
        }
    }

    // Two rings of twelve spiral in on a radius that shrinks by 4 every step and goes through the
    // middle to the far side.
    s.BonusCheck({.first = 2400, .last = 2403, .frame = 471, .flag = 1, .points = 20000});
    s.WhileFlag(1, [&] {
        for (int k = 0; k < 12; ++k) {
            s.CircleDuring({.slot = 1000 + k,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 564, -4),
                            .startAngle = 30 * k,
                            .angleStep = -1,
                            .from = 472,
                            .to = 4000});
            s.CircleDuring({.slot = 1012 + k,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 656, -4),
                            .startAngle = 30 * k,
                            .angleStep = 1,
                            .from = 564,
                            .to = 4000});
        }
    });
    s.MoveDuring({.slot = 800, .dx = -2, .from = 656, .to = 4000});

    for (int k = 0; k < 4; ++k) {
        const int a = 720 + 24 * k;
        s.Path(1500 + k, {{6, 0, 656 + 16 * k, a}, {4, 4, a, 4000}});
        s.Path(1504 + k, {{6, 0, 656 + 16 * k, a}, {4, -4, a, 4000}});
        for (int l = 0; l < 4; ++l) {
            for (int m = 0; m < 3; ++m) {
                const int n = k + 4 * l + 16 * m;
                s.FireAimed({.bullet = 11256 + n,
                             .carrier = 1500 + k,
                             .offset = 2 - 2 * m,
                             .speed = 2 * l + 2,
                             .from = 0,
                             .period = a});
                s.FireAimed({.bullet = 11304 + n,
                             .carrier = 1504 + k,
                             .offset = 2 - 2 * m,
                             .speed = 2 * l + 2,
                             .from = 0,
                             .period = a});
            }
        }
    }
}

// The gunners of the climbing platforms shoot on their own slots: the slots these volleys were first
// given are the ones the bonus divers after them use.
constexpr int ClimbingGunnerShots = 11624;

void WriteClimbingPlatforms(ScriptBuilder& s) {
    for (int l = 0; l < 4; ++l) {
        const int platform = 2404 + l;
        s.Path(platform, {{4, -1, 960 + 64 * l, 1088 + 64 * l}, {1, -4, 1088 + 64 * l, 4000}});
        s.PlaceRelative(1816 + l, platform, -16, 32);
        s.PlaceRelative(1820 + l, platform, -32, 48);
        FallWithPlatform(s, platform, {1816 + l, 1820 + l});
        for (int m = 0; m < 2; ++m) {
            const int gunner = 1816 + l + 4 * m;
            for (int d = 0; d < 4; ++d) {
                s.FireStraight({.bullet = ClimbingGunnerShots + l + 4 * m + 8 * d,
                                .carrier = gunner,
                                .dx = -8,
                                .from = 0,
                                .phase = 16 * d,
                                .period = 64});
            }
        }
        s.FireAimed(
            {.bullet = 15096 + l, .carrier = platform, .offset = 15, .speed = 6, .from = 0, .period = 128});
        s.FireAimed({.bullet = 15100 + l, .carrier = platform, .speed = 5, .from = 0, .period = 128});
        s.FireAimed(
            {.bullet = 15104 + l, .carrier = platform, .offset = -15, .speed = 4, .from = 0, .period = 128});
        s.FireAimed({.bullet = 15108 + l,
                     .carrier = platform,
                     .offset = 15,
                     .speed = 4,
                     .from = 0,
                     .phase = 64,
                     .period = 128});
        s.FireAimed(
            {.bullet = 15112 + l, .carrier = platform, .speed = 5, .from = 0, .phase = 64, .period = 128});
        s.FireAimed({.bullet = 15116 + l,
                     .carrier = platform,
                     .offset = -15,
                     .speed = 6,
                     .from = 0,
                     .phase = 64,
                     .period = 128});
        for (int d = 0; d < 8; ++d)
            s.DeathShot({.bullet = 15120 + l + 4 * d, .carrier = platform, .offset = 7 - 2 * d, .speed = 2});
    }

    s.BonusCheck({.first = 2404, .last = 2407, .frame = 1343, .flag = 4, .points = 20000});
    s.WhileFlag(4, [&] {
        for (int m = 0; m < 4; ++m) {
            const int down = 1508 + m, up = 1512 + m;
            s.MoveDuring({.slot = down, .dx = 3, .dy = 7, .from = 1344 + 8 * m, .to = 2000});
            s.MoveDuring({.slot = up, .dx = 3, .dy = -7, .from = 1376 + 8 * m, .to = 2000});
            for (int g = 0; g < 4; ++g) {
                const int n = m + 4 * g, phase = 8 * g;
                const int offsets[4] = {6, -6, 18, -18};
                const int downBullets[4] = {11368, 11384, 11432, 11448};
                const int upBullets[4] = {11400, 11416, 11464, 11480};
                for (int o = 0; o < 4; ++o) {
                    s.FireAimed({.bullet = downBullets[o] + n,
                                 .carrier = down,
                                 .offset = offsets[o],
                                 .speed = 6,
                                 .from = 1343,
                                 .phase = phase,
                                 .period = 1344 + 8 * m});
                    s.FireAimed({.bullet = upBullets[o] + n,
                                 .carrier = up,
                                 .offset = offsets[o],
                                 .speed = 6,
                                 .from = 1375,
                                 .phase = phase,
                                 .period = 1376 + 8 * m});
                }
            }
        }
    });
}

void WriteRisingGuns(ScriptBuilder& s) {
    struct Row {
        int First, Start, Bullets, Phase;
    };
    const Row rows[4] = {
        {2000, 1424, 15152, 32}, {2004, 1488, 15184, 24}, {2008, 1600, 15216, 16}, {2012, 1664, 15248, 8}};
    for (int m = 0; m < 4; ++m) {
        const int a = 16 * m;
        for (const Row& r : rows)
            s.MoveDuring({.slot = r.First + m, .dy = -6, .from = r.Start + a, .to = 6000});
        s.SinkDuring(3000 + m, 1552 + 8 * m, 6000);
        for (int d = 0; d < 4; ++d) {
            const int e = 7 - 2 * d;
            for (const Row& r : rows) {
                s.FireAimed({.bullet = r.Bullets + m + 4 * d,
                             .carrier = r.First + m,
                             .offset = e,
                             .speed = 8,
                             .from = 0,
                             .phase = r.Phase + 2 * d,
                             .period = r.Start + a});
                s.FireAimed({.bullet = r.Bullets + 16 + m + 4 * d,
                             .carrier = r.First + m,
                             .offset = -e,
                             .speed = 8,
                             .from = 0,
                             .phase = r.Phase + 2 * d,
                             .period = r.Start + a});
            }
        }
    }
    s.MoveDuring({.slot = 801, .dx = -2, .from = 1728, .to = 4000});
    s.MoveDuring({.slot = 850, .dx = -2, .from = 1760, .to = 4000});
}

// Each sweeping turret that is shot down before it leaves brings a file of four divers.
// The turret, the first of its four divers, their aimed and their parting shots; the bonus flag, the
// divers' climb or dive, and the frame of the check.
struct TurretBonus {
    int turret, divers, aimed, dying;
    int flag, dy;
    int check;
};

void SingleTargetBonus(ScriptBuilder& s, const TurretBonus& t) {
    const int check = t.check;
    s.BonusCheck({.first = t.turret, .last = t.turret, .frame = check, .flag = t.flag, .points = 2500});
    s.WhileFlag(t.flag, [&] {
        for (int i = 0; i < 4; ++i) {
            const int diver = t.divers + i, start = check + 1 + 4 * i;
            s.MoveDuring({.slot = diver, .dx = -3, .dy = t.dy, .from = start, .to = 3000});
            for (int j = 0; j < 4; ++j)
                s.FireAimed({.bullet = t.aimed + i + 4 * j,
                             .carrier = diver,
                             .speed = 10,
                             .from = check,
                             .phase = 8 * j,
                             .period = start});
            for (int k = 0; k < 4; ++k)
                s.DeathShot(
                    {.bullet = t.dying + i + 4 * k, .carrier = diver, .speed = 3, .deadTime = 1 + 4 * k});
        }
    });
}

void WriteTurrets(ScriptBuilder& s) {
    for (int v = 0; v < 4; ++v) {
        s.Path(2016 + v, {{-6, 0, 1888 + 128 * v, 1920 + 128 * v}, {2, -5, 2016 + 128 * v, 8000}});
    }
    // Three streams three degrees apart sweep round once per pass.
    for (int a = 0; a < 30; ++a) {
        const int b = 12 * a;
        for (int i = 0; i < 4; ++i) {
            const int turret = 2016 + i, period = 1920 + 128 * i;
            s.FireAngled({.bullet = 15280 + a + 30 * i,
                          .carrier = turret,
                          .angle = b + 90 * i - 90,
                          .speed = 8,
                          .from = 0,
                          .phase = a + 8,
                          .period = period});
            s.FireAngled({.bullet = 15400 + a + 30 * i,
                          .carrier = turret,
                          .angle = b + 90 * i - 87,
                          .speed = 8,
                          .from = 0,
                          .phase = a + 8,
                          .period = period});
            s.FireAngled({.bullet = 15520 + a + 30 * i,
                          .carrier = turret,
                          .angle = b + 90 * i - 84,
                          .speed = 8,
                          .from = 0,
                          .phase = a + 8,
                          .period = period});
        }
        s.DeathShot({.bullet = 15640 + a, .carrier = 2016, .offset = b, .speed = 2});
        s.DeathShot({.bullet = 15670 + a, .carrier = 2017, .offset = b + 6, .speed = 2});
        s.DeathShot({.bullet = 15700 + a, .carrier = 2018, .offset = b + 6, .speed = 2});
        s.DeathShot({.bullet = 15730 + a, .carrier = 2019, .offset = b, .speed = 2});
    }
    SingleTargetBonus(
        s,
        {.turret = 2016, .divers = 1516, .aimed = 11496, .dying = 11512, .flag = 5, .dy = 7, .check = 2015});
    SingleTargetBonus(
        s,
        {.turret = 2017, .divers = 1520, .aimed = 11528, .dying = 11544, .flag = 6, .dy = -7, .check = 2143});
    SingleTargetBonus(
        s,
        {.turret = 2018, .divers = 1524, .aimed = 11560, .dying = 11576, .flag = 7, .dy = 7, .check = 2271});
    SingleTargetBonus(
        s,
        {.turret = 2019, .divers = 1528, .aimed = 11592, .dying = 11608, .flag = 8, .dy = -7, .check = 2399});
}

// A runner crosses to the left at its own speed and bursts when it reaches the edge, so that a whole
// file counts as gone whether it was shot or ran out.
void Runner(ScriptBuilder& s, int slot, int speed, int from, int bullets,
            std::initializer_list<int> offsets) {
    s.MoveDuring({.slot = slot, .dx = -speed, .from = from, .to = 8000});
    s.WhileAbove(1, Arg::XOf(slot, 0), [&] { s.SetState(slot, slot, StateDestroyed); });
    int n = 0;
    for (int offset : offsets) {
        for (int e = 0; e < 5; ++e)
            s.DeathShot(
                {.bullet = bullets + 20 * n + 4 * e, .carrier = slot, .offset = offset, .speed = 2 * e + 4});
        ++n;
    }
}

void WriteRunners(ScriptBuilder& s) {
    for (int b = 0; b < 4; ++b) {
        Runner(s, 4000 + b, 2 * b + 2, 2528, 9000 + b, {0, 2, -2});
        Runner(s, 4004 + b, 2 * b + 2, 2656, 9060 + b, {0, 2, -2});
    }
    s.BonusCheck({.first = 4000, .last = 4007, .frame = 2783, .flag = 2, .points = 20000});
    s.WhileFlag(2, [&] {
        for (int c = 0; c < 4; ++c) Runner(s, 4008 + c, 2 * c + 2, 2784, 9120 + c, {0, 5, -5});
    });
    s.BonusCheck({.first = 4008, .last = 4011, .frame = 2911, .flag = 3, .points = 10000});
    s.WhileFlag(3, [&] {
        for (int c = 0; c < 4; ++c) {
            Runner(s, 4012 + c, 2 * c + 2, 2912, 9180 + c, {0, 5, -5});
            Runner(s, 4016 + c, 2 * c + 2, 2912, 9240 + c, {0, 5, -5});
        }
    });
    s.MoveDuring({.slot = 851, .dx = -2, .from = 2976, .to = 8000});
}

void WriteGunships(ScriptBuilder& s) {
    for (int c = 0; c < 4; ++c) {
        const int high = 2408 + c, low = 2412 + c;
        const int highStart = 3200 + 256 * c, lowStart = 3328 + 256 * c;
        s.MoveDuring({.slot = high, .dx = -3, .dy = -1, .from = highStart, .to = 8000});
        s.MoveDuring({.slot = low, .dx = -3, .dy = 1, .from = lowStart, .to = 8000});
        for (int r = 0; r < 4; ++r) {
            const int n = c + 4 * r;
            // A fan of sixteen: the slow outer pair and the fast inner pair of each ring r.
            s.FireAimed({.bullet = 15760 + n,
                         .carrier = high,
                         .offset = 8 * r + 4,
                         .speed = 4,
                         .from = 0,
                         .phase = 4,
                         .period = highStart});
            s.FireAimed({.bullet = 15776 + n,
                         .carrier = high,
                         .offset = -8 * r - 4,
                         .speed = 4,
                         .from = 0,
                         .phase = 4,
                         .period = highStart});
            s.FireAimed({.bullet = 15792 + n,
                         .carrier = high,
                         .offset = 8 * r,
                         .speed = 6,
                         .from = 0,
                         .phase = 4,
                         .period = highStart});
            s.FireAimed({.bullet = 15808 + n,
                         .carrier = high,
                         .offset = -8 * r,
                         .speed = 6,
                         .from = 0,
                         .phase = 4,
                         .period = highStart});
            s.FireAimed({.bullet = 15824 + n,
                         .carrier = low,
                         .offset = 8 * r + 4,
                         .speed = 4,
                         .from = 0,
                         .phase = 4,
                         .period = lowStart});
            s.FireAimed({.bullet = 15840 + n,
                         .carrier = low,
                         .offset = -8 * r - 4,
                         .speed = 4,
                         .from = 0,
                         .phase = 4,
                         .period = lowStart});
            s.FireAimed({.bullet = 15856 + n,
                         .carrier = low,
                         .offset = 8 * r,
                         .speed = 6,
                         .from = 0,
                         .phase = 4,
                         .period = lowStart});
            s.FireAimed({.bullet = 15872 + n,
                         .carrier = low,
                         .offset = -8 * r,
                         .speed = 6,
                         .from = 0,
                         .phase = 4,
                         .period = lowStart});
            const int offsets[5] = {0, 5, -5, 15, -15};
            for (int o = 0; o < 5; ++o) {
                s.DeathShot({.bullet = 15888 + 16 * o + n,
                             .carrier = high,
                             .offset = offsets[o],
                             .speed = 8,
                             .deadTime = 4 * r + 1});
                s.DeathShot({.bullet = 15968 + 16 * o + n,
                             .carrier = low,
                             .offset = offsets[o],
                             .speed = 8,
                             .deadTime = 4 * r + 1});
            }
        }
    }

    // Sixteen bombers drop down the left edge, each firing one fan and one ring.
    for (int d = 0; d < 16; ++d) {
        const int bomber = 2020 + d, period = 4224 + 20 * d;
        s.MoveDuring({.slot = bomber, .dy = 4, .from = 4224 + 16 * d, .to = 10000});
        for (int g = 0; g < 4; ++g) {
            s.FireAimed({.bullet = 16048 + d + 16 * g,
                         .carrier = bomber,
                         .offset = 2 * g,
                         .speed = 6,
                         .from = 0,
                         .phase = 16,
                         .period = period});
            s.FireAimed({.bullet = 16112 + d + 16 * g,
                         .carrier = bomber,
                         .offset = -2 * g,
                         .speed = 6,
                         .from = 0,
                         .phase = 16,
                         .period = period});
        }
        for (int h = 0; h < 20; ++h)
            s.FireAimed({.bullet = 16176 + d + 16 * h,
                         .carrier = bomber,
                         .offset = 18 * h,
                         .speed = 4,
                         .from = 0,
                         .phase = 16,
                         .period = period});
    }

    s.MoveDuring({.slot = 802, .dx = -2, .from = 4480, .to = 8000});
    s.MoveDuring({.slot = 852, .dx = -2, .from = 4512, .to = 8000});
    s.MoveDuring({.slot = 902, .dx = -2, .from = 4544, .to = 8000});
    s.MoveDuring({.slot = 903, .dx = -2, .from = 4576, .to = 8000});
    // The extra ship also needs every rising gun and every gunship shot down.
    s.WhileAllHPBelowOne(2000, 2015, [&] {
        s.WhileAllHPBelowOne(2408, 2415, [&] { s.Call(MoveRewardItemWithBothOptions); });
    });
}

}  // namespace

void WriteStage6(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    s.Call(ForgetPassedForeground);
    s.MoveDuring({.slot = 900, .dx = -2, .from = 32, .to = 4000});
    WriteFirstPlatforms(s);
    WriteClimbingPlatforms(s);
    WriteRisingGuns(s);
    WriteTurrets(s);
    WriteRunners(s);
    WriteGunships(s);
    WriteStage6Boss(s, RowOf(Stage6Scene).Fight);
}

}  // namespace veltrano
