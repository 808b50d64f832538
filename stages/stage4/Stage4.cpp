// Stage 4: a cave. Chasers and gun drops, two rings of fliers spiralling in as bonuses, a long climb
// in which the scenery scrolls upward, and two bosses in a row.
#include "stages/Scenes.h"
#include "stages/stage4/Stage4Bosses.h"

namespace veltrano {

namespace {

// The stage's own clock: the bosses come at 4128 and are switched off at 7128 and 8128.

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -1, .layer2X = -2});
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
    for (int slot : {800, 850, 900}) s.Place(slot, FieldWidth, 224);
    for (int slot : {801, 901}) s.Place(slot, 560, FieldHeight);
    s.Place(851, FieldWidth, 208);
    s.Place(902, FieldWidth, 240);
    s.Place({.first = 1000, .count = 20, .x = FieldWidth, .y = 232});
    s.Place({.first = 1500, .count = 4, .x = FieldWidth, .y = 232});
    s.Place({.first = 1020, .count = 8, .x = -128, .y = -128});
    s.Place({.first = 1504, .count = 4, .x = 144, .y = -16});
    s.Place({.first = 1508, .count = 4, .x = 144, .y = FieldHeight});
    s.Place({.first = 1512, .count = 4, .x = FieldWidth, .y = 224});
    s.Place({.first = 2000, .count = 4, .x = 608, .y = -32});
    s.Place({.first = 2004, .count = 4, .x = 576, .y = FieldHeight});
    s.Place({.first = 2008, .count = 4, .x = FieldWidth, .y = FieldHeight});
    s.Place({.first = 2012, .count = 4, .x = 0, .y = -32});
    s.Place({.first = 2016, .count = 4, .x = FieldWidth, .y = 64});
    s.Place({.first = 2020, .count = 4, .x = FieldWidth, .y = 416});
    s.Place({.first = 2500, .count = 2, .x = FieldWidth, .y = Coord::Per(0, 32)});
    s.Place({.first = 2502, .count = 2, .x = FieldWidth, .y = Coord::Per(416, 32)});
    s.Place({.first = 2504, .count = 4, .x = FieldWidth, .y = Coord::Per(0, 32)});
    s.Place({.first = 2508, .count = 4, .x = FieldWidth, .y = Coord::Per(352, 32)});
    s.Place({.first = 2512, .count = 6, .x = FieldWidth, .y = Coord::Per(0, 32)});
    s.Place({.first = 2518, .count = 6, .x = FieldWidth, .y = Coord::Per(288, 32)});
    s.Place({.first = 2524, .count = 12, .x = FieldWidth, .y = Coord::Per(0, 32)});
    s.Place({.first = 2536, .count = 12, .x = FieldWidth, .y = Coord::Per(96, 32)});
    s.Place({.first = 2548, .count = 6, .x = FieldWidth, .y = Coord::Per(0, 32)});
    s.Place({.first = 2554, .count = 6, .x = FieldWidth, .y = Coord::Per(288, 32)});
    s.Place({.first = 4000, .count = 16, .x = Coord::Rand(608), .y = FieldHeight});
}

// A chaser's six parting shots: a straight one, then a pair at 5 degrees and a trio, each slower.
void ChaserDeathFan(ScriptBuilder& s, int chaser, const int (&bullets)[6], int pairDeadTime,
                    int trioDeadTime) {
    s.DeathShot({.bullet = bullets[0], .carrier = chaser});
    s.DeathShot({.bullet = bullets[1], .carrier = chaser, .offset = 5, .speed = 5, .deadTime = pairDeadTime});
    s.DeathShot(
        {.bullet = bullets[2], .carrier = chaser, .offset = -5, .speed = 5, .deadTime = pairDeadTime});
    s.DeathShot({.bullet = bullets[3], .carrier = chaser, .speed = 4, .deadTime = trioDeadTime});
    s.DeathShot(
        {.bullet = bullets[4], .carrier = chaser, .offset = 10, .speed = 4, .deadTime = trioDeadTime});
    s.DeathShot(
        {.bullet = bullets[5], .carrier = chaser, .offset = -10, .speed = 4, .deadTime = trioDeadTime});
}

