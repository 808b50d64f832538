// The scripted pilot of the tests, the sim tool and the benchmarks: it reads the world before each
// frame and decides which keys the player holds in it. One pilot, so that every whole-stage run
// plays the same way.
#pragma once

#include <vector>

#include "platform/Input.h"

namespace veltrano {

enum class PilotFlight {
    Park,   // no direction key: the ship stays where it is
    Sweep,  // up for 48 steps, down for 48 steps, by the scene's clock
    Dodge,  // reads the bullets and enemies and picks each frame the move that keeps the ship clear
};

struct PilotOptions {
    PilotFlight Flight = PilotFlight::Park;
    bool Fire = true;          // hold fire all the time
    bool Power = false;        // full power and both options the first time it steers in a play scene
    bool Untouchable = false;  // nothing touches the ship (a test's trick, not a player's)
    bool Continue = false;     // take a continue when the last ship is lost
    bool PartsFirst = false;   // dodge: line up with the boss's parts and escorts before the boss
};

class Pilot {
   public:
    explicit Pilot(PilotOptions options = {});

    // Reads the world and sets this frame's keys in `input` (every other key released). Call it once
    // before each frame.
    void Steer(RawInput& input);

    const PilotOptions& Options() const { return Chosen; }
    // Ships lost and continues taken since the pilot was made.
    int ShipsLost() const { return Lost; }
    int ContinuesTaken() const { return Continues; }

   private:
    void SteerDodging(RawInput& input);
    void RememberPositions();

    PilotOptions Chosen;
    bool Powered = false;
    bool ConfirmTapped = false;
    bool WasActive = true;
    int Lost = 0, Continues = 0;
    // Where every slot stood before the last frame, to read its motion from.
    int SeenScene = -100;
    std::vector<int> LastX, LastY;
    std::vector<unsigned char> LastSeen;
    // Where enemies have been lately, on a grid of 16-pixel cells: an enemy that jumps along a
    // path (a fast circle) is avoided by the path it leaves, not by its motion.
    std::vector<float> Heat;
};

// Parses "park", "sweep" or "dodge"; false for anything else.
bool ParsePilotFlight(const char* name, PilotFlight& flight);

}  // namespace veltrano
