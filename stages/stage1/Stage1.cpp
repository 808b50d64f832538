// Stage 1: fliers in fours, ground guns that travel with the scenery, a wall with a gap, falling
// debris, bonus formations that come only when a whole formation fell, and a boss circling the screen.
#include "stages/SceneTable.h"

namespace veltrano {

namespace {

constexpr int Boss = RowOf(Stage1Scene).Fight.Slot;
constexpr int BossEntryFrame = Stage1BossEntryFrame;

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::FirstStage);
    s.Layers({.layer1X = -1, .layer2X = -2, .layer3X = -4});
    s.Boss(Boss);
    s.Flags(8);

    s.HitPoints(Boss, Boss, 100);
    s.DefaultHitPoints(FirstItemSlot, LastItemSlot);
    s.HitPoints(1000, 1999, 1);
    s.HitPoints(2000, 2499, 5);
    s.DefaultHitPoints(3000, 3499);

    for (int slot : {Boss, 800, 801, 850, 900, 901, 950}) s.Place(slot, FieldWidth, 224);
    s.Place({.first = 1000, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 1004, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 1008, .count = 4, .x = 400, .y = -16});
    s.Place({.first = 1012, .count = 4, .x = 400, .y = FieldHeight});
    s.Place({.first = 1016, .count = 4, .x = FieldWidth, .y = 232});
    s.Place({.first = 1020, .count = 4, .x = FieldWidth, .y = FieldHeight});
    s.Place({.first = 1024, .count = 4, .x = FieldWidth, .y = -16});
    s.Place({.first = 1028, .count = 4, .x = FieldWidth * 3 / 4, .y = FieldHeight});
    s.Place({.first = 1032, .count = 4, .x = FieldWidth * 3 / 4, .y = -16});
    s.Place({.first = 1036, .count = 4, .x = 0, .y = -16});
    s.Place({.first = 1040, .count = 4, .x = 0, .y = FieldHeight});
    s.Place({.first = 1044, .count = 4, .x = 400, .y = -16});
    s.Place({.first = 1048, .count = 4, .x = 400, .y = FieldHeight});
    s.Place({.first = 1052, .count = 4, .x = FieldWidth, .y = -16});
    s.Place({.first = 1056, .count = 4, .x = FieldWidth, .y = FieldHeight});
    s.Place({.first = 1060, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 1064, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 1068, .count = 8, .x = 0, .y = -16});
    s.Place({.first = 1076, .count = 8, .x = 0, .y = FieldHeight});
    s.Place({.first = 1084, .count = 8, .x = FieldWidth * 3 / 4, .y = -16});
    s.Place({.first = 1092, .count = 8, .x = FieldWidth * 3 / 4, .y = FieldHeight});
    s.Place({.first = 1100, .count = 8, .x = FieldWidth, .y = 0});
    s.Place({.first = 1108, .count = 8, .x = FieldWidth, .y = 464});
    s.Place({.first = 1500, .count = 4, .x = FieldWidth, .y = Coord::Per(208, 16)});
    s.Place({.first = 1504, .count = 4, .x = FieldWidth, .y = Coord::Per(0, 16)});
    s.Place({.first = 1508, .count = 4, .x = FieldWidth, .y = Coord::Per(64, 64)});
    s.Place({.first = 2000, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 2004, .count = 4, .x = FieldWidth, .y = 448});
    s.Place({.first = 2008, .count = 6, .x = FieldWidth, .y = Coord::Per(0, 32)});
    s.Place({.first = 2014, .count = 6, .x = FieldWidth, .y = Coord::Per(288, 32)});
    s.Place({.first = 2020, .count = 4, .x = FieldWidth, .y = Coord::Per(176, 32)});
    // The gun pods hang in pairs above and below the screen.
    for (int base : {2024, 2032}) {
        s.Place({.first = base, .count = 2, .x = 576, .y = Coord::Per(-64, 32)});
        s.Place({.first = base + 2, .count = 2, .x = 608, .y = Coord::Per(-64, 32)});
        s.Place({.first = base + 4, .count = 2, .x = 512, .y = Coord::Per(FieldHeight, 32)});
        s.Place({.first = base + 6, .count = 2, .x = 544, .y = Coord::Per(FieldHeight, 32)});
    }
    s.Place({.first = 2500, .count = 6, .x = FieldWidth, .y = Coord::Per(0, 32)});
    s.Place({.first = 2506, .count = 6, .x = FieldWidth, .y = Coord::Per(288, 32)});
    s.Place({.first = 3000, .count = 16, .x = Coord::Per(128, 32), .y = -32});
}

