// Stage 8: eight flights of eight fliers, gun rows, a scenery that stops, runs backwards and then
// falls from above, spiralling bonus rings, and a boss walled in by a frame of shot-proof blocks.
#include <climits>

#include "stages/LateWaves.h"
#include "stages/Scenes.h"
#include "stages/stage8/Stage8Boss.h"

namespace veltrano {

namespace {

constexpr int Boss = 15;
constexpr int HeavyGun8 = 2499;

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-2, -4, 0);
    s.Boss(Boss);
    s.Flags(6);

    s.HitPoints(Boss, Boss, 400);
    LateStageHitPoints(s, false);
    s.HitPoints(2400, 2489, 10);
    s.HitPoints(2490, 2499, 50);

    s.Place(1000, 8, 640, 0);
    s.Place(1008, 8, 640, 400);
    s.Place(1016, 8, 560, -16);
    s.Place(1024, 8, -16, 464);
    s.Place(1032, 8, -16, 0);
    s.Place(1040, 8, 200, 480);
    s.Place(1048, 8, -16, 400);
    s.Place(1056, 8, 640, 120);
    s.Place(1500, 464, -16);
    s.Place(1501, 464, 480);
    s.Place(1502, 640, 96);
    s.Place(1503, 640, 368);
    s.Place(1504, -16, 128);
    s.Place(1505, -16, 336);
    s.Place(1506, 64, -16);
    s.Place(1507, 312, -16);
    s.Place(1508, 560, -16);
    s.Place(1509, 4, 32, -16);
    s.Place(1513, 3, -16, 32);
    s.Place(1516, 4, Coord::Per(128, 128), -16);
    s.Place(1520, 4, 640, 16);
    s.Place(1524, 4, 640, 448);
    s.Place(1528, 4, 640, 0);
    s.Place(1532, 4, 640, 464);
    s.Place(1536, 464, -16);
    s.Place(1537, 464, 480);
    s.Place(1538, 528, -16);
    s.Place(1539, 528, 480);
    s.Place(1540, 640, 32);
    s.Place(1541, 640, 432);
    s.Place(2000, 4, 640, Coord::Per(32, 128));
    s.Place(2004, 4, 640, 0);
    s.Place(2008, 4, 640, 448);
    s.Place(2400, 4, 640, 32);
    s.Place(2404, 4, 640, 416);
    // The heavy gun drops in from above the middle of the screen: its escorts hang to its left.
    s.Place(HeavyGun8, 304, -128);
    s.Place(2500, 128, Coord::Rand(20, 0, 32), -32);
    s.Place(3000, 8, Coord::Rand(608), -32);
    s.Place(4000, 8, -32, 0);
    s.Place(4008, 8, -32, 448);
    s.Place(4016, 8, -32, 32);
    s.Place(4024, 8, -32, 416);
    s.Place(4032, 640, 0);
    s.Place(4033, 608, 640);
    s.Place(4034, -32, 448);
    s.Place(4035, 0, -192);
    for (int slot : {800, 803, 850, 853, 900, 903}) s.Place(slot, 640, 224);
    s.Place(801, 304, -32);
    s.Place(851, 304, -32);
    s.Place(802, 640, 400);
    s.Place(852, 64, -32);
    s.Place(901, 544, -32);
    s.Place(902, 544, -32);
    // The extra ship waits at the right edge for the gun-pod bonus.
    s.Place(950, 640, 224);
    PlaceStage8Boss(s);
}

