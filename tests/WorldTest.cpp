#include <gtest/gtest.h>

#include "world/World.h"

using namespace veltrano;

TEST(World, RoundNearestTakesHalvesAwayFromZero) {
    EXPECT_EQ(RoundNearest(12.5L), 13);
    EXPECT_EQ(RoundNearest(-12.5L), -13);
    EXPECT_EQ(RoundNearest(12.49L), 12);
    EXPECT_EQ(RoundNearest(-0.4L), 0);
    EXPECT_EQ(RoundNearest(0.0L), 0);
}

TEST(World, RandomGeneratorFollowsTheLinearCongruence) {
    SeedRandomFromClock(1, 2, 3, 4);
    EXPECT_EQ(RandomSeed, static_cast<uint32_t>(((1 * 60 + 2) * 60 + 3) * 1000 + 4));
    RandomSeed = 0;
    EXPECT_EQ(RandomInt(100), 0);  // seed 1: (1 * 100) >> 32
    EXPECT_EQ(RandomSeed, 1u);
    RandomSeed = 0xFFFFFFFFu;  // the next seed wraps modulo 2^32
    const uint32_t expected = 0xFFFFFFFFu * 134775813u + 1u;
    const int drawn = RandomInt(640);
    EXPECT_EQ(RandomSeed, expected);
    EXPECT_EQ(drawn, static_cast<int>((static_cast<uint64_t>(expected) * 640u) >> 32));
    for (int i = 0; i < 1000; ++i) {
        const int v = RandomInt(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
    }
}

TEST(World, ResetGivesEverySlotItsStartValues) {
    EnemyX[5] = 3;
    EnemyState[700] = 3;
    ShotLive[10] = 1;
    Score = 99;
    Lives = 2;
    Difficulty = 2;
    ResetWorldState();
    EXPECT_EQ(EnemyX[5], -128);
    EXPECT_EQ(ShotLive[10], 0);
    EXPECT_EQ(ShotX[1699], -128);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(Lives, 4);
    EXPECT_EQ(Difficulty, 1);
    EXPECT_EQ(Scene, TitleScene);
    // Inert furniture and inert small objects; everything else active.
    EXPECT_EQ(EnemyState[700], StateInert);
    EXPECT_EQ(EnemyState[799], StateInert);
    EXPECT_EQ(EnemyState[7500], StateInert);
    EXPECT_EQ(EnemyState[800], StateActive);
    // Hit classes by range, including the overlap of the bullet ranges.
    EXPECT_EQ(EnemySize[19], 5);
    EXPECT_EQ(EnemySize[8], 3);
    EXPECT_EQ(EnemySize[850], 6);
    EXPECT_EQ(EnemySize[11000], 8);
    EXPECT_EQ(EnemySize[12999], 8);
    EXPECT_EQ(EnemySize[13000], 0);
    EXPECT_EQ(EnemySize[4500], 2);
    EXPECT_EQ(EnemySize[300], 1);
    // The panel grid covers the screen in 8 columns of 6.
    EXPECT_EQ(PanelCellX[47], 560);
    EXPECT_EQ(PanelCellY[47], 400);
    EXPECT_EQ(Layer1TileX[79], 640);
    EXPECT_EQ(Layer1TileY[79], 480);
    EXPECT_EQ(Layer2TileX[0], -80);
    EXPECT_EQ(BulletStep[9000], 0);
    EXPECT_EQ(ItemAge[999], 0);
}
