// Enemy motion primitives: each acts on one slot inside its own window of StageFrame.
#pragma once

namespace veltrano {

void MoveDuring(int slot, int dx, int dy, int from, int to);
void ScrollWithGround(int slot, int from);
void SinkDuring(int slot, int from, int to);
void CircleDuring(int slot, int cx, int cy, int radius, int startAngle, int angleStep, int from, int to);
void CircleFrom(int slot, int cx, int cy, int radius, int startAngle, int angleStep, int from);
void ChaseRow(int slot, int from, int speed);
void DetonateNear(int slot);

}  // namespace veltrano
