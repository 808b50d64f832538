// Scene scripts: the init and step of every scene, dispatched on Scene.
#pragma once

#include <span>
#include <string>

namespace veltrano {

struct SceneScript;

// Every scene's script, in scene order, written on the first call.
std::span<const SceneScript> SceneScripts();

// The faults the scripts' own checks found, as one line naming the first and counting the rest;
// empty when every script is sound. A faulty statement is never run, so a script with a fault
// would play a scene other than the one written.
std::string ScriptFaultLine(std::span<const SceneScript> scripts);

void SceneInit();
void SceneStep();

// Puts the whole world back to its start values and returns to the title: the world's reset, then
// the title scene's init. It lives with the scripts because it runs one.
void NewGame();

}  // namespace veltrano
