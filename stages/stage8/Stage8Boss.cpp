// The stage 8 boss: a frame of 36 shot-proof blocks sweeps in from the left and closes round the
// boss at the right edge; the frame does most of the shooting, and only the boss can be hit.
#include "stages/stage8/Stage8Boss.h"

#include "world/World.h"

namespace veltrano {

namespace {

constexpr int Boss = Stage8Boss;
constexpr int TopRow = 5000, BottomRow = 5012, UpperColumn = 5024, LowerColumn = 5030, LastBlock = 5035;
constexpr int Cycle = 1000;

}  // namespace

void PlaceStage8Boss(ScriptBuilder& s) {
    s.Place(Boss, 640, 224);
    // The rows end up along the top and bottom edges from X 256 to the right edge; the columns close
    // the left side at X 256, leaving the boss's row open.
    s.Place(TopRow, 12, Coord::Per(-384, 32), 0);
    s.Place(BottomRow, 12, Coord::Per(-384, 32), 448);
    s.Place(UpperColumn, 6, 256, Coord::Per(-192, 32));
    s.Place(LowerColumn, 6, 256, Coord::Per(480, 32));
}

void WriteStage8Boss(ScriptBuilder& s, const BossFight& fight) {
    auto f = [&fight](int frame) { return fight.At(frame); };
    s.FromFrame(f(5000), [&] { s.HudBossDigits(); });
    for (int slot = TopRow; slot < UpperColumn; ++slot) {
        s.MoveDuring(slot, 4, 0, f(4811), f(4964));
        s.MoveDuring(slot, 8, 0, f(4991), f(4996));
    }
    for (int k = 0; k < 6; ++k) {
        s.MoveDuring(UpperColumn + k, 0, 8, f(4963), f(4992));
        s.MoveDuring(LowerColumn + k, 0, -8, f(4963), f(4992));
    }
    s.MoveDuring(Boss, -8, 0, f(4963), f(4968));

    // The cycle starts at 5000 whatever the shift, since the shifts are whole cycles.
    const int from = f(4999);
    for (int v = 0; v < 2; ++v) {
        for (int k = 0; k < 12; ++k) {
            const int offsets[3] = {0, 20, -20};
            for (int j = 0; j < 3; ++j) {
                const int volley = 3 * (k + 12 * v) + j;
                // Slow aimed triples from the top row, fast ones from the columns.
                s.FireAimed(16352 + volley, TopRow + k, offsets[j], 500 * v + 16 * k, Cycle, from, 6);
                s.FireAimed(16568 + volley, UpperColumn + k, offsets[j], 500 * v + 400 + 8 * k, Cycle, from,
                            12);
            }
        }
    }
    // The bottom row sweeps fans upwards, first to the left, then to the right.
    for (int k = 0; k < 12; ++k) {
        for (int j = 0; j < 6; ++j) {
            s.FireAngled(16424 + k + 12 * j, BottomRow + k, 240 + 12 * j, 250 + 4 * k + 16 * j, Cycle, from,
                         5);
            s.FireAngled(16496 + k + 12 * j, BottomRow + k, 300 - 12 * j, 750 + 4 * k + 16 * j, Cycle, from,
                         5);
        }
    }
    for (int e = 0; e < 20; ++e) s.FireAimed(16640 + e, Boss, 0, 50 * e, Cycle, from, 8);

    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    // The frame falls apart with the boss, and every bullet vanishes.
    s.WhileAllDestroyed(Boss, Boss, [&] {
        s.SetState(TopRow, LastBlock, StateDestroyed);
        s.SetState(11000, 19999, StateDestroyed);
    });
}

}  // namespace veltrano
