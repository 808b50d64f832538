// Scene scripts: the init and step of every scene, dispatched on Scene.
#pragma once

namespace veltrano {

void SceneInit();
void SceneStep();

}  // namespace veltrano
