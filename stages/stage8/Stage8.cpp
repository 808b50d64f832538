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
    s.Layers({.layer1X = -2, .layer2X = -4});
    s.Boss(Boss);
    s.Flags(6);

    s.HitPoints(Boss, Boss, 400);
    LateStageHitPoints(s, false);
    s.HitPoints(2400, 2489, 10);
    s.HitPoints(2490, 2499, 50);

    s.Place({.first = 1000, .count = 8, .x = FieldWidth, .y = 0});
    s.Place({.first = 1008, .count = 8, .x = FieldWidth, .y = 400});
    s.Place({.first = 1016, .count = 8, .x = 560, .y = -16});
    s.Place({.first = 1024, .count = 8, .x = -16, .y = 464});
    s.Place({.first = 1032, .count = 8, .x = -16, .y = 0});
    s.Place({.first = 1040, .count = 8, .x = 200, .y = FieldHeight});
    s.Place({.first = 1048, .count = 8, .x = -16, .y = 400});
    s.Place({.first = 1056, .count = 8, .x = FieldWidth, .y = 120});
    s.Place(1500, 464, -16);
    s.Place(1501, 464, FieldHeight);
    s.Place(1502, FieldWidth, 96);
    s.Place(1503, FieldWidth, 368);
    s.Place(1504, -16, 128);
    s.Place(1505, -16, 336);
    s.Place(1506, 64, -16);
    s.Place(1507, 312, -16);
    s.Place(1508, 560, -16);
    s.Place({.first = 1509, .count = 4, .x = 32, .y = -16});
    s.Place({.first = 1513, .count = 3, .x = -16, .y = 32});
    s.Place({.first = 1516, .count = 4, .x = Coord::Per(128, 128), .y = -16});
    s.Place({.first = 1520, .count = 4, .x = FieldWidth, .y = 16});
    s.Place({.first = 1524, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 1528, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 1532, .count = 4, .x = FieldWidth, .y = 464});
    s.Place(1536, 464, -16);
    s.Place(1537, 464, FieldHeight);
    s.Place(1538, 528, -16);
    s.Place(1539, 528, FieldHeight);
    s.Place(1540, FieldWidth, 32);
    s.Place(1541, FieldWidth, 432);
    s.Place({.first = 2000, .count = 4, .x = FieldWidth, .y = Coord::Per(32, 128)});
    s.Place({.first = 2004, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 2008, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 2400, .count = 4, .x = FieldWidth, .y = 32});
    s.Place({.first = 2404, .count = 4, .x = FieldWidth, .y = 416});
    // The heavy gun drops in from above the middle of the screen: its escorts hang to its left.
    s.Place(HeavyGun8, 304, -128);
    s.Place({.first = 2500, .count = 128, .x = Coord::Rand(20, 0, 32), .y = -32});
    s.Place({.first = 3000, .count = 8, .x = Coord::Rand(608), .y = -32});
    s.Place({.first = 4000, .count = 8, .x = -32, .y = 0});
    s.Place({.first = 4008, .count = 8, .x = -32, .y = 448});
    s.Place({.first = 4016, .count = 8, .x = -32, .y = 32});
    s.Place({.first = 4024, .count = 8, .x = -32, .y = 416});
    s.Place(4032, FieldWidth, 0);
    s.Place(4033, 608, FieldHeight + 160);
    s.Place(4034, -32, 448);
    s.Place(4035, 0, -192);
    for (int slot : {800, 803, 850, 853, 900, 903}) s.Place(slot, FieldWidth, 224);
    s.Place(801, 304, -32);
    s.Place(851, 304, -32);
    s.Place(802, FieldWidth, 400);
    s.Place(852, 64, -32);
    s.Place(901, 544, -32);
    s.Place(902, 544, -32);
    // The extra ship waits at the right edge for the gun-pod bonus.
    s.Place(950, FieldWidth, 224);
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
            s.DeathShot({.bullet = 11000 + slot - 1000, .carrier = slot, .speed = 1});
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
            s.MoveDuring({.slot = gun, .dx = -6, .from = 256 + a, .to = 272 + a});
            s.MoveDuring({.slot = gun, .dx = -6, .from = 384 + a, .to = 8000});
        }
    }
    // The first guns of each row fire fans of five, eight times over.
    for (int k = 0; k < 8; ++k) {
        for (int l = 0; l < 5; ++l) {
            s.FireAimed({.bullet = 15000 + k + 8 * l,
                         .carrier = 2400,
                         .offset = 20 - 10 * l,
                         .speed = 12,
                         .from = 272,
                         .phase = 4 * k + 4,
                         .period = 96});
            s.FireAimed({.bullet = 15040 + k + 8 * l,
                         .carrier = 2404,
                         .offset = 20 - 10 * l,
                         .speed = 12,
                         .from = 272,
                         .phase = 4 * k + 52,
                         .period = 96});
        }
    }
    // The second guns: three fans of six, the wider the faster.
    for (int l = 0; l < 6; ++l) {
        for (int row = 0; row < 2; ++row) {
            const int gun = 2401 + 4 * row, phase = 4 + 48 * row, bullet = 15080 + 18 * row;
            s.FireAimed({.bullet = bullet + l,
                         .carrier = gun,
                         .offset = 25 - 10 * l,
                         .speed = 10,
                         .from = 464,
                         .phase = phase,
                         .period = 96});
            s.FireAimed({.bullet = bullet + 6 + l,
                         .carrier = gun,
                         .offset = 15 - 6 * l,
                         .speed = 8,
                         .from = 464,
                         .phase = phase,
                         .period = 96});
            s.FireAimed({.bullet = bullet + 12 + l,
                         .carrier = gun,
                         .offset = 5 - 2 * l,
                         .speed = 6,
                         .from = 464,
                         .phase = phase,
                         .period = 96});
        }
    }
    // The third and fourth guns: crossing pairs that narrow.
    for (int m = 0; m < 4; ++m) {
        const int b = 20 - 10 * m;
        s.FireAimed({.bullet = 15116 + m,
                     .carrier = 2402,
                     .offset = b,
                     .speed = 12,
                     .from = 656,
                     .phase = 4 * m + 4,
                     .period = 96});
        s.FireAimed({.bullet = 15120 + m,
                     .carrier = 2402,
                     .offset = -b,
                     .speed = 12,
                     .from = 656,
                     .phase = 4 * m + 20,
                     .period = 96});
        s.FireAimed({.bullet = 15124 + m,
                     .carrier = 2406,
                     .offset = b,
                     .speed = 12,
                     .from = 656,
                     .phase = 4 * m + 52,
                     .period = 96});
        s.FireAimed({.bullet = 15128 + m,
                     .carrier = 2406,
                     .offset = -b,
                     .speed = 12,
                     .from = 656,
                     .phase = 4 * m + 68,
                     .period = 96});
        s.FireAimed({.bullet = 15132 + m,
                     .carrier = 2403,
                     .offset = -b,
                     .speed = 12,
                     .from = 848,
                     .phase = 4 * m + 4,
                     .period = 96});
        s.FireAimed({.bullet = 15136 + m,
                     .carrier = 2403,
                     .offset = b,
                     .speed = 12,
                     .from = 848,
                     .phase = 4 * m + 20,
                     .period = 96});
        s.FireAimed({.bullet = 15140 + m,
                     .carrier = 2407,
                     .offset = -b,
                     .speed = 12,
                     .from = 848,
                     .phase = 4 * m + 52,
                     .period = 96});
        s.FireAimed({.bullet = 15144 + m,
                     .carrier = 2407,
                     .offset = b,
                     .speed = 12,
                     .from = 848,
                     .phase = 4 * m + 68,
                     .period = 96});
    }
    // Death fans of fifteen, in three directions. The carriers run one slot past each row's first
    // gun (2401..2404 and 2405..2408): the upper row's first gun dies quietly, the lower row's first
    // gun releases two fans, and slot 2408 is never placed.
    for (int a = 0; a < 4; ++a) {
        for (int d = 0; d < 15; ++d) {
            const int c = 14 - 2 * d;
            for (int row = 0; row < 2; ++row) {
                const int carrier = 2401 + 4 * row + a, base = 15148 + 180 * row + a + 8 * d;
                s.FireOnDeath({.bullet = base, .carrier = carrier, .offset = c, .speed = 4, .deadTime = 1});
                s.FireOnDeath(
                    {.bullet = base + 60, .carrier = carrier, .offset = c + 74, .speed = 4, .deadTime = 1});
                s.FireOnDeath(
                    {.bullet = base + 120, .carrier = carrier, .offset = c - 74, .speed = 4, .deadTime = 1});
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
                s.FireOnDeath({.bullet = 9000 + b + 8 * d + 32 * g,
                               .carrier = 4000 + b + 8 * g,
                               .offset = 3 - g,
                               .speed = d + 6,
                               .deadTime = 1});
            s.FireOnDeath({.bullet = 9128 + b + 8 * d,
                           .carrier = 4000 + b,
                           .offset = -3,
                           .speed = d + 6,
                           .deadTime = 1});
            s.FireOnDeath({.bullet = 9160 + b + 8 * d,
                           .carrier = 4008 + b,
                           .offset = -2,
                           .speed = d + 6,
                           .deadTime = 1});
            s.FireOnDeath({.bullet = 9192 + b + 8 * d,
                           .carrier = 4016 + b,
                           .offset = -1,
                           .speed = d + 6,
                           .deadTime = 1});
        }
    }
}

