// Enemy motion: small primitives that a stage script calls for each slot on every step, each
// acting only inside its own window of StageFrame.
#include "engine/Enemys.h"

#include "world/Extended.h"
#include "world/World.h"

namespace veltrano {

namespace {

using X = NativeExtended;

// Places the slot on the circle: absolute, so the object jumps onto the circle when its window
// opens and wraps every 360 div angleStep frames. A step that gives no whole frame per turn (0, or
// more than a full turn) leaves the object where it is.
void PlaceOnCircle(int slot, int cx, int cy, int radius, int startAngle, int angleStep, int elapsed) {
    if (angleStep == 0) return;
    const int framesPerTurn = 360 / angleStep;
    if (framesPerTurn == 0) return;
    // The remainder keeps the sign of the (positive) elapsed frames, so a negative step turns back.
    const int k = elapsed % framesPerTurn;
    const long double a = X::Mul(X::Add(startAngle, X::Mul(angleStep, k)), DegreesToRadians);
    EnemyX[slot] = X::RoundNearest(X::Add(X::Mul(X::Cos(a), radius), cx));
    EnemyY[slot] = X::RoundNearest(X::Add(X::Mul(X::Sin(a), radius), cy));
}

}  // namespace

void MoveDuring(int slot, int dx, int dy, int from, int to) {
    if (from < StageFrame && StageFrame < to) {
        EnemyX[slot] += dx;
        EnemyY[slot] += dy;
    }
}

void ScrollWithGround(int slot, int from) {
    if (from < StageFrame) {
        EnemyX[slot] += 2 * Layer1StepX;
        EnemyY[slot] += 2 * Layer1StepY;
    }
}

void SinkDuring(int slot, int from, int to) {
    if (from < StageFrame && StageFrame < to) EnemyY[slot] += 8;
}

void CircleDuring(int slot, int cx, int cy, int radius, int startAngle, int angleStep, int from, int to) {
    if (from < StageFrame && StageFrame < to) {
        PlaceOnCircle(slot, cx, cy, radius, startAngle, angleStep, StageFrame - from);
    }
}

void CircleFrom(int slot, int cx, int cy, int radius, int startAngle, int angleStep, int from) {
    if (from < StageFrame) PlaceOnCircle(slot, cx, cy, radius, startAngle, angleStep, StageFrame - from);
}

// Drifts left and toward the ship's row. Down is tested before up, so a gap smaller than the speed
// gives a step down and back up: the object only descends when the ship is well below it.
void ChaseRow(int slot, int from, int speed) {
    if (!(from < StageFrame)) return;
    EnemyX[slot] -= speed;
    const int target = PlayerY + 16;
    const int halfHeight = EnemySize[slot] <= LastSmallClass ? 8 : 16;
    if (target > EnemyY[slot] + halfHeight) EnemyY[slot] += speed;
    if (target < EnemyY[slot] + halfHeight) EnemyY[slot] -= speed;
}

// A mine on the field goes off when the ship comes near. Its hit points stay, so it is not scored.
void DetonateNear(int slot) {
    const int x = EnemyX[slot];
    const int y = EnemyY[slot];
    if (x >= 0 && x <= 608 && y >= 0 && y <= 448 && x - PlayerX > -128 && x - PlayerX < 128 &&
        y - PlayerY > -128 && y - PlayerY < 128) {
        EnemyState[slot] = StateDestroyed;
    }
}

}  // namespace veltrano
