// The scripted pilot of the tests, the sim tool and the benchmarks: it reads the world before each
// frame and decides which keys the player holds in it. One pilot, so that every whole-stage run
// plays the same way.
#pragma once

#include <cstdint>
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
    // With a seed of 0 or more the dodging pilot adds a small whim of its own generator to how it
    // weighs its moves, so that each seed flies a game of its own; below 0 it always flies alike.
    int64_t Seed = -1;
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
    // What the dodging pilot heads for: an item to collect, else the target to line up with.
    struct Aim {
        int ItemX = -1, ItemY = -1;
        int TargetX = 640, TargetY = -1;
        int HoldX = -1;  // where to stand, when the target is a path rather than the boss itself
    };
    void SteerDodging(RawInput& input);
    // Everything that can touch the ship within `reach` pixels over the horizon, with its motion.
    int GatherDangers(int reach);
    Aim ChooseAim();
    // Where the boss has been lately; a boss that jumps faster than the ship can follow is aimed at
    // by the row it keeps coming back to.
    void RememberBoss();
    bool BossWhirls() const;
    bool AimAtBossPath(Aim& aim);
    double Liking(int x, int y, const Aim& aim, int dangers) const;
    double NextWhim();
    void RememberPositions();

    PilotOptions Chosen;
    uint32_t WhimSeed;
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
    static constexpr int BossTrail = 40;
    int TrailX[BossTrail] = {}, TrailY[BossTrail] = {};
    int TrailCount = 0, TrailNext = 0;
    // Shots meet a whirling boss only if they reach its points on the steps it is there: when they
    // stop taking hit points off it, the pilot shifts where it stands, and then which row it holds.
    int LastBossHP = -1, StepsWithoutHit = 0, Shift = 0, HeldRow = -1, BannedRow = -1, BanLeft = 0;
};

// Parses "park", "sweep" or "dodge"; false for anything else.
bool ParsePilotFlight(const char* name, PilotFlight& flight);

}  // namespace veltrano
