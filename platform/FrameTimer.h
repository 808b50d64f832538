// The frame timer: ticks whenever at least one millisecond has passed, reporting the whole
// milliseconds since the previous tick (at least 1). The frame handler turns ticks into frames.
#pragma once

#include <cstdint>

namespace veltrano {

class FrameTimer {
   public:
    // Returns the lag count of a tick, or 0 when no tick is due at `nowMs`.
    int Tick(uint64_t nowMs) {
        if (!Started) {
            Started = true;
            Last = nowMs;
            return 0;
        }
        if (nowMs < Last + Interval) return 0;
        const uint64_t lag = nowMs - Last;
        Last = nowMs;
        return lag > 1000000 ? 1000000 : static_cast<int>(lag);
    }

   private:
    static constexpr uint64_t Interval = 1;
    bool Started = false;
    uint64_t Last = 0;
};

}  // namespace veltrano
