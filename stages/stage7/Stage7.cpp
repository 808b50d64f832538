// Stage 7: a backdrop that drifts up and down, mines from both sides, columns of fliers falling and
// rising across the whole screen, guns that dart in from every edge, chasers, and a long field of
// walls with turrets hidden among them. The stage keeps no bonus flags.
#include "stages/Scenes.h"
#include "stages/stage7/Stage7Boss.h"

namespace veltrano {

namespace {

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-1, -1, -1, 0, 2, -4);
    s.Boss(Stage7Boss);

    s.HitPoints(Stage7Boss, Stage7Boss, 300);
    s.DefaultHitPoints(FirstObjectSlot, FirstHeavyCraftSlot - 1);
    s.HitPoints(2400, 2499, 100);

    // The random coordinates are drawn in the order of these rows.
    s.Place(1000, 32, Coord::Rand(528, 96), -16);
    s.Place(1032, 32, Coord::Rand(528, 96), 480);
    s.Place(1500, 4, 640, Coord::Per(32, 32));
    s.Place(1504, 4, 640, Coord::Per(336, 32));
    s.Place(1508, 4, 640, 0);
    s.Place(1512, 4, 640, 464);
    s.Place(1516, 8, 640, Coord::Rand(464));
    s.Place(2000, 8, 640, Coord::Rand(448));
    s.Place(2008, 8, Coord::Rand(608), 480);
    s.Place(2016, 8, -32, Coord::Rand(448));
    s.Place(2024, 8, Coord::Rand(608), -32);
    s.Place(2032, 64, 640, Coord::Rand(8, 0, 32));
    s.Place(2500, 128, 640, Coord::Rand(15, 0, 32));
    s.Place(3500, 16, 640, Coord::Rand(448));
    s.Place(3516, 16, -32, Coord::Rand(448));
    for (int item : {800, 801, 850, 851, 852, 900, 901, 902}) s.Place(item, 640, Coord::Rand(448));
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
            s.FireAimed(11000 + i + 4 * j, 1500 + i, 0, phase, 96, 0, 8);
            s.FireAimed(11016 + i + 4 * j, 1504 + i, 0, phase, 96, 0, 8);
            s.DeathShot(11032 + i + 4 * j, 1500 + i, 15 - 10 * j, 1, 8);
            s.DeathShot(11048 + i + 4 * j, 1504 + i, 15 - 10 * j, 1, 8);
        }
    }
    // The second pair of files turns off before their first leg is over, so the later members run
    // both legs at once for a while.
    for (int j = 0; j < 4; ++j) {
        const int b = 8 * j;
        s.Path(1508 + j, {{-6, 0, 224 + b, 288 + 16 * j}, {0, 6, 288 + b, 4000}});
        s.Path(1512 + j, {{-6, 0, 256 + b, 320 + 16 * j}, {0, -6, 320 + b, 4000}});
        for (int k = 0; k < 4; ++k) {
            s.FireAimed(11064 + j + 4 * k, 1508 + j, 0, b, 96, 0, k + 5);
            s.FireAimed(11080 + j + 4 * k, 1512 + j, 0, b, 96, 0, k + 5);
            s.DeathShot(11096 + j + 4 * k, 1508 + j, 5 - 5 * k);
            s.DeathShot(11112 + j + 4 * k, 1512 + j, 10 - 5 * k);
        }
    }
}

void WriteMinesAndColumns(ScriptBuilder& s) {
    for (int k = 0; k < 16; ++k) {
        s.MoveDuring(3500 + k, -4, 0, 400 + 16 * k, 4000);
        s.Mine(3500 + k, 10000 + k, 16, 4);
    }
    s.ScrollWithGround(900, 400);
    s.ScrollWithGround(901, 720);
    for (int l = 0; l < 16; ++l) {
        s.MoveDuring(3516 + l, 4, 0, 720 + 16 * l, 4000);
        s.Mine(3516 + l, 10192 + l, 16, 4);
    }
    for (int m = 0; m < 32; ++m) {
        s.MoveDuring(1000 + m, 0, 6, 1120 + 8 * m, 4000);
        s.MoveDuring(1032 + m, 0, -6, 1120 + 8 * m, 4000);
        s.DeathShot(11128 + m, 1000 + m);
        s.DeathShot(11160 + m, 1032 + m);
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
                s.FireAimed(15000 + m + 8 * c + 40 * b, gun, 4 - 2 * c, 0, 1548 + a + 16 * b, 0, 6);
            }
        }
    }
    s.ScrollWithGround(850, 2096);
    for (int a = 0; a < 8; ++a) {
        const int chaser = 1516 + a;
        s.ChaseRow(chaser, 2096 + 32 * a, 6);
        for (int c = 0; c < 5; ++c) {
            s.DeathShot(11192 + a + 8 * c, chaser, 10 - 5 * c, 1, 8);
            s.DeathShot(11232 + a + 8 * c, chaser, 5 * c + 10, 1, 6);
            s.DeathShot(11272 + a + 8 * c, chaser, -5 * c - 10, 1, 6);
            s.DeathShot(11312 + a + 8 * c, chaser, 10 - 5 * c, 1, 4);
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
            s.FireAngled(15160 + b + 64 * d, gun, 180, 32 * d, 128, 0, 6);
            s.FireAngled(15416 + b + 64 * d, gun, 90, 32 * d + 16, 128, 0, 6);
        }
        s.DeathShot(15672 + b, gun, 0, 1, 8);
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
