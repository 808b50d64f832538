// The weapon's velocity table and the per-step update of every shot group.
#include "engine/Bullets.h"
#include "engine/CentralSystem.h"
#include "world/World.h"

namespace veltrano {

namespace {

struct Velocity {
    int vx, vy;
    bool set = true;
};
constexpr Velocity Keep = {0, 0, false};

// Velocities of groups 0..11 by type; the second option's burst streams 12..16 copy 7..11 except
// for type 5, whose second option sits on the right edge and streams back to the left.
constexpr Velocity GroupVelocities[6][12] = {
    {{18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {18, 0}},
    {{18, 0},
     {17, -3},
     {17, 3},
     {17, 3},
     {17, -3},
     {17, -3},
     {17, 3},
     {2, -17},
     {17, -2},
     {17, 2},
     {2, 17},
     {18, 0}},
    {{18, 0},
     {-18, 0},
     {18, 0},
     {-18, 0},
     {-18, 0},
     {18, 0},
     {18, 0},
     {18, 0},
     {-18, 0},
     {18, 0},
     {-18, 0},
     {18, 0}},
    {{18, 0},
     {17, 1},
     {17, -1},
     {-16, 8},
     {-16, -8},
     {17, 4},
     {17, -4},
     {17, 2},
     {-17, 2},
     {18, 0},
     {-17, -2},
     {17, -2}},
    {{18, 0},
     {0, -18},
     {0, 18},
     {16, -8},
     {16, 8},
     {-16, -8},
     {-16, 8},
     {18, 0},
     {18, 0},
     {18, 0},
     {16, 8},
     {16, -8}},
    {{18, 0}, {18, 0}, {18, 0}, {18, 0}, {18, 0}, Keep, Keep, {18, 0}, {18, 0}, {18, 0}, {18, 0}, {18, 0}},
};
constexpr Velocity Type5SecondBurst[5] = {{-18, 0}, {-18, 0}, {-18, 0}, {-16, 8}, {-16, -8}};

void SetGroupVelocity(int g, Velocity v) {
    if (!v.set) return;
    for (int k = g * ShotsPerGroup; k < (g + 1) * ShotsPerGroup; ++k) {
        ShotVX[k] = v.vx;
        ShotVY[k] = v.vy;
    }
}

}  // namespace

void UpdateShots() {
    UpdateMainShots();
    UpdateOption1Shots();
    UpdateOption2Shots();
    UpdateBurst();
}

void SetShotVelocities() {
    if (ShotType < 1 || ShotType > 6) return;
    const Velocity* row = GroupVelocities[ShotType - 1];
    for (int g = 0; g < 12; ++g) SetGroupVelocity(g, row[g]);
    for (int i = 0; i < 5; ++i) SetGroupVelocity(12 + i, ShotType == 5 ? Type5SecondBurst[i] : row[7 + i]);
}

}  // namespace veltrano
