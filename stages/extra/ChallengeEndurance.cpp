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
            s.FireAngled({.bullet = 13000 + i,
                          .carrier = Boss,
                          .angle = 90,
                          .speed = 12,
                          .from = -1,
                          .phase = 4 * i,
                          .period = 64});
            s.FireAngled({.bullet = 13016 + i,
                          .carrier = Boss,
                          .angle = 270,
                          .speed = 12,
                          .from = -1,
                          .phase = 4 * i,
                          .period = 64});
            for (int j = 0; j < 8; ++j) {
                s.FireAimed({.bullet = 11000 + i + 16 * j,
                             .carrier = 13000 + i,
                             .speed = 12,
                             .from = -1,
                             .phase = 16 * j,
                             .period = 128});
                s.FireAimed({.bullet = 11128 + i + 16 * j,
                             .carrier = 13016 + i,
                             .speed = 12,
                             .from = -1,
                             .phase = 16 * j + 8,
                             .period = 128});
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
                s.FireAngled({.bullet = 13000 + i + 4 * j,
                              .carrier = Boss,
                              .angle = 90 * i + 8 * j,
                              .speed = 6,
                              .from = 599,
                              .phase = 2 * j,
                              .period = 160});
                s.FireAngled({.bullet = 13320 + i + 4 * j,
                              .carrier = Boss,
                              .angle = 90 * i - 10 * j,
                              .speed = 6,
                              .from = 599,
                              .phase = 2 * j,
                              .period = 160});
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
                s.FireAngledStop({.bullet = stopped,
                                  .carrier = Boss,
                                  .angle = b,
                                  .speed = 4,
                                  .from = 1199,
                                  .moveSpan = c,
                                  .phase = 5 * j,
                                  .period = Period});
                // A turn at or past the end of the period never comes (the last six shots of each
                // arm), so those calls are left out.
                if (c >= Period) continue;
                s.FireAtPlayerMark({.bullet = mark,
                                    .carrier = stopped,
                                    .angle = b + 180,
                                    .speed = 8,
                                    .from = 1199,
                                    .phase = c,
                                    .period = Period});
                s.FireAngled({.bullet = 11000 + i + a,
                              .carrier = mark,
                              .angle = b + 260,
                              .speed = 8,
                              .from = 1199,
                              .phase = c,
                              .period = Period});
                s.FireAngled({.bullet = 11480 + i + a,
                              .carrier = mark,
                              .angle = b + 280,
                              .speed = 8,
                              .from = 1199,
                              .phase = c,
                              .period = Period});
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
            s.FireAngledStop({.bullet = 13000 + i,
                              .carrier = Boss,
                              .angle = 2 * i,
                              .speed = Speed,
                              .from = From,
                              .moveSpan = b,
                              .phase = a,
                              .period = Period});
            s.FireAngledStop({.bullet = 13060 + i,
                              .carrier = Boss,
                              .angle = -2 * i,
                              .speed = Speed,
                              .from = From,
                              .moveSpan = b,
                              .phase = a,
                              .period = Period});
            s.FireAimedExact({.bullet = 13120 + i,
                              .carrier = 13000 + i,
                              .speed = Speed,
                              .from = From,
                              .phase = b,
                              .period = Period});
            s.FireAimedExact({.bullet = 13180 + i,
                              .carrier = 13060 + i,
                              .speed = Speed,
                              .from = From,
                              .phase = b,
                              .period = Period});
            s.FireAngledStop({.bullet = 13240 + i,
                              .carrier = Boss,
                              .angle = 240 - i,
                              .speed = Speed,
                              .from = From,
                              .moveSpan = c,
                              .phase = a + 260,
                              .period = Period});
            s.FireAngledStop({.bullet = 13300 + i,
                              .carrier = Boss,
                              .angle = i + 120,
                              .speed = Speed,
                              .from = From,
                              .moveSpan = c,
                              .phase = a + 260,
                              .period = Period});
            s.FireAimedExact({.bullet = 13360 + i,
                              .carrier = 13240 + i,
                              .speed = Speed,
                              .from = From,
                              .phase = c,
                              .period = Period});
            s.FireAimedExact({.bullet = 13420 + i,
                              .carrier = 13300 + i,
                              .speed = Speed,
                              .from = From,
                              .phase = c,
                              .period = Period});
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
                s.FireAngled({.bullet = 13000 + i + a,
                              .carrier = Boss,
                              .angle = 180 * i - 3 * j + 20,
                              .speed = 8,
                              .from = From,
                              .phase = b + 2400,
                              .period = Period});
                s.FireAngled({.bullet = 13360 + i + a,
                              .carrier = Boss,
                              .angle = 180 * i + 3 * j + 110,
                              .speed = 8,
                              .from = From,
                              .phase = b + 2400,
                              .period = Period});
                s.FireAimed({.bullet = 11000 + i + a,
                             .carrier = 13000 + i + a,
                             .speed = 6,
                             .from = From,
                             .phase = b + 2416,
                             .period = Period});
                s.FireAimed({.bullet = 11360 + i + a,
                             .carrier = 13360 + i + a,
                             .speed = 6,
                             .from = From,
                             .phase = b + 2416,
                             .period = Period});
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