void WriteOpening(ScriptBuilder& s) {
    for (int k = 0; k < 4; ++k) {
        const int w = 4 * k;
        s.Flier(1000 + k, {-4, 4, 32 + w, 64 + w}, {-6, 0, 64 + w, 128 + w}, {4, 4, 128 + w, 2000},
                11000 + k);
    }
    for (int k = 0; k < 4; ++k) {
        const int w = 4 * k;
        s.Flier(1004 + k, {-4, -4, 96 + w, 144 + w}, {-6, 0, 144 + w, 208 + w}, {4, -4, 208 + w, 2000},
                11004 + k);
    }
    s.ScrollWithGround(800, 128);

    // Climbers from below and above.
    for (int k = 0; k < 4; ++k) {
        const int w = 4 * k;
        s.Flier(1008 + k, {0, 6, 160 + w, 192 + w}, {-5, -2, 192 + w, 240 + w}, {0, 6, 240 + w, 2000},
                11008 + k);
    }
    for (int k = 0; k < 4; ++k) {
        const int w = 4 * k;
        s.Flier(1012 + k, {0, -6, 160 + w, 192 + w}, {-5, 2, 192 + w, 240 + w}, {0, -6, 240 + w, 2000},
                11012 + k);
    }

    // Ground guns: a straight shot and an aimed one, half a period apart, from when they scroll in.
    constexpr int GroundGunsFrame = 256;
    for (int k = 0; k < 4; ++k) {
        const int gun = 1500 + k;
        s.ScrollWithGround(gun, GroundGunsFrame);
        s.FireStraight(
            {.bullet = 11016 + k, .carrier = gun, .dx = -6, .from = GroundGunsFrame, .period = 96});
        s.FireAimed({.bullet = 11020 + k,
                     .carrier = gun,
                     .speed = 6,
                     .from = GroundGunsFrame,
                     .phase = 48,
                     .period = 96});
        s.DeathShot({.bullet = 11024 + k, .carrier = gun});
        s.DeathShot({.bullet = 11028 + k, .carrier = gun, .deadTime = 11});
    }

    // The wall: one column with a gap from 192 to 287.
    for (int k = 0; k < 12; ++k) s.ScrollWithGround(2500 + k, 320);
    s.ScrollWithGround(801, 336);

    // Chasers: five groups of four, a group every 64 steps, members 6 steps apart.
    for (int m = 0; m < 4; ++m) {
        for (int a = 0; a < 5; ++a) {
            const int slot = 1016 + m + 4 * a;
            s.ChaseRow(slot, 464 + 6 * m + 64 * a, 3);
            s.DeathShot({.bullet = 11032 + m + 4 * a, .carrier = slot});
        }
    }
}

