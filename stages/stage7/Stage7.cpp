// Stage 7: a backdrop that drifts up and down, mines from both sides, columns of fliers falling and
// rising across the whole screen, guns that dart in from every edge, chasers, and a long field of
// walls with turrets hidden among them. The stage keeps no bonus flags.
#include "stages/Scenes.h"
#include "stages/stage7/Stage7Boss.h"

namespace veltrano {

namespace {

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -1, .layer2X = -1, .layer2Y = 2, .layer3X = -1, .layer3Y = -4});
    s.Boss(Stage7Boss);

    s.HitPoints(Stage7Boss, Stage7Boss, 300);
    s.DefaultHitPoints(FirstObjectSlot, FirstHeavyCraftSlot - 1);
    s.HitPoints(2400, 2499, 100);

    // The random coordinates are drawn in the order of these rows.
    s.Place({.first = 1000, .count = 32, .x = Coord::Rand(528, 96), .y = -16});
    s.Place({.first = 1032, .count = 32, .x = Coord::Rand(528, 96), .y = FieldHeight});
    s.Place({.first = 1500, .count = 4, .x = FieldWidth, .y = Coord::Per(32, 32)});
    s.Place({.first = 1504, .count = 4, .x = FieldWidth, .y = Coord::Per(336, 32)});
    s.Place({.first = 1508, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 1512, .count = 4, .x = FieldWidth, .y = 464});
    s.Place({.first = 1516, .count = 8, .x = FieldWidth, .y = Coord::Rand(464)});
    s.Place({.first = 2000, .count = 8, .x = FieldWidth, .y = Coord::Rand(448)});
    s.Place({.first = 2008, .count = 8, .x = Coord::Rand(608), .y = FieldHeight});
    s.Place({.first = 2016, .count = 8, .x = -32, .y = Coord::Rand(448)});
    s.Place({.first = 2024, .count = 8, .x = Coord::Rand(608), .y = -32});
    s.Place({.first = 2032, .count = 64, .x = FieldWidth, .y = Coord::Rand(8, 0, 32)});
    s.Place({.first = 2500, .count = 128, .x = FieldWidth, .y = Coord::Rand(15, 0, 32)});
    s.Place({.first = 3500, .count = 16, .x = FieldWidth, .y = Coord::Rand(448)});
    s.Place({.first = 3516, .count = 16, .x = -32, .y = Coord::Rand(448)});
    for (int item : {800, 801, 850, 851, 852, 900, 901, 902}) s.Place(item, FieldWidth, Coord::Rand(448));
    // The boss waits with its plates and pods beyond the right edge.
    s.Place(Stage7Boss, 672, 224);
}

void WriteOpening(ScriptBuilder& s) {
    for (int i = 0; i < 4; ++i) {
        const int b = 128 + 8 * i;
        s.Path(1500 + i, {{-6, 0, 32 + 8 * i, b}, {4, 2, b, 4000}});
        s.Path(1507 - i, {{-6, 0, 32 + 8 * i, b}, {4, -2, b, 4000}});
        for (int j = 0; j < 4; ++j) {
            const int phase = 6 * i + 24 * j;
            s.FireAimed({.bullet = 11000 + i + 4 * j,
                         .carrier = 1500 + i,
                         .speed = 8,
                         .from = 0,
                         .phase = phase,
                         .period = 96});
            s.FireAimed({.bullet = 11016 + i + 4 * j,
                         .carrier = 1504 + i,
                         .speed = 8,
                         .from = 0,
                         .phase = phase,
                         .period = 96});
            s.DeathShot(
                {.bullet = 11032 + i + 4 * j, .carrier = 1500 + i, .offset = 15 - 10 * j, .speed = 8});
            s.DeathShot(
                {.bullet = 11048 + i + 4 * j, .carrier = 1504 + i, .offset = 15 - 10 * j, .speed = 8});
        }
    }
    // The second pair of files turns off before their first leg is over, so the later members run
    // both legs at once for a while.
    for (int j = 0; j < 4; ++j) {
        const int b = 8 * j;
        s.Path(1508 + j, {{-6, 0, 224 + b, 288 + 16 * j}, {0, 6, 288 + b, 4000}});
        s.Path(1512 + j, {{-6, 0, 256 + b, 320 + 16 * j}, {0, -6, 320 + b, 4000}});
        for (int k = 0; k < 4; ++k) {
            s.FireAimed({.bullet = 11064 + j + 4 * k,
                         .carrier = 1508 + j,
                         .speed = k + 5,
                         .from = 0,
                         .phase = b,
                         .period = 96});
            s.FireAimed({.bullet = 11080 + j + 4 * k,
                         .carrier = 1512 + j,
                         .speed = k + 5,
                         .from = 0,
                         .phase = b,
                         .period = 96});
            s.DeathShot({.bullet = 11096 + j + 4 * k, .carrier = 1508 + j, .offset = 5 - 5 * k});
            s.DeathShot({.bullet = 11112 + j + 4 * k, .carrier = 1512 + j, .offset = 10 - 5 * k});
        }
    }
}

