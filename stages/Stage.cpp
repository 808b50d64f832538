// Scene dispatch: each scene's init and step are its script, run by the one interpreter.
#include "stages/Stage.h"

#include <array>

#include "engine/CentralSystem.h"
#include "stages/SceneTable.h"

namespace veltrano {

namespace {

constexpr int SceneCount = LastScene - FirstScene + 1;

std::array<SceneScript, SceneCount> WriteAllScenes() {
    std::array<SceneScript, SceneCount> scripts;
    for (const SceneRow& row : SceneRows) {
        SceneScript& script = scripts[row.Scene - FirstScene];
        script.Name = row.Name;
        if (row.Write == nullptr) continue;
        ScriptBuilder builder(script);
        row.Write(builder);
        builder.Finish();
    }
    return scripts;
}

}  // namespace

std::span<const SceneScript> SceneScripts() {
    static const std::array<SceneScript, SceneCount> Scripts = WriteAllScenes();
    return Scripts;
}

const SceneScript* SceneScriptOf(int scene) {
    if (scene < FirstScene || scene > LastScene) return nullptr;
    return &SceneScripts()[scene - FirstScene];
}

std::string ScriptFaultLine(std::span<const SceneScript> scripts) {
    const std::string* first = nullptr;
    size_t count = 0;
    for (const SceneScript& script : scripts) {
        if (first == nullptr && !script.Errors.empty()) first = &script.Errors.front();
        count += script.Errors.size();
    }
    if (first == nullptr) return {};
    std::string line = "a scene script failed its own checks: " + *first;
    if (count > 1) line += " (and " + std::to_string(count - 1) + " more)";
    return line;
}

void SceneInit() {
    if (const SceneScript* script = SceneScriptOf(Scene)) RunInit(*script);
}

void EnterScene(int scene) {
    Scene = scene;
    SceneInit();
    SetShotVelocities();
}

void SceneStep() {
    if (const SceneScript* script = SceneScriptOf(Scene)) RunStep(*script);
}

}  // namespace veltrano