void WriteGuns(ScriptBuilder& s) {
    // The gun rows drop their shots with the ground's drift, whatever the ground's speed is then.
    const Arg drift = Arg::TimesLayer(2, LayerStep::Layer1X);
    constexpr int UpperRowFrame = 848, LowerRowFrame = 912;  // each gun of a row 16 steps after the last
    for (int k = 0; k < 4; ++k) {
        const int gun = 2000 + k;
        s.ScrollWithGround(gun, UpperRowFrame + 16 * k);
        s.FireStraight({.bullet = 15000 + k,
                        .carrier = gun,
                        .dx = drift,
                        .dy = 6,
                        .from = UpperRowFrame,
                        .period = 160});
        s.FireStraight({.bullet = 15004 + k,
                        .carrier = gun,
                        .dx = drift,
                        .dy = 6,
                        .from = UpperRowFrame,
                        .phase = 80,
                        .period = 160});
        s.DeathShot({.bullet = 15008 + k, .carrier = gun});
        s.DeathShot({.bullet = 15012 + k, .carrier = gun, .deadTime = 11});
    }
    for (int k = 0; k < 4; ++k) {
        const int gun = 2004 + k;
        s.ScrollWithGround(gun, LowerRowFrame + 16 * k);
        s.FireStraight({.bullet = 15016 + k,
                        .carrier = gun,
                        .dx = drift,
                        .dy = -6,
                        .from = LowerRowFrame,
                        .phase = 40,
                        .period = 160});
        s.FireStraight({.bullet = 15020 + k,
                        .carrier = gun,
                        .dx = drift,
                        .dy = -6,
                        .from = LowerRowFrame,
                        .phase = 120,
                        .period = 160});
        s.DeathShot({.bullet = 15024 + k, .carrier = gun});
        s.DeathShot({.bullet = 15028 + k, .carrier = gun, .deadTime = 11});
    }

    // The gun wall (two columns of six) and the gun block, which fire from when they scroll in.
    constexpr int GunWallFrame = 1168, GunBlockFrame = 1296;
    for (int c = 0; c < 12; ++c) {
        const int gun = 2008 + c;
        s.ScrollWithGround(gun, GunWallFrame);
        s.FireAimed({.bullet = 15032 + c, .carrier = gun, .speed = 6, .from = GunWallFrame, .period = 120});
        s.FireAimed({.bullet = 15044 + c,
                     .carrier = gun,
                     .speed = 6,
                     .from = GunWallFrame,
                     .phase = 60,
                     .period = 120});
        s.DeathShot({.bullet = 15056 + c, .carrier = gun, .offset = 20});
        s.DeathShot({.bullet = 15068 + c, .carrier = gun, .offset = -20, .deadTime = 11});
    }
    for (int d = 0; d < 4; ++d) {
        const int gun = 2020 + d;
        s.ScrollWithGround(gun, GunBlockFrame);
        s.FireAimed({.bullet = 15080 + d, .carrier = gun, .speed = 6, .from = GunBlockFrame, .period = 120});
        s.FireAimed({.bullet = 15084 + d,
                     .carrier = gun,
                     .speed = 6,
                     .from = GunBlockFrame,
                     .phase = 60,
                     .period = 120});
        s.DeathShot({.bullet = 15088 + d, .carrier = gun, .offset = 20});
        s.DeathShot({.bullet = 15092 + d, .carrier = gun, .offset = -20, .deadTime = 11});
    }
    s.ScrollWithGround(900, 1600);

    // Debris: the rightmost block falls first, one more every 16 steps.
    for (int d = 0; d < 16; ++d) s.SinkDuring(3015 - d, 1600 + 16 * d, 3000);
}

void WriteCrossings(ScriptBuilder& s) {
    // Every formation's member d moves before member d + 1 of any formation.
    for (int d = 0; d < 4; ++d) {
        const int w = 4 * d;
        s.Flier(1036 + d, {5, 1, 1920 + w, 2048 + w}, {0, 6, 2048 + w, 2080 + w}, {-6, 0, 2080 + w, 4000},
                11052 + d);
        s.Flier(1040 + d, {5, -1, 1920 + w, 2048 + w}, {0, -6, 2048 + w, 2080 + w}, {-6, 0, 2080 + w, 4000},
                11056 + d);
        s.Flier(1044 + d, {4, 4, 2112 + w, 2144 + w}, {-6, 0, 2144 + w, 2208 + w}, {4, 4, 2208 + w, 4000},
                11060 + d);
        s.Flier(1048 + d, {4, -4, 2112 + w, 2144 + w}, {-6, 0, 2144 + w, 2208 + w}, {4, -4, 2208 + w, 4000},
                11064 + d);
        s.Flier(1052 + d, {-1, 6, 2240 + w, 2304 + w}, {-2, -5, 2304 + w, 2336 + w}, {-6, 0, 2336 + w, 4000},
                11068 + d);
        s.Flier(1056 + d, {-1, -6, 2240 + w, 2304 + w}, {-2, 5, 2304 + w, 2336 + w}, {-6, 0, 2336 + w, 4000},
                11072 + d);
    }
}

