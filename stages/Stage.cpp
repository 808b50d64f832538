// Scene dispatch: each scene's init and step are its script, run by the one interpreter.
#include "stages/Stage.h"

#include <array>

#include "stages/Scenes.h"

namespace veltrano {

namespace {

constexpr int SceneCount = LastScene - FirstScene + 1;

struct SceneWriter {
    int Scene;
    const char* Name;
    void (*Write)(ScriptBuilder&);
};

constexpr SceneWriter Writers[] = {
    {ScoreListScene, "score list", WriteScoreList},
    {KeyConfigScene, "key configuration", WriteKeyConfig},
    {ShipSelectScene, "ship select", WriteShipSelect},
    {TitleScene, "title", WriteTitle},
    {Stage1Scene, "stage 1", WriteStage1},
    {StaffRollScene, "staff roll", WriteStaffRoll},
    {ChallengeBattleScene, "challenge battle", WriteChallengeBattle},
    {ChallengeEnduranceScene, "challenge endurance", WriteChallengeEndurance},
    {ChallengeScene, "challenge message", WriteChallengeMessage},
    {Stage6Scene, "stage 6", WriteStage6},
    {Stage7Scene, "stage 7", WriteStage7},
    {BossRush1Scene + 5, "boss of stage 6", WriteBossRush6},
    {BossRush1Scene + 6, "boss of stage 7", WriteBossRush7},
    {Stage2Scene, "stage 2", WriteStage2},
    {Stage3Scene, "stage 3", WriteStage3},
    {BossRush1Scene, "boss scene 1", WriteBossRush1},
    {BossRush1Scene + 1, "boss scene 2", WriteBossRush2},
    {BossRush1Scene + 2, "boss scene 3", WriteBossRush3},
    {Stage4Scene, "stage 4", WriteStage4},
    {Stage5Scene, "stage 5", WriteStage5},
    {BossRush1Scene + 3, "boss-only scene of stage 4", WriteBossRush4},
    {BossRush1Scene + 4, "boss-only scene of stage 5", WriteBossRush5},
    {Stage8Scene, "stage 8", WriteStage8},
    {Stage9Scene, "stage 9", WriteStage9},
    {Stage10Scene, "stage 10", WriteStage10},
    {BossRush1Scene + 7, "stage 8 boss", WriteBossRush8},
    {BossRush1Scene + 8, "stage 9 boss", WriteBossRush9},
    {BossRush10Scene, "stage 10 boss", WriteBossRush10},
};

std::array<SceneScript, SceneCount> WriteAllScenes() {
    std::array<SceneScript, SceneCount> scripts;
    for (int scene = FirstScene; scene <= LastScene; ++scene) {
        scripts[scene - FirstScene].Name = "scene " + std::to_string(scene);
    }
    for (const SceneWriter& w : Writers) {
        SceneScript& script = scripts[w.Scene - FirstScene];
        script.Name = w.Name;
        ScriptBuilder builder(script);
        w.Write(builder);
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
