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

// By type: the ship's groups 0..2 and the options' groups 3..6.
// clang-format off
constexpr Velocity GroupVelocities[6][7] = {
    //  0        1          2         3          4          5          6
    {{18, 0}, {18, 0},  {18, 0},  {18, 0},  {18, 0},   {18, 0},   {18, 0}},
    {{18, 0}, {17, -3}, {17, 3},  {17, 3},  {17, -3},  {17, -3},  {17, 3}},
    {{18, 0}, {-18, 0}, {18, 0},  {-18, 0}, {-18, 0},  {18, 0},   {18, 0}},
    {{18, 0}, {17, 1},  {17, -1}, {-16, 8}, {-16, -8}, {17, 4},   {17, -4}},
    {{18, 0}, {0, -18}, {0, 18},  {16, -8}, {16, 8},   {-16, -8}, {-16, 8}},
    {{18, 0}, {18, 0},  {18, 0},  {18, 0},  {18, 0},   Keep,      Keep},
};

// By type: the burst streams of the first option (groups 7..11) and of the second (12..16).
// The second option copies the first, except for type 5, whose second option sits on the right
// edge and streams back to the left.
constexpr Velocity BurstVelocities[6][2][5] = {
    {{{18, 0}, {18, 0},  {18, 0}, {18, 0},  {18, 0}},   {{18, 0}, {18, 0},  {18, 0}, {18, 0},  {18, 0}}},
    {{{2, -17}, {17, -2}, {17, 2}, {2, 17}, {18, 0}},   {{2, -17}, {17, -2}, {17, 2}, {2, 17}, {18, 0}}},
    {{{18, 0}, {-18, 0}, {18, 0}, {-18, 0}, {18, 0}},   {{18, 0}, {-18, 0}, {18, 0}, {-18, 0}, {18, 0}}},
    {{{17, 2}, {-17, 2}, {18, 0}, {-17, -2}, {17, -2}}, {{17, 2}, {-17, 2}, {18, 0}, {-17, -2}, {17, -2}}},
    {{{18, 0}, {18, 0},  {18, 0}, {16, 8},  {16, -8}},  {{-18, 0}, {-18, 0}, {-18, 0}, {-16, 8}, {-16, -8}}},
    {{{18, 0}, {18, 0},  {18, 0}, {18, 0},  {18, 0}},   {{18, 0}, {18, 0},  {18, 0}, {18, 0},  {18, 0}}},
};
// clang-format on

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
    const int t = ShotType - 1;
    for (int g = 0; g < 7; ++g) SetGroupVelocity(g, GroupVelocities[t][g]);
    for (int i = 0; i < 5; ++i) {
        SetGroupVelocity(7 + i, BurstVelocities[t][0][i]);
        SetGroupVelocity(12 + i, BurstVelocities[t][1][i]);
    }
}

}  // namespace veltrano