// Eight flights of eight: every flier follows three segments and leaves a slow parting shot.
void WriteFlights(ScriptBuilder& s) {
    struct Flight {
        int First;
        Segment A, B, C;  // windows relative to the member's own start
    };
    const Flight flights[] = {
        {1000, {-9, 0, 32, 64}, {0, 9, 64, 96}, {-6, -6, 96, 0}},
        {1008, {-9, 0, 32, 96}, {6, -6, 96, 128}, {-9, 0, 128, 0}},
        {1016, {0, 9, 96, 128}, {-6, 6, 128, 160}, {-6, -6, 160, 0}},
        {1024, {9, 0, 96, 128}, {6, -6, 128, 160}, {-9, 0, 160, 0}},
        {1032, {9, 0, 160, 192}, {0, 9, 192, 224}, {-9, 0, 224, 0}},
        {1040, {6, -6, 160, 192}, {-9, 0, 192, 224}, {6, -6, 224, 0}},
        {1048, {9, 0, 192, 240}, {-6, -6, 240, 272}, {-9, 0, 272, 0}},
        {1056, {-9, 0, 192, 224}, {-6, -6, 224, 256}, {0, 9, 256, 0}},
    };
    for (const Flight& f : flights) {
        for (int i = 0; i < 8; ++i) {
            const int a = 4 * i;
            const int slot = f.First + i;
            s.Path(slot, {{f.A.Dx, f.A.Dy, f.A.From + a, f.A.To + a},
                          {f.B.Dx, f.B.Dy, f.B.From + a, f.B.To + a},
                          {f.C.Dx, f.C.Dy, f.C.From + a, 4000}});
            s.DeathShot(11000 + slot - 1000, slot, 0, 1, 1);
        }
    }
    s.ScrollWithGround(800, 256);
    s.ScrollWithGround(850, 272);
    s.ScrollWithGround(900, 288);
}

void WriteGunRows(ScriptBuilder& s) {
    for (int j = 0; j < 4; ++j) {
        const int a = 192 * j;
        for (int gun : {2400 + j, 2404 + j}) {
            s.MoveDuring(gun, -6, 0, 256 + a, 272 + a);
            s.MoveDuring(gun, -6, 0, 384 + a, 8000);
        }
    }
    // The first guns of each row fire fans of five, eight times over.
    for (int k = 0; k < 8; ++k) {
        for (int l = 0; l < 5; ++l) {
            s.FireAimed(15000 + k + 8 * l, 2400, 20 - 10 * l, 4 * k + 4, 96, 272, 12);
            s.FireAimed(15040 + k + 8 * l, 2404, 20 - 10 * l, 4 * k + 52, 96, 272, 12);
        }
    }
    // The second guns: three fans of six, the wider the faster.
    for (int l = 0; l < 6; ++l) {
        for (int row = 0; row < 2; ++row) {
            const int gun = 2401 + 4 * row, phase = 4 + 48 * row, bullet = 15080 + 18 * row;
            s.FireAimed(bullet + l, gun, 25 - 10 * l, phase, 96, 464, 10);
            s.FireAimed(bullet + 6 + l, gun, 15 - 6 * l, phase, 96, 464, 8);
            s.FireAimed(bullet + 12 + l, gun, 5 - 2 * l, phase, 96, 464, 6);
        }
    }
    // The third and fourth guns: crossing pairs that narrow.
    for (int m = 0; m < 4; ++m) {
        const int b = 20 - 10 * m;
        s.FireAimed(15116 + m, 2402, b, 4 * m + 4, 96, 656, 12);
        s.FireAimed(15120 + m, 2402, -b, 4 * m + 20, 96, 656, 12);
        s.FireAimed(15124 + m, 2406, b, 4 * m + 52, 96, 656, 12);
        s.FireAimed(15128 + m, 2406, -b, 4 * m + 68, 96, 656, 12);
        s.FireAimed(15132 + m, 2403, -b, 4 * m + 4, 96, 848, 12);
        s.FireAimed(15136 + m, 2403, b, 4 * m + 20, 96, 848, 12);
        s.FireAimed(15140 + m, 2407, -b, 4 * m + 52, 96, 848, 12);
        s.FireAimed(15144 + m, 2407, b, 4 * m + 68, 96, 848, 12);
    }
    // Death fans of fifteen, in three directions. The carriers run one slot past each row's first
    // gun (2401..2404 and 2405..2408): the upper row's first gun dies quietly, the lower row's first
    // gun releases two fans, and slot 2408 is never placed.
    for (int a = 0; a < 4; ++a) {
        for (int d = 0; d < 15; ++d) {
            const int c = 14 - 2 * d;
            for (int row = 0; row < 2; ++row) {
                const int carrier = 2401 + 4 * row + a, base = 15148 + 180 * row + a + 8 * d;
                s.FireOnDeath(base, carrier, c, 1, 4);
                s.FireOnDeath(base + 60, carrier, c + 74, 1, 4);
                s.FireOnDeath(base + 120, carrier, c - 74, 1, 4);
            }
        }
    }
    s.AtFrame(1024, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer2X, 0);
    });
    s.AtFrame(1088, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 2);
        s.SetLayerStep(LayerStep::Layer2X, 4);
    });
}

