#include <gtest/gtest.h>

#include "tests/StageLatePilot.h"

using namespace veltrano;
using testdata::StageGame;

namespace {

constexpr int Stage8BossScene = BossRush8Scene;
constexpr int Stage9BossScene = BossRush9Scene;

}  // namespace

TEST(StageLateBossScenes, TheStageEightBossArrivesBeforeFrameZeroAndTimesOutAt4000) {
    StageGame g;
    g.Enter(Stage8BossScene);
    EXPECT_EQ(StageFrame, -509);
    EXPECT_EQ(BossSlot, 15);
    EXPECT_EQ(EnemyHP[15], 200);
    g.RunThroughStep(-4);
    EXPECT_EQ(EnemyX[15], 608);
    EXPECT_EQ(EnemyX[5000], 256);
    EXPECT_EQ(EnemyY[5024], 32);
    EXPECT_EQ(EnemyY[713], -32);
    g.RunThroughStep(0);
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(4000);
    EXPECT_EQ(EnemyState[15], StateDestroyed);
    EXPECT_EQ(EnemyHP[15], 200);
    const int lastStep = testdata::RunUntilTheSceneEnds(g, Stage8BossScene, 4500);
    EXPECT_EQ(Scene, Stage9BossScene);
    EXPECT_EQ(lastStep, 4099);
    EXPECT_EQ(StageFrame, -384);
}

TEST(StageLateBossScenes, TheStageNineBossScenePhasesRunSixThousandStepsEarlier) {
    StageGame g;
    Stage9BossPhase = 2;
    g.Enter(Stage9BossScene);
    EXPECT_EQ(Stage9BossPhase, 0);
    EXPECT_EQ(EnemyHP[16], 200);
    g.RunThroughStep(0);
    EXPECT_EQ(EnemyY[16], -94);
    // Below the first band from the start, the boss changes phase only when 2000 forces it.
    g.RunThroughStep(2000);
    EXPECT_EQ(EnemyHP[16], 297);
    g.RunThroughStep(2001);
    EXPECT_EQ(Stage9BossPhase, 1);
    EXPECT_EQ(StageFrame, 7001);
    EnemyHP[16] = 157;
    g.RunThroughStep(7002);
    EXPECT_EQ(Stage9BossPhase, 2);
    EXPECT_EQ(StageFrame, 14001);
    EXPECT_TRUE(EnemyState[4500] == StateDestroyed && EnemyState[4503] == StateDestroyed);
}

TEST(StageLateBossScenes, TheLastBossSceneShiftsOnlyTheOuterRingsStretch) {
    StageGame g;
    g.Enter(BossRush10Scene);
    EXPECT_EQ(StageFrame, -384);
    EXPECT_EQ(EnemyHP[17], 100);
    EXPECT_EQ(EnemyHP[2484], 200);
    g.RunThroughStep(0);
    EXPECT_EQ(EnemyX[17], 546);
    g.RunThroughStep(2000);
    EXPECT_EQ(EnemyState[2480], StateDestroyed);
    g.RunThroughStep(2001);
    EXPECT_EQ(StageFrame, 30000);
}

TEST(StageLateBossScenes, AnUntouchablePilotFiringAllTheTimeClearsTheLastThreeBossScenes) {
    StageGame g;
    for (int scene : {Stage8BossScene, Stage9BossScene, BossRush10Scene}) {
        testdata::PlayThrough(g, scene, 30000);
        EXPECT_EQ(Scene, scene == BossRush10Scene ? StaffRollScene : scene + 1);
    }
}
