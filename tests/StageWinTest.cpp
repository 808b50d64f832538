// Every stage, extra battle and boss scene won the way a player wins it: the pilot shoots the boss
// down before the script's time-out would switch it off, the stage pays the boss bonus, and the
// frame handler moves on through the boss-destroyed path. Since every stage also ends by its
// time-out, reaching the next scene alone would prove nothing.
#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using testdata::BossFight;
using testdata::StageGame;

namespace {

struct WonScene {
    const char* Name;
    int Scene;
    int BossSlot;
    int TimeOutStep;       // the step on which the script switches a standing boss off (0: unchecked)
    int DeadTimeAtChange;  // the boss's dead time on the frame the scene changes (0: a clock ends it)
    int NextScene;
};

// clang-format off
constexpr WonScene WonScenes[] = {
    {"Stage1",     Stage1Scene,          6,  7600,  100, Stage2Scene},
    {"Stage2",     Stage2Scene,          7,  7600,  100, Stage3Scene},
    {"Stage3",     Stage3Scene,          9,  7876,  200, Stage4Scene},
    {"Stage4",     Stage4Scene,          11, 8128,  100, Stage5Scene},
    {"Stage5",     Stage5Scene,          12, 7600,  0,   Stage6Scene},
    {"Stage6",     Stage6Scene,          13, 8800,  100, Stage7Scene},
    {"Stage7",     Stage7Scene,          14, 9200,  100, Stage8Scene},
    {"Stage8",     Stage8Scene,          15, 9000,  100, Stage9Scene},
    {"Stage9",     Stage9Scene,          16, 24000, 100, Stage10Scene},
    {"Stage10",    Stage10Scene,         17, 44320, 100, ChallengeScene},
    {"Challenge",  ChallengeBattleScene, 18, 20000, 100, StaffRollScene},
    {"BossRush1",  BossRush1Scene,       6,  8000,  100, BossRush1Scene + 1},
    {"BossRush2",  BossRush1Scene + 1,   7,  8000,  100, BossRush1Scene + 2},
    {"BossRush3",  BossRush1Scene + 2,   9,  8000,  200, BossRush1Scene + 3},
    {"BossRush4",  BossRush1Scene + 3,   11, 0,     100, BossRush1Scene + 4},
    {"BossRush5",  BossRush1Scene + 4,   12, 0,     100, BossRush1Scene + 5},
    {"BossRush6",  BossRush1Scene + 5,   13, 0,     100, BossRush1Scene + 6},
    {"BossRush7",  BossRush1Scene + 6,   14, 0,     100, BossRush1Scene + 7},
    {"BossRush8",  BossRush1Scene + 7,   15, 0,     100, BossRush1Scene + 8},
    {"BossRush9",  BossRush1Scene + 8,   16, 0,     100, BossRush1Scene + 9},
    {"BossRush10", BossRush10Scene,      17, 0,     100, StaffRollScene},
};
// clang-format on

void PrintTo(const WonScene& row, std::ostream* os) {
    *os << row.Name;
}

class StageWin : public ::testing::TestWithParam<WonScene> {};

}  // namespace

TEST_P(StageWin, TheHuntingPilotShootsTheBossDownBeforeItsTimeOut) {
    const WonScene& row = GetParam();
    StageGame g;
    g.Enter(row.Scene);
    BossFight fight;
    g.PlayToNextScene(testdata::HuntingPilot(), testdata::FrameCap, &fight);
    ASSERT_EQ(Scene, row.NextScene);
    // The boss-only scenes pay no points at all.
    const bool paysBonus = row.Scene < BossRush1Scene;
    testdata::ExpectBossShotDown(fight, row.BossSlot,
                                 row.TimeOutStep > 0 ? row.TimeOutStep : testdata::FrameCap,
                                 row.DeadTimeAtChange, paysBonus);
}

INSTANTIATE_TEST_SUITE_P(EveryFight, StageWin, ::testing::ValuesIn(WonScenes),
                         [](const ::testing::TestParamInfo<WonScene>& info) { return info.param.Name; });
