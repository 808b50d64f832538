// Stage 4: a cave. Chasers and gun drops, two rings of fliers spiralling in as bonuses, a long climb
// in which the scenery scrolls upward, and two bosses in a row.
#include "stages/Scenes.h"
#include "stages/stage4/Stage4Bosses.h"

namespace veltrano {

namespace {

// The stage's own clock: the bosses come at 4128 and are switched off at 7128 and 8128.

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-1, -2, 0);
    s.Boss(Stage4FirstBoss);
    s.Flags(4);

    s.HitPoints(Stage4FirstBoss, Stage4FirstBoss, 200);
    s.HitPoints(Stage4SecondBoss, Stage4SecondBoss, 400);
    s.DefaultHitPoints(FirstItemSlot, LastItemSlot);
    s.HitPoints(1000, 1995, 1);
    s.HitPoints(1996, 1999, 5);
    s.DefaultHitPoints(2000, 2399);
    s.HitPoints(2400, 2498, 50);
    s.DefaultHitPoints(3000, 3499);
    s.DefaultHitPoints(3500, 3999);
    s.DefaultHitPoints(4000, 4499);

    PlaceStage4Bosses(s);
    for (int slot : {800, 850, 900}) s.Place(slot, 640, 224);
    for (int slot : {801, 901}) s.Place(slot, 560, 480);
    s.Place(851, 640, 208);
    s.Place(902, 640, 240);
    s.Place(1000, 20, 640, 232);
    s.Place(1500, 4, 640, 232);
    s.Place(1020, 8, -128, -128);
    s.Place(1504, 4, 144, -16);
    s.Place(1508, 4, 144, 480);
    s.Place(1512, 4, 640, 224);
    s.Place(2000, 4, 608, -32);
    s.Place(2004, 4, 576, 480);
    s.Place(2008, 4, 640, 480);
    s.Place(2012, 4, 0, -32);
    s.Place(2016, 4, 640, 64);
    s.Place(2020, 4, 640, 416);
    s.Place(2500, 2, 640, Coord::Per(0, 32));
    s.Place(2502, 2, 640, Coord::Per(416, 32));
    s.Place(2504, 4, 640, Coord::Per(0, 32));
    s.Place(2508, 4, 640, Coord::Per(352, 32));
    s.Place(2512, 6, 640, Coord::Per(0, 32));
    s.Place(2518, 6, 640, Coord::Per(288, 32));
    s.Place(2524, 12, 640, Coord::Per(0, 32));
    s.Place(2536, 12, 640, Coord::Per(96, 32));
    s.Place(2548, 6, 640, Coord::Per(0, 32));
    s.Place(2554, 6, 640, Coord::Per(288, 32));
    s.Place(4000, 16, Coord::Rand(608), 480);
}

// A chaser's six parting shots: a straight one, then a pair at 5 degrees and a trio, each slower.
void ChaserDeathFan(ScriptBuilder& s, int chaser, const int (&bullets)[6], int pairDeadTime,
                    int trioDeadTime) {
    s.DeathShot(bullets[0], chaser, 0, 1, 6);
    s.DeathShot(bullets[1], chaser, 5, pairDeadTime, 5);
    s.DeathShot(bullets[2], chaser, -5, pairDeadTime, 5);
    s.DeathShot(bullets[3], chaser, 0, trioDeadTime, 4);
    s.DeathShot(bullets[4], chaser, 10, trioDeadTime, 4);
    s.DeathShot(bullets[5], chaser, -10, trioDeadTime, 4);
}