// With the scenery running backwards, four columns of blocks come in from the left; a block that
// reaches the right edge bursts there and still releases its shots.
void WriteBackwardBlocks(ScriptBuilder& s) {
    for (int b = 0; b < 8; ++b) {
        const int c = 32 * b;
        s.ScrollWithGround(4000 + b, 1120 + c);
        s.ScrollWithGround(4008 + b, 1120 + c);
        s.ScrollWithGround(4016 + b, 1136 + c);
        s.ScrollWithGround(4024 + b, 1136 + c);
    }
    for (int slot = 4000; slot <= 4031; ++slot) {
        s.WhileAbove(Arg::XOf(slot, 0), 607, [&] { s.SetState(slot, slot, StateDestroyed); });
    }
    for (int b = 0; b < 8; ++b) {
        for (int d = 0; d < 4; ++d) {
            for (int g = 0; g < 4; ++g)
                s.FireOnDeath(9000 + b + 8 * d + 32 * g, 4000 + b + 8 * g, 3 - g, 1, d + 6);
            s.FireOnDeath(9128 + b + 8 * d, 4000 + b, -3, 1, d + 6);
            s.FireOnDeath(9160 + b + 8 * d, 4008 + b, -2, 1, d + 6);
            s.FireOnDeath(9192 + b + 8 * d, 4016 + b, -1, 1, d + 6);
        }
    }
}

// A flier that drifts in and fires an aimed shot every 16 steps.
void Drifter(ScriptBuilder& s, int slot, int firstBullet, int phase, int from) {
    for (int c = 0; c < 8; ++c) s.FireAimed(firstBullet + c, slot, 0, 16 * c + phase, 128, from, 6);
}

void WriteFallingSection(ScriptBuilder& s) {
    s.MoveDuring(1500, 0, 4, 1600, 1616);
    s.MoveDuring(1501, 0, -4, 1600, 1616);
    s.MoveDuring(1500, -2, 0, 1696, 8000);
    s.MoveDuring(1501, -2, 0, 1696, 8000);
    Drifter(s, 1500, 11064, 0, 1600);
    Drifter(s, 1501, 11072, 8, 1600);

    // The scenery now falls from above; a lost ship comes back from the bottom.
    s.AtFrame(1752, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer1Y, 2);
        s.SetLayerStep(LayerStep::Layer2X, 0);
        s.SetLayerStep(LayerStep::Layer2Y, 4);
        s.SetRespawnSide(1);
    });
    s.MoveDuring(1502, -2, 0, 1752, 8000);
    s.MoveDuring(1503, -2, 0, 1752, 8000);
    Drifter(s, 1502, 11080, 0, 1752);
    Drifter(s, 1503, 11088, 0, 1752);
    s.ScrollWithGround(851, 1752);
    s.MoveDuring(1504, 2, 0, 1824, 8000);
    s.MoveDuring(1505, 2, 0, 1824, 8000);
    Drifter(s, 1504, 11096, 0, 1824);
    Drifter(s, 1505, 11104, 8, 1824);
    s.ScrollWithGround(901, 1920);
}