void WriteMinesAndColumns(ScriptBuilder& s) {
    for (int k = 0; k < 16; ++k) {
        s.MoveDuring({.slot = 3500 + k, .dx = -4, .from = 400 + 16 * k, .to = 4000});
        s.Mine(3500 + k, 10000 + k, 16, 4);
    }
    s.ScrollWithGround(900, 400);
    s.ScrollWithGround(901, 720);
    for (int l = 0; l < 16; ++l) {
        s.MoveDuring({.slot = 3516 + l, .dx = 4, .from = 720 + 16 * l, .to = 4000});
        s.Mine(3516 + l, 10192 + l, 16, 4);
    }
    for (int m = 0; m < 32; ++m) {
        s.MoveDuring({.slot = 1000 + m, .dy = 6, .from = 1120 + 8 * m, .to = 4000});
        s.MoveDuring({.slot = 1032 + m, .dy = -6, .from = 1120 + 8 * m, .to = 4000});
        s.DeathShot({.bullet = 11128 + m, .carrier = 1000 + m});
        s.DeathShot({.bullet = 11160 + m, .carrier = 1032 + m});
    }
    s.ScrollWithGround(800, 1464);
}

void WriteDartingGuns(ScriptBuilder& s) {
    // Each gun darts in from its edge, fires one five-shot fan and backs out again.
    for (int m = 0; m < 8; ++m) {
        const int a = 64 * m;
        s.Path(2000 + m, {{-8, 0, 1527 + a, 1532 + a}, {8, 0, 1548 + a, 1556 + a}});
        s.Path(2008 + m, {{0, -8, 1543 + a, 1548 + a}, {0, 8, 1564 + a, 1572 + a}});
        s.Path(2016 + m, {{8, 0, 1559 + a, 1564 + a}, {-8, 0, 1580 + a, 1588 + a}});
        s.Path(2024 + m, {{0, 8, 1575 + a, 1580 + a}, {0, -8, 1596 + a, 1604 + a}});
        for (int c = 0; c < 5; ++c) {
            for (int b = 0; b < 4; ++b) {
                const int gun = 2000 + m + 8 * b;
                s.FireAimed({.bullet = 15000 + m + 8 * c + 40 * b,
                             .carrier = gun,
                             .offset = 4 - 2 * c,
                             .speed = 6,
                             .from = 0,
                             .period = 1548 + a + 16 * b});
            }
        }
    }
    s.ScrollWithGround(850, 2096);
    for (int a = 0; a < 8; ++a) {
        const int chaser = 1516 + a;
        s.ChaseRow(chaser, 2096 + 32 * a, 6);
        for (int c = 0; c < 5; ++c) {
            s.DeathShot({.bullet = 11192 + a + 8 * c, .carrier = chaser, .offset = 10 - 5 * c, .speed = 8});
            s.DeathShot({.bullet = 11232 + a + 8 * c, .carrier = chaser, .offset = 5 * c + 10});
            s.DeathShot({.bullet = 11272 + a + 8 * c, .carrier = chaser, .offset = -5 * c - 10});
            s.DeathShot({.bullet = 11312 + a + 8 * c, .carrier = chaser, .offset = 10 - 5 * c, .speed = 4});
        }
    }
    s.ScrollWithGround(851, 2384);
}

// Two walls of 64 blocks each, one block every 16 steps, and 64 turrets among them later.
void WriteWallField(ScriptBuilder& s) {
    for (int b = 0; b < 64; ++b) {
        s.ScrollWithGround(2500 + b, 2400 + 16 * b);
        s.ScrollWithGround(2564 + b, 2400 + 16 * b);
        const int gun = 2032 + b;
        s.ScrollWithGround(gun, 3600 + 16 * b);
        for (int d = 0; d < 4; ++d) {
            s.FireAngled({.bullet = 15160 + b + 64 * d,
                          .carrier = gun,
                          .angle = 180,
                          .speed = 6,
                          .from = 0,
                          .phase = 32 * d,
                          .period = 128});
            s.FireAngled({.bullet = 15416 + b + 64 * d,
                          .carrier = gun,
                          .angle = 90,
                          .speed = 6,
                          .from = 0,
                          .phase = 32 * d + 16,
                          .period = 128});
        }
        s.DeathShot({.bullet = 15672 + b, .carrier = gun, .speed = 8});
    }
    s.ScrollWithGround(801, 4800);
    s.ScrollWithGround(852, 4864);
    s.ScrollWithGround(902, 4928);
}

}  // namespace

void WriteStage7(ScriptBuilder& s) {
    WriteInit(s);
    s.HudRows();
    WriteOpening(s);
    WriteMinesAndColumns(s);
    WriteDartingGuns(s);
    WriteWallField(s);
    WriteStage7Boss(s, RowOf(Stage7Scene).Fight);
}

}  // namespace veltrano
