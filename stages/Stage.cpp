// Scene dispatch: each scene's init and step are its script, run by the one interpreter.
#include "stages/Stage.h"

#include <array>

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

const SceneScript* SceneScriptOf(int scene) {
    static const std::array<SceneScript, SceneCount> Scripts = WriteAllScenes();
    if (scene < FirstScene || scene > LastScene) return nullptr;
    return &Scripts[scene - FirstScene];
}

void SceneInit() {
    if (const SceneScript* script = SceneScriptOf(Scene)) RunInit(*script);
}

void SceneStep() {
    if (const SceneScript* script = SceneScriptOf(Scene)) RunStep(*script);
}

}  // namespace veltrano