void WriteTrio(ScriptBuilder& s) {
    for (int slot : {1506, 1507, 1508}) s.MoveDuring(slot, 0, 2, 2000, 2016);
    s.MoveDuring(1506, -8, 0, 2272, 8000);
    s.MoveDuring(1507, 0, -8, 2272, 8000);
    s.MoveDuring(1508, 8, 0, 2272, 8000);
    for (int c = 0; c < 8; ++c) {
        const int d = 32 * c, e = d + 16;
        // The outer two drop a shot that stops, then turns into an aimed one where it stopped.
        s.FireStraightStop(11112 + c, 1506, 2016, e, d, 256, 8, 0);
        s.FireAimedExact(11120 + c, 11112 + c, 0, e, 256, 2016, 8);
        s.FireStraightStop(11128 + c, 1508, 2016, e, d, 256, 8, 0);
        s.FireAimedExact(11136 + c, 11128 + c, 0, e, 256, 2016, 8);
        for (int f = 0; f < 8; ++f) s.FireAimed(11144 + c + 8 * f, 1507, 10 * f - 35, d, 256, 2016, 6);
    }
    for (int d = 0; d < 36; ++d) s.FireOnDeath(11208 + d, 1507, 10 * d, 1, 6);

    // The trio shot down early is rewarded twice: once by 2063 and again at 2223.
    s.BonusCheck(2063, 1506, 1508, 2, 1500);
    s.WhileFlag(2, [&] {
        for (int d = 0; d < 4; ++d) {
            s.MoveDuring(2004 + d, -2, 0, 2064 + 32 * d, 4000);
            s.MoveDuring(2008 + d, -2, 0, 2064 + 32 * d, 4000);
            for (int e = 0; e < 16; ++e) {
                s.FireAngled(15568 + d + 4 * e, 2004 + d, 90, 4 * e, 64, 2064, 12);
                s.FireAngled(15632 + d + 4 * e, 2008 + d, 270, 4 * e, 64, 2064, 12);
            }
        }
    });
    s.BonusCheck(2223, 1506, 1508, 1, 1500);
    s.WhileFlag(1, [&] {
        s.MoveDuring(4032, -8, 0, 2224, 4000);
        s.MoveDuring(4033, 0, -8, 2224, 4000);
        s.MoveDuring(4034, 8, 0, 2224, 4000);
        s.MoveDuring(4035, 0, 8, 2224, 4000);
        // Each block bursts at the far edge it runs to.
        s.WhileAbove(1, Arg::XOf(4032, 0), [&] { s.SetState(4032, 4032, StateDestroyed); });
        s.WhileAbove(1, Arg::YOf(4033, 0), [&] { s.SetState(4033, 4033, StateDestroyed); });
        s.WhileAbove(Arg::XOf(4034, 0), 607, [&] { s.SetState(4034, 4034, StateDestroyed); });
        s.WhileAbove(Arg::YOf(4035, 0), 447, [&] { s.SetState(4035, 4035, StateDestroyed); });
        for (int d = 0; d < 4; ++d) {
            for (int e = 0; e < 4; ++e) s.FireOnDeath(9224 + d + 4 * e, 4032 + d, 0, 1, e + 6);
        }
    });
    s.ScrollWithGround(801, 2288);
}

void WriteHeavyGun(ScriptBuilder& s) {
    s.MoveDuring(HeavyGun8, 0, 8, 2331, 2374);
    s.MoveDuring(HeavyGun8, 4, 6, 2758, 8000);
    for (int d = 0; d < 4; ++d) {
        s.PlaceRelative(4500 + d, HeavyGun8, -16, 16 * d - 64);
        s.PlaceRelative(4504 + d, HeavyGun8, -16, 80 - 16 * d);
    }
    for (int d = 0; d < 4; ++d) {
        for (int g = 0; g < 4; ++g) {
            const int phase = 8 * d + 32 * g;
            for (int side = 0; side < 2; ++side) {
                const int escort = 4500 + d + 4 * side, bullet = 11244 + 48 * side + d + 4 * g;
                s.FireAimed(bullet, escort, 0, phase, 256, 2331, 8);
                s.FireAimed(bullet + 16, escort, 5, phase, 256, 2331, 8);
                s.FireAimed(bullet + 32, escort, -5, phase, 256, 2331, 8);
            }
        }
    }
    for (int e = 0; e < 32; ++e) s.FireAimed(15696 + e, HeavyGun8, 0, 2 * e + 192, 256, 2331, 16);
    s.WhileAllDestroyed(HeavyGun8, HeavyGun8, [&] { s.SetState(4500, 4507, StateDestroyed); });

    // Shooting the heavy gun down brings two rings of fliers that spiral in on the middle.
    s.BonusCheck(2559, HeavyGun8, HeavyGun8, 3, 25000);
    s.WhileFlag(3, [&] {
        for (int e = 0; e < 8; ++e) {
            s.CircleDuring(1064 + e, 312, 232, Arg::Frame(4 * 2652, -4), 45 * e, 2, 2560, 4000);
            s.CircleDuring(1072 + e, 312, 232, Arg::Frame(4 * 2716, -4), 45 * e, -2, 2624, 4000);
        }
    });
}