// A bonus formation of eight fliers that comes only when the whole crossing group fell by the check.
// The crossing group, the formation and its parting shots, the bonus flag; the three legs' steps (the
// last only climbs or dives); the frame of the check, the formation's start and its first two legs' spans.
struct BonusFlight {
    int group, formation, bullet, flag;
    int dx1, dy1, dx2, dy2, dy3;
    int check, start, span1, span2;
};

void BonusFormation(ScriptBuilder& s, const BonusFlight& f) {
    s.BonusCheck({.first = f.group, .last = f.group + 3, .frame = f.check, .flag = f.flag, .points = 2000});
    s.WhileFlag(f.flag, [&] {
        for (int d = 0; d < 8; ++d) {
            const int t0 = f.start + 4 * d;
            const int t1 = t0 + f.span1;
            const int t2 = t1 + f.span2;
            s.Flier(f.formation + d, {f.dx1, f.dy1, t0, t1}, {f.dx2, f.dy2, t1, t2}, {0, f.dy3, t2, 3000},
                    f.bullet + d);
        }
    });
}

void WriteBonusFormations(ScriptBuilder& s) {
    BonusFormation(s, {.group = 1036,
                       .formation = 1084,
                       .bullet = 11076,
                       .flag = 4,
                       .dx1 = -4,
                       .dy1 = 4,
                       .dx2 = 5,
                       .dy2 = 2,
                       .dy3 = 6,
                       .check = 2059,
                       .start = 2060,
                       .span1 = 32,
                       .span2 = 48});
    BonusFormation(s, {.group = 1040,
                       .formation = 1092,
                       .bullet = 11084,
                       .flag = 5,
                       .dx1 = -4,
                       .dy1 = -4,
                       .dx2 = 5,
                       .dy2 = -2,
                       .dy3 = -6,
                       .check = 2059,
                       .start = 2060,
                       .span1 = 32,
                       .span2 = 48});
    BonusFormation(s, {.group = 1044,
                       .formation = 1100,
                       .bullet = 11092,
                       .flag = 6,
                       .dx1 = -6,
                       .dy1 = 0,
                       .dx2 = -4,
                       .dy2 = 4,
                       .dy3 = 6,
                       .check = 2191,
                       .start = 2192,
                       .span1 = 64,
                       .span2 = 32});
    BonusFormation(s, {.group = 1048,
                       .formation = 1108,
                       .bullet = 11100,
                       .flag = 7,
                       .dx1 = -6,
                       .dy1 = 0,
                       .dx2 = -4,
                       .dy2 = -4,
                       .dy3 = -6,
                       .check = 2191,
                       .start = 2192,
                       .span1 = 64,
                       .span2 = 32});
}

