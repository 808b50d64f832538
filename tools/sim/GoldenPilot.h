// The pilot that plays the golden replays: not untouchable, it holds fire, dodges by looking at the
// bullets and enemies around the ship, lines up with the boss, takes a continue when the last ship
// is lost and ends the staff roll. It only presses keys, so every run it flies can be recorded.
#pragma once

#include "platform/Input.h"
#include "world/World.h"

namespace veltrano {

class GoldenPilot {
   public:
    // Reads the world and sets this frame's keys in `input` (every other key released).
    void Steer(RawInput& input);

   private:
    int LastX[ObjectSlotCount] = {}, LastY[ObjectSlotCount] = {};
    bool LastActive[ObjectSlotCount] = {};
    int SeenScene = -100;
    bool ConfirmWasDown = false;
};

}  // namespace veltrano
