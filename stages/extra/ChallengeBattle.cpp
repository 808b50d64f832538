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
            s.FireAngled(15000 + i + 32 * j, Boss, 8 * i + 45 * j, 3 * i, Cycle, 0, 8);
    }
}

// Each ring shot drops a slow shot turned by 135 degrees 8 frames after its own launch.
void WriteSplittingRings(ScriptBuilder& s) {
    for (int j = 0; j < 64; ++j) {
        for (int k = 0; k < 8; ++k) {
            const int ringShot = 15256 + j + 64 * k;
            const int angle = 4 * j + 45 * k;
            s.FireAngled(ringShot, Boss, angle, 4 * j + 128, Cycle, FireFrom, 8);
            s.FireAngled(11000 + j + 64 * k, ringShot, angle + 135, 4 * j + 136, Cycle, FireFrom, 2);
        }
    }
}

// An aimed stream, and two streams thrown to the sides that turn into slow aimed shots.
void WriteAimedFans(ScriptBuilder& s) {
    for (int k = 0; k < 64; ++k) {
        const int launch = 2 * k + 416;
        const int moveSpan = 2 * k + 848;
        s.FireAimed(15768 + k, Boss, 0, launch, Cycle, FireFrom, 12);
        s.FireAimedStop(15832 + k, Boss, 120, moveSpan, launch, Cycle, FireFrom, 12);
        s.FireAimedStop(15896 + k, Boss, 240, moveSpan, launch, Cycle, FireFrom, 12);
        s.FireAimedExact(15960 + k, 15832 + k, 0, launch + 8, Cycle, FireFrom, 2);
        s.FireAimedExact(16024 + k, 15896 + k, 0, launch + 8, Cycle, FireFrom, 2);
    }
    s.AtCycleFrame(Cycle, 32, [&] { s.ClearBulletStep(15832, 15959); });
}

// A pair of launchers leaves the boss up and down and stops; each spins two spirals.
void WriteLauncherSpirals(ScriptBuilder& s) {
    constexpr int Down = 16088, Up = 16089;
    s.FireStraightStop(Down, Boss, FireFrom, 608, 576, Cycle, 6, 0);
    s.FireStraightStop(Up, Boss, FireFrom, 608, 576, Cycle, -6, 0);
    for (int k = 0; k < 64; ++k) {
        for (int l = 0; l < 4; ++l) {
            const int m = k + 64 * l;
            const int b = 90 * l - 9 * k;
            const int c = 90 * l + 9 * k;
            s.FireAngled(11512 + m, Down, b, k + 592, Cycle, FireFrom, 6);
            s.FireAngled(11768 + m, Up, c, k + 592, Cycle, FireFrom, 6);
            s.FireAngled(12024 + m, Down, c - 5, k + 680, Cycle, FireFrom, 8);
            s.FireAngled(12280 + m, Up, b + 5, k + 680, Cycle, FireFrom, 8);
        }
    }
    s.AtCycleFrame(Cycle, 743, [&] { s.SetState(Down, Up, StateDestroyed, true); });
}

// A second pair of launchers fires aimed fans while the boss fires streams of rising speed.
void WriteLauncherFans(ScriptBuilder& s) {
    constexpr int Down = 16154, Up = 16155;
    s.FireStraightStop(Down, Boss, FireFrom, 792, 760, Cycle, 6, 0);
    s.FireStraightStop(Up, Boss, FireFrom, 792, 760, Cycle, -6, 0);
    for (int k = 0; k < 8; ++k) {
        const int a = 12 * k + 776;
        for (int l = 0; l < 8; ++l) s.FireAimed(16090 + k + 8 * l, Boss, 0, a + l, Cycle, FireFrom, l + 6);
        for (int m = 0; m < 4; ++m) {
            s.FireAimed(12536 + k + 8 * m, Down, 4 * m - 12, a, Cycle, FireFrom, 6);
            s.FireAimed(12792 + k + 8 * m, Up, 4 * m, a, Cycle, FireFrom, 6);
        }
    }
    s.AtCycleFrame(Cycle, 860, [&] { s.SetState(Down, Up, StateDestroyed, true); });
}

// Shots thrown out in all directions stop and turn on the ship; three more streams do the same.
void WriteFinalBurst(ScriptBuilder& s) {
    for (int k = 0; k < 32; ++k) {
        const int a = 2 * k + 936;
        const int b = 2 * k + 920;
        s.FireAimedStop(16156 + k, Boss, 73 * k, k + 872, k + 864, Cycle, FireFrom, 16);
        s.FireAimedExact(16188 + k, 16156 + k, 0, k + 872, Cycle, FireFrom, 12);
        s.FireAimedStop(16220 + k, Boss, 0, a, b, Cycle, FireFrom, 12);
        s.FireAimedExact(16252 + k, 16220 + k, 0, a, Cycle, FireFrom, 12);
        s.FireAimedStop(16284 + k, Boss, 90, a, b, Cycle, FireFrom, 12);
        s.FireAimedExact(16316 + k, 16284 + k, -6, a, Cycle, FireFrom, 12);
        s.FireAimedStop(16348 + k, Boss, 270, a, b, Cycle, FireFrom, 12);
        s.FireAimedExact(16380 + k, 16348 + k, 6, a, Cycle, FireFrom, 12);
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
    s.CircleFrom(Boss, 512, 224, 32, 0, 1, 0);
    WriteRotatingRings(s);
    WriteSplittingRings(s);
    WriteAimedFans(s);
    WriteLauncherSpirals(s);
    WriteLauncherFans(s);
    WriteFinalBurst(s);
    // A boss still flying at the time-out is switched off, without the boss bonus.
    s.AtFrame(TimeOutFrame, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] { s.SetState(11000, 19999, StateDestroyed); });
}

}  // namespace veltrano