void WriteSideFliers(ScriptBuilder& s) {
    for (int e = 0; e < 4; ++e) {
        const int slot = 1509 + e, from = 2588 + 32 * e;
        s.MoveDuring(slot, 0, 2, from, 8000);
        s.FireAimed(11340 + e, slot, 2, 16 * e, 128, from, 8);
        s.FireAimed(11344 + e, slot, -2, 16 * e, 128, from, 8);
        s.FireAimed(11348 + e, slot, 2, 16 * e + 64, 128, from, 8);
        s.FireAimed(11352 + e, slot, -2, 16 * e + 64, 128, from, 8);
    }
    for (int f = 0; f < 3; ++f) {
        const int slot = 1513 + f, from = 2758 + 32 * f;
        s.MoveDuring(slot, 2, 0, from, 8000);
        for (int g = 0; g < 4; ++g) s.FireAimed(11356 + f + 3 * g, slot, 0, 32 * f + 8 * g, 128, from, 8);
    }
    s.ScrollWithGround(852, 2864);

    // Four sprinklers hang in, each sweeping two half rings once.
    for (int g = 0; g < 4; ++g) {
        const int slot = 1516 + g;
        s.MoveDuring(slot, 0, 2, 2928, 2992);
        s.MoveDuring(slot, 0, 2, 3248, 8000);
        for (int h = 0; h < 24; ++h) {
            s.FireAngled(11368 + g + 4 * h, slot, 15 * h + 180, h + 32 * g, 2992, 2992, 8);
            s.FireAngled(11464 + g + 4 * h, slot, 15 * h, h + 32 * g + 128, 2992, 2992, 8);
            s.FireOnDeath(11560 + g + 4 * h, slot, 15 * h, 1, 4);
        }
    }
    s.BonusCheck(3047, 1516, 1519, 4, 4000);
    s.WhileFlag(4, [&] {
        for (int h = 0; h < 4; ++h) {
            const int o = 90 * h;
            s.CircleDuring(1080 + h, 312, 232, Arg::Frame(4 * 3140, -4), o, 3, 3048, 6000);
            s.CircleDuring(1084 + h, 312, 232, Arg::Frame(4 * 3140, -4), o, -3, 3048, 6000);
            s.CircleDuring(1088 + h, 312, 232, Arg::Frame(4 * 3258, -4), o + 45, 3, 3160, 6000);
            s.CircleDuring(1092 + h, 312, 232, Arg::Frame(4 * 3258, -4), o + 45, -3, 3160, 6000);
        }
    });
}

void WriteWalls(ScriptBuilder& s) {
    for (int h = 0; h < 8; ++h) s.SinkDuring(3000 + h, 3296 + 8 * h, 10000);
    s.ScrollWithGround(902, 3360);
    for (int a = 0; a < 4; ++a) {
        for (int h = 0; h < 32; ++h) s.ScrollWithGround(2500 + a + 4 * h, 3424 + 8 * h);
    }
    s.AtFrame(3808, [&] {
        s.SetLayerStep(LayerStep::Layer1X, -2);
        s.SetLayerStep(LayerStep::Layer1Y, 0);
        s.SetLayerStep(LayerStep::Layer2X, -4);
        s.SetLayerStep(LayerStep::Layer2Y, 0);
        s.SetRespawnSide(0);
    });
    s.ScrollWithGround(802, 3808);
}

