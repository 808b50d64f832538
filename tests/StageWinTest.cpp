// Every stage, the extra battle and every boss scene won the way a player wins them: the pilot shoots
// the boss down before the script's time-out would switch it off, a stage pays the boss bonus, and
// the frame handler moves on through the boss-destroyed path. Since every stage also ends by its
// time-out, reaching the next scene alone would prove nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "stages/SceneTable.h"
#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

// Every scene that a boss ends, but the trial of endurance, whose boss no shot can hurt.
std::vector<int> FoughtScenes() {
    std::vector<int> scenes;
    for (const SceneRow& row : SceneRows)
        if (row.Fight.Slot != NoBoss && row.Scene != ChallengeEnduranceScene) scenes.push_back(row.Scene);
    return scenes;
}

// The last frame on which the script switches a standing boss off. Stage 9's boss moves the clock
// on at each phase, past its first time-out, and a fight without a time-out in its row has it in
// its script alone: there only the boss's hit points tell how it fell.
int LastTimeOut(const SceneRow& row) {
    const int timeOut = std::max(row.Fight.TimeOut, row.Fight.SecondTimeOut);
    if (row.Scene == Stage9Scene || row.Scene == BossRush9Scene || timeOut == NoTimeOut)
        return testdata::FrameCap;
    return timeOut;
}

constexpr uint32_t WinSeed = 112;

class StageWin : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(StageWin, TheHuntingPilotShootsTheBossDownBeforeItsTimeOut) {
    const SceneRow& row = RowOf(GetParam());
    StageGame g{Pictures::Dropped};
    // The seed the golden replay of the last stage uses: the stage 10 boss, fought after its rings
    // have moved the clock on, falls only just inside its time-out, so the seed is named rather than
    // left to whatever the world started with.
    RandomSeed = WinSeed;
    g.Enter(row.Scene);
    BossFall fight;
    g.PlayToNextScene(testdata::HuntingPilot(), testdata::FrameCap, &fight);
    ASSERT_NE(Scene, row.Scene) << "the scene never ended";
    // The boss-only scenes pay no points at all; stage 5 ends on its own clock.
    const bool paysBonus = row.Scene < BossRush1Scene;
    const int deadTimeAtChange = row.End.NextSceneAt == NoFrame ? 0 : row.End.NextSceneAt;
    testdata::ExpectBossShotDown(fight, row.Fight.Slot, LastTimeOut(row), deadTimeAtChange, paysBonus);
}

INSTANTIATE_TEST_SUITE_P(EveryFight, StageWin, ::testing::ValuesIn(FoughtScenes()),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string name = RowOf(info.param).Name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });
