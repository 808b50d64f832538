#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

constexpr int Stage8BossScene = BossRush8Scene;
constexpr int Stage9BossScene = BossRush9Scene;

}  // namespace

TEST(StageLateBossScenes, TheStageEightBossArrivesBeforeFrameZeroAndTimesOutAt4000) {
    StageGame g{Pictures::Dropped};
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
    const int lastStep = g.RunToNextScene(4500);
    EXPECT_EQ(Scene, Stage9BossScene);
    EXPECT_EQ(lastStep, 4099);
    EXPECT_EQ(StageFrame, -384);
}

TEST(StageLateBossScenes, TheStageNineBossScenePhasesRunSixThousandStepsEarlier) {
    StageGame g{Pictures::Dropped};
    Stage9BossPhase = 2;
    g.Enter(Stage9BossScene);
    EXPECT_EQ(Stage9BossPhase, 0);
    EXPECT_EQ(EnemyHP[16], 200);
    g.RunThroughStep(0);
    EXPECT_EQ(EnemyY[16], -94);
    // Below the first band from the start, the boss changes phase only when 2000 forces it, and
    // keeps the hit points the player has left it (the stage's way of forcing would heal it to 295).
    g.RunThroughStep(1999);
    EnemyHP[16] = 120;
    g.RunThroughStep(2000);
    EXPECT_EQ(Stage9BossPhase, 1);
    EXPECT_EQ(StageFrame, 7001);
    EXPECT_EQ(EnemyHP[16], 120);
    // Phase 2 is forced at 9000 the same way, again without healing.
    g.RunThroughStep(9000);
    EXPECT_EQ(Stage9BossPhase, 2);
    EXPECT_EQ(StageFrame, 14001);
    EXPECT_EQ(EnemyHP[16], 120);
    EXPECT_TRUE(EnemyState[4500] == StateDestroyed && EnemyState[4503] == StateDestroyed);
}

TEST(StageLateBossScenes, TheLastBossSceneShiftsOnlyTheOuterRingsStretch) {
    StageGame g{Pictures::Dropped};
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