void WriteLastWaves(ScriptBuilder& s) {
    // Four guns dart in, spray a spiral of 96 shots, and back away.
    for (int h = 0; h < 4; ++h) {
        const int gun = 2000 + h, t = 3824 + 64 * h;
        s.MoveDuring(gun, -4, 0, 3792 + 64 * h, t);
        s.MoveDuring(gun, 4, 0, 3936 + 64 * h, 8000);
        for (int u = 0; u < 96; ++u)
            s.FireAimed(15728 + h + 4 * u, gun, 43 * h + 67 * u + 43, u + 16, t, t, 10);
        for (int r = 0; r < 20; ++r) {
            s.FireOnDeath(16112 + h + 4 * r, gun, 18 * r, 1, 10);
            s.FireOnDeath(16192 + h + 4 * r, gun, 18 * r + 9, 6, 10);
            s.FireOnDeath(16272 + h + 4 * r, gun, 18 * r, 11, 10);
        }
    }
    for (int o = 0; o < 4; ++o) {
        for (int row = 0; row < 2; ++row) {
            const int slot = 1520 + 4 * row + o, start = 4128 + 64 * row + 8 * o;
            s.MoveDuring(slot, -8, 0, start, 10000);
            for (int b = 0; b < 8; ++b) {
                s.FireAimed(11656 + 32 * row + o + 4 * b, slot, 0, 6 * b + 16, start, start, 4);
                s.FireOnDeath(11720 + 64 * row + o + 4 * b, slot, 20, 1, 2);
                s.FireOnDeath(11752 + 64 * row + o + 4 * b, slot, -20, 1, 2);
            }
        }
    }
    s.ScrollWithGround(903, 4288);
    for (int r = 0; r < 4; ++r) {
        const int t = 4288 + 8 * r;
        for (int row = 0; row < 2; ++row) {
            const int slot = 1528 + 4 * row + r;
            s.MoveDuring(slot, -8, 0, t, 10000);
            for (int u = 0; u < 8; ++u) {
                s.FireAimed(11848 + 32 * row + r + 4 * u, slot, 0, 2 * u + 64, t, t, u + 6);
                s.FireOnDeath(11912 + 32 * row + r + 4 * u, slot, 0, u + 1, 14);
            }
        }
    }
    s.MoveDuring(1536, 0, 4, 4384, 10000);
    s.MoveDuring(1537, 0, -4, 4384, 10000);
    s.MoveDuring(1538, 0, 8, 4432, 10000);
    s.MoveDuring(1539, 0, -8, 4432, 10000);
    for (int t = 0; t < 4; ++t) {
        for (int u = 0; u < 8; ++u) {
            s.FireAimed(11976 + t + 4 * u, 1536 + t, 0, 8 * u, 64, 4384, 8);
            s.FireAimed(12008 + t + 4 * u, 1536 + t, 20, 8 * u, 64, 4384, 8);
            s.FireAimed(12040 + t + 4 * u, 1536 + t, -20, 8 * u, 64, 4384, 8);
        }
    }
    for (int slot : {1540, 1541}) {
        s.MoveDuring(slot, -4, 0, 4480, 4496);
        s.MoveDuring(slot, -4, 0, 4536, 10000);
    }
    for (int u = 0; u < 18; ++u) {
        for (int v = 0; v < 4; ++v) {
            s.FireAngled(12072 + u + 32 * v, 1540, 20 * u + 90 * v, 2 * u, 4496, 4480, 6);
            s.FireAngled(12200 + u + 32 * v, 1541, 90 * v - 20 * u, 2 * u, 4496, 4480, 6);
        }
    }
    s.ScrollWithGround(853, 4480);
    s.BonusCheck(3047, 2004, 2011, 5, 50000);
    s.WhileFlag(5, [&] { s.ScrollWithGround(950, 4536); });
    s.ScrollWithGround(803, 4592);
}

}  // namespace

void WriteStage8(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    // Every wave has flown off, with its shots, long before 5400: from then on only the boss's
    // statements run.
    s.FramesIn(INT_MIN, 5400, [&] {
        WriteFlights(s);
        WriteGunRows(s);
        WriteBackwardBlocks(s);
        WriteFallingSection(s);
        WriteTrio(s);
        WriteHeavyGun(s);
        WriteSideFliers(s);
        WriteWalls(s);
        WriteLastWaves(s);
    });
    WriteStage8Boss(s, RowOf(Stage8Scene).Fight);
}

}  // namespace veltrano
