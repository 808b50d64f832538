// Scene scripts: the init and step of every scene, dispatched on Scene.
#pragma once

namespace veltrano {

void SceneInit();
void SceneStep();

// Puts the whole world back to its start values and returns to the title: the world's reset, then
// the title scene's init. It lives with the scripts because it runs one.
void NewGame();

}  // namespace veltrano