void WriteOpening(ScriptBuilder& s) {
    for (int slot = 2500; slot <= 2503; ++slot) s.ScrollWithGround(slot, 64);
    for (int slot = 2504; slot <= 2511; ++slot) s.ScrollWithGround(slot, 128);
    for (int slot = 2512; slot <= 2523; ++slot) s.ScrollWithGround(slot, 192);

    for (int l = 0; l < 4; ++l) {
        s.ChaseRow(1000 + l, 128 + 8 * l, 6);
        s.DeathShot(11000 + l, 1000 + l);
    }
    for (int m = 0; m < 4; ++m) {
        s.ChaseRow(1500 + m, 160 + 8 * m, 6);
        ChaserDeathFan(s, 1500 + m, {11004 + m, 11008 + m, 11012 + m, 11016 + m, 11020 + m, 11024 + m}, 1, 1);
    }
    s.ScrollWithGround(900, 192);
    s.ScrollWithGround(800, 256);

    // Guns drop from above and rise from below and fire a fan at each of their trips.
    for (int m = 0; m < 4; ++m) {
        const int upper = 2000 + m, lower = 2004 + m;
        s.MoveDuring(upper, 0, 6, 336 + 64 * m, 4000);
        s.MoveDuring(lower, 0, -6, 368 + 64 * m, 4000);
        const int upperOffsets[3] = {0, 10, -10};
        for (int i = 0; i < 3; ++i)
            s.FireAimed(15000 + m + 4 * i, upper, upperOffsets[i], 32, 336 + 64 * m, 336, 8);
        const int lowerOffsets[5] = {0, 10, -10, 20, -20};
        for (int i = 0; i < 5; ++i)
            s.FireAimed(15012 + m + 4 * i, lower, lowerOffsets[i], 32, 368 + 64 * m, 368, 4);
    }
    s.ScrollWithGround(850, 592);

    // Diagonal fliers from above and from below.
    for (int m = 0; m < 4; ++m) {
        const int down = 1504 + m, up = 1508 + m;
        s.MoveDuring(down, 4, 4, 624 + 32 * m, 4000);
        s.DeathShot(11028 + m, down);
        s.DeathShot(11032 + m, down, 0, 11);
        s.FireAimed(11044 + m, down, 3, 32, 624 + 32 * m, 624, 6);
        s.FireAimed(11048 + m, down, -3, 32, 624 + 32 * m, 624, 6);
        s.MoveDuring(up, 4, -4, 752 + 32 * m, 4000);
        s.DeathShot(11036 + m, up);
        s.DeathShot(11040 + m, up, 0, 11);
        s.FireAimed(11052 + m, up, 3, 32, 752 + 32 * m, 752, 6);
        s.FireAimed(11056 + m, up, -3, 32, 752 + 32 * m, 752, 6);
    }
}

// A flier of a ring spiralling in on the screen's middle: the radius shrinks by 4 pixels per step,
// reaches 0 at `throughCentre`, and grows again as the flier carries on past the centre.
void SpiralFlier(ScriptBuilder& s, int slot, int throughCentre, int startAngle, int angleStep, int from) {
    s.CircleDuring(slot, 312, 232, Arg::Frame(4 * throughCentre, -4), startAngle, angleStep, from, 4000);
}

void WriteFirstSpirals(ScriptBuilder& s) {
    s.BonusCheck(895, 1508, 1511, 1, 2000);
    s.WhileFlag(1, [&] {
        for (int m = 0; m < 8; ++m) {
            SpiralFlier(s, 1020 + m, 988, 45 * m, 1, 896);
            SpiralFlier(s, 1060 + m, 1052, 45 * m, -1, 960);
        }
    });
}

