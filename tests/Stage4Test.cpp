#include <gtest/gtest.h>

#include <array>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

constexpr int FirstBoss = 10, SecondBoss = 11;

using Steps = std::array<int, 6>;  // layers 1 to 3, X then Y

Steps LayerSteps() {
    return {Layer1StepX, Layer1StepY, Layer2StepX, Layer2StepY, Layer3StepX, Layer3StepY};
}

}  // namespace

TEST(StageFour, TheSpiralRingsComeOnlyForWholeGroupsWhileTheCaveTurnsUpAndBack) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage4Scene);
    g.RunThroughStep(800);
    ShootDown(1508, 1511);
    g.RunThroughStep(894);
    const int before = Score;
    g.RunThroughStep(895);
    EXPECT_EQ(Score - before, 2000);
    EXPECT_EQ(BonusFlags[1], 1);
    EXPECT_EQ(At(1020), (Pos{-128, -128}));
    // Radius 4 x (988 - 897) = 364 at one degree on the first step of the window.
    g.RunThroughStep(897);
    EXPECT_EQ(At(1020), (Pos{676, 238}));
    g.RunThroughStep(943);
    EXPECT_EQ(LayerSteps(), (Steps{-1, 0, -2, 0, 0, 0}));
    EXPECT_EQ(RespawnSide, 0);
    g.RunThroughStep(944);
    EXPECT_EQ(LayerSteps(), (Steps{0, -1, 0, -2, 0, -3}));
    EXPECT_EQ(RespawnSide, 2);
    // The second ring turns the other way.
    g.RunThroughStep(961);
    EXPECT_EQ(At(1060), (Pos{676, 226}));
    g.RunThroughStep(988);
    EXPECT_EQ(At(1020), (Pos{312, 232}));
    // Past the centre the radius is negative: at 93 degrees the flier stands above the middle.
    g.RunThroughStep(989);
    EXPECT_EQ(At(1020), (Pos{312, 228}));

    // The floor blocks rise with the scenery from the bottom edge, two pixels per step.
    g.RunThroughStep(1640);
    EXPECT_EQ(At(4000).Y, 480 - 2 * 8);
    EXPECT_EQ(EnemyY[4001], 480);
    // Three of the four last floor blocks shot down are not enough for the second rings.
    g.RunThroughStep(2700);
    ShootDown(4012, 4014);
    g.RunThroughStep(2864);
    EXPECT_EQ(BonusFlags[2], 0);
    EXPECT_EQ(At(1028), (Pos{-128, -128}));
    EXPECT_EQ(LayerSteps(), (Steps{-1, 0, -2, 0, 0, 0}));
    EXPECT_EQ(RespawnSide, 0);
    g.RunThroughStep(2866);
    EXPECT_EQ(At(851), (Pos{636, 208}));
}

TEST(StageFour, TheSecondBossTakesOverWhenTheFirstFalls) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage4Scene);
    SkipTo(4100);
    g.RunThroughStep(4141);
    EXPECT_EQ(At(FirstBoss), (Pos{608, 224}));
    EXPECT_EQ(At(2400), (Pos{608, 32}));
    EXPECT_EQ(At(2913), (Pos{0, 0}));
    EXPECT_EQ(At(2933), (Pos{0, 448}));
    EXPECT_EQ(At(2900), (Pos{0, 32}));
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(EnemyY[713], 0);
    EXPECT_EQ(BossSlot, FirstBoss);
    g.RunThroughStep(4400);
    ASSERT_FALSE(AllInState(15000, 19999, StateDestroyed));  // the guns are firing

    ShootDown(FirstBoss, FirstBoss);
    g.RunUntilDeadTime(FirstBoss, 2);
    EXPECT_EQ(BossSlot, SecondBoss);
    EXPECT_TRUE(AllInState(2400, 2411, StateDestroyed));
    EXPECT_TRUE(AllInState(2900, 2952, StateDestroyed));
    EXPECT_TRUE(AllInState(15000, 19999, StateDestroyed));

    g.RunUntilDeadTime(FirstBoss, 21);
    EXPECT_EQ(At(SecondBoss), (Pos{640, 224}));
    g.RunUntilDeadTime(FirstBoss, 22);
    EXPECT_EQ(At(SecondBoss), (Pos{636, 224}));
    g.RunUntilDeadTime(FirstBoss, 105);
    EXPECT_EQ(At(SecondBoss), (Pos{304, 224}));
    EXPECT_EQ(At(2413), (Pos{-32, -32}));
    g.RunUntilDeadTime(FirstBoss, 109);
    EXPECT_EQ(At(SecondBoss), (Pos{304, 224}));
    const Pos satellites[8] = {{0, 0},     {304, 0}, {608, 0},   {0, 224},
                               {608, 224}, {0, 448}, {304, 448}, {608, 448}};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(At(2413 + i), satellites[i]) << i;

    // Its fire waits for the first boss's dead time 128, then a ring of 24 comes every 32 steps.
    g.RunUntilDeadTime(FirstBoss, 128);
    EXPECT_TRUE(AllInState(15848, 16135, StateDestroyed));
    while (StageFrame % 256 != 0) {
        PlayerUntouchable = 1;
        g.Game.Frame();
    }
    EXPECT_EQ(EnemyState[15848], StateDestroyed);
    g.Game.Frame();  // the step at a multiple of 256 launches the ring of the cycle's phase 0
    for (int shot = 0; shot < 24; ++shot) EXPECT_EQ(EnemyState[15848 + 8 * shot], StateActive) << shot;
}

TEST(StageFour, BossesLeftStandingAreSwitchedOffAtTheirTimeOutsAndTheStageEnds) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage4Scene);
    SkipTo(4100);
    g.RunThroughStep(7127);
    ASSERT_EQ(EnemyState[FirstBoss], StateActive);
    const int before = Score;
    g.RunThroughStep(7128);
    EXPECT_EQ(EnemyState[FirstBoss], StateDestroyed);
    EXPECT_EQ(EnemyHP[FirstBoss], 200);
    EXPECT_EQ(Score, before);
    g.RunThroughStep(7300);
    EXPECT_EQ(Scene, Stage4Scene);  // the scene machine watches the second boss only

    g.RunThroughStep(8127);
    ASSERT_EQ(EnemyState[SecondBoss], StateActive);
    g.RunThroughStep(8128);
    EXPECT_EQ(EnemyState[SecondBoss], StateDestroyed);
    EXPECT_EQ(EnemyHP[SecondBoss], 400);
    g.RunThroughStep(8129);
    EXPECT_TRUE(AllInState(11000, 19999, StateDestroyed));
    EXPECT_TRUE(AllInState(2413, 2420, StateDestroyed));
    const int lastStep = g.RunToNextScene(1000);
    EXPECT_EQ(Scene, Stage5Scene);
    EXPECT_EQ(lastStep, 8227);
}

TEST(BossRushFour, TheFightRunsFourThousandStepsEarlierThanInTheStage) {
    StageGame g{Pictures::Dropped};
    g.Enter(BossRush4Scene);
    EXPECT_EQ(StageFrame, -320);
    EXPECT_EQ(BossSlot, FirstBoss);
    EXPECT_EQ(EnemyHP[FirstBoss], 200);
    EXPECT_EQ(EnemyHP[SecondBoss], 200);
    // The fight runs 4000 steps earlier than in the stage.
    g.RunThroughStep(128);
    EXPECT_EQ(At(FirstBoss), (Pos{640, 224}));
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(132);
    EXPECT_EQ(At(FirstBoss), (Pos{608, 224}));
    EXPECT_EQ(Layer1StepX, 0);
}