// A flier that drifts in and fires an aimed shot every 16 steps.
struct DrifterFire {
    int slot, bullet;
    int from, phase = 0;
};

void Drifter(ScriptBuilder& s, const DrifterFire& d) {
    for (int c = 0; c < 8; ++c)
        s.FireAimed({.bullet = d.bullet + c,
                     .carrier = d.slot,
                     .speed = 6,
                     .from = d.from,
                     .phase = 16 * c + d.phase,
                     .period = 128});
}

void WriteFallingSection(ScriptBuilder& s) {
    s.MoveDuring({.slot = 1500, .dy = 4, .from = 1600, .to = 1616});
    s.MoveDuring({.slot = 1501, .dy = -4, .from = 1600, .to = 1616});
    s.MoveDuring({.slot = 1500, .dx = -2, .from = 1696, .to = 8000});
    s.MoveDuring({.slot = 1501, .dx = -2, .from = 1696, .to = 8000});
    Drifter(s, {.slot = 1500, .bullet = 11064, .from = 1600});
    Drifter(s, {.slot = 1501, .bullet = 11072, .from = 1600, .phase = 8});

    // The scenery now falls from above; a lost ship comes back from the bottom.
    s.AtFrame(1752, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer1Y, 2);
        s.SetLayerStep(LayerStep::Layer2X, 0);
        s.SetLayerStep(LayerStep::Layer2Y, 4);
        s.SetRespawnSide(1);
    });
    s.MoveDuring({.slot = 1502, .dx = -2, .from = 1752, .to = 8000});
    s.MoveDuring({.slot = 1503, .dx = -2, .from = 1752, .to = 8000});
    Drifter(s, {.slot = 1502, .bullet = 11080, .from = 1752});
    Drifter(s, {.slot = 1503, .bullet = 11088, .from = 1752});
    s.ScrollWithGround(851, 1752);
    s.MoveDuring({.slot = 1504, .dx = 2, .from = 1824, .to = 8000});
    s.MoveDuring({.slot = 1505, .dx = 2, .from = 1824, .to = 8000});
    Drifter(s, {.slot = 1504, .bullet = 11096, .from = 1824});
    Drifter(s, {.slot = 1505, .bullet = 11104, .from = 1824, .phase = 8});
    s.ScrollWithGround(901, 1920);
}

