// The fight against the god (for a player who cleared the game without a continue and scored): a
// boss that circles on the right and fires the same 1000-frame cycle of patterns until it falls.
// Many of its shots are fired from other shots: rings that drop slow shots, launchers that spin
// spirals, stopped shots that turn into aimed ones.
#include "stages/Scenes.h"
#include "stages/extra/ChallengeInit.h"

namespace veltrano {

namespace {

constexpr int Boss = 18;
constexpr int Cycle = 1000;
constexpr int FireFrom = 64;  // the rotating rings start at frame 0, every other pattern at 64
constexpr int TimeOutFrame = 20000;

// 32 rings of 8, one every 3 frames, each turned 8 degrees further.
void WriteRotatingRings(ScriptBuilder& s) {
    for (int i = 0; i < 32; ++i) {
        for (int j = 0; j < 8; ++j)
            s.FireAngled({.bullet = 15000 + i + 32 * j,
                          .carrier = Boss,
                          .angle = 8 * i + 45 * j,
                          .speed = 8,
                          .from = 0,
                          .phase = 3 * i,
                          .period = Cycle});
    }
}

// Each ring shot drops a slow shot turned by 135 degrees 8 frames after its own launch.
void WriteSplittingRings(ScriptBuilder& s) {
    for (int j = 0; j < 64; ++j) {
        for (int k = 0; k < 8; ++k) {
            const int ringShot = 15256 + j + 64 * k;
            const int angle = 4 * j + 45 * k;
            s.FireAngled({.bullet = ringShot,
                          .carrier = Boss,
                          .angle = angle,
                          .speed = 8,
                          .from = FireFrom,
                          .phase = 4 * j + 128,
                          .period = Cycle});
            s.FireAngled({.bullet = 11000 + j + 64 * k,
                          .carrier = ringShot,
                          .angle = angle + 135,
                          .speed = 2,
                          .from = FireFrom,
                          .phase = 4 * j + 136,
                          .period = Cycle});
        }
    }
}

// An aimed stream, and two streams thrown to the sides that turn into slow aimed shots.
void WriteAimedFans(ScriptBuilder& s) {
    for (int k = 0; k < 64; ++k) {
        const int launch = 2 * k + 416;
        const int moveSpan = 2 * k + 848;
        s.FireAimed({.bullet = 15768 + k,
                     .carrier = Boss,
                     .speed = 12,
                     .from = FireFrom,
                     .phase = launch,
                     .period = Cycle});
        s.FireAimedStop({.bullet = 15832 + k,
                         .carrier = Boss,
                         .offset = 120,
                         .speed = 12,
                         .from = FireFrom,
                         .moveSpan = moveSpan,
                         .phase = launch,
                         .period = Cycle});
        s.FireAimedStop({.bullet = 15896 + k,
                         .carrier = Boss,
                         .offset = 240,
                         .speed = 12,
                         .from = FireFrom,
                         .moveSpan = moveSpan,
                         .phase = launch,
                         .period = Cycle});
        s.FireAimedExact({.bullet = 15960 + k,
                          .carrier = 15832 + k,
                          .speed = 2,
                          .from = FireFrom,
                          .phase = launch + 8,
                          .period = Cycle});
        s.FireAimedExact({.bullet = 16024 + k,
                          .carrier = 15896 + k,
                          .speed = 2,
                          .from = FireFrom,
                          .phase = launch + 8,
                          .period = Cycle});
    }
    s.AtCycleFrame(Cycle, 32, [&] { s.ClearBulletStep(15832, 15959); });
}

// A pair of launchers leaves the boss up and down and stops; each spins two spirals.
void WriteLauncherSpirals(ScriptBuilder& s) {
    constexpr int Down = 16088, Up = 16089;
    s.FireStraightStop({.bullet = Down,
                        .carrier = Boss,
                        .dy = 6,
                        .from = FireFrom,
                        .moveSpan = 608,
                        .phase = 576,
                        .period = Cycle});
    s.FireStraightStop({.bullet = Up,
                        .carrier = Boss,
                        .dy = -6,
                        .from = FireFrom,
                        .moveSpan = 608,
                        .phase = 576,
                        .period = Cycle});
    for (int k = 0; k < 64; ++k) {
        for (int l = 0; l < 4; ++l) {
            const int m = k + 64 * l;
            const int b = 90 * l - 9 * k;
            const int c = 90 * l + 9 * k;
            s.FireAngled({.bullet = 11512 + m,
                          .carrier = Down,
                          .angle = b,
                          .speed = 6,
                          .from = FireFrom,
                          .phase = k + 592,
                          .period = Cycle});
            s.FireAngled({.bullet = 11768 + m,
                          .carrier = Up,
                          .angle = c,
                          .speed = 6,
                          .from = FireFrom,
                          .phase = k + 592,
                          .period = Cycle});
            s.FireAngled({.bullet = 12024 + m,
                          .carrier = Down,
                          .angle = c - 5,
                          .speed = 8,
                          .from = FireFrom,
                          .phase = k + 680,
                          .period = Cycle});
            s.FireAngled({.bullet = 12280 + m,
                          .carrier = Up,
                          .angle = b + 5,
                          .speed = 8,
                          .from = FireFrom,
                          .phase = k + 680,
                          .period = Cycle});
        }
    }
    s.AtCycleFrame(Cycle, 743, [&] { s.SetState(Down, Up, StateDestroyed, true); });
}

// A second pair of launchers fires aimed fans while the boss fires streams of rising speed.
void WriteLauncherFans(ScriptBuilder& s) {
    constexpr int Down = 16154, Up = 16155;
    s.FireStraightStop({.bullet = Down,
                        .carrier = Boss,
                        .dy = 6,
                        .from = FireFrom,
                        .moveSpan = 792,
                        .phase = 760,
                        .period = Cycle});
    s.FireStraightStop({.bullet = Up,
                        .carrier = Boss,
                        .dy = -6,
                        .from = FireFrom,
                        .moveSpan = 792,
                        .phase = 760,
                        .period = Cycle});
    for (int k = 0; k < 8; ++k) {
        const int a = 12 * k + 776;
        for (int l = 0; l < 8; ++l)
            s.FireAimed({.bullet = 16090 + k + 8 * l,
                         .carrier = Boss,
                         .speed = l + 6,
                         .from = FireFrom,
                         .phase = a + l,
                         .period = Cycle});
        for (int m = 0; m < 4; ++m) {
            s.FireAimed({.bullet = 12536 + k + 8 * m,
                         .carrier = Down,
                         .offset = 4 * m - 12,
                         .speed = 6,
                         .from = FireFrom,
                         .phase = a,
                         .period = Cycle});
            s.FireAimed({.bullet = 12792 + k + 8 * m,
                         .carrier = Up,
                         .offset = 4 * m,
                         .speed = 6,
                         .from = FireFrom,
                         .phase = a,
                         .period = Cycle});
        }
    }
    s.AtCycleFrame(Cycle, 860, [&] { s.SetState(Down, Up, StateDestroyed, true); });
}

// Shots thrown out in all directions stop and turn on the ship; three more streams do the same.
void WriteFinalBurst(ScriptBuilder& s) {
    for (int k = 0; k < 32; ++k) {
        const int a = 2 * k + 936;
        const int b = 2 * k + 920;
        s.FireAimedStop({.bullet = 16156 + k,
                         .carrier = Boss,
                         .offset = 73 * k,
                         .speed = 16,
                         .from = FireFrom,
                         .moveSpan = k + 872,
                         .phase = k + 864,
                         .period = Cycle});
        s.FireAimedExact({.bullet = 16188 + k,
                          .carrier = 16156 + k,
                          .speed = 12,
                          .from = FireFrom,
                          .phase = k + 872,
                          .period = Cycle});
        s.FireAimedStop({.bullet = 16220 + k,
                         .carrier = Boss,
                         .speed = 12,
                         .from = FireFrom,
                         .moveSpan = a,
                         .phase = b,
                         .period = Cycle});
        s.FireAimedExact({.bullet = 16252 + k,
                          .carrier = 16220 + k,
                          .speed = 12,
                          .from = FireFrom,
                          .phase = a,
                          .period = Cycle});
        s.FireAimedStop({.bullet = 16284 + k,
                         .carrier = Boss,
                         .offset = 90,
                         .speed = 12,
                         .from = FireFrom,
                         .moveSpan = a,
                         .phase = b,
                         .period = Cycle});
        s.FireAimedExact({.bullet = 16316 + k,
                          .carrier = 16284 + k,
                          .offset = -6,
                          .speed = 12,
                          .from = FireFrom,
                          .phase = a,
                          .period = Cycle});
        s.FireAimedStop({.bullet = 16348 + k,
                         .carrier = Boss,
                         .offset = 270,
                         .speed = 12,
                         .from = FireFrom,
                         .moveSpan = a,
                         .phase = b,
                         .period = Cycle});
        s.FireAimedExact({.bullet = 16380 + k,
                          .carrier = 16348 + k,
                          .offset = 6,
                          .speed = 12,
                          .from = FireFrom,
                          .phase = a,
                          .period = Cycle});
    }
    // The last cycle's leftovers go before this cycle's burst begins.
    s.AtCycleFrame(Cycle, 860, [&] { s.SetState(16156, 16411, StateDestroyed, true); });
}

}  // namespace

void WriteChallengeBattle(ScriptBuilder& s) {
    WriteChallengeInit(s, Boss, 800, 544);
    s.HudRows();
    s.FromFrame(0, [&] { s.HudBossDigits(); });
    // The circle passes through the start point at angle 0, so the boss sets off without a jump.
    s.CircleFrom(
        {.slot = Boss, .cx = 512, .cy = 224, .radius = 32, .startAngle = 0, .angleStep = 1, .from = 0});
    WriteRotatingRings(s);
    WriteSplittingRings(s);
    WriteAimedFans(s);
    WriteLauncherSpirals(s);
    WriteLauncherFans(s);
    WriteFinalBurst(s);
    // A boss still flying at the time-out is switched off, without the boss bonus.
    s.AtFrame(TimeOutFrame, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] { s.ClearEnemyBullets(); });
}

}  // namespace veltrano