void WriteOpening(ScriptBuilder& s) {
    for (int slot = 2500; slot <= 2503; ++slot) s.ScrollWithGround(slot, 64);
    for (int slot = 2504; slot <= 2511; ++slot) s.ScrollWithGround(slot, 128);
    for (int slot = 2512; slot <= 2523; ++slot) s.ScrollWithGround(slot, 192);

    for (int l = 0; l < 4; ++l) {
        s.ChaseRow(1000 + l, 128 + 8 * l, 6);
        s.DeathShot({.bullet = 11000 + l, .carrier = 1000 + l});
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
        s.MoveDuring({.slot = upper, .dy = 6, .from = 336 + 64 * m, .to = 4000});
        s.MoveDuring({.slot = lower, .dy = -6, .from = 368 + 64 * m, .to = 4000});
        const int upperOffsets[3] = {0, 10, -10};
        for (int i = 0; i < 3; ++i)
            s.FireAimed({.bullet = 15000 + m + 4 * i,
                         .carrier = upper,
                         .offset = upperOffsets[i],
                         .speed = 8,
                         .from = 336,
                         .phase = 32,
                         .period = 336 + 64 * m});
        const int lowerOffsets[5] = {0, 10, -10, 20, -20};
        for (int i = 0; i < 5; ++i)
            s.FireAimed({.bullet = 15012 + m + 4 * i,
                         .carrier = lower,
                         .offset = lowerOffsets[i],
                         .speed = 4,
                         .from = 368,
                         .phase = 32,
                         .period = 368 + 64 * m});
    }
    s.ScrollWithGround(850, 592);

    // Diagonal fliers from above and from below.
    for (int m = 0; m < 4; ++m) {
        const int down = 1504 + m, up = 1508 + m;
        s.MoveDuring({.slot = down, .dx = 4, .dy = 4, .from = 624 + 32 * m, .to = 4000});
        s.DeathShot({.bullet = 11028 + m, .carrier = down});
        s.DeathShot({.bullet = 11032 + m, .carrier = down, .deadTime = 11});
        s.FireAimed({.bullet = 11044 + m,
                     .carrier = down,
                     .offset = 3,
                     .speed = 6,
                     .from = 624,
                     .phase = 32,
                     .period = 624 + 32 * m});
        s.FireAimed({.bullet = 11048 + m,
                     .carrier = down,
                     .offset = -3,
                     .speed = 6,
                     .from = 624,
                     .phase = 32,
                     .period = 624 + 32 * m});
        s.MoveDuring({.slot = up, .dx = 4, .dy = -4, .from = 752 + 32 * m, .to = 4000});
        s.DeathShot({.bullet = 11036 + m, .carrier = up});
        s.DeathShot({.bullet = 11040 + m, .carrier = up, .deadTime = 11});
        s.FireAimed({.bullet = 11052 + m,
                     .carrier = up,
                     .offset = 3,
                     .speed = 6,
                     .from = 752,
                     .phase = 32,
                     .period = 752 + 32 * m});
        s.FireAimed({.bullet = 11056 + m,
                     .carrier = up,
                     .offset = -3,
                     .speed = 6,
                     .from = 752,
                     .phase = 32,
                     .period = 752 + 32 * m});
    }
}

// A flier of a ring spiralling in on the screen's middle: the radius shrinks by 4 pixels per step,
// reaches 0 at `throughCentre`, and grows again as the flier carries on past the centre.
void SpiralFlier(ScriptBuilder& s, int slot, int throughCentre, int startAngle, int angleStep, int from) {
    s.CircleDuring({.slot = slot,
                    .cx = 312,
                    .cy = 232,
                    .radius = Arg::Frame(4 * throughCentre, -4),
                    .startAngle = startAngle,
                    .angleStep = angleStep,
                    .from = from,
                    .to = 4000});
}

