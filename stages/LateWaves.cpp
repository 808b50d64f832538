#include "stages/LateWaves.h"

namespace veltrano {

void FlightOf(ScriptBuilder& s, BulletCursor& b, int first, int count, Segment a, Segment c, Segment d,
              int end) {
    const int bullet = b.Take(count);
    for (int k = 0; k < count; ++k) {
        const int w = 4 * k;
        s.Path(first + k, {{a.Dx, a.Dy, a.From + w, a.To + w},
                           {c.Dx, c.Dy, c.From + w, c.To + w},
                           {d.Dx, d.Dy, d.From + w, end}});
        s.DeathShot({.bullet = bullet + k, .carrier = first + k});
    }
}

void FanOnce(ScriptBuilder& s, BulletCursor& b, const FanShots& fan) {
    const int bullet = b.Take(fan.shots);
    for (int i = 0; i < fan.shots; ++i) {
        s.FireAimed({.bullet = bullet + i,
                     .carrier = fan.carrier,
                     .offset = fan.spread * (2 * i - fan.shots + 1) / 2,
                     .speed = fan.speed,
                     .from = fan.from,
                     .phase = fan.phase,
                     .period = fan.from});
    }
}

void DeathRing(ScriptBuilder& s, BulletCursor& b, int carrier, int shots, int speed, int deadTime) {
    const int bullet = b.Take(shots);
    for (int i = 0; i < shots; ++i)
        s.FireOnDeath({.bullet = bullet + i,
                       .carrier = carrier,
                       .offset = 360 * i / shots,
                       .speed = speed,
                       .deadTime = deadTime});
}

void AimedFan(ScriptBuilder& s, BulletCursor& b, const FanShots& fan) {
    for (int v = 0; v < FanVolleys; ++v) {
        const int bullet = b.Take(fan.shots);
        for (int i = 0; i < fan.shots; ++i) {
            s.FireAimed({.bullet = bullet + i,
                         .carrier = fan.carrier,
                         .offset = fan.spread * (2 * i - fan.shots + 1) / 2,
                         .speed = fan.speed,
                         .from = fan.from,
                         .phase = fan.phase + fan.every * v,
                         .period = fan.every * FanVolleys});
        }
    }
}

void AngledRing(ScriptBuilder& s, BulletCursor& b, const RingShots& ring) {
    for (int v = 0; v < RingVolleys; ++v) {
        const int bullet = b.Take(ring.shots);
        for (int i = 0; i < ring.shots; ++i) {
            s.FireAngled({.bullet = bullet + i,
                          .carrier = ring.carrier,
                          .angle = ring.angle + 360 * i / ring.shots + 360 / ring.shots / 2 * v,
                          .speed = ring.speed,
                          .from = ring.from,
                          .phase = ring.phase + ring.every * v,
                          .period = ring.every * RingVolleys});
        }
    }
}

void TurningStream(ScriptBuilder& s, BulletCursor& b, const RingShots& stream) {
    const int bullet = b.Take(stream.shots);
    for (int w = 0; w < stream.shots; ++w)
        s.FireAngled({.bullet = bullet + w,
                      .carrier = stream.carrier,
                      .angle = stream.angle + stream.turn * w,
                      .speed = stream.speed,
                      .from = stream.from,
                      .phase = stream.gap * w,
                      .period = stream.period});
}

void SpiralPair(ScriptBuilder& s, int first, int cx, int cy, int shrink, int startAngle, int from,
                int centreFrame, int to) {
    const Arg radius = Arg::Frame(shrink * centreFrame, -shrink);
    s.CircleDuring({.slot = first,
                    .cx = cx,
                    .cy = cy,
                    .radius = radius,
                    .startAngle = startAngle,
                    .angleStep = -2,
                    .from = from,
                    .to = to});
    s.CircleDuring({.slot = first + 1,
                    .cx = cx,
                    .cy = cy,
                    .radius = radius,
                    .startAngle = startAngle,
                    .angleStep = 2,
                    .from = from,
                    .to = to});
}

void MineCarrier(ScriptBuilder& s, BulletCursor& b, int carrier, int firstMine, int start, int dy,
                 int ringAngle, int end) {
    const int hold = start + 48, leave = start + 400;
    s.MoveDuring({.slot = carrier, .dx = -4, .from = start, .to = hold});
    s.MoveDuring(
        {.slot = carrier,
         .dx = -1,
         .dy = Arg::Cycle({.shift = hold, .period = 128, .threshold = 63, .above = -dy, .otherwise = dy}),
         .from = hold,
         .to = leave});
    s.MoveDuring({.slot = carrier, .dx = -4, .from = leave, .to = end});
    for (int m = 0; m < 4; ++m) {
        const int mine = firstMine + m;
        s.FireStraightStop({.bullet = mine,
                            .carrier = carrier,
                            .dx = m % 2 == 0 ? 1 : -3,
                            .dy = m < 2 ? 4 : -4,
                            .from = hold,
                            .moveSpan = 20,
                            .period = 96});
        // The side shots go first: the middle one takes the mine's place and so ends it.
        for (int side = 0; side < 2; ++side)
            s.FireAimed({.bullet = b.Take(1),
                         .carrier = mine,
                         .offset = side == 0 ? 20 : -20,
                         .speed = 5,
                         .from = hold,
                         .phase = 40,
                         .period = 96});
        s.FireAimedExact(
            {.bullet = b.Take(1), .carrier = mine, .speed = 5, .from = hold, .phase = 40, .period = 96});
    }
    AngledRing(s, b,
               {.carrier = carrier,
                .shots = 10,
                .angle = ringAngle,
                .speed = 4,
                .from = hold,
                .phase = 56,
                .every = 64});
    DeathRing(s, b, carrier, 12, 5);
}

void Swooper(ScriptBuilder& s, BulletCursor& b, int slot, int mark, int start, int dy, int end) {
    s.Path(slot, {{-2, dy, start, start + 28}, {-8, 0, start + 28, end}});
    s.FireAimedStop({.bullet = mark,
                     .carrier = slot,
                     .speed = 6,
                     .from = start,
                     .moveSpan = 44,
                     .phase = 20,
                     .period = start});
    s.FireAimedExact(
        {.bullet = b.Take(1), .carrier = mark, .speed = 7, .from = start, .phase = 60, .period = start});
    s.DeathShot({.bullet = b.Take(1), .carrier = slot});
}

void LateStageHitPoints(ScriptBuilder& s, bool heavyShips) {
    if (!heavyShips) {
        s.DefaultHitPoints(FirstObjectSlot, FirstHeavyCraftSlot - 1);
        return;
    }
    s.DefaultHitPoints();
}

void MineOf(ScriptBuilder& s, BulletCursor& b, int slot) {
    s.Mine(slot, b.Take(12), 1);
}

}  // namespace veltrano
