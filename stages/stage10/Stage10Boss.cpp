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
            s.FireAimed({.bullet = OuterBullets + 20 * k + i,
                         .carrier = OuterRing + k,
                         .speed = 6,
                         .from = fight.At(Stage10BossStandFrame),
                         .phase = (8 * i + 40 * k) % 160,
                         .period = 160});
        }
        for (int w = 0; w < InnerBulletCount / 4; ++w) {
            s.FireAngled({.bullet = InnerBullets + InnerBulletCount / 4 * k + w,
                          .carrier = InnerRing + k,
                          .angle = 5 * w + 90 * k,
                          .speed = 6,
                          .from = InnerRingStart,
                          .phase = 5 * w,
                          .period = 600});
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
            s.FireAimed({.bullet = FanBullets + 5 * v + i,
                         .carrier = Boss,
                         .offset = 12 * i - 24,
                         .speed = 7,
                         .from = fight.At(Stage10BossStandFrame),
                         .phase = 64 * v,
                         .period = 256});
    }
    for (int r = 0; r < 6; ++r) {
        for (int i = 0; i < 20; ++i)
            s.FireAngled({.bullet = RingBullets + 20 * r + i,
                          .carrier = Boss,
                          .angle = Arg::Frame(18 * i, 1),
                          .speed = 4,
                          .from = CircleStart,
                          .phase = 40 * r + FromPoint(0),
                          .period = 280});
    }
    for (int t = 0; t < 5; ++t) {
        for (int i = 0; i < 3; ++i)
            s.FireAimed({.bullet = TripleBullets + 3 * t + i,
                         .carrier = Boss,
                         .offset = 15 * i - 15,
                         .speed = 7,
                         .from = CircleStart,
                         .phase = 20 * t + FromPoint(1),
                         .period = 100});
    }
    s.WhileHPBelow(Boss, fullHP * 2 / 3 + 1, [&] {
        for (int r = 0; r < 8; ++r) {
            for (int i = 0; i < 12; ++i)
                s.FireAngled({.bullet = ShardBullets + 12 * r + i,
                              .carrier = Boss,
                              .angle = Arg::Frame(30 * i + 15, -1),
                              .speed = 3,
                              .from = CircleStart,
                              .phase = 40 * r + FromPoint(9),
                              .period = 320});
        }
    });
    s.WhileHPBelow(Boss, fullHP / 3 + 1, [&] {
        for (int v = 0; v < 8; ++v) {
            for (int i = 0; i < 5; ++i)
                s.FireAimed({.bullet = WornFanBullets + 5 * v + i,
                             .carrier = Boss,
                             .offset = 10 * i - 20,
                             .speed = 7,
                             .from = CircleStart,
                             .phase = 20 * v + FromPoint(2),
                             .period = 160});
        }
    });
}

}  // namespace

void PlaceStage10Boss(ScriptBuilder& s) {
    s.Place(Boss, 704, 224);
    s.Place({.first = OuterRing, .count = 8, .x = 704, .y = 224});
}

void WriteStage10Boss(ScriptBuilder& s, const BossFight& fight, int fullHP) {
    auto f = [&fight](int frame) { return fight.At(frame); };
    s.MoveDuring({.slot = Boss, .dx = -2, .from = f(19920), .to = f(Stage10BossStandFrame)});
    s.FromFrame(f(Stage10BossStandFrame), [&] { s.HudBossDigits(); });
    for (int k = 0; k < 4; ++k) {
        s.CircleFrom({.slot = OuterRing + k,
                      .cx = Arg::XOf(Boss, 0),
                      .cy = Arg::YOf(Boss, 0),
                      .radius = 64,
                      .startAngle = 90 * k,
                      .angleStep = 4,
                      .from = f(Stage10BossStandFrame)});
        s.CircleFrom({.slot = InnerRing + k,
                      .cx = Arg::XOf(Boss, 0),
                      .cy = Arg::YOf(Boss, 0),
                      .radius = 32,
                      .startAngle = 90 * k,
                      .angleStep = -4,
                      .from = f(Stage10BossStandFrame)});
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
            s.CircleFrom({.slot = Boss,
                          .cx = 304,
                          .cy = 224,
                          .radius = 224,
                          .startAngle = Stretches[i].StartAngle,
                          .angleStep = Stretches[i].AngleStep,
                          .from = from});
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
