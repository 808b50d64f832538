// Stage 1: fliers in fours, ground guns that travel with the scenery, a wall with a gap, falling
// debris, bonus formations that come only when a whole formation fell, and a boss circling the screen.
#include "stages/SceneTable.h"

namespace veltrano {

namespace {

constexpr int Boss = RowOf(Stage1Scene).Fight.Slot;
constexpr int BossEntryFrame = Stage1BossEntryFrame;

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::FirstStage);
    s.Layers(-1, -2, -4);
    s.Boss(Boss);
    s.Flags(8);

    s.HitPoints(Boss, Boss, 100);
    s.DefaultHitPoints(FirstItemSlot, LastItemSlot);
    s.HitPoints(1000, 1999, 1);
    s.HitPoints(2000, 2499, 5);
    s.DefaultHitPoints(3000, 3499);

    for (int slot : {Boss, 800, 801, 850, 900, 901, 950}) s.Place(slot, 640, 224);
    s.Place(1000, 4, 640, 0);
    s.Place(1004, 4, 640, 448);
    s.Place(1008, 4, 400, -16);
    s.Place(1012, 4, 400, 480);
    s.Place(1016, 4, 640, 232);
    s.Place(1020, 4, 640, 480);
    s.Place(1024, 4, 640, -16);
    s.Place(1028, 4, 480, 480);
    s.Place(1032, 4, 480, -16);
    s.Place(1036, 4, 0, -16);
    s.Place(1040, 4, 0, 480);
    s.Place(1044, 4, 400, -16);
    s.Place(1048, 4, 400, 480);
    s.Place(1052, 4, 640, -16);
    s.Place(1056, 4, 640, 480);
    s.Place(1060, 4, 640, 0);
    s.Place(1064, 4, 640, 448);
    s.Place(1068, 8, 0, -16);
    s.Place(1076, 8, 0, 480);
    s.Place(1084, 8, 480, -16);
    s.Place(1092, 8, 480, 480);
    s.Place(1100, 8, 640, 0);
    s.Place(1108, 8, 640, 464);
    s.Place(1500, 4, 640, Coord::Per(208, 16));
    s.Place(1504, 4, 640, Coord::Per(0, 16));
    s.Place(1508, 4, 640, Coord::Per(64, 64));
    s.Place(2000, 4, 640, 0);
    s.Place(2004, 4, 640, 448);
    s.Place(2008, 6, 640, Coord::Per(0, 32));
    s.Place(2014, 6, 640, Coord::Per(288, 32));
    s.Place(2020, 4, 640, Coord::Per(176, 32));
    // The gun pods hang in pairs above and below the screen.
    for (int base : {2024, 2032}) {
        s.Place(base, 2, 576, Coord::Per(-64, 32));
        s.Place(base + 2, 2, 608, Coord::Per(-64, 32));
        s.Place(base + 4, 2, 512, Coord::Per(480, 32));
        s.Place(base + 6, 2, 544, Coord::Per(480, 32));
    }
    s.Place(2500, 6, 640, Coord::Per(0, 32));
    s.Place(2506, 6, 640, Coord::Per(288, 32));
    s.Place(3000, 16, Coord::Per(128, 32), -32);
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

    // Ground guns: a straight shot and an aimed one, half a period apart.
    for (int k = 0; k < 4; ++k) {
        const int gun = 1500 + k;
        s.ScrollWithGround(gun, 256);
        s.FireStraight(11016 + k, gun, 256, 0, 96, 0, -6);
        s.FireAimed(11020 + k, gun, 0, 48, 96, 256, 6);
        s.DeathShot(11024 + k, gun);
        s.DeathShot(11028 + k, gun, 0, 11);
    }

    // The wall: one column with a gap from 192 to 287.
    for (int k = 0; k < 12; ++k) s.ScrollWithGround(2500 + k, 320);
    s.ScrollWithGround(801, 336);

    // Chasers: five groups of four, a group every 64 steps, members 6 steps apart.
    for (int m = 0; m < 4; ++m) {
        for (int a = 0; a < 5; ++a) {
            const int slot = 1016 + m + 4 * a;
            s.ChaseRow(slot, 464 + 6 * m + 64 * a, 3);
            s.DeathShot(11032 + m + 4 * a, slot);
        }
    }
}