void WriteClimb(ScriptBuilder& s) {
    // The cave turns: the scenery scrolls upward and a lost ship comes back from below.
    s.AtFrame(944, [&] {
        s.SetLayerStep(LayerStep::Layer1X, 0);
        s.SetLayerStep(LayerStep::Layer1Y, -1);
        s.SetLayerStep(LayerStep::Layer2X, 0);
        s.SetLayerStep(LayerStep::Layer2Y, -2);
        s.SetLayerStep(LayerStep::Layer3Y, -3);
        s.SetRespawnSide(2);
    });

    // Guns that drift up the right side; each shot flies, stops, and turns into an aimed shot.
    for (int m = 0; m < 4; ++m) {
        const int gun = 2008 + m;
        s.MoveDuring(gun, -2, -2, 1008 + 32 * m, 1088 + 32 * m);
        s.MoveDuring(gun, 0, -3, 1088 + 32 * m, 4000);
        for (int a = 0; a < 4; ++a) {
            const int b = 16 * a;
            const int period = 16 * m + b + 1008;
            s.FireStraightStop(15032 + m + 4 * a, gun, 1008, b + 64, b + 32, period, 0, -3);
            s.FireAimedExact(15048 + m + 4 * a, 15032 + m + 4 * a, 0, b + 64, period, 1008, 6);
        }
    }
    // Guns that sink down the left side, dropping shots that turn into aimed ones the same way.
    for (int a = 0; a < 4; ++a) {
        const int gun = 2012 + a;
        s.MoveDuring(gun, 0, 3, 1168 + 32 * a, 4000);
        for (int b = 0; b < 4; ++b) {
            const int c = 16 * b;
            const int period = 16 * a + c + 1168;
            s.FireStraightStop(15064 + a + 4 * b, gun, 1168, c + 64, c + 32, period, 0, 3);
            s.FireAimedExact(15080 + a + 4 * b, 15064 + a + 4 * b, 0, c + 64, period, 1008, 6);
        }
    }

    for (int b = 0; b < 4; ++b) {
        s.ChaseRow(1512 + b, 1456 + 16 * b, 4);
        ChaserDeathFan(s, 1512 + b, {11060 + b, 11068 + b, 11072 + b, 11076 + b, 11080 + b, 11084 + b}, 6,
                       11);
    }
    s.ScrollWithGround(901, 1520);
    s.ScrollWithGround(801, 1552);

    for (int b = 0; b < 16; ++b) {
        s.ChaseRow(1004 + b, 1760 + 64 * b, 4);
        s.DeathShot(11088 + b, 1004 + b);
    }
    // Blocks on the cave floor rise into view with the scenery and burst into fans of six.
    for (int c = 0; c < 16; ++c) {
        const int block = 4000 + c;
        s.ScrollWithGround(block, 1632 + 64 * c);
        s.DeathShot(9000 + c, block, 0, 1, 4);
        s.DeathShot(9016 + c, block, 10, 1, 4);
        s.DeathShot(9032 + c, block, -10, 1, 4);
        s.DeathShot(9048 + c, block, 0, 1, 6);
        s.DeathShot(9064 + c, block, 10, 1, 6);
        s.DeathShot(9080 + c, block, -10, 1, 6);
    }

    s.BonusCheck(2727, 4012, 4015, 2, 2500);
    s.WhileFlag(2, [&] {
        for (int c = 0; c < 8; ++c) {
            const int angle = 45 * c;
            SpiralFlier(s, 1028 + c, 2820, angle, 2, 2728);
            SpiralFlier(s, 1036 + c, 2980, angle, -2, 2888);
            SpiralFlier(s, 1044 + c, 3140, angle, 2, 3048);
            SpiralFlier(s, 1052 + c, 3300, angle, -2, 3208);
        }
    });
}

void WriteRun(ScriptBuilder& s) {
    // Out of the climb: the scenery scrolls to the left again.
    s.AtFrame(2864, [&] {
        s.SetLayerStep(LayerStep::Layer1X, -1);
        s.SetLayerStep(LayerStep::Layer2X, -2);
        s.SetLayerStep(LayerStep::Layer1Y, 0);
        s.SetLayerStep(LayerStep::Layer2Y, 0);
        s.SetLayerStep(LayerStep::Layer3Y, 0);
        s.SetRespawnSide(0);
    });
    s.ScrollWithGround(851, 2864);
    s.ScrollWithGround(902, 2864);

    // Pairs of guns dart in, stop, fire eight aimed shots each and fly on.
    for (int c = 0; c < 4; ++c) {
        const int upper = 2016 + c, lower = 2020 + c;
        const int arrive = 2896 + 160 * c, arrived = 2928 + 160 * c;
        for (int gun : {upper, lower}) {
            s.MoveDuring(gun, -6, 0, arrive, arrived);
            s.MoveDuring(gun, -6, 0, 3056 + 160 * c, 6000);
        }
        for (int g = 0; g < 8; ++g) {
            s.FireAimed(15096 + c + 4 * g, upper, 0, 8 * g, arrived, 0, 6);
            s.FireAimed(15128 + c + 4 * g, lower, 0, 8 * g + 4, arrived, 0, 6);
            s.DeathShot(15160 + c + 4 * g, upper, 0, 1, g + 4);
            s.DeathShot(15192 + c + 4 * g, lower, 0, 1, g + 4);
        }
    }
    for (int d = 0; d < 12; ++d) {
        s.ScrollWithGround(2524 + d, 3536);
        s.ScrollWithGround(2536 + d, 3632);
        s.ScrollWithGround(2548 + d, 3728);
    }
}

}  // namespace

void WriteStage4(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    WriteOpening(s);
    WriteFirstSpirals(s);
    WriteClimb(s);
    WriteRun(s);
    WriteStage4Bosses(s, RowOf(Stage4Scene).Fight);
}

}  // namespace veltrano