void WriteTrio(ScriptBuilder& s) {
    for (int slot : {1506, 1507, 1508}) s.MoveDuring({.slot = slot, .dy = 2, .from = 2000, .to = 2016});
    s.MoveDuring({.slot = 1506, .dx = -8, .from = 2272, .to = 8000});
    s.MoveDuring({.slot = 1507, .dy = -8, .from = 2272, .to = 8000});
    s.MoveDuring({.slot = 1508, .dx = 8, .from = 2272, .to = 8000});
    for (int c = 0; c < 8; ++c) {
        const int d = 32 * c, e = d + 16;
        // The outer two drop a shot that stops, then turns into an aimed one where it stopped.
        s.FireStraightStop({.bullet = 11112 + c,
                            .carrier = 1506,
                            .dy = 8,
                            .from = 2016,
                            .moveSpan = e,
                            .phase = d,
                            .period = 256});
        s.FireAimedExact(
            {.bullet = 11120 + c, .carrier = 11112 + c, .speed = 8, .from = 2016, .phase = e, .period = 256});
        s.FireStraightStop({.bullet = 11128 + c,
                            .carrier = 1508,
                            .dy = 8,
                            .from = 2016,
                            .moveSpan = e,
                            .phase = d,
                            .period = 256});
        s.FireAimedExact(
            {.bullet = 11136 + c, .carrier = 11128 + c, .speed = 8, .from = 2016, .phase = e, .period = 256});
        for (int f = 0; f < 8; ++f)
            s.FireAimed({.bullet = 11144 + c + 8 * f,
                         .carrier = 1507,
                         .offset = 10 * f - 35,
                         .speed = 6,
                         .from = 2016,
                         .phase = d,
                         .period = 256});
    }
    for (int d = 0; d < 36; ++d)
        s.FireOnDeath({.bullet = 11208 + d, .carrier = 1507, .offset = 10 * d, .speed = 6, .deadTime = 1});

    // The trio shot down early is rewarded twice: once by 2063 and again at 2223.
    s.BonusCheck({.first = 1506, .last = 1508, .frame = 2063, .flag = 2, .points = 1500});
    s.WhileFlag(2, [&] {
        for (int d = 0; d < 4; ++d) {
            s.MoveDuring({.slot = 2004 + d, .dx = -2, .from = 2064 + 32 * d, .to = 4000});
            s.MoveDuring({.slot = 2008 + d, .dx = -2, .from = 2064 + 32 * d, .to = 4000});
            for (int e = 0; e < 16; ++e) {
                s.FireAngled({.bullet = 15568 + d + 4 * e,
                              .carrier = 2004 + d,
                              .angle = 90,
                              .speed = 12,
                              .from = 2064,
                              .phase = 4 * e,
                              .period = 64});
                s.FireAngled({.bullet = 15632 + d + 4 * e,
                              .carrier = 2008 + d,
                              .angle = 270,
                              .speed = 12,
                              .from = 2064,
                              .phase = 4 * e,
                              .period = 64});
            }
        }
    });
    s.BonusCheck({.first = 1506, .last = 1508, .frame = 2223, .flag = 1, .points = 1500});
    s.WhileFlag(1, [&] {
        s.MoveDuring({.slot = 4032, .dx = -8, .from = 2224, .to = 4000});
        s.MoveDuring({.slot = 4033, .dy = -8, .from = 2224, .to = 4000});
        s.MoveDuring({.slot = 4034, .dx = 8, .from = 2224, .to = 4000});
        s.MoveDuring({.slot = 4035, .dy = 8, .from = 2224, .to = 4000});
        // Each block bursts at the far edge it runs to.
        s.WhileAbove(1, Arg::XOf(4032, 0), [&] { s.SetState(4032, 4032, StateDestroyed); });
        s.WhileAbove(1, Arg::YOf(4033, 0), [&] { s.SetState(4033, 4033, StateDestroyed); });
        s.WhileAbove(Arg::XOf(4034, 0), 607, [&] { s.SetState(4034, 4034, StateDestroyed); });
        s.WhileAbove(Arg::YOf(4035, 0), 447, [&] { s.SetState(4035, 4035, StateDestroyed); });
        for (int d = 0; d < 4; ++d) {
            for (int e = 0; e < 4; ++e)
                s.FireOnDeath(
                    {.bullet = 9224 + d + 4 * e, .carrier = 4032 + d, .speed = e + 6, .deadTime = 1});
        }
    });
    s.ScrollWithGround(801, 2288);
}

