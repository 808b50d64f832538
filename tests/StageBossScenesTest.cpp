// The boss scenes of stages 1 to 3: the stage's boss fight moved to the scene's own frame 0.
#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

constexpr int BossScene1 = BossRush1Scene, BossScene2 = BossRush2Scene, BossScene3 = BossRush3Scene;

// Jumps the scene clock to just before a time-out (nothing timed lies between) and checks that the
// boss is switched off at `timeOut` with its hit points, and that the frame handler moves on
// `sceneEnd` steps later.
void ExpectTimeOut(StageGame& g, int boss, int timeOut, int sceneEnd) {
    const int scene = Scene;
    StageFrame = timeOut - 10;
    g.RunParked(timeOut - 1);
    ASSERT_EQ(EnemyState[boss], StateActive);
    const int hp = EnemyHP[boss];
    g.RunParked(timeOut);
    EXPECT_EQ(EnemyState[boss], StateDestroyed);
    EXPECT_EQ(EnemyHP[boss], hp);
    const int lastStep = g.RunToNextScene();
    EXPECT_EQ(Scene, scene + 1);
    EXPECT_EQ(lastStep, timeOut + sceneEnd - 1);
}

}  // namespace

TEST(StageBossScenes, TheFirstBossEntersAtFrame0AndTimesOutAt8000) {
    StageGame g{Pictures::Dropped};
    g.Enter(BossScene1);
    EXPECT_EQ(StageFrame, -320);
    EXPECT_EQ(BossSlot, 6);
    EXPECT_EQ(EnemyHP[6], 100);
    EXPECT_EQ(Layer3StepX, -4);
    g.RunParked(-14);
    EXPECT_EQ(At(6), (Pos{640, 224}));
    g.RunParked(-2);
    EXPECT_EQ(At(6), (Pos{544, 224}));
    EXPECT_EQ(EnemyY[713], -32);
    g.RunParked(0);
    EXPECT_EQ(EnemyY[713], 0);
    g.RunParked(1);
    EXPECT_EQ(At(6), (Pos{528, 228}));
    g.RunParked(32);  // the first aimed shot of the 256-step cycle
    EXPECT_EQ(EnemyState[15179], StateActive);
    ExpectTimeOut(g, 6, 8000, 100);
    EXPECT_EQ(StageFrame, -320);  // the second boss scene has begun
    EXPECT_EQ(BossSlot, 7);
}

TEST(StageBossScenes, TheSecondBossStartsItsOwnPhasesAndLeavesThePatrolAt3000) {
    StageGame g{Pictures::Dropped};
    Boss2Phase = 2;  // as a played stage 2 leaves it
    Boss2Dir = 3;
    g.Enter(BossScene2);
    EXPECT_EQ(Boss2Phase, 0);
    EXPECT_EQ(Boss2Dir, 0);
    EXPECT_EQ(EnemyHP[7], 200);
    EXPECT_EQ(EnemyHP[8], 30000);
    EXPECT_EQ(At(8), (Pos{448, -96}));
    g.RunParked(-1);
    EXPECT_EQ(At(7), (Pos{640, 448}));
    EXPECT_EQ(Layer1StepX, -1);
    g.RunParked(0);
    EXPECT_EQ(At(7), (Pos{632, 448}));
    EXPECT_EQ(Layer1StepX, 0);
    g.RunParked(47);
    EXPECT_NE(EnemyState[15096], StateActive);
    g.RunParked(48);
    EXPECT_EQ(EnemyState[15096], StateActive);
    StageFrame = 2990;
    g.RunParked(2999);
    EXPECT_EQ(Boss2Phase, 0);
    g.RunParked(3000);
    EXPECT_EQ(Boss2Phase, 1);
    for (int slot = 15000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    g.RunParked(3100);
    EXPECT_EQ(Boss2Phase, 2);
    ExpectTimeOut(g, 7, 8000, 100);
}

TEST(StageBossScenes, TheThirdBossSceneOpensInTheFlyPastAndWakesAtFrame0) {
    StageGame g{Pictures::Dropped};
    g.Enter(BossScene3);
    EXPECT_EQ(StageFrame, -465);
    EXPECT_EQ(BossSlot, 9);
    EXPECT_EQ(EnemyHP[9], 200);
    EXPECT_EQ(EnemyHP[2491], 50);
    EXPECT_EQ(EnemyState[9], StateInert);
    EXPECT_EQ(At(9), (Pos{452, 224}));
    EXPECT_EQ(At(2900), (Pos{704, 0}));
    g.RunParked(-225);  // where stage 3 has it at 3651
    EXPECT_EQ(At(9), (Pos{-30, 224}));
    g.RunParked(-81);
    EXPECT_EQ(At(2491), (Pos{578, 0}));
    EXPECT_EQ(Layer2StepX, 2);
    g.RunParked(-80);
    EXPECT_EQ(Layer2StepX, 4);
    g.RunParked(-1);
    EXPECT_EQ(At(9), (Pos{610, 224}));
    EXPECT_EQ(EnemyState[9], StateInert);
    g.RunParked(0);
    EXPECT_EQ(EnemyState[9], StateActive);
    EXPECT_EQ(EnemyState[16000], StateActive);
    ExpectTimeOut(g, 9, 8000, 200);
}
