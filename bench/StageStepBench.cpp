// The cost of one step of a scene's script (the scene step alone, without the slot pass around it),
// one row per scene or case. Most rows walk the whole timeline from the scene's init to past its
// boss's time-out and start again, so that every wave, pattern and guard is measured in its turn;
// the others hold a boss fight's cycle or walk it with the boss already down.
#include <benchmark/benchmark.h>

#include "stages/Stage.h"
#include "world/World.h"

namespace veltrano {
namespace {

constexpr int FromInit = -1000000;  // the walk starts where the scene's init leaves the clock

// How a row's boss falls during the walk.
enum class BossFall {
    Never,
    Before,  // down before the first step, its dead time left alone: every step clears the bullets
    At,      // shot down at FallFrame, its dead time counted from then on
};

struct StageStepCase {
    const char* Name;  // the benchmark's name, kept from run to run so the numbers stay comparable
    int Scene;
    int Last;                // after this frame the walk goes back to...
    int Restart = FromInit;  // ...this frame, or to the scene's init again
    int Enter = FromInit;    // the frame the walk starts on
    bool StepIn = false;     // the steps from frame -64 up to Enter are played first, unmeasured
    bool ShipPlaced = true;  // the ship stands at (100, 200); otherwise at its start values
    BossFall Fall = BossFall::Never;
    int BossSlot = -1, FallFrame = 0;
};

// clang-format off
constexpr StageStepCase Cases[] = {
    // name                          scene                    last   restart   enter     step in ship   boss falls
    {"BM_Stage1Step",                Stage1Scene,             7700},
    // The fight with the boss destroyed: every step clears the 9000 bullet slots.
    {"BM_Stage1StepBossDestroyed",   Stage1Scene,             7500,  4000,     4000,     false,  false, BossFall::Before, 6},
    {"BM_SceneStep/3/7700",          Stage2Scene,             7700},
    {"BM_SceneStep/4/8000",          Stage3Scene,             8000},
    // The first boss falls early so that the second boss's entry and fire are walked too.
    {"BM_Stage4Step",                Stage4Scene,             8100,  FromInit, FromInit, false,  true,  BossFall::At, 10, 4300},
    // The boss fight's 1600-step attack cycle over and over.
    {"BM_Stage5BossFightStep",       Stage5Scene,             7500,  1600,     1560},
    // Gunners placed every step, rings of death shots, boss parts that follow the boss.
    {"BM_Stage6Step",                Stage6Scene,             8900},
    {"BM_Stage7Step",                Stage7Scene,             9300},
    {"BM_Stage8Step",                Stage8Scene,             9000},
    {"BM_Stage9Step",                Stage9Scene,             24000},
    {"BM_Stage10Step",               Stage10Scene,            44320},
    // The two fights against the god, the busiest scripts of the game: one whole cycle of the
    // battle's patterns, and the five phases of the trial.
    {"BM_ChallengeBattleStep",       ChallengeBattleScene,    999,   0,        0,        true},
    {"BM_ChallengeEnduranceStep",    ChallengeEnduranceScene, 3999,  0,        0,        true},
    {"BM_SceneStep/14/8100",         BossRush1Scene,          8100},
    {"BM_SceneStep/15/8100",         BossRush2Scene,          8100},
    {"BM_SceneStep/16/8100",         BossRush3Scene,          8100},
    {"BM_Stage6BossAloneStep",       BossRush6Scene,          8100},
};
// clang-format on

void StepScene(benchmark::State& state, const StageStepCase& c) {
    ResetWorldState();
    Scene = c.Scene;
    SceneInit();
    if (c.ShipPlaced) {
        PlayerX = 100;
        PlayerY = 200;
    }
    if (c.StepIn)
        for (StageFrame = -64; StageFrame < c.Enter; ++StageFrame) SceneStep();
    else if (c.Enter != FromInit)
        StageFrame = c.Enter;
    if (c.Fall == BossFall::Before) EnemyState[c.BossSlot] = StateDestroyed;
    for (auto _ : state) {
        if (c.Fall == BossFall::At && StageFrame == c.FallFrame) EnemyState[c.BossSlot] = StateDestroyed;
        SceneStep();
        if (c.Fall == BossFall::At && EnemyState[c.BossSlot] == StateDestroyed) ++EnemyDeadTime[c.BossSlot];
        if (++StageFrame > c.Last) {
            if (c.Restart == FromInit)
                SceneInit();
            else
                StageFrame = c.Restart;
        }
    }
}

[[maybe_unused]] const bool Registered = [] {
    for (const StageStepCase& c : Cases) benchmark::RegisterBenchmark(c.Name, StepScene, c);
    return true;
}();

}  // namespace
}  // namespace veltrano