void WriteHeavyGun(ScriptBuilder& s) {
    s.MoveDuring({.slot = HeavyGun8, .dy = 8, .from = 2331, .to = 2374});
    s.MoveDuring({.slot = HeavyGun8, .dx = 4, .dy = 6, .from = 2758, .to = 8000});
    for (int d = 0; d < 4; ++d) {
        s.PlaceRelative(4500 + d, HeavyGun8, -16, 16 * d - 64);
        s.PlaceRelative(4504 + d, HeavyGun8, -16, 80 - 16 * d);
    }
    for (int d = 0; d < 4; ++d) {
        for (int g = 0; g < 4; ++g) {
            const int phase = 8 * d + 32 * g;
            for (int side = 0; side < 2; ++side) {
                const int escort = 4500 + d + 4 * side, bullet = 11244 + 48 * side + d + 4 * g;
                s.FireAimed({.bullet = bullet,
                             .carrier = escort,
                             .speed = 8,
                             .from = 2331,
                             .phase = phase,
                             .period = 256});
                s.FireAimed({.bullet = bullet + 16,
                             .carrier = escort,
                             .offset = 5,
                             .speed = 8,
                             .from = 2331,
                             .phase = phase,
                             .period = 256});
                s.FireAimed({.bullet = bullet + 32,
                             .carrier = escort,
                             .offset = -5,
                             .speed = 8,
                             .from = 2331,
                             .phase = phase,
                             .period = 256});
            }
        }
    }
    for (int e = 0; e < 32; ++e)
        s.FireAimed({.bullet = 15696 + e,
                     .carrier = HeavyGun8,
                     .speed = 16,
                     .from = 2331,
                     .phase = 2 * e + 192,
                     .period = 256});
    s.WhileAllDestroyed(HeavyGun8, HeavyGun8, [&] { s.SetState(4500, 4507, StateDestroyed); });

    // Shooting the heavy gun down brings two rings of fliers that spiral in on the middle.
    s.BonusCheck({.first = HeavyGun8, .last = HeavyGun8, .frame = 2559, .flag = 3, .points = 25000});
    s.WhileFlag(3, [&] {
        for (int e = 0; e < 8; ++e) {
            s.CircleDuring({.slot = 1064 + e,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 2652, -4),
                            .startAngle = 45 * e,
                            .angleStep = 2,
                            .from = 2560,
                            .to = 4000});
            s.CircleDuring({.slot = 1072 + e,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 2716, -4),
                            .startAngle = 45 * e,
                            .angleStep = -2,
                            .from = 2624,
                            .to = 4000});
        }
    });
}

