// Questions the frame handler and the stage scripts ask about the object slots.
#include "engine/CentralSystem.h"
#include "world/World.h"

namespace veltrano {

namespace {

struct BossWindow {
    int scene, slot, first, last;  // the whiteout runs while the boss's dead time is first..last
};

// Stage 5 (scene 6) ends on its clock and has no whiteout.
// clang-format off
constexpr BossWindow BossWindows[] = {
    {2, 6, 36, 83},    {14, 6, 36, 83},
    {3, 7, 36, 83},    {15, 7, 36, 83},
    {4, 9, 143, 190},  {16, 9, 143, 190},
    {5, 11, 36, 83},   {17, 11, 36, 83},
    {7, 13, 36, 83},   {19, 13, 36, 83},
    {8, 14, 36, 83},   {20, 14, 36, 83},
    {9, 15, 36, 83},   {21, 15, 36, 83},
    {10, 16, 36, 83},  {22, 16, 36, 83},
    {11, 17, 36, 83},  {23, 17, 36, 83},
    {12, 18, 36, 83},
    {13, 19, 36, 83},
    {18, 12, 36, 83},
};
// clang-format on

}  // namespace

bool BossWindowOpen() {
    for (const BossWindow& w : BossWindows) {
        if (w.scene == Scene) return EnemyDeadTime[w.slot] >= w.first && EnemyDeadTime[w.slot] <= w.last;
    }
    return false;
}

// An empty range (last = first - 1) counts as all destroyed. Slots outside the object arrays are
// never destroyed, so a range reaching past them is not either.
bool AllDestroyed(int first, int last) {
    long count = 0;
    for (int i = first; i <= last; ++i) {
        if (i >= 0 && i < ObjectSlotCount && EnemyState[i] == StateDestroyed) ++count;
    }
    return count == static_cast<long>(last) - first + 1;
}

}  // namespace veltrano
