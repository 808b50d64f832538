#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

TEST(StageOne, TheFirstFlierRestsOneStepAtEachJointOfItsPath) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage1Scene);
    EXPECT_EQ(StageFrame, 0);
    EXPECT_EQ(At(1000), (Pos{640, 0}));
    g.RunThroughStep(32);
    EXPECT_EQ(At(1000), (Pos{640, 0}));
    g.RunThroughStep(63);
    EXPECT_EQ(At(1000), (Pos{516, 124}));
    g.RunThroughStep(64);
    EXPECT_EQ(At(1000), (Pos{516, 124}));
    g.RunThroughStep(127);
    EXPECT_EQ(At(1000), (Pos{138, 124}));
    g.RunThroughStep(128);
    EXPECT_EQ(At(1000), (Pos{138, 124}));
    g.RunThroughStep(129);
    EXPECT_EQ(At(1000), (Pos{142, 128}));
    // The fourth member starts 12 steps later on the same path.
    g.RunThroughStep(139);
    EXPECT_EQ(At(1003), (Pos{138, 124}));
}

TEST(StageOne, TheFirstClimberRisesRestsAndDescendsAgain) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage1Scene);
    g.RunThroughStep(160);
    EXPECT_EQ(At(1008), (Pos{400, -16}));
    g.RunThroughStep(191);
    EXPECT_EQ(At(1008), (Pos{400, 170}));
    g.RunThroughStep(192);
    EXPECT_EQ(At(1008), (Pos{400, 170}));
    g.RunThroughStep(239);
    EXPECT_EQ(At(1008), (Pos{165, 76}));
    g.RunThroughStep(240);
    EXPECT_EQ(At(1008), (Pos{165, 76}));
    g.RunThroughStep(241);
    EXPECT_EQ(At(1008), (Pos{165, 82}));
    // Its mirror image from below.
    EXPECT_EQ(At(1012), (Pos{165, 480 - 186 + 94 - 6}));
}

TEST(StageOne, ABonusFormationComesOnlyWhenItsWholeGroupFellByTheCheckFrame) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage1Scene);
    g.RunThroughStep(2000);
    ShootDown(1036, 1039);  // the whole upper crossing group
    ShootDown(1040, 1042);  // three of the lower one; 1043 still flies at the check
    g.RunThroughStep(2058);
    const int before = Score;
    g.RunThroughStep(2059);
    EXPECT_EQ(Score - before, 2000);
    EXPECT_EQ(BonusFlags[4], 1);
    EXPECT_EQ(BonusFlags[5], 0);
    // Destroying the last member after the check unlocks nothing.
    ShootDown(1043, 1043);
    g.RunThroughStep(2100);
    EXPECT_EQ(BonusFlags[5], 0);
    EXPECT_EQ(At(1092), (Pos{480, 480}));
    // The unlocked formation flies: member 0 moved on steps 2061..2091 by (-4, 4), then by (5, 2).
    EXPECT_EQ(At(1084), (Pos{480 - 4 * 31 + 5 * 8, -16 + 4 * 31 + 2 * 8}));
    // The other two groups were not destroyed at all.
    g.RunThroughStep(2300);
    EXPECT_EQ(BonusFlags[6], 0);
    EXPECT_EQ(BonusFlags[7], 0);
    EXPECT_EQ(At(1100), (Pos{640, 0}));
}

TEST(StageOne, TheRewardItemNeedsBothBonusPodGroupsShotDown) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage1Scene);
    g.RunThroughStep(3000);
    ShootDown(2024, 2031);
    g.RunThroughStep(3135);
    EXPECT_EQ(BonusFlags[2], 1);
    EXPECT_EQ(BonusFlags[3], 1);
    g.RunThroughStep(3168);
    EXPECT_EQ(At(2032), (Pos{576, -64 + 6 * 31}));
    EXPECT_EQ(At(2036), (Pos{512, 480 - 6 * 31}));
    ShootDown(2032, 2039);
    g.RunThroughStep(3464);
    EXPECT_EQ(At(950), (Pos{640, 224}));
    g.RunThroughStep(3466);
    EXPECT_EQ(At(950), (Pos{636, 224}));  // scrolls from the first step after 3464
    g.RunThroughStep(3599);
    const int before = Score;
    g.RunThroughStep(3600);
    EXPECT_EQ(Score - before, 50000);
}

TEST(StageOne, OneBonusPodGroupAloneLeavesTheRewardItemWhereItIs) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage1Scene);
    g.RunThroughStep(3000);
    ShootDown(2024, 2027);
    g.RunThroughStep(3200);
    EXPECT_EQ(BonusFlags[2], 1);
    EXPECT_EQ(BonusFlags[3], 0);
    EXPECT_EQ(At(2036), (Pos{512, 480}));  // the lower bonus pods never come
    ShootDown(2032, 2035);
    g.RunThroughStep(3599);
    const int before = Score;
    g.RunThroughStep(3600);
    EXPECT_EQ(Score, before);
    EXPECT_EQ(At(950), (Pos{640, 224}));
}

TEST(StageOne, TheBossEntersCirclesAndFiresFromFrame3600) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage1Scene);
    g.RunThroughStep(3586);
    EXPECT_EQ(At(6), (Pos{640, 224}));
    EXPECT_EQ(EnemyY[713], -32);  // the boss digits wait off screen
    g.RunThroughStep(3598);
    EXPECT_EQ(At(6), (Pos{544, 224}));
    g.RunThroughStep(3600);
    EXPECT_EQ(At(6), (Pos{544, 224}));
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(3601);
    EXPECT_EQ(At(6), (Pos{528, 228}));
    // Every 32 steps an aimed shot from the boss's middle, 16 steps later a pair.
    g.RunThroughStep(3615);
    EXPECT_EQ(EnemyState[15179], StateDestroyed);
    g.RunThroughStep(3616);
    EXPECT_EQ(EnemyState[15179], StateActive);
    EXPECT_EQ(At(15179), (Pos{EnemyX[6] + 8, EnemyY[6] + 8}));
    g.RunThroughStep(3632);
    EXPECT_EQ(EnemyState[15187], StateActive);
    EXPECT_EQ(EnemyState[15195], StateActive);
    g.RunThroughStep(3690);
    EXPECT_EQ(At(6), (Pos{304, 448}));  // a quarter turn: straight below the centre
    g.RunThroughStep(3960);
    EXPECT_EQ(At(6), (Pos{528, 224}));  // one full turn later, back at angle 0
}

TEST(StageOne, ABossLeftStandingAtTheTimeOutIsSwitchedOffWithoutItsBonus) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage1Scene);
    g.RunThroughStep(7599);
    ASSERT_EQ(EnemyState[6], StateActive);
    const int before = Score;
    g.RunThroughStep(7600);
    EXPECT_EQ(EnemyState[6], StateDestroyed);
    EXPECT_EQ(EnemyHP[6], 100);
    EXPECT_EQ(Score, before);
    g.RunThroughStep(7601);
    for (int slot = 11000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    // The frame handler moves on to stage 2 in the step in which the boss has been gone 100 steps,
    // counting the step of its destruction.
    int lastStep = 0;
    while (Scene == Stage1Scene && StageFrame < 8000) {
        lastStep = StageFrame;
        PlayerUntouchable = 1;
        g.Game.Frame();
    }
    EXPECT_EQ(Scene, Stage2Scene);
    EXPECT_EQ(lastStep, 7699);
}
