// Shapes of wave that the last stages repeat. Each names its bullets from a cursor that hands out
// consecutive bullet slots, so no two calls ever share one.
#pragma once

#include "stages/ScriptBuilder.h"

namespace veltrano {

// Hands out bullet slots in order, from `first` on.
struct BulletCursor {
    int Next;
    int Take(int count) {
        const int first = Next;
        Next += count;
        return first;
    }
};

// `count` fliers from `first` on, member k starting 4k steps after the one before: three segments
// whose windows are given for member 0 (the last one runs to `end`), and a parting shot each.
void FlightOf(ScriptBuilder& s, BulletCursor& b, int first, int count, Segment a, Segment c, Segment d,
              int end = 4000);

// A fan of `shots` aimed shots `spread` degrees apart, at `speed`, from `from` on at `phase` of every
// cycle of `every` steps (AimedFan), or once, `phase` steps after `from` (FanOnce).
struct FanShots {
    int carrier = NotGiven;
    int shots = 1, spread = 0;
    int speed = NotGiven;
    int from = NotGiven, phase = 0, every = NotGiven;
};

// A ring of `shots` fixed-angle shots, the first at `angle`, or a stream that turns `turn` degrees per
// shot, `gap` steps apart in every cycle of `period`.
struct RingShots {
    int carrier = NotGiven;
    int shots = NotGiven, angle = 0, turn = 0;
    int speed = NotGiven;
    int from = NotGiven, phase = 0, every = 0, gap = 0, period = 0;
};

// The fan, once: the period equals the start frame, so the launch comes only at from + phase.
void FanOnce(ScriptBuilder& s, BulletCursor& b, const FanShots& fan);

// A ring of `shots` aimed shots released when the carrier dies.
void DeathRing(ScriptBuilder& s, BulletCursor& b, int carrier, int shots, int speed, int deadTime = 1);

// The hit points every one of the last stages gives its common ranges: items, fliers, light and
// heavy enemies, debris, mines and blocks; `heavyShips` adds the big ships and small raiders of
// stages 9 and 10.
void LateStageHitPoints(ScriptBuilder& s, bool heavyShips);

// A bullet slot is launched again only once its last shot has left the field, so a volley repeated
// faster than a shot crosses the screen takes turns between several sets of slots.
constexpr int FanVolleys = 3, RingVolleys = 2;

// The fan, fired every `every` steps (at `phase` < `every`) from `from` on.
void AimedFan(ScriptBuilder& s, BulletCursor& b, const FanShots& fan);

// The ring, fired every `every` steps at `phase`; every other ring is turned half a gap, so the gaps
// do not line up.
void AngledRing(ScriptBuilder& s, BulletCursor& b, const RingShots& ring);

// The turning stream: shot w leaves at angle + turn x w, gap x w steps into every cycle of `period`.
void TurningStream(ScriptBuilder& s, BulletCursor& b, const RingShots& stream);

// Two fliers spiralling in from a radius that shrinks `shrink` pixels a step, from the same point
// off screen (startAngle 90: below, 270: above) and one each way round: both reach the centre at
// `centreFrame`, pass through it and wind out on the other side.
void SpiralPair(ScriptBuilder& s, int first, int cx, int cy, int shrink, int startAngle, int from,
                int centreFrame, int to);

// A carrier glides in at `start`, sways up and down (first toward `dy`) for ten seconds and leaves.
// Every 96 steps it throws four slow mines (small shots firstMine..firstMine+3) that stop, then burst
// into a fan of three at where the ship is; between them it fires a turning ring of ten.
void MineCarrier(ScriptBuilder& s, BulletCursor& b, int carrier, int firstMine, int start, int dy,
                 int ringAngle, int end);

// A swooper dives from an edge (dy > 0: from the top) at `start` and turns to race left. It fires one
// shot (the small shot `mark`) that stops halfway and, a moment later, turns on the ship again.
void Swooper(ScriptBuilder& s, BulletCursor& b, int slot, int mark, int start, int dy, int end);

// A mine with its ring of twelve.
void MineOf(ScriptBuilder& s, BulletCursor& b, int slot);

}  // namespace veltrano
