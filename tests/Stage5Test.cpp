#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

constexpr int Boss = 12, UpperPod = 5000, LowerPod = 5001;

}  // namespace

TEST(StageFive, EachSingleGunShotDownInTimeBringsItsOwnFiles) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage5Scene);
    g.RunThroughStep(680);
    ShootDown(2008, 2008);
    g.RunThroughStep(686);
    const int before = Score;
    g.RunThroughStep(687);
    EXPECT_EQ(Score - before, 2500);
    g.RunThroughStep(700);
    EXPECT_EQ(At(1008), (Pos{640 - 4 * 12, -16 + 4 * 12}));
    EXPECT_EQ(At(1024), (Pos{640 - 4 * 12, 480 - 4 * 12}));
    EXPECT_EQ(At(1011), (Pos{640, -16}));  // the last of the file starts 12 steps later
    ShootDown(2010, 2010);
    g.RunThroughStep(820);
    EXPECT_EQ(BonusFlags[1], 1);
    EXPECT_EQ(BonusFlags[2], 0);  // gun 2009 still flew at its check
    EXPECT_EQ(BonusFlags[3], 1);
    EXPECT_EQ(At(1012), (Pos{640, -16}));
    EXPECT_EQ(At(1028), (Pos{640, 480}));
    EXPECT_EQ(At(1016), (Pos{640 - 4 * 4, -16 + 4 * 4}));
    EXPECT_EQ(At(1032), (Pos{640 - 4 * 4, 480 - 4 * 4}));
}

TEST(StageFive, TheBossRisesWithItsPodsCirclingWhereverItIs) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage5Scene);
    g.RunThroughStep(1567);
    EXPECT_EQ(At(Boss), (Pos{544, 480}));
    EXPECT_EQ(At(UpperPod), (Pos{800, 800}));
    g.RunThroughStep(1568);
    EXPECT_EQ(At(Boss), (Pos{544, 472}));
    // Seven degrees each way around the boss's position of the same step.
    EXPECT_EQ(At(UpperPod), (Pos{608, 480}));
    EXPECT_EQ(At(LowerPod), (Pos{608, 464}));
    g.RunThroughStep(1599);
    EXPECT_EQ(At(Boss), (Pos{544, 224}));
    EXPECT_EQ(Layer1StepX, -1);
    g.RunThroughStep(1600);
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(Layer2StepX, 0);
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(1607);
    EXPECT_EQ(EnemyState[15320], StateDestroyed);
    g.RunThroughStep(1608);
    EXPECT_EQ(EnemyState[15320], StateActive);
    EXPECT_EQ(At(15320), (Pos{EnemyX[UpperPod] + 8, EnemyY[UpperPod] + 8}));
}

TEST(StageFive, TheClockJumpsToTheClosingRunAHundredStepsAfterTheBossFalls) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage5Scene);
    SkipTo(1560);
    g.RunThroughStep(1700);
    ShootDown(Boss, Boss);
    // The step after the shot counts the boss's dead time 0, the next one 1...
    g.RunThroughStep(1800);
    ASSERT_EQ(StageFrame, 1801);
    EXPECT_EQ(EnemyDeadTime[Boss], 100);
    g.Game.Frame();
    EXPECT_EQ(StageFrame, 10001);
    EXPECT_EQ(Layer1StepX, -1);
    EXPECT_EQ(Layer2StepX, -2);
    EXPECT_TRUE(AllInState(UpperPod, LowerPod, StateDestroyed));

    g.RunThroughStep(10159);
    EXPECT_EQ(At(2500), (Pos{640 - 2 * 95, 0}));
    EXPECT_EQ(At(2589), (Pos{800 - 2 * 95, 448}));
    EXPECT_TRUE(AllInState(2500, 2589, StateActive));
    EXPECT_EQ(ControlEnabled, 1);
    g.RunThroughStep(10160);
    EXPECT_TRUE(AllInState(2500, 2589, StateDestroyed));
    EXPECT_EQ(ControlEnabled, 0);
    EXPECT_EQ(FireHeld, 0);

    // The player's keys no longer reach the ship: it neither moves nor fires.
    const Pos ship{PlayerX, PlayerY};
    g.Game.Platform.Press(Vk::X);
    g.Game.Platform.Press(Vk::Down);
    g.RunThroughStep(10223);
    EXPECT_EQ((Pos{PlayerX, PlayerY}), ship);
    for (int k = 0; k < ShotCount; ++k) ASSERT_EQ(ShotLive[k], 0) << k;
    EXPECT_EQ(Layer2StepX, -2);
    g.RunThroughStep(10224);
    EXPECT_EQ(Layer2StepX, -8);

    g.RunThroughStep(10287);
    EXPECT_EQ(ForegroundTileOn[0], 0);
    g.RunThroughStep(10288);
    EXPECT_EQ(Layer3StepX, -20);
    for (int tile = 0; tile < 8; ++tile) EXPECT_EQ(ForegroundTileOn[tile], 1) << tile;
    EXPECT_EQ(ForegroundTileOn[8], 0);

    const int lastStep = g.RunToNextScene(1000);
    EXPECT_EQ(Scene, Stage6Scene);
    EXPECT_EQ(lastStep, 10351);
    // The foreground has closed over the whole screen, which tells stage 6 to begin behind it.
    for (int tile = 0; tile < TileCount; ++tile) EXPECT_EQ(ForegroundTileOn[tile], 1) << tile;
}

TEST(BossRushFive, TheBossHasRisenAtFrameZeroAndFiresAtOnce) {
    StageGame g{Pictures::Dropped};
    g.Enter(BossRush5Scene);
    EXPECT_EQ(StageFrame, -320);
    EXPECT_EQ(BossSlot, Boss);
    EXPECT_EQ(EnemyHP[Boss], 300);
    // The fight runs one whole 1600-step cycle earlier than in the stage.
    g.RunThroughStep(-33);
    EXPECT_EQ(At(Boss), (Pos{544, 480}));
    g.RunThroughStep(0);
    EXPECT_EQ(At(Boss), (Pos{544, 224}));
    EXPECT_EQ(Layer1StepX, 0);
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(8);
    EXPECT_EQ(EnemyState[15320], StateActive);
}
