#include <gtest/gtest.h>

#include <set>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {}  // namespace

TEST(StageSeven, ItKeepsTheFlagTableAndDrawsItsRandomPlacesInRange) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    BonusFlags[3] = 1;
    g.Enter(Stage7Scene);
    EXPECT_EQ(BonusFlagCount, 9);
    EXPECT_EQ(BonusFlags[3], 1);
    EXPECT_EQ(StageFrame, 0);
    EXPECT_EQ(BossSlot, 14);
    EXPECT_EQ(Layer2StepY, 2);
    EXPECT_EQ(Layer3StepY, -4);

    std::set<int> xs;
    for (int slot = 1000; slot < 1064; ++slot) {
        EXPECT_GE(EnemyX[slot], 96) << slot;
        EXPECT_LT(EnemyX[slot], 624) << slot;
        EXPECT_EQ(EnemyY[slot], slot < 1032 ? -16 : 480) << slot;
        xs.insert(EnemyX[slot]);
    }
    EXPECT_GT(xs.size(), 16u);
    // Turrets and walls stand on a 32-pixel grid.
    for (int slot = 2032; slot < 2096; ++slot) {
        EXPECT_EQ(EnemyY[slot] % 32, 0) << slot;
        EXPECT_LE(EnemyY[slot], 224) << slot;
    }
    for (int slot = 2500; slot < 2628; ++slot) {
        EXPECT_EQ(EnemyY[slot] % 32, 0) << slot;
        EXPECT_LE(EnemyY[slot], 448) << slot;
        EXPECT_GE(EnemyY[slot], 0) << slot;
    }
    for (int slot = 3516; slot < 3532; ++slot) EXPECT_EQ(EnemyX[slot], -32) << slot;
}

TEST(StageSeven, TheLaterFliersOfTheSecondFilesRunBothLegsAtOnce) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage7Scene);
    // Flier 1508 rests one step at the joint of its legs.
    g.RunThroughStep(288);
    EXPECT_EQ(At(1508), (Pos{640 - 6 * 63, 0}));
    g.RunThroughStep(289);
    EXPECT_EQ(At(1508), (Pos{640 - 6 * 63, 6}));
    // Flier 1509: left from 233 to 303, down from 297 on.
    g.RunThroughStep(296);
    EXPECT_EQ(At(1509), (Pos{640 - 6 * 64, 0}));
    g.RunThroughStep(303);
    EXPECT_EQ(At(1509), (Pos{640 - 6 * 71, 6 * 7}));
    g.RunThroughStep(304);
    EXPECT_EQ(At(1509), (Pos{640 - 6 * 71, 6 * 8}));
}

TEST(StageSeven, AGunDartsInFiresOneFanAndBacksOut) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage7Scene);
    const int y = EnemyY[2000];
    StageFrame = 1500;  // the guns dart in from 1528: skip the waves before them
    g.RunThroughStep(1531);
    EXPECT_EQ(At(2000), (Pos{608, y}));
    g.RunThroughStep(1547);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(EnemyState[15000 + 8 * c], StateDestroyed) << c;
    g.RunThroughStep(1548);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(EnemyState[15000 + 8 * c], StateActive) << c;
        EXPECT_EQ(At(15000 + 8 * c), (Pos{616, y + 8})) << c;
    }
    EXPECT_EQ(EnemyY[2008], 448);  // the gun from below is in
    g.RunThroughStep(1556);
    EXPECT_EQ(At(2000), (Pos{664, y}));
    // Fired once: the next launch would be at twice the period.
    g.RunThroughStep(1700);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(EnemyState[15000 + 8 * c], StateDestroyed) << c;
}

TEST(StageSeven, AMineThatComesNearTheShipReleasesItsRing) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage7Scene);
    g.RunThroughStep(500);
    EXPECT_EQ(EnemyX[3500], 640 - 4 * 100);
    PlayerX = EnemyX[3500] - 100;
    PlayerY = EnemyY[3500];
    g.RunThroughStep(501);
    EXPECT_EQ(EnemyState[3500], StateDestroyed);
    EXPECT_EQ(EnemyHP[3500], 10);
    EXPECT_EQ(EnemyState[3501], StateActive);
    g.RunThroughStep(502);
    for (int e = 0; e < 12; ++e) EXPECT_EQ(EnemyState[10000 + 16 * e], StateActive) << e;
    EXPECT_EQ(EnemyState[10001], StateDestroyed);
}

TEST(StageSeven, TheBossArrivesSwaysTwoPixelsAStepAndTimesOut) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage7Scene);
    StageFrame = 5170;  // the boss reads only the frame: skip the waves
    g.RunThroughStep(5182);
    EXPECT_EQ(At(14), (Pos{672, 224}));
    EXPECT_EQ(At(5000), (Pos{640, 128}));  // the pods wait just off screen
    g.RunThroughStep(5200);
    EXPECT_EQ(At(14), (Pos{536, 224}));
    EXPECT_EQ(EnemyY[713], 0);
    EXPECT_EQ(At(4500), (Pos{552, 208}));
    EXPECT_EQ(At(4503), (Pos{504, 160}));
    EXPECT_EQ(At(4507), (Pos{504, 304}));
    EXPECT_EQ(At(5000), (Pos{504, 128}));
    EXPECT_EQ(At(5001), (Pos{504, 320}));
    // Down while (F - 50) mod 200 is above 99: through 5249, then up for 100 steps.
    g.RunThroughStep(5249);
    EXPECT_EQ(EnemyY[14], 224 + 2 * 49);
    g.RunThroughStep(5349);
    EXPECT_EQ(EnemyY[14], 224 + 2 * 49 - 200);
    EXPECT_EQ(EnemyY[5001], 224 + 2 * 49 - 200 + 96);

    StageFrame = 9190;
    g.RunThroughStep(9199);
    ASSERT_EQ(EnemyState[14], StateActive);
    const int before = Score;
    g.RunThroughStep(9200);
    EXPECT_EQ(EnemyState[14], StateDestroyed);
    EXPECT_EQ(Score, before);
    for (int slot = 11000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    const int lastStep = g.RunToNextScene();
    EXPECT_EQ(Scene, Stage8Scene);
    EXPECT_EQ(lastStep, 9299);
}

TEST(StageSeven, TheBossAloneEntersAfterItsLeadInAndSwaysAsInTheStage) {
    StageGame g{Pictures::Dropped};
    g.Enter(BossRush7Scene);
    EXPECT_EQ(StageFrame, -320);
    EXPECT_EQ(BossSlot, 14);
    EXPECT_EQ(EnemyHP[14], 200);
    g.RunThroughStep(0);
    EXPECT_EQ(At(14), (Pos{536, 224}));
    EXPECT_EQ(At(5001), (Pos{504, 320}));
    g.RunThroughStep(49);
    EXPECT_EQ(EnemyY[14], 224 + 2 * 49);  // the same sway as in the stage
}
