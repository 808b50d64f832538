// The stage 8 boss: a frame of 36 shot-proof blocks sweeps in from the left and closes round the
// boss at the right edge; the frame does all the shooting, and only the boss can be hit.
#include "stages/stage8/Stage8Boss.h"

#include "world/World.h"

namespace veltrano {

namespace {

constexpr int Boss = Stage8Boss;
constexpr int TopRow = 5000, BottomRow = 5012, UpperColumn = 5024, LowerColumn = 5030, LastBlock = 5035;
constexpr int Cycle = 1000;
// Small shots for the sweeps, big ones for the triples: the two kinds read apart on screen.
constexpr int FirstSweepShot = 12314, FirstTripleShot = 16660;

// An aimed triple (straight at the ship and 20 degrees either side) from `carrier`, launched at
// cycle step `phase`, on bullets first..first+2.
void AimedTriple(ScriptBuilder& s, int first, int carrier, int phase, int from, int speed) {
    const int offsets[3] = {0, 20, -20};
    for (int j = 0; j < 3; ++j)
        s.FireAimed({.bullet = first + j,
                     .carrier = carrier,
                     .offset = offsets[j],
                     .speed = speed,
                     .from = from,
                     .phase = phase,
                     .period = Cycle});
}

// The bottom row sweeps a fan of six shots from every block, one block after the other, from the
// right end: `angle` is the first shot's, `turn` the step to the next.
void Sweep(ScriptBuilder& s, int first, int phase, int angle, int turn, int from) {
    for (int k = 0; k < 12; ++k) {
        for (int j = 0; j < 6; ++j)
            s.FireAngled({.bullet = first + k + 12 * j,
                          .carrier = BottomRow + 11 - k,
                          .angle = angle + turn * j,
                          .speed = 5,
                          .from = from,
                          .phase = phase + 4 * k + 16 * j,
                          .period = Cycle});
    }
}

// The columns fire fast aimed triples one block after the other, from the top or from the bottom.
void ColumnBurst(ScriptBuilder& s, int first, int phase, bool downwards, int from) {
    for (int k = 0; k < 12; ++k) {
        const int block = downwards ? UpperColumn + k : LastBlock - k;
        AimedTriple(s, first + 3 * k, block, (phase + 8 * k) % Cycle, from, 11);
    }
}

// From `from` on, in a cycle of 1000 steps (the cycle starts at 5000 whatever the shift, since the
// shifts are whole cycles). The frame's three groups fire: the top row aimed triples all cycle long,
// its blocks taking turns along the row and back; the bottom row four sweeps, each leaning the other
// way; the columns three bursts of fast triples between the sweeps. Worn down by a third, the
// columns burst twice more; by two thirds the bottom row sweeps twice more.
void WriteVolleys(ScriptBuilder& s, int from) {
    int triple = FirstTripleShot, sweep = FirstSweepShot;
    for (int n = 0; n < Cycle / 10; ++n) {
        const int along = n % 22 < 12 ? 11 - n % 22 : n % 22 - 10;
        AimedTriple(s, triple, TopRow + along, 10 * n, from, 6);
        triple += 3;
    }
    constexpr int SweepStart[4] = {100, 350, 600, 850};
    for (int w = 0; w < 4; ++w, sweep += 72)
        Sweep(s, sweep, SweepStart[w], w % 2 == 0 ? 195 : 255, w % 2 == 0 ? 12 : -12, from);
    constexpr int BurstStart[3] = {220, 470, 720};
    for (int w = 0; w < 3; ++w, triple += 36) ColumnBurst(s, triple, BurstStart[w], w % 2 == 0, from);

    const int hp = s.HitPointsOf(Boss);
    s.WhileHPBelow(Boss, hp * 2 / 3, [&] {
        constexpr int ExtraBurst[2] = {20, 920};
        for (int w = 0; w < 2; ++w, triple += 36) ColumnBurst(s, triple, ExtraBurst[w], w % 2 != 0, from);
    });
    s.WhileHPBelow(Boss, hp / 3, [&] {
        constexpr int ExtraSweep[2] = {230, 730};
        for (int w = 0; w < 2; ++w, sweep += 72)
            Sweep(s, sweep, ExtraSweep[w], w % 2 == 0 ? 250 : 200, w % 2 == 0 ? -10 : 10, from);
    });
}

}  // namespace

void PlaceStage8Boss(ScriptBuilder& s) {
    s.Place(Boss, FieldWidth, 224);
    // The rows end up along the top and bottom edges from X 256 to the right edge; the columns close
    // the left side at X 256, leaving the boss's row open.
    s.Place({.first = TopRow, .count = 12, .x = Coord::Per(-384, 32), .y = 0});
    s.Place({.first = BottomRow, .count = 12, .x = Coord::Per(-384, 32), .y = 448});
    s.Place({.first = UpperColumn, .count = 6, .x = 256, .y = Coord::Per(-192, 32)});
    s.Place({.first = LowerColumn, .count = 6, .x = 256, .y = Coord::Per(FieldHeight, 32)});
}

void WriteStage8Boss(ScriptBuilder& s, const BossFight& fight) {
    auto f = [&fight](int frame) { return fight.At(frame); };
    s.FromFrame(f(5000), [&] { s.HudBossDigits(); });
    for (int slot = TopRow; slot < UpperColumn; ++slot) {
        s.MoveDuring({.slot = slot, .dx = 4, .from = f(4811), .to = f(4964)});
        s.MoveDuring({.slot = slot, .dx = 8, .from = f(4991), .to = f(4996)});
    }
    for (int k = 0; k < 6; ++k) {
        s.MoveDuring({.slot = UpperColumn + k, .dy = 8, .from = f(4963), .to = f(4992)});
        s.MoveDuring({.slot = LowerColumn + k, .dy = -8, .from = f(4963), .to = f(4992)});
    }
    s.MoveDuring({.slot = Boss, .dx = -8, .from = f(4963), .to = f(4968)});

    WriteVolleys(s, f(4999));

    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    // The frame falls apart with the boss, and every bullet vanishes.
    s.WhileAllDestroyed(Boss, Boss, [&] {
        s.SetState(TopRow, LastBlock, StateDestroyed);
        s.ClearEnemyBullets();
    });
}

}  // namespace veltrano
