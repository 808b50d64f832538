#include "stages/SceneTable.h"

namespace veltrano {

bool BossWindowOpen() {
    const SceneRow* row = SceneRowOf(Scene);
    if (row == nullptr || row->Fight.Slot == NoBoss || row->End.WhiteoutFirst == NoFrame) return false;
    const int deadTime = EnemyDeadTime[row->Fight.Slot];
    return deadTime >= row->End.WhiteoutFirst && deadTime <= row->End.WhiteoutLast;
}

}  // namespace veltrano
