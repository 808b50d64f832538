// Enemy fire patterns: each call drives one bullet slot for one carrier for one step.
#pragma once

namespace veltrano {

void FireStraight(int bullet, int carrier, int from, int phase, int period, int dy, int dx);
void FireAngled(int bullet, int carrier, int angle, int phase, int period, int from, int speed);
void FireAimed(int bullet, int carrier, int offset, int phase, int period, int from, int speed);
void FireAngledOnDeath(int bullet, int carrier, int angle, int deadTime, int speed);
void FireOnDeath(int bullet, int carrier, int offset, int deadTime, int speed);
void FireStraightStop(int bullet, int carrier, int from, int moveSpan, int phase, int period, int dy, int dx);
void FireAngledStop(int bullet, int carrier, int angle, int moveSpan, int phase, int period, int from,
                    int speed);
void FireAimedStop(int bullet, int carrier, int offset, int moveSpan, int phase, int period, int from,
                   int speed);
void FireAtPlayerMark(int bullet, int carrier, int angle, int phase, int period, int from, int speed);
void FireAimedExact(int bullet, int carrier, int offset, int phase, int period, int from, int speed);

}  // namespace veltrano
