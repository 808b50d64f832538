// A question the stage scripts ask about the object slots.
#include "engine/CentralSystem.h"
#include "world/World.h"

namespace veltrano {

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