void WriteGunColumns(ScriptBuilder& s) {
    for (int d = 0; d < 4; ++d) {
        const int gun = 1504 + d;
        s.ScrollWithGround(gun, 2400);
        s.FireAimed(
            {.bullet = 11108 + d, .carrier = gun, .speed = 6, .from = 2400, .phase = 20 * d, .period = 160});
        s.FireAimed({.bullet = 11112 + d,
                     .carrier = gun,
                     .speed = 6,
                     .from = 2400,
                     .phase = 20 * d + 80,
                     .period = 160});
        s.DeathShot({.bullet = 11116 + d, .carrier = gun});
        s.DeathShot({.bullet = 11120 + d, .carrier = gun, .deadTime = 11});
    }
    // Spread guns: pairs at plus and minus 15 degrees.
    for (int e = 0; e < 4; ++e) {
        const int gun = 1508 + e;
        s.ScrollWithGround(gun, 2464 + 64 * e);
        s.FireAimed({.bullet = 11124 + e,
                     .carrier = gun,
                     .offset = 15,
                     .speed = 6,
                     .from = 2400,
                     .phase = 20 * e,
                     .period = 160});
        s.FireAimed({.bullet = 11128 + e,
                     .carrier = gun,
                     .offset = -15,
                     .speed = 6,
                     .from = 2400,
                     .phase = 20 * e,
                     .period = 160});
        s.FireAimed({.bullet = 11132 + e,
                     .carrier = gun,
                     .offset = 15,
                     .speed = 6,
                     .from = 2400,
                     .phase = 20 * e + 80,
                     .period = 160});
        s.FireAimed({.bullet = 11136 + e,
                     .carrier = gun,
                     .offset = -15,
                     .speed = 6,
                     .from = 2400,
                     .phase = 20 * e + 80,
                     .period = 160});
        s.DeathShot({.bullet = 11140 + e, .carrier = gun});
        s.DeathShot({.bullet = 11144 + e, .carrier = gun, .deadTime = 11});
    }

    s.BonusCheck({.first = 1508, .last = 1511, .frame = 2799, .flag = 1, .points = 2000});
    s.WhileFlag(1, [&] {
        for (int e = 0; e < 8; ++e) {
            const int w = 4 * e;
            s.Path(1068 + e, {{4, 4, 2800 + w, 2900 + w}, {-6, 0, 2900 + w, 4000}});
            s.DeathShot({.bullet = 11148 + e, .carrier = 1068 + e});
            s.Path(1076 + e, {{4, -4, 2800 + w, 2900 + w}, {-6, 0, 2900 + w, 4000}});
            s.DeathShot({.bullet = 11156 + e, .carrier = 1076 + e});
        }
    });
}

// Gun pods drop in, stop, and leave again at 3336.
void Pod(ScriptBuilder& s, int slot, int dy, int arrive, int arrived) {
    s.MoveDuring({.slot = slot, .dy = dy, .from = arrive, .to = arrived});
    s.MoveDuring({.slot = slot, .dy = dy, .from = 3336, .to = 6000});
}

// A bonus pod fires three aimed pairs of (0, -40, +40) degrees, twice per period.
void BonusPodFire(ScriptBuilder& s, int pod, int bullet, int phase) {
    const int offsets[3] = {0, -40, 40};
    for (int half = 0; half < 2; ++half) {
        for (int i = 0; i < 3; ++i) {
            s.FireAimed({.bullet = bullet + 4 * (3 * half + i),
                         .carrier = pod,
                         .offset = offsets[i],
                         .speed = 8,
                         .from = 3168,
                         .phase = phase + 64 * half,
                         .period = 128});
        }
    }
}

