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
        s.DeathShot(bullet + k, first + k);
    }
}

void FanOnce(ScriptBuilder& s, BulletCursor& b, int carrier, int start, int delay, int shots, int spread,
             int speed) {
    const int bullet = b.Take(shots);
    for (int i = 0; i < shots; ++i) {
        s.FireAimed(bullet + i, carrier, spread * (2 * i - shots + 1) / 2, delay, start, start, speed);
    }
}

void DeathRing(ScriptBuilder& s, BulletCursor& b, int carrier, int shots, int speed, int deadTime) {
    const int bullet = b.Take(shots);
    for (int i = 0; i < shots; ++i) s.FireOnDeath(bullet + i, carrier, 360 * i / shots, deadTime, speed);
}

void AimedFan(ScriptBuilder& s, BulletCursor& b, int carrier, int shots, int spread, int phase, int every,
              int from, int speed) {
    for (int v = 0; v < FanVolleys; ++v) {
        const int bullet = b.Take(shots);
        for (int i = 0; i < shots; ++i) {
            s.FireAimed(bullet + i, carrier, spread * (2 * i - shots + 1) / 2, phase + every * v,
                        every * FanVolleys, from, speed);
        }
    }
}

void AngledRing(ScriptBuilder& s, BulletCursor& b, int carrier, int shots, int angle, int phase, int every,
                int from, int speed) {
    for (int v = 0; v < RingVolleys; ++v) {
        const int bullet = b.Take(shots);
        for (int i = 0; i < shots; ++i) {
            s.FireAngled(bullet + i, carrier, angle + 360 * i / shots + 360 / shots / 2 * v,
                         phase + every * v, every * RingVolleys, from, speed);
        }
    }
}

void TurningStream(ScriptBuilder& s, BulletCursor& b, int carrier, int shots, int angle, int turn, int gap,
                   int period, int from, int speed) {
    const int bullet = b.Take(shots);
    for (int w = 0; w < shots; ++w)
        s.FireAngled(bullet + w, carrier, angle + turn * w, gap * w, period, from, speed);
}

void SpiralPair(ScriptBuilder& s, int first, int cx, int cy, int shrink, int startAngle, int from,
                int centreFrame, int to) {
    const Arg radius = Arg::Frame(shrink * centreFrame, -shrink);
    s.CircleDuring(first, cx, cy, radius, startAngle, -2, from, to);
    s.CircleDuring(first + 1, cx, cy, radius, startAngle, 2, from, to);
}

void MineCarrier(ScriptBuilder& s, BulletCursor& b, int carrier, int firstMine, int start, int dy,
                 int ringAngle, int end) {
    const int hold = start + 48, leave = start + 400;
    s.MoveDuring(carrier, -4, 0, start, hold);
    s.MoveDuring(carrier, -1, Arg::Cycle(hold, 128, 63, -dy, dy), hold, leave);
    s.MoveDuring(carrier, -4, 0, leave, end);
    for (int m = 0; m < 4; ++m) {
        const int mine = firstMine + m;
        s.FireStraightStop(mine, carrier, hold, 20, 0, 96, m < 2 ? 4 : -4, m % 2 == 0 ? 1 : -3);
        // The side shots go first: the middle one takes the mine's place and so ends it.
        for (int side = 0; side < 2; ++side)
            s.FireAimed(b.Take(1), mine, side == 0 ? 20 : -20, 40, 96, hold, 5);
        s.FireAimedExact(b.Take(1), mine, 0, 40, 96, hold, 5);
    }
    AngledRing(s, b, carrier, 10, ringAngle, 56, 64, hold, 4);
    DeathRing(s, b, carrier, 12, 5);
}

void Swooper(ScriptBuilder& s, BulletCursor& b, int slot, int mark, int start, int dy, int end) {
    s.Path(slot, {{-2, dy, start, start + 28}, {-8, 0, start + 28, end}});
    s.FireAimedStop(mark, slot, 0, 44, 20, start, start, 6);
    s.FireAimedExact(b.Take(1), mark, 0, 60, start, start, 7);
    s.DeathShot(b.Take(1), slot);
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