void WriteGuns(ScriptBuilder& s) {
    // The gun rows drop their shots with the ground's drift, whatever the ground's speed is then.
    const Arg drift = Arg::TimesLayer(2, LayerStep::Layer1X);
    for (int k = 0; k < 4; ++k) {
        const int gun = 2000 + k;
        s.ScrollWithGround(gun, 848 + 16 * k);
        s.FireStraight(15000 + k, gun, 848, 0, 160, 6, drift);
        s.FireStraight(15004 + k, gun, 848, 80, 160, 6, drift);
        s.DeathShot(15008 + k, gun);
        s.DeathShot(15012 + k, gun, 0, 11);
    }
    for (int k = 0; k < 4; ++k) {
        const int gun = 2004 + k;
        s.ScrollWithGround(gun, 912 + 16 * k);
        s.FireStraight(15016 + k, gun, 912, 40, 160, -6, drift);
        s.FireStraight(15020 + k, gun, 912, 120, 160, -6, drift);
        s.DeathShot(15024 + k, gun);
        s.DeathShot(15028 + k, gun, 0, 11);
    }

    // The gun wall (two columns of six) and the gun block.
    for (int c = 0; c < 12; ++c) {
        const int gun = 2008 + c;
        s.ScrollWithGround(gun, 1168);
        s.FireAimed(15032 + c, gun, 0, 0, 120, 1168, 6);
        s.FireAimed(15044 + c, gun, 0, 60, 120, 1168, 6);
        s.DeathShot(15056 + c, gun, 20, 1);
        s.DeathShot(15068 + c, gun, -20, 11);
    }
    for (int d = 0; d < 4; ++d) {
        const int gun = 2020 + d;
        s.ScrollWithGround(gun, 1296);
        s.FireAimed(15080 + d, gun, 0, 0, 120, 1296, 6);
        s.FireAimed(15084 + d, gun, 0, 60, 120, 1296, 6);
        s.DeathShot(15088 + d, gun, 20, 1);
        s.DeathShot(15092 + d, gun, -20, 11);
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
void BonusFormation(ScriptBuilder& s, int checkFrame, int group, int flag, int formation, int bullet, int dx1,
                    int dy1, int dx2, int dy2, int dy3, int start, int span1, int span2) {
    s.BonusCheck(checkFrame, group, group + 3, flag, 2000);
    s.WhileFlag(flag, [&] {
        for (int d = 0; d < 8; ++d) {
            const int t0 = start + 4 * d;
            const int t1 = t0 + span1;
            const int t2 = t1 + span2;
            s.Flier(formation + d, {dx1, dy1, t0, t1}, {dx2, dy2, t1, t2}, {0, dy3, t2, 3000}, bullet + d);
        }
    });
}

void WriteBonusFormations(ScriptBuilder& s) {
    BonusFormation(s, 2059, 1036, 4, 1084, 11076, -4, 4, 5, 2, 6, 2060, 32, 48);
    BonusFormation(s, 2059, 1040, 5, 1092, 11084, -4, -4, 5, -2, -6, 2060, 32, 48);
    BonusFormation(s, 2191, 1044, 6, 1100, 11092, -6, 0, -4, 4, 6, 2192, 64, 32);
    BonusFormation(s, 2191, 1048, 7, 1108, 11100, -6, 0, -4, -4, -6, 2192, 64, 32);
}

void WriteGunColumns(ScriptBuilder& s) {
    for (int d = 0; d < 4; ++d) {
        const int gun = 1504 + d;
        s.ScrollWithGround(gun, 2400);
        s.FireAimed(11108 + d, gun, 0, 20 * d, 160, 2400, 6);
        s.FireAimed(11112 + d, gun, 0, 20 * d + 80, 160, 2400, 6);
        s.DeathShot(11116 + d, gun);
        s.DeathShot(11120 + d, gun, 0, 11);
    }
    // Spread guns: pairs at plus and minus 15 degrees.
    for (int e = 0; e < 4; ++e) {
        const int gun = 1508 + e;
        s.ScrollWithGround(gun, 2464 + 64 * e);
        s.FireAimed(11124 + e, gun, 15, 20 * e, 160, 2400, 6);
        s.FireAimed(11128 + e, gun, -15, 20 * e, 160, 2400, 6);
        s.FireAimed(11132 + e, gun, 15, 20 * e + 80, 160, 2400, 6);
        s.FireAimed(11136 + e, gun, -15, 20 * e + 80, 160, 2400, 6);
        s.DeathShot(11140 + e, gun);
        s.DeathShot(11144 + e, gun, 0, 11);
    }

    s.BonusCheck(2799, 1508, 1511, 1, 2000);
    s.WhileFlag(1, [&] {
        for (int e = 0; e < 8; ++e) {
            const int w = 4 * e;
            s.Path(1068 + e, {{4, 4, 2800 + w, 2900 + w}, {-6, 0, 2900 + w, 4000}});
            s.DeathShot(11148 + e, 1068 + e);
            s.Path(1076 + e, {{4, -4, 2800 + w, 2900 + w}, {-6, 0, 2900 + w, 4000}});
            s.DeathShot(11156 + e, 1076 + e);
        }
    });
}

// Gun pods drop in, stop, and leave again at 3336.
void Pod(ScriptBuilder& s, int slot, int dy, int arrive, int arrived) {
    s.MoveDuring(slot, 0, dy, arrive, arrived);
    s.MoveDuring(slot, 0, dy, 3336, 6000);
}

// A bonus pod fires three aimed pairs of (0, -40, +40) degrees, twice per period.
void BonusPodFire(ScriptBuilder& s, int pod, int bullet, int phase) {
    const int offsets[3] = {0, -40, 40};
    for (int half = 0; half < 2; ++half) {
        for (int i = 0; i < 3; ++i) {
            s.FireAimed(bullet + 4 * (3 * half + i), pod, offsets[i], phase + 64 * half, 128, 3168, 8);
        }
    }
}

void WritePods(ScriptBuilder& s) {
    for (int e = 0; e < 4; ++e) {
        const int a = 2024 + e, b = 2028 + e;
        Pod(s, a, 6, 2936, 2968);
        Pod(s, b, -6, 2936, 2968);
        const int phase = 8 * e;
        s.FireAimed(15096 + e, a, -20, phase, 128, 2968, 8);
        s.FireAimed(15100 + e, a, 20, phase, 128, 2968, 8);
        s.FireAimed(15104 + e, b, -20, phase + 32, 128, 2968, 8);
        s.FireAimed(15108 + e, b, 20, phase + 32, 128, 2968, 8);
        s.FireAimed(15112 + e, a, -20, phase + 64, 128, 2968, 8);
        s.FireAimed(15116 + e, a, 20, phase + 64, 128, 2968, 8);
        s.FireAimed(15120 + e, b, -20, phase + 96, 128, 2968, 8);
        s.FireAimed(15124 + e, b, 20, phase + 96, 128, 2968, 8);
    }

    s.BonusCheck(3135, 2024, 2027, 2, 10000);
    s.WhileFlag(2, [&] {
        for (int e = 0; e < 4; ++e) {
            Pod(s, 2032 + e, 6, 3136, 3168);
            BonusPodFire(s, 2032 + e, 15128 + e, 8 * e);
        }
    });
    s.BonusCheck(3135, 2028, 2031, 3, 10000);
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
        s.DeathShot(11164 + e, 1060 + e);
        s.Path(1064 + e, {{-6, 0, 3336 + w, 3432 + w}, {4, -4, 3432 + w, 6000}});
        s.DeathShot(11168 + e, 1064 + e);
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
    s.MoveDuring(Boss, -8, 0, fight.At(3586), fight.At(3599));
    s.CircleFrom(Boss, 304, 224, 224, 0, 1, entry);
    for (int e = 0; e < 8; ++e) {
        s.FireAimed(15178 + e, Boss, 0, 32 * e, 256, entry, 6);
        s.FireAimed(15186 + e, Boss, 15, 32 * e + 16, 256, entry, 6);
        s.FireAimed(15194 + e, Boss, -15, 32 * e + 16, 256, entry, 6);
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
