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

// Every change of scene goes through here: the scene becomes current, its init runs at once, and
// the shots take the weapon's velocities. The init may choose the weapon itself (the staff roll's
// demonstration does), so the velocities are set after it; on every other entry the weapon is the
// one they were last set for and setting them again changes nothing, so every entry sets them
// rather than each caller judging whether it may skip them.
void EnterScene(int scene);

// Puts the whole world back to its start values and returns to the title: the world's reset, then
// the title scene's init. It lives with the scripts because it runs one.
void NewGame();

}  // namespace veltrano
