// The ship's field, its diagonal step and the contact boxes, as the world step uses them. The
// pilot and the scene figures read them from here, so a tool never plays by other rules.
#pragma once

#include "world/Field.h"

namespace veltrano {

// The ship is 32 by 32: its top-left corner stays within x 0..FieldRight and y 0..FieldBottom.
constexpr int FieldRight = FieldWidth - 32;
constexpr int FieldBottom = FieldHeight - 32;

// The step of a diagonal move at `speed`: the speed over the square root of two, halves to even,
// so that a diagonal is about as fast as a straight line (3, 4, 6 and 7 for the four speeds).
int DiagonalStep(int speed);

// The contact box of hit class `hitClass`: an object touches the ship while low < dx, dy < ContactHigh
// (dx, dy: the object's corner less the ship's). False for a class that never touches it.
constexpr int ContactHigh = 18;
bool ContactLow(int hitClass, int& low);

}  // namespace veltrano