void WritePods(ScriptBuilder& s) {
    for (int e = 0; e < 4; ++e) {
        const int a = 2024 + e, b = 2028 + e;
        Pod(s, a, 6, 2936, 2968);
        Pod(s, b, -6, 2936, 2968);
        const int phase = 8 * e;
        s.FireAimed({.bullet = 15096 + e,
                     .carrier = a,
                     .offset = -20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase,
                     .period = 128});
        s.FireAimed({.bullet = 15100 + e,
                     .carrier = a,
                     .offset = 20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase,
                     .period = 128});
        s.FireAimed({.bullet = 15104 + e,
                     .carrier = b,
                     .offset = -20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase + 32,
                     .period = 128});
        s.FireAimed({.bullet = 15108 + e,
                     .carrier = b,
                     .offset = 20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase + 32,
                     .period = 128});
        s.FireAimed({.bullet = 15112 + e,
                     .carrier = a,
                     .offset = -20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase + 64,
                     .period = 128});
        s.FireAimed({.bullet = 15116 + e,
                     .carrier = a,
                     .offset = 20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase + 64,
                     .period = 128});
        s.FireAimed({.bullet = 15120 + e,
                     .carrier = b,
                     .offset = -20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase + 96,
                     .period = 128});
        s.FireAimed({.bullet = 15124 + e,
                     .carrier = b,
                     .offset = 20,
                     .speed = 8,
                     .from = 2968,
                     .phase = phase + 96,
                     .period = 128});
    }

    s.BonusCheck({.first = 2024, .last = 2027, .frame = 3135, .flag = 2, .points = 10000});
    s.WhileFlag(2, [&] {
        for (int e = 0; e < 4; ++e) {
            Pod(s, 2032 + e, 6, 3136, 3168);
            BonusPodFire(s, 2032 + e, 15128 + e, 8 * e);
        }
    });
    s.BonusCheck({.first = 2028, .last = 2031, .frame = 3135, .flag = 3, .points = 10000});
    s.WhileFlag(3, [&] {
        for (int e = 0; e < 4; ++e) {
            Pod(s, 2036 + e, -6, 3136, 3168);
            BonusPodFire(s, 2036 + e, 15152 + e, 8 * e + 32);
        }
    });
}

void WriteEscortsAndReward(ScriptBuilder& s) {
    s.ScrollWithGround(901, 3336);
    for (int e = 0; e < 4; ++e) {
        const int w = 4 * e;
        s.Path(1060 + e, {{-6, 0, 3336 + w, 3432 + w}, {4, 4, 3432 + w, 6000}});
        s.DeathShot({.bullet = 11164 + e, .carrier = 1060 + e});
        s.Path(1064 + e, {{-6, 0, 3336 + w, 3432 + w}, {4, -4, 3432 + w, 6000}});
        s.DeathShot({.bullet = 11168 + e, .carrier = 1064 + e});
    }
    s.ScrollWithGround(850, 3432);

    // The extra ship comes only when both bonus pod groups were shot down completely.
    s.WhileAllDestroyed(2032, 2039, [&] { s.ScrollWithGround(950, 3464); });
    s.AtFrame(BossEntryFrame, [&] { s.WhileAllDestroyed(2032, 2039, [&] { s.AddScore(50000); }); });
}

}  // namespace

// The boss's entry, circle and fire.
void WriteStage1Boss(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(BossEntryFrame);
    s.FromFrame(entry, [&] { s.HudBossDigits(); });
    s.MoveDuring({.slot = Boss, .dx = -8, .from = fight.At(3586), .to = fight.At(3599)});
    s.CircleFrom(
        {.slot = Boss, .cx = 304, .cy = 224, .radius = 224, .startAngle = 0, .angleStep = 1, .from = entry});
    for (int e = 0; e < 8; ++e) {
        s.FireAimed({.bullet = 15178 + e,
                     .carrier = Boss,
                     .speed = 6,
                     .from = entry,
                     .phase = 32 * e,
                     .period = 256});
        s.FireAimed({.bullet = 15186 + e,
                     .carrier = Boss,
                     .offset = 15,
                     .speed = 6,
                     .from = entry,
                     .phase = 32 * e + 16,
                     .period = 256});
        s.FireAimed({.bullet = 15194 + e,
                     .carrier = Boss,
                     .offset = -15,
                     .speed = 6,
                     .from = entry,
                     .phase = 32 * e + 16,
                     .period = 256});
    }
    // A boss still flying at the time-out is switched off, without the boss bonus.
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] { s.ClearEnemyBullets(); });
}

void WriteStage1(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    WriteOpening(s);
    WriteGuns(s);
    WriteCrossings(s);
    WriteBonusFormations(s);
    WriteGunColumns(s);
    WritePods(s);
    WriteEscortsAndReward(s);
    WriteStage1Boss(s, RowOf(Stage1Scene).Fight);
}

}  // namespace veltrano