void WriteSideFliers(ScriptBuilder& s) {
    for (int e = 0; e < 4; ++e) {
        const int slot = 1509 + e, from = 2588 + 32 * e;
        s.MoveDuring({.slot = slot, .dy = 2, .from = from, .to = 8000});
        s.FireAimed({.bullet = 11340 + e,
                     .carrier = slot,
                     .offset = 2,
                     .speed = 8,
                     .from = from,
                     .phase = 16 * e,
                     .period = 128});
        s.FireAimed({.bullet = 11344 + e,
                     .carrier = slot,
                     .offset = -2,
                     .speed = 8,
                     .from = from,
                     .phase = 16 * e,
                     .period = 128});
        s.FireAimed({.bullet = 11348 + e,
                     .carrier = slot,
                     .offset = 2,
                     .speed = 8,
                     .from = from,
                     .phase = 16 * e + 64,
                     .period = 128});
        s.FireAimed({.bullet = 11352 + e,
                     .carrier = slot,
                     .offset = -2,
                     .speed = 8,
                     .from = from,
                     .phase = 16 * e + 64,
                     .period = 128});
    }
    for (int f = 0; f < 3; ++f) {
        const int slot = 1513 + f, from = 2758 + 32 * f;
        s.MoveDuring({.slot = slot, .dx = 2, .from = from, .to = 8000});
        for (int g = 0; g < 4; ++g)
            s.FireAimed({.bullet = 11356 + f + 3 * g,
                         .carrier = slot,
                         .speed = 8,
                         .from = from,
                         .phase = 32 * f + 8 * g,
                         .period = 128});
    }
    s.ScrollWithGround(852, 2864);

    // Four sprinklers hang in, each sweeping two half rings once.
    for (int g = 0; g < 4; ++g) {
        const int slot = 1516 + g;
        s.MoveDuring({.slot = slot, .dy = 2, .from = 2928, .to = 2992});
        s.MoveDuring({.slot = slot, .dy = 2, .from = 3248, .to = 8000});
        for (int h = 0; h < 24; ++h) {
            s.FireAngled({.bullet = 11368 + g + 4 * h,
                          .carrier = slot,
                          .angle = 15 * h + 180,
                          .speed = 8,
                          .from = 2992,
                          .phase = h + 32 * g,
                          .period = 2992});
            s.FireAngled({.bullet = 11464 + g + 4 * h,
                          .carrier = slot,
                          .angle = 15 * h,
                          .speed = 8,
                          .from = 2992,
                          .phase = h + 32 * g + 128,
                          .period = 2992});
            s.FireOnDeath(
                {.bullet = 11560 + g + 4 * h, .carrier = slot, .offset = 15 * h, .speed = 4, .deadTime = 1});
        }
    }
    s.BonusCheck({.first = 1516, .last = 1519, .frame = 3047, .flag = 4, .points = 4000});
    s.WhileFlag(4, [&] {
        for (int h = 0; h < 4; ++h) {
            const int o = 90 * h;
            s.CircleDuring({.slot = 1080 + h,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 3140, -4),
                            .startAngle = o,
                            .angleStep = 3,
                            .from = 3048,
                            .to = 6000});
            s.CircleDuring({.slot = 1084 + h,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 3140, -4),
                            .startAngle = o,
                            .angleStep = -3,
                            .from = 3048,
                            .to = 6000});
            s.CircleDuring({.slot = 1088 + h,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 3258, -4),
                            .startAngle = o + 45,
                            .angleStep = 3,
                            .from = 3160,
                            .to = 6000});
            s.CircleDuring({.slot = 1092 + h,
                            .cx = 312,
                            .cy = 232,
                            .radius = Arg::Frame(4 * 3258, -4),
                            .startAngle = o + 45,
                            .angleStep = -3,
                            .from = 3160,
                            .to = 6000});
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
        s.MoveDuring({.slot = gun, .dx = -4, .from = 3792 + 64 * h, .to = t});
        s.MoveDuring({.slot = gun, .dx = 4, .from = 3936 + 64 * h, .to = 8000});
        for (int u = 0; u < 96; ++u)
            s.FireAimed({.bullet = 15728 + h + 4 * u,
                         .carrier = gun,
                         .offset = 43 * h + 67 * u + 43,
                         .speed = 10,
                         .from = t,
                         .phase = u + 16,
                         .period = t});
        for (int r = 0; r < 20; ++r) {
            s.FireOnDeath(
                {.bullet = 16112 + h + 4 * r, .carrier = gun, .offset = 18 * r, .speed = 10, .deadTime = 1});
            s.FireOnDeath({.bullet = 16192 + h + 4 * r,
                           .carrier = gun,
                           .offset = 18 * r + 9,
                           .speed = 10,
                           .deadTime = 6});
            s.FireOnDeath(
                {.bullet = 16272 + h + 4 * r, .carrier = gun, .offset = 18 * r, .speed = 10, .deadTime = 11});
        }
    }
    for (int o = 0; o < 4; ++o) {
        for (int row = 0; row < 2; ++row) {
            const int slot = 1520 + 4 * row + o, start = 4128 + 64 * row + 8 * o;
            s.MoveDuring({.slot = slot, .dx = -8, .from = start, .to = 10000});
            for (int b = 0; b < 8; ++b) {
                s.FireAimed({.bullet = 11656 + 32 * row + o + 4 * b,
                             .carrier = slot,
                             .speed = 4,
                             .from = start,
                             .phase = 6 * b + 16,
                             .period = start});
                s.FireOnDeath({.bullet = 11720 + 64 * row + o + 4 * b,
                               .carrier = slot,
                               .offset = 20,
                               .speed = 2,
                               .deadTime = 1});
                s.FireOnDeath({.bullet = 11752 + 64 * row + o + 4 * b,
                               .carrier = slot,
                               .offset = -20,
                               .speed = 2,
                               .deadTime = 1});
            }
        }
    }
    s.ScrollWithGround(903, 4288);
    for (int r = 0; r < 4; ++r) {
        const int t = 4288 + 8 * r;
        for (int row = 0; row < 2; ++row) {
            const int slot = 1528 + 4 * row + r;
            s.MoveDuring({.slot = slot, .dx = -8, .from = t, .to = 10000});
            for (int u = 0; u < 8; ++u) {
                s.FireAimed({.bullet = 11848 + 32 * row + r + 4 * u,
                             .carrier = slot,
                             .speed = u + 6,
                             .from = t,
                             .phase = 2 * u + 64,
                             .period = t});
                s.FireOnDeath({.bullet = 11912 + 32 * row + r + 4 * u,
                               .carrier = slot,
                               .speed = 14,
                               .deadTime = u + 1});
            }
        }
    }
    s.MoveDuring({.slot = 1536, .dy = 4, .from = 4384, .to = 10000});
    s.MoveDuring({.slot = 1537, .dy = -4, .from = 4384, .to = 10000});
    s.MoveDuring({.slot = 1538, .dy = 8, .from = 4432, .to = 10000});
    s.MoveDuring({.slot = 1539, .dy = -8, .from = 4432, .to = 10000});
    for (int t = 0; t < 4; ++t) {
        for (int u = 0; u < 8; ++u) {
            s.FireAimed({.bullet = 11976 + t + 4 * u,
                         .carrier = 1536 + t,
                         .speed = 8,
                         .from = 4384,
                         .phase = 8 * u,
                         .period = 64});
            s.FireAimed({.bullet = 12008 + t + 4 * u,
                         .carrier = 1536 + t,
                         .offset = 20,
                         .speed = 8,
                         .from = 4384,
                         .phase = 8 * u,
                         .period = 64});
            s.FireAimed({.bullet = 12040 + t + 4 * u,
                         .carrier = 1536 + t,
                         .offset = -20,
                         .speed = 8,
                         .from = 4384,
                         .phase = 8 * u,
                         .period = 64});
        }
    }
    for (int slot : {1540, 1541}) {
        s.MoveDuring({.slot = slot, .dx = -4, .from = 4480, .to = 4496});
        s.MoveDuring({.slot = slot, .dx = -4, .from = 4536, .to = 10000});
    }
    for (int u = 0; u < 18; ++u) {
        for (int v = 0; v < 4; ++v) {
            s.FireAngled({.bullet = 12072 + u + 32 * v,
                          .carrier = 1540,
                          .angle = 20 * u + 90 * v,
                          .speed = 6,
                          .from = 4480,
                          .phase = 2 * u,
                          .period = 4496});
            s.FireAngled({.bullet = 12200 + u + 32 * v,
                          .carrier = 1541,
                          .angle = 90 * v - 20 * u,
                          .speed = 6,
                          .from = 4480,
                          .phase = 2 * u,
                          .period = 4496});
        }
    }
    s.ScrollWithGround(853, 4480);
    s.BonusCheck({.first = 2004, .last = 2011, .frame = 3047, .flag = 5, .points = 50000});
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
