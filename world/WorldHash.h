// Fingerprints of the world, for replay checkpoints and golden runs: two runs that hash alike at a
// frame agree on every object and every shot at that frame.
#pragma once

#include <cstdint>

namespace veltrano {

// Every object slot (position, state, hit points, hit class, death time, scored flag), the bullet
// extension (without BulletAngle, which patterns always set before reading) and the item ages.
uint64_t HashObjectSlots();
// The ship, its options and burst, and every player shot with its velocity and group counters.
uint64_t HashShipAndShots();

}  // namespace veltrano
