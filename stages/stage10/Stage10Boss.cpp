// The last boss: it glides in shielded by two counter-turning rings. Breaking a ring (or outlasting
// it) moves the clock to the next stretch; bare at last, it circles the whole screen ever faster.
#include "stages/stage10/Stage10Boss.h"

#include <climits>

#include "world/World.h"

namespace veltrano {

namespace {

constexpr int Boss = Stage10Boss;
constexpr int OuterRing = 2480, InnerRing = 2484;
constexpr int OuterBullets = 15000, OuterBulletCount = 80;
constexpr int InnerBullets = 15100, InnerBulletCount = 480;
constexpr int OuterBrokenFrame = 29999, InnerBrokenFrame = 40319;
constexpr int CircleStart = 40320;

// The circling speeds up every 180 steps: start angle and degrees per step of each stretch.
struct Stretch {
    int StartAngle, AngleStep;
};
constexpr Stretch Stretches[] = {{0, 1}, {180, 2}, {180, 3}, {0, 4}, {0, 6}, {0, 12}, {0, 18}, {0, 36}};
constexpr int StretchLength = 180;

// A ring breaks when any member bursts: the whole ring goes, its shots with it, and the clock moves
// on. The jump is made only from before its target, so a ring broken out of turn never sends the
// clock back.
void RingBreaks(ScriptBuilder& s, int ring, int bullets, int count, int target) {
    for (int slot = ring; slot < ring + 4; ++slot) {
        s.AtDeadTime(slot, 1, [&] {
            s.SetState(ring, ring + 3, StateDestroyed);
            s.SetState(bullets, bullets + count - 1, StateDestroyed, true);
            s.FramesIn(INT_MIN, target - 1, [&] { s.SetStageFrame(target); });
        });
    }
}

}  // namespace

void PlaceStage10Boss(ScriptBuilder& s) {
    s.Place(Boss, 704, 224);
    s.Place(OuterRing, 8, 704, 224);
}

void WriteStage10Boss(ScriptBuilder& s, const BossFight& fight) {
    auto f = [&fight](int frame) { return fight.At(frame); };
    s.MoveDuring(Boss, -2, 0, f(19920), f(20000));
    s.FromFrame(f(20000), [&] { s.HudBossDigits(); });
    for (int k = 0; k < 4; ++k) {
        s.CircleFrom(OuterRing + k, Arg::XOf(Boss, 0), Arg::YOf(Boss, 0), 64, 90 * k, 4, f(20000));
        s.CircleFrom(InnerRing + k, Arg::XOf(Boss, 0), Arg::YOf(Boss, 0), 32, 90 * k, -4, f(20000));
    }

    // The outer ring fires aimed streams; the inner ring, in its own stretch, spirals.
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 20; ++i) {
            s.FireAimed(OuterBullets + 20 * k + i, OuterRing + k, 0, (8 * i + 40 * k) % 160, 160, f(20000),
                        6);
        }
        for (int w = 0; w < 120; ++w) {
            s.FireAngled(InnerBullets + 120 * k + w, InnerRing + k, 3 * w + 90 * k, 2 * w, 320, 30000, 6);
        }
    }
    // The boss's own fans, all through the fight.
    for (int v = 0; v < 4; ++v) {
        for (int i = 0; i < 5; ++i)
            s.FireAimed(15580 + 5 * v + i, Boss, 12 * i - 24, 64 * v, 256, f(20000), 7);
    }
    RingBreaks(s, OuterRing, OuterBullets, OuterBulletCount, OuterBrokenFrame);
    s.AtFrame(f(22000), [&] { s.SetState(OuterRing, OuterRing + 3, StateDestroyed); });
    RingBreaks(s, InnerRing, InnerBullets, InnerBulletCount, InnerBrokenFrame);
    s.AtFrame(32000, [&] { s.SetState(InnerRing, InnerRing + 3, StateDestroyed); });

    const int count = sizeof(Stretches) / sizeof(Stretches[0]);
    for (int i = 0; i < count; ++i) {
        const int from = CircleStart + StretchLength * i;
        const int last = i + 1 < count ? from + StretchLength - 1 : INT_MAX;
        s.FramesIn(from, last, [&] {
            s.CircleFrom(Boss, 304, 224, 224, Stretches[i].StartAngle, Stretches[i].AngleStep, from);
        });
    }
    // Bare, the boss throws rings of 24 as it circles.
    for (int i = 0; i < 24; ++i) s.FireAngled(15600 + i, Boss, 15 * i, 0, 90, CircleStart, 5);

    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] {
        s.SetState(OuterRing, InnerRing + 3, StateDestroyed);
        s.SetState(11000, 19999, StateDestroyed);
    });
    s.AtDeadTime(Boss, 100, [&] { s.SetStageFrame(50000); });
}

}  // namespace veltrano
