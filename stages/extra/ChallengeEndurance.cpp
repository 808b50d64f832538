// The trial of endurance (for a player who cleared the game without scoring): a boss that never
// moves fires five timed phases and is switched off at frame 4000, so surviving is enough. A sweep
// of the bullets between the phases keeps them from overlapping.
#include <climits>

#include "stages/Scenes.h"
#include "stages/extra/ChallengeInit.h"

namespace veltrano {

namespace {

constexpr int Boss = 19;
constexpr int EndFrame = 4000;

// Removes the n bullets from 11000 on, with their flight counts.
void ClearAt(ScriptBuilder& s, int frame, int n) {
    s.AtFrame(frame, [&] { s.SetState(11000, 11000 + n - 1, StateDestroyed, true); });
}

// Streams straight down and up from the boss; every stream shot fires aimed shots.
void WritePhase1(ScriptBuilder& s) {
    s.FramesIn(INT_MIN, 519, [&] {
        for (int i = 0; i < 16; ++i) {
            s.FireAngled(13000 + i, Boss, 90, 4 * i, 64, -1, 12);
            s.FireAngled(13016 + i, Boss, 270, 4 * i, 64, -1, 12);
            for (int j = 0; j < 8; ++j) {
                s.FireAimed(11000 + i + 16 * j, 13000 + i, 0, 16 * j, 128, -1, 12);
                s.FireAimed(11128 + i + 16 * j, 13016 + i, 0, 16 * j + 8, 128, -1, 12);
            }
        }
    });
}

// Four arms turning one way and four the other.
void WritePhase2(ScriptBuilder& s) {
    ClearAt(s, 520, 9000);
    s.FramesIn(600, 1119, [&] {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 80; ++j) {
                s.FireAngled(13000 + i + 4 * j, Boss, 90 * i + 8 * j, 2 * j, 160, 599, 6);
                s.FireAngled(13320 + i + 4 * j, Boss, 90 * i - 10 * j, 2 * j, 160, 599, 6);
            }
        }
    });
}

// Slow shots stop, each turns into a shot back past the boss that marks the ship's place, and that
// one throws two shots at wide angles.
void WritePhase3(ScriptBuilder& s) {
    constexpr int Period = 600;
    ClearAt(s, 1120, 4000);
    s.FramesIn(1200, 1719, [&] {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 120; ++j) {
                const int a = 4 * j;
                const int b = 90 * i + 6 * j;
                const int c = 5 * j + 30;
                const int stopped = 13000 + i + a;
                const int mark = 13600 + i + a;
                s.FireAngledStop(stopped, Boss, b, c, 5 * j, Period, 1199, 4);
                // A turn at or past the end of the period never comes (the last six shots of each
                // arm), so those calls are left out.
                if (c >= Period) continue;
                s.FireAtPlayerMark(mark, stopped, b + 180, c, Period, 1199, 8);
                s.FireAngled(11000 + i + a, mark, b + 260, c, Period, 1199, 8);
                s.FireAngled(11480 + i + a, mark, b + 280, c, Period, 1199, 8);
            }
        }
    });
}

// Two fans open from the boss, stop and turn on the ship; then two more from the other side.
void WritePhase4(ScriptBuilder& s) {
    constexpr int Period = 600, From = 1799, Speed = 8;
    ClearAt(s, 1720, 9000);
    s.FramesIn(1800, 2319, [&] {
        for (int i = 0; i < 60; ++i) {
            const int a = 4 * i;
            const int b = a + 20;
            const int c = a + 300;
            s.FireAngledStop(13000 + i, Boss, 2 * i, b, a, Period, From, Speed);
            s.FireAngledStop(13060 + i, Boss, -2 * i, b, a, Period, From, Speed);
            s.FireAimedExact(13120 + i, 13000 + i, 0, b, Period, From, Speed);
            s.FireAimedExact(13180 + i, 13060 + i, 0, b, Period, From, Speed);
            s.FireAngledStop(13240 + i, Boss, 240 - i, c, a + 260, Period, From, Speed);
            s.FireAngledStop(13300 + i, Boss, i + 120, c, a + 260, Period, From, Speed);
            s.FireAimedExact(13360 + i, 13240 + i, 0, c, Period, From, Speed);
            s.FireAimedExact(13420 + i, 13300 + i, 0, c, Period, From, Speed);
        }
    });
}

// Two double spirals; every spiral shot fires an aimed shot 16 frames after its launch.
void WritePhase5(ScriptBuilder& s) {
    constexpr int Period = 4000, From = 2399;
    ClearAt(s, 2320, 9000);
    s.FramesIn(2400, 3999, [&] {
        for (int i = 0; i < 2; ++i) {
            for (int j = 0; j < 180; ++j) {
                const int a = 2 * j;
                const int b = 8 * j;
                s.FireAngled(13000 + i + a, Boss, 180 * i - 3 * j + 20, b + 2400, Period, From, 8);
                s.FireAngled(13360 + i + a, Boss, 180 * i + 3 * j + 110, b + 2400, Period, From, 8);
                s.FireAimed(11000 + i + a, 13000 + i + a, 0, b + 2416, Period, From, 6);
                s.FireAimed(11360 + i + a, 13360 + i + a, 0, b + 2416, Period, From, 6);
            }
        }
    });
}

}  // namespace

void WriteChallengeEndurance(ScriptBuilder& s) {
    WriteChallengeInit(s, Boss, 999, 512);
    s.HudRows();
    s.FromFrame(0, [&] { s.HudBossDigits(); });
    WritePhase1(s);
    WritePhase2(s);
    WritePhase3(s);
    WritePhase4(s);
    WritePhase5(s);
    // Whatever its hit points, the boss is switched off at the end, and its death runs its course.
    s.AtFrame(EndFrame, [&] {
        s.SetState(Boss, Boss, StateDestroyed);
        s.SetState(11000, 19999, StateDestroyed, true);
    });
}

}  // namespace veltrano
