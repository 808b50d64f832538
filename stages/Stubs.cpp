// Temporary empty scene scripts until the script engine lands; replaced by the stages' own files.
#include "stages/Stage.h"

namespace veltrano {

void SceneInit() {}
void SceneStep() {}

}  // namespace veltrano
