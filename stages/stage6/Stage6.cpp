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

// The extra ship comes only to a player who holds both options.
void MoveRewardItemWithBothOptions() {
    if (Option2On == 1) MoveDuring(950, -2, 0, 4608, 8000);
}

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-4, -8, -20);
    s.Boss(Stage6Boss);
    s.Flags(9);
    s.InitHook(StartEarlyAfterTheClosingRun);

    s.HitPoints(Stage6Boss, Stage6Boss, 300);
    s.DefaultHitPoints(FirstObjectSlot, FirstHeavyCraftSlot - 1);
    s.HitPoints(2400, 2419, 10);
    WriteStage6BossParts(s);

    s.Place(1500, 4, -16, 0);
    s.Place(1504, 4, -16, 464);
    s.Place(1508, 4, 480, -16);
    s.Place(1512, 4, 480, 480);
    s.Place(1516, 4, 560, -16);
    s.Place(1520, 4, 560, 480);
    s.Place(1524, 4, 480, -16);
    s.Place(1528, 4, 480, 480);
    s.Place(1800, 16, 640, 0);
    s.Place(1816, 8, 0, 480);
    // The four groups of rising guns come up from below the right half of the screen.
    for (int base = 2000; base < 2016; base += 4) s.Place(base, 4, Coord::Per(512, 32), 480);
    s.Place(2016, 4, 640, Coord::Rand(448));
    s.Place(2020, 16, 0, -32);
    s.Place(2400, 4, 656, Coord::Per(64, 96));
    s.Place(2404, 4, 0, 480);
    s.Place(2408, 4, 640, 192);
    s.Place(2412, 4, 640, 256);
    s.Place(3000, 4, Coord::Per(0, 32), -32);
    s.Place(4000, 4, 640, 0);
    s.Place(4004, 4, 640, 448);
    s.Place(4008, 4, 640, 224);
    s.Place(4012, 4, 640, 0);
    s.Place(4016, 4, 640, 448);
    for (int item : {800, 801, 802, 850, 851, 852, 900, 902, 903, 950}) s.Place(item, 640, 224);
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
        s.MoveDuring(platform, -2, 0, 96 + 64 * j, 4000);
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
                    s.FireAimed(11000 + n + 64 * m, gunner, 20, 64 * l + 4 * m, 128, 0, 8);
                    s.FireAimed(11032 + n + 64 * m, gunner, -20, 64 * l + 4 * m, 128, 0, 8);
                }
                const int phase = 4 * k + 64 * l + 16;
                s.FireAimed(15000 + n, platform, 0, phase, 128, 0, 6);
                s.FireAimed(15032 + n, platform, 15, phase, 128, 0, 6);
                s.FireAimed(15064 + n, platform, -15, phase, 128, 0, 6);
            }
        }
    }

    // Two rings of twelve spiral in on a radius that shrinks by 4 every step and goes through the
    // middle to the far side.
    s.BonusCheck(471, 2400, 2403, 1, 20000);
    s.WhileFlag(1, [&] {
        for (int k = 0; k < 12; ++k) {
            s.CircleDuring(1000 + k, 312, 232, Arg::Frame(4 * 564, -4), 30 * k, -1, 472, 4000);
            s.CircleDuring(1012 + k, 312, 232, Arg::Frame(4 * 656, -4), 30 * k, 1, 564, 4000);
        }
    });
    s.MoveDuring(800, -2, 0, 656, 4000);

    for (int k = 0; k < 4; ++k) {
        const int a = 720 + 24 * k;
        s.Path(1500 + k, {{6, 0, 656 + 16 * k, a}, {4, 4, a, 4000}});
        s.Path(1504 + k, {{6, 0, 656 + 16 * k, a}, {4, -4, a, 4000}});
        for (int l = 0; l < 4; ++l) {
            for (int m = 0; m < 3; ++m) {
                const int n = k + 4 * l + 16 * m;
                s.FireAimed(11256 + n, 1500 + k, 2 - 2 * m, 0, a, 0, 2 * l + 2);
                s.FireAimed(11304 + n, 1504 + k, 2 - 2 * m, 0, a, 0, 2 * l + 2);
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
                s.FireStraight(ClimbingGunnerShots + l + 4 * m + 8 * d, gunner, 0, 16 * d, 64, 0, -8);
            }
        }
        s.FireAimed(15096 + l, platform, 15, 0, 128, 0, 6);
        s.FireAimed(15100 + l, platform, 0, 0, 128, 0, 5);
        s.FireAimed(15104 + l, platform, -15, 0, 128, 0, 4);
        s.FireAimed(15108 + l, platform, 15, 64, 128, 0, 4);
        s.FireAimed(15112 + l, platform, 0, 64, 128, 0, 5);
        s.FireAimed(15116 + l, platform, -15, 64, 128, 0, 6);
        for (int d = 0; d < 8; ++d) s.DeathShot(15120 + l + 4 * d, platform, 7 - 2 * d, 1, 2);
    }

    s.BonusCheck(1343, 2404, 2407, 4, 20000);
    s.WhileFlag(4, [&] {
        for (int m = 0; m < 4; ++m) {
            const int down = 1508 + m, up = 1512 + m;
            s.MoveDuring(down, 3, 7, 1344 + 8 * m, 2000);
            s.MoveDuring(up, 3, -7, 1376 + 8 * m, 2000);
            for (int g = 0; g < 4; ++g) {
                const int n = m + 4 * g, phase = 8 * g;
                const int offsets[4] = {6, -6, 18, -18};
                const int downBullets[4] = {11368, 11384, 11432, 11448};
                const int upBullets[4] = {11400, 11416, 11464, 11480};
                for (int o = 0; o < 4; ++o) {
                    s.FireAimed(downBullets[o] + n, down, offsets[o], phase, 1344 + 8 * m, 1343, 6);
                    s.FireAimed(upBullets[o] + n, up, offsets[o], phase, 1376 + 8 * m, 1375, 6);
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
        for (const Row& r : rows) s.MoveDuring(r.First + m, 0, -6, r.Start + a, 6000);
        s.SinkDuring(3000 + m, 1552 + 8 * m, 6000);
        for (int d = 0; d < 4; ++d) {
            const int e = 7 - 2 * d;
            for (const Row& r : rows) {
                s.FireAimed(r.Bullets + m + 4 * d, r.First + m, e, r.Phase + 2 * d, r.Start + a, 0, 8);
                s.FireAimed(r.Bullets + 16 + m + 4 * d, r.First + m, -e, r.Phase + 2 * d, r.Start + a, 0, 8);
            }
        }
    }
    s.MoveDuring(801, -2, 0, 1728, 4000);
    s.MoveDuring(850, -2, 0, 1760, 4000);
}

// Each sweeping turret that is shot down before it leaves brings a file of four divers.
void SingleTargetBonus(ScriptBuilder& s, int check, int turret, int flag, int divers, int dy, int aimed,
                       int dying) {
    s.BonusCheck(check, turret, turret, flag, 2500);
    s.WhileFlag(flag, [&] {
        for (int i = 0; i < 4; ++i) {
            const int diver = divers + i, start = check + 1 + 4 * i;
            s.MoveDuring(diver, -3, dy, start, 3000);
            for (int j = 0; j < 4; ++j) s.FireAimed(aimed + i + 4 * j, diver, 0, 8 * j, start, check, 10);
            for (int k = 0; k < 4; ++k) s.DeathShot(dying + i + 4 * k, diver, 0, 1 + 4 * k, 3);
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
            s.FireAngled(15280 + a + 30 * i, turret, b + 90 * i - 90, a + 8, period, 0, 8);
            s.FireAngled(15400 + a + 30 * i, turret, b + 90 * i - 87, a + 8, period, 0, 8);
            s.FireAngled(15520 + a + 30 * i, turret, b + 90 * i - 84, a + 8, period, 0, 8);
        }
        s.DeathShot(15640 + a, 2016, b, 1, 2);
        s.DeathShot(15670 + a, 2017, b + 6, 1, 2);
        s.DeathShot(15700 + a, 2018, b + 6, 1, 2);
        s.DeathShot(15730 + a, 2019, b, 1, 2);
    }
    SingleTargetBonus(s, 2015, 2016, 5, 1516, 7, 11496, 11512);
    SingleTargetBonus(s, 2143, 2017, 6, 1520, -7, 11528, 11544);
    SingleTargetBonus(s, 2271, 2018, 7, 1524, 7, 11560, 11576);
    SingleTargetBonus(s, 2399, 2019, 8, 1528, -7, 11592, 11608);
}

// A runner crosses to the left at its own speed and bursts when it reaches the edge, so that a whole
// file counts as gone whether it was shot or ran out.
void Runner(ScriptBuilder& s, int slot, int speed, int from, int bullets,
            std::initializer_list<int> offsets) {
    s.MoveDuring(slot, -speed, 0, from, 8000);
    s.WhileAbove(1, Arg::XOf(slot, 0), [&] { s.SetState(slot, slot, StateDestroyed); });
    int n = 0;
    for (int offset : offsets) {
        for (int e = 0; e < 5; ++e) s.DeathShot(bullets + 20 * n + 4 * e, slot, offset, 1, 2 * e + 4);
        ++n;
    }
}

void WriteRunners(ScriptBuilder& s) {
    for (int b = 0; b < 4; ++b) {
        Runner(s, 4000 + b, 2 * b + 2, 2528, 9000 + b, {0, 2, -2});
        Runner(s, 4004 + b, 2 * b + 2, 2656, 9060 + b, {0, 2, -2});
    }
    s.BonusCheck(2783, 4000, 4007, 2, 20000);
    s.WhileFlag(2, [&] {
        for (int c = 0; c < 4; ++c) Runner(s, 4008 + c, 2 * c + 2, 2784, 9120 + c, {0, 5, -5});
    });
    s.BonusCheck(2911, 4008, 4011, 3, 10000);
    s.WhileFlag(3, [&] {
        for (int c = 0; c < 4; ++c) {
            Runner(s, 4012 + c, 2 * c + 2, 2912, 9180 + c, {0, 5, -5});
            Runner(s, 4016 + c, 2 * c + 2, 2912, 9240 + c, {0, 5, -5});
        }
    });
    s.MoveDuring(851, -2, 0, 2976, 8000);
}

void WriteGunships(ScriptBuilder& s) {
    for (int c = 0; c < 4; ++c) {
        const int high = 2408 + c, low = 2412 + c;
        const int highStart = 3200 + 256 * c, lowStart = 3328 + 256 * c;
        s.MoveDuring(high, -3, -1, highStart, 8000);
        s.MoveDuring(low, -3, 1, lowStart, 8000);
        for (int r = 0; r < 4; ++r) {
            const int n = c + 4 * r;
            // A fan of sixteen: the slow outer pair and the fast inner pair of each ring r.
            s.FireAimed(15760 + n, high, 8 * r + 4, 4, highStart, 0, 4);
            s.FireAimed(15776 + n, high, -8 * r - 4, 4, highStart, 0, 4);
            s.FireAimed(15792 + n, high, 8 * r, 4, highStart, 0, 6);
            s.FireAimed(15808 + n, high, -8 * r, 4, highStart, 0, 6);
            s.FireAimed(15824 + n, low, 8 * r + 4, 4, lowStart, 0, 4);
            s.FireAimed(15840 + n, low, -8 * r - 4, 4, lowStart, 0, 4);
            s.FireAimed(15856 + n, low, 8 * r, 4, lowStart, 0, 6);
            s.FireAimed(15872 + n, low, -8 * r, 4, lowStart, 0, 6);
            const int offsets[5] = {0, 5, -5, 15, -15};
            for (int o = 0; o < 5; ++o) {
                s.DeathShot(15888 + 16 * o + n, high, offsets[o], 4 * r + 1, 8);
                s.DeathShot(15968 + 16 * o + n, low, offsets[o], 4 * r + 1, 8);
            }
        }
    }

    // Sixteen bombers drop down the left edge, each firing one fan and one ring.
    for (int d = 0; d < 16; ++d) {
        const int bomber = 2020 + d, period = 4224 + 20 * d;
        s.MoveDuring(bomber, 0, 4, 4224 + 16 * d, 10000);
        for (int g = 0; g < 4; ++g) {
            s.FireAimed(16048 + d + 16 * g, bomber, 2 * g, 16, period, 0, 6);
            s.FireAimed(16112 + d + 16 * g, bomber, -2 * g, 16, period, 0, 6);
        }
        for (int h = 0; h < 20; ++h) s.FireAimed(16176 + d + 16 * h, bomber, 18 * h, 16, period, 0, 4);
    }

    s.MoveDuring(802, -2, 0, 4480, 8000);
    s.MoveDuring(852, -2, 0, 4512, 8000);
    s.MoveDuring(902, -2, 0, 4544, 8000);
    s.MoveDuring(903, -2, 0, 4576, 8000);
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
    s.MoveDuring(900, -2, 0, 32, 4000);
    WriteFirstPlatforms(s);
    WriteClimbingPlatforms(s);
    WriteRisingGuns(s);
    WriteTurrets(s);
    WriteRunners(s);
    WriteGunships(s);
    WriteStage6Boss(s, RowOf(Stage6Scene).Fight);
}

}  // namespace veltrano
