// Fingerprints of the world, for replay checkpoints and golden runs: two runs that hash alike at a
// frame agree on every object and every shot at that frame.
#pragma once

#include <cstdint>

namespace veltrano {

// 64-bit FNV-1a over 32-bit values: cheap, and any changed value changes the result.
struct Fnv {
    uint64_t Value = 14695981039346656037ull;
    void Add(int v) {
        uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i, u >>= 8) {
            Value ^= u & 0xff;
            Value *= 1099511628211ull;
        }
    }
    void AddWide(uint64_t v) {
        Add(static_cast<int>(static_cast<uint32_t>(v)));
        Add(static_cast<int>(static_cast<uint32_t>(v >> 32)));
    }
    template <typename T>
    void AddAll(const T* values, int count) {
        for (int i = 0; i < count; ++i) Add(static_cast<int>(values[i]));
    }
};

// Every object slot (position, state, hit points, hit class, death time, scored flag), the bullet
// extension (without BulletAngle, which patterns always set before reading) and the item ages.
uint64_t HashObjectSlots();
// The ship, its options and burst, and every player shot with its velocity and group counters.
uint64_t HashShipAndShots();

}  // namespace veltrano