void WriteFirstSpirals(ScriptBuilder& s) {
    s.BonusCheck({.first = 1508, .last = 1511, .frame = 895, .flag = 1, .points = 2000});
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
        s.MoveDuring({.slot = gun, .dx = -2, .dy = -2, .from = 1008 + 32 * m, .to = 1088 + 32 * m});
        s.MoveDuring({.slot = gun, .dy = -3, .from = 1088 + 32 * m, .to = 4000});
        for (int a = 0; a < 4; ++a) {
            const int b = 16 * a;
            const int period = 16 * m + b + 1008;
            s.FireStraightStop({.bullet = 15032 + m + 4 * a,
                                .carrier = gun,
                                .dx = -3,
                                .from = 1008,
                                .moveSpan = b + 64,
                                .phase = b + 32,
                                .period = period});
            s.FireAimedExact({.bullet = 15048 + m + 4 * a,
                              .carrier = 15032 + m + 4 * a,
                              .speed = 6,
                              .from = 1008,
                              .phase = b + 64,
                              .period = period});
        }
    }
    // Guns that sink down the left side, dropping shots that turn into aimed ones the same way.
    for (int a = 0; a < 4; ++a) {
        const int gun = 2012 + a;
        s.MoveDuring({.slot = gun, .dy = 3, .from = 1168 + 32 * a, .to = 4000});
        for (int b = 0; b < 4; ++b) {
            const int c = 16 * b;
            const int period = 16 * a + c + 1168;
            s.FireStraightStop({.bullet = 15064 + a + 4 * b,
                                .carrier = gun,
                                .dx = 3,
                                .from = 1168,
                                .moveSpan = c + 64,
                                .phase = c + 32,
                                .period = period});
            s.FireAimedExact({.bullet = 15080 + a + 4 * b,
                              .carrier = 15064 + a + 4 * b,
                              .speed = 6,
                              .from = 1008,
                              .phase = c + 64,
                              .period = period});
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
        s.DeathShot({.bullet = 11088 + b, .carrier = 1004 + b});
    }
    // Blocks on the cave floor rise into view with the scenery and burst into fans of six.
    for (int c = 0; c < 16; ++c) {
        const int block = 4000 + c;
        s.ScrollWithGround(block, 1632 + 64 * c);
        s.DeathShot({.bullet = 9000 + c, .carrier = block, .speed = 4});
        s.DeathShot({.bullet = 9016 + c, .carrier = block, .offset = 10, .speed = 4});
        s.DeathShot({.bullet = 9032 + c, .carrier = block, .offset = -10, .speed = 4});
        s.DeathShot({.bullet = 9048 + c, .carrier = block});
        s.DeathShot({.bullet = 9064 + c, .carrier = block, .offset = 10});
        s.DeathShot({.bullet = 9080 + c, .carrier = block, .offset = -10});
    }

    s.BonusCheck({.first = 4012, .last = 4015, .frame = 2727, .flag = 2, .points = 2500});
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
            s.MoveDuring({.slot = gun, .dx = -6, .from = arrive, .to = arrived});
            s.MoveDuring({.slot = gun, .dx = -6, .from = 3056 + 160 * c, .to = 6000});
        }
        for (int g = 0; g < 8; ++g) {
            s.FireAimed({.bullet = 15096 + c + 4 * g,
                         .carrier = upper,
                         .speed = 6,
                         .from = 0,
                         .phase = 8 * g,
                         .period = arrived});
            s.FireAimed({.bullet = 15128 + c + 4 * g,
                         .carrier = lower,
                         .speed = 6,
                         .from = 0,
                         .phase = 8 * g + 4,
                         .period = arrived});
            s.DeathShot({.bullet = 15160 + c + 4 * g, .carrier = upper, .speed = g + 4});
            s.DeathShot({.bullet = 15192 + c + 4 * g, .carrier = lower, .speed = g + 4});
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
