// The last boss: it glides in shielded by two counter-turning rings. Breaking a ring (or outlasting
// it) moves the clock to the next stretch; bare at last, it circles the whole screen ever faster,
// and its fire thickens as it weakens, so the fight rises to its end.
#include "stages/stage10/Stage10Boss.h"

#include <climits>

#include "world/World.h"

namespace veltrano {

namespace {

constexpr int Boss = Stage10Boss;
constexpr int OuterRing = 2480, InnerRing = 2484;
constexpr int OuterBrokenFrame = 29999, InnerBrokenFrame = 40319;
constexpr int InnerRingStart = 30000;
constexpr int CircleStart = Stage10BossCircleStart;

// The bullets of the fight. Large ones for the rings' streams and the boss's own rings, small ones
// (with the smaller contact box of 11000..12999) for what it aims at the ship, shards for the
// counter-ring it adds below two thirds of its hit points.
constexpr int OuterBullets = 15000, OuterBulletCount = 80;
constexpr int InnerBullets = 15100, InnerBulletCount = 480;
constexpr int RingBullets = 15600;                    // 6 rings of 20
constexpr int FanBullets = 12900;                     // 4 fans of 5, all through the fight
constexpr int TripleBullets = 12920;                  // 5 triples
constexpr int WornFanBullets = 12940;                 // 8 fans of 5
constexpr int ShardBullets = 10900, ShardCount = 96;  // 8 rings of 12

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

// While the outer ring stands its members stream aimed shots; in the inner ring's stretch its
// members spin four spirals, a shot every five steps each.
void WriteRingFire(ScriptBuilder& s, const BossFight& fight) {
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < 20; ++i) {
            s.FireAimed(OuterBullets + 20 * k + i, OuterRing + k, 0, (8 * i + 40 * k) % 160, 160,
                        fight.At(Stage10BossStandFrame), 6);
        }
        for (int w = 0; w < InnerBulletCount / 4; ++w) {
            s.FireAngled(InnerBullets + InnerBulletCount / 4 * k + w, InnerRing + k, 5 * w + 90 * k, 5 * w,
                         600, InnerRingStart, 6);
        }
    }
}

// Where the circling boss stands when it fires. At its last speed, 36 degrees a step, it comes back
// to the same ten points every ten steps; its fire keeps to periods of whole turns, so each volley
// always leaves from the same point, in the right half of the circle: a curtain a player can read,
// not shots from everywhere at once. (The stretch of that speed starts at a whole turn, 41580.)
constexpr int LastTurn = 10;
constexpr int FromPoint(int point) {
    return (Stage10BossCircleStart + 1260 + point) % LastTurn;
}
static_assert((Stage10BossCircleStart + 1260) % LastTurn == 0);

// The boss's own fire. All through the fight a fan of five every 64 steps. Bare and circling: from
// its rightmost point a slow ring of twenty every 40 steps, turning from ring to ring, with a breath
// of 40 steps after every sixth (the player's window); from the point below it an aimed triple every
// 20 steps. Below two thirds of its hit points a counter-turning ring of shards joins from the point
// above; below one third, fans of five every 20 steps from the lower left.
void WriteBossFire(ScriptBuilder& s, const BossFight& fight, int fullHP) {
    for (int v = 0; v < 4; ++v) {
        for (int i = 0; i < 5; ++i)
            s.FireAimed(FanBullets + 5 * v + i, Boss, 12 * i - 24, 64 * v, 256,
                        fight.At(Stage10BossStandFrame), 7);
    }
    for (int r = 0; r < 6; ++r) {
        for (int i = 0; i < 20; ++i)
            s.FireAngled(RingBullets + 20 * r + i, Boss, Arg::Frame(18 * i, 1), 40 * r + FromPoint(0), 280,
                         CircleStart, 4);
    }
    for (int t = 0; t < 5; ++t) {
        for (int i = 0; i < 3; ++i)
            s.FireAimed(TripleBullets + 3 * t + i, Boss, 15 * i - 15, 20 * t + FromPoint(1), 100, CircleStart,
                        7);
    }
    s.WhileHPBelow(Boss, fullHP * 2 / 3 + 1, [&] {
        for (int r = 0; r < 8; ++r) {
            for (int i = 0; i < 12; ++i)
                s.FireAngled(ShardBullets + 12 * r + i, Boss, Arg::Frame(30 * i + 15, -1),
                             40 * r + FromPoint(9), 320, CircleStart, 3);
        }
    });
    s.WhileHPBelow(Boss, fullHP / 3 + 1, [&] {
        for (int v = 0; v < 8; ++v) {
            for (int i = 0; i < 5; ++i)
                s.FireAimed(WornFanBullets + 5 * v + i, Boss, 10 * i - 20, 20 * v + FromPoint(2), 160,
                            CircleStart, 7);
        }
    });
}

}  // namespace

void PlaceStage10Boss(ScriptBuilder& s) {
    s.Place(Boss, 704, 224);
    s.Place(OuterRing, 8, 704, 224);
}

void WriteStage10Boss(ScriptBuilder& s, const BossFight& fight, int fullHP) {
    auto f = [&fight](int frame) { return fight.At(frame); };
    s.MoveDuring(Boss, -2, 0, f(19920), f(Stage10BossStandFrame));
    s.FromFrame(f(Stage10BossStandFrame), [&] { s.HudBossDigits(); });
    for (int k = 0; k < 4; ++k) {
        s.CircleFrom(OuterRing + k, Arg::XOf(Boss, 0), Arg::YOf(Boss, 0), 64, 90 * k, 4,
                     f(Stage10BossStandFrame));
        s.CircleFrom(InnerRing + k, Arg::XOf(Boss, 0), Arg::YOf(Boss, 0), 32, 90 * k, -4,
                     f(Stage10BossStandFrame));
    }

    // The fight's bullets are its own from the boss's arrival on: the waves before may use the same
    // slots.
    s.FramesIn(f(19920), INT_MAX, [&] {
        WriteRingFire(s, fight);
        WriteBossFire(s, fight, fullHP);
    });
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

    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] {
        s.SetState(OuterRing, InnerRing + 3, StateDestroyed);
        s.ClearEnemyBullets();
        // The shards lie below the bullets a fallen boss takes with it; they go too.
        s.SetState(ShardBullets, ShardBullets + ShardCount - 1, StateDestroyed, true);
    });
    s.AtDeadTime(Boss, 100, [&] { s.SetStageFrame(50000); });
}

}  // namespace veltrano
