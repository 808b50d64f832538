// Enemy fire: every call drives one bullet slot for one carrier for one step, launching it when
// its trigger holds and the slot is free, and moving it while it flies.
#include "engine/EnemyBullet.h"

#include "engine/DestroySlot.h"
#include "world/Extended.h"
#include "world/World.h"

namespace veltrano {

namespace {

using X = NativeExtended;

bool InField(int b) {
    return EnemyX[b] >= -16 && EnemyX[b] <= FieldWidth && EnemyY[b] >= -16 && EnemyY[b] <= FieldHeight;
}

// The remainder takes the sign of the frame, so a phase above 0 never matches before frame 0.
// A period of 0 would divide by zero; it schedules nothing and keeps stopping bullets still.
bool Scheduled(int phase, int period) {
    return period != 0 && StageFrame % period == phase;
}
bool InMoveSpan(int moveSpan, int period) {
    return period != 0 && StageFrame % period < moveSpan;
}

// The cosine and sine of a bullet's angle, worked out again only when the angle has changed: the
// extended-precision trigonometry is the dearest part of a step with a thousand shots in flight.
struct Direction {
    long double Angle = 0, Cos = 1, Sin = 0;
};
Direction Directions[LastBulletSlot - FirstBulletSlot + 1];

const Direction& DirectionOf(int b) {
    Direction& d = Directions[b - FirstBulletSlot];
    if (d.Angle != BulletAngle[b]) {
        d.Angle = BulletAngle[b];
        d.Cos = X::Cos(d.Angle);
        d.Sin = X::Sin(d.Angle);
    }
    return d;
}

// Offsets from the origin for the current step, recomputed from scratch so rounding never adds up.
void ComputeOffsets(int b, int speed) {
    const long double distance = X::Mul(speed, BulletStep[b]);
    const Direction& d = DirectionOf(b);
    BulletOffsetX[b] = X::RoundNearest(X::Mul(d.Cos, distance));
    BulletOffsetY[b] = X::RoundNearest(X::Mul(d.Sin, distance));
}

void PolarStep(int b, int speed) {
    ComputeOffsets(b, speed);
    EnemyX[b] = BulletOriginX[b] + BulletOffsetX[b];
    EnemyY[b] = BulletOriginY[b] + BulletOffsetY[b];
    BulletStep[b] += 1;
}

// What a bullet leaves in BulletStep when it flies off the field; the next launch starts from it,
// so a bullet retired with 0 waits one step at the muzzle after its next launch.
enum class Retire {
    StepZero,
    StepOne,
    StepZeroThenMove,  // the flight step still runs: the free bullet ends at its origin with step 1
};

void FlyPolar(int b, int speed, Retire retire) {
    if (InField(b)) {
        PolarStep(b, speed);
        return;
    }
    EnemyState[b] = StateDestroyed;
    BulletStep[b] = retire == Retire::StepOne ? 1 : 0;
    if (retire == Retire::StepZeroThenMove) PolarStep(b, speed);
}

enum class Muzzle {
    ByClass,  // 4 pixels into a small carrier, 8 into a large one, not placed for others
    CarrierCorner,
    Straight,  // always 8 pixels in
};

// Places the bullet and its origin at the muzzle; false when the carrier's class leaves the bullet
// where it was (carriers of class 6 and above: items, bosses' parts, large bullets).
bool PlaceAtMuzzle(int b, int carrier, Muzzle muzzle) {
    int d = 0;
    if (muzzle == Muzzle::Straight) {
        d = 8;
    } else if (muzzle == Muzzle::ByClass) {
        const int c = EnemySize[carrier];
        if (c >= 0 && c <= 2) {
            d = 4;
        } else if (c >= 3 && c <= 5) {
            d = 8;
        } else {
            return false;
        }
    }
    EnemyX[b] = BulletOriginX[b] = EnemyX[carrier] + d;
    EnemyY[b] = BulletOriginY[b] = EnemyY[carrier] + d;
    return true;
}

enum class Aim {
    Fixed,     // the angle parameter is the direction
    AtShip,    // the angle parameter is added to the direction of the ship at launch
    MarkShip,  // fixed direction, the ship's place is recorded
};

struct Polar {
    Aim aim;
    Muzzle muzzle;
    Retire retire;
    bool consumesCarrier;  // the carrier turns into the shot: destroyed at launch
};

void LaunchPolar(int b, int carrier, const Polar& p, int degrees, int speed) {
    const bool placed = PlaceAtMuzzle(b, carrier, p.muzzle);
    if (placed && p.aim != Aim::Fixed) {
        BulletAimX[b] = PlayerX + 8;
        BulletAimY[b] = PlayerY + 8;
    }
    long double angle = X::Mul(degrees, DegreesToRadians);
    if (p.aim == Aim::AtShip)
        angle = X::Add(angle, X::Atan2(BulletAimY[b] - BulletOriginY[b], BulletAimX[b] - BulletOriginX[b]));
    BulletAngle[b] = angle;
    // The bullet starts exactly at the muzzle; BulletStep carries over from its last retirement.
    ComputeOffsets(b, speed);
    EnemyState[b] = StateActive;
    if (p.consumesCarrier) DestroySlot(carrier);
}

// The angle-based family. A stopping pattern moves its bullet only on the steps the caller says
// (the first moveSpan steps of each period), so BulletStep counts moving steps only.
void RunPolar(int b, int carrier, const Polar& p, int degrees, int phase, int period, int from, int speed,
              bool moving) {
    if (EnemyState[carrier] != StateActive) {
        // With its carrier gone a bullet in flight flies on, whatever the frame.
        if (EnemyState[b] == StateActive && moving) FlyPolar(b, speed, p.retire);
        return;
    }
    // Before the pattern's start nothing moves, not even a bullet already in flight.
    if (StageFrame <= from) return;
    if (EnemyState[b] == StateActive && moving) FlyPolar(b, speed, p.retire);
    if (EnemyState[b] == StateDestroyed && Scheduled(phase, period))
        LaunchPolar(b, carrier, p, degrees, speed);
}

// The death barrage: bullets in flight keep flying, and a free bullet is launched on the one step
// on which the destroyed carrier's dead time equals deadTime.
void RunOnDeath(int b, int carrier, Aim aim, int degrees, int deadTime, int speed) {
    if (EnemyState[b] == StateActive) FlyPolar(b, speed, Retire::StepZero);
    if (EnemyState[carrier] == StateDestroyed && EnemyState[b] == StateDestroyed &&
        EnemyDeadTime[carrier] == deadTime) {
        LaunchPolar(b, carrier, {aim, Muzzle::ByClass, Retire::StepZero, false}, degrees, speed);
    }
}

// Straight flight: launched first, so a new bullet already moves on its launch step.
void RunStraight(int b, int carrier, Muzzle muzzle, int from, int phase, int period, int dy, int dx,
                 bool moving, bool resetStepOnRetire) {
    if (EnemyState[carrier] == StateActive) {
        if (StageFrame <= from) return;
        if (EnemyState[b] == StateDestroyed && Scheduled(phase, period)) {
            PlaceAtMuzzle(b, carrier, muzzle);
            EnemyState[b] = StateActive;
        }
    }
    if (EnemyState[b] == StateActive && moving) {
        EnemyX[b] += dx;
        EnemyY[b] += dy;
        if (!InField(b)) {
            EnemyState[b] = StateDestroyed;
            if (resetStepOnRetire) BulletStep[b] = 0;
        }
    }
}

constexpr Polar Angled = {Aim::Fixed, Muzzle::ByClass, Retire::StepOne, false};
constexpr Polar Aimed = {Aim::AtShip, Muzzle::ByClass, Retire::StepZero, false};
constexpr Polar AngledStop = {Aim::Fixed, Muzzle::ByClass, Retire::StepZeroThenMove, false};
constexpr Polar AtPlayerMark = {Aim::MarkShip, Muzzle::CarrierCorner, Retire::StepZeroThenMove, true};
constexpr Polar AimedExact = {Aim::AtShip, Muzzle::CarrierCorner, Retire::StepZero, true};

}  // namespace

void FireStraight(int bullet, int carrier, int from, int phase, int period, int dy, int dx) {
    RunStraight(bullet, carrier, Muzzle::Straight, from, phase, period, dy, dx, true, false);
}

void FireAngled(int bullet, int carrier, int angle, int phase, int period, int from, int speed) {
    RunPolar(bullet, carrier, Angled, angle, phase, period, from, speed, true);
}

void FireAimed(int bullet, int carrier, int offset, int phase, int period, int from, int speed) {
    RunPolar(bullet, carrier, Aimed, offset, phase, period, from, speed, true);
}

void FireAngledOnDeath(int bullet, int carrier, int angle, int deadTime, int speed) {
    RunOnDeath(bullet, carrier, Aim::Fixed, angle, deadTime, speed);
}

void FireOnDeath(int bullet, int carrier, int offset, int deadTime, int speed) {
    RunOnDeath(bullet, carrier, Aim::AtShip, offset, deadTime, speed);
}

void FireStraightStop(int bullet, int carrier, int from, int moveSpan, int phase, int period, int dy,
                      int dx) {
    RunStraight(bullet, carrier, Muzzle::ByClass, from, phase, period, dy, dx, InMoveSpan(moveSpan, period),
                true);
}

void FireAngledStop(int bullet, int carrier, int angle, int moveSpan, int phase, int period, int from,
                    int speed) {
    RunPolar(bullet, carrier, AngledStop, angle, phase, period, from, speed, InMoveSpan(moveSpan, period));
}

void FireAimedStop(int bullet, int carrier, int offset, int moveSpan, int phase, int period, int from,
                   int speed) {
    RunPolar(bullet, carrier, Aimed, offset, phase, period, from, speed, InMoveSpan(moveSpan, period));
}

void FireAtPlayerMark(int bullet, int carrier, int angle, int phase, int period, int from, int speed) {
    RunPolar(bullet, carrier, AtPlayerMark, angle, phase, period, from, speed, true);
}

void FireAimedExact(int bullet, int carrier, int offset, int phase, int period, int from, int speed) {
    RunPolar(bullet, carrier, AimedExact, offset, phase, period, from, speed, true);
}

}  // namespace veltrano
