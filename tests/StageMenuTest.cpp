#include <gtest/gtest.h>

#include <string>

#include "platform/Display.h"
#include "stages/Scenes.h"
#include "stages/StepText.h"
#include "tests/support/StageGame.h"

using namespace veltrano;

namespace {

void ExpectTitleLayout() {
    EXPECT_EQ(EnemyX[700], 128);
    EXPECT_EQ(EnemyX[701], 256);
    EXPECT_EQ(EnemyX[702], 384);
    for (int piece = 700; piece <= 702; ++piece) EXPECT_EQ(EnemyY[piece], 64) << piece;
    EXPECT_EQ(EnemyX[703], 240);
    EXPECT_EQ(EnemyY[703], 288);
    EXPECT_EQ(EnemyX[704], 272);
    EXPECT_EQ(EnemyY[704], 352);
    EXPECT_EQ(EnemyX[705], 208);
    EXPECT_EQ(EnemyY[705], 288);
}

std::string ListedScore(int score) {
    char text[16];
    ScoreListText(score, text);
    return text;
}

}  // namespace

TEST(StageMenus, TheTitlePiecesEndInARowAtY64WhetherTheAnimationRanOrWasSkipped) {
    testdata::StageGame g;  // start-up runs the title's init
    ASSERT_EQ(Scene, TitleScene);
    EXPECT_EQ(EnemyX[700], -128);
    EXPECT_EQ(EnemyY[701], 0);
    EXPECT_EQ(EnemyY[703], 480);
    EXPECT_EQ(EnemyState[700], StateInert);
    g.RunThroughStep(183);
    const int leftAfterStrike = EnemyX[700];
    g.RunThroughStep(207);  // 24 jolts cancel out
    EXPECT_EQ(EnemyX[700], leftAfterStrike);
    g.RunThroughStep(639);
    ExpectTitleLayout();
    g.RunThroughStep(700);
    ExpectTitleLayout();

    testdata::StageGame skipped;
    skipped.RunThroughStep(100);
    skipped.Game.Platform.Press(Vk::Space);
    skipped.Game.Frame();
    skipped.Game.Platform.ReleaseAll();
    skipped.RunThroughStep(700);
    EXPECT_EQ(Scene, TitleScene);
    ExpectTitleLayout();
}

TEST(StageMenus, TheShipSelectShipFiresTheChosenWeaponWithoutAKey) {
    testdata::StageGame g;
    Scene = ShipSelectScene;
    SceneInit();
    EXPECT_EQ(PlayerX, 368);
    EXPECT_EQ(PlayerY, 224);
    EXPECT_EQ(ShotPower, 3);
    EXPECT_EQ(Option1On + Option2On, 2);
    EXPECT_EQ(EnemyY[5], 64 + 64 * 5);
    EXPECT_EQ(EnemyX[705], 64);
    g.Game.Frames(20);
    int live = 0;
    for (uint8_t shot : ShotLive) live += shot;
    EXPECT_GT(live, 0);
    EXPECT_EQ(FireHeld, 1);
    EXPECT_EQ(PlayerX, 368);  // no control

    StageFrame = 1999;
    g.Game.Frames(2);  // 1999, then 2000 wraps to 0 before the count
    EXPECT_EQ(StageFrame, 1);
}

TEST(StageMenus, TheKeyConfigurationPlacesItsLabelsAndValues) {
    Scene = KeyConfigScene;
    PlayerX = 100;
    Option1On = 1;
    SceneInit();
    EXPECT_EQ(PlayerX, -32);
    EXPECT_EQ(Option1On, 0);
    EXPECT_EQ(Option1X, AbsentOptionPosition);
    EXPECT_EQ(ControlEnabled, 0);
    const int labels[][3] = {{705, 64, 64},   {733, 96, 64},   {706, 96, 128},
                             {707, 96, 192},  {708, 128, 240}, {711, 128, 384},
                             {734, 288, 128}, {735, 288, 240}, {738, 288, 384}};
    for (const auto& l : labels) {
        EXPECT_EQ(EnemyX[l[0]], l[1]) << l[0];
        EXPECT_EQ(EnemyY[l[0]], l[2]) << l[0];
    }
    StageFrame = 2000;
    SceneStep();
    EXPECT_EQ(StageFrame, 0);
}

TEST(StageMenus, TheScoreListPadsScoresToNineDigitsAndWritesThemInBlack) {
    EXPECT_EQ(ListedScore(0), "000000000");
    EXPECT_EQ(ListedScore(4200), "000004200");
    EXPECT_EQ(ListedScore(12345678), "012345678");
    EXPECT_EQ(ListedScore(123456789), "123456789");
    EXPECT_EQ(ListedScore(1234567890), "1234567890");

    if (!OpenTextFace(nullptr)) GTEST_SKIP() << "no Japanese face installed";
    Scene = ScoreListScene;
    SceneInit();
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    std::fill(BackBuffer.Pixels.begin(), BackBuffer.Pixels.end(), 0xFFFFFFu);
    const int scores[] = {2000000000, 900000000, 12340};  // each ends in the same digit
    std::fill(HighScores, HighScores + HighScoreCount, 0);
    std::copy(std::begin(scores), std::end(scores), HighScores);
    StepTextNoted = StepText{};
    SceneStep();
    DrawStepText(StepTextNoted, BackBuffer);
    auto blackIn = [](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += PixelAt(BackBuffer, x, y) == 0;
        }
        return count;
    };
    TextCanvas canvas(BackBuffer);
    canvas.SetFontSize(28);
    const int row = canvas.TextHeight("0");
    EXPECT_GT(blackIn(200, 32, 440, 32 + row), 0);                  // the caption
    EXPECT_GT(blackIn(128, row + 48, 128 + row, 2 * row + 48), 0);  // rank one
    EXPECT_GT(blackIn(320, 10 * row + 48, 620, 11 * row + 48), 0);  // the tenth score
    EXPECT_EQ(blackIn(0, 0, 120, 480), 0);                          // nothing left of the ranks
    EXPECT_EQ(blackIn(0, 11 * row + 48 + 8, 640, 480), 0);          // nothing below the list
    // A ten-digit score ends where the nine-digit ones do, its first digit left of the column.
    auto rightmost = [&](int rank) {
        for (int x = 639; x >= 320; --x)
            if (blackIn(x, rank * row + 48, x + 1, (rank + 1) * row + 48) > 0) return x;
        return -1;
    };
    EXPECT_EQ(rightmost(1), rightmost(2));
    EXPECT_EQ(rightmost(2), rightmost(3));
    EXPECT_GT(blackIn(300, row + 48, 320, 2 * row + 48), 0);
    EXPECT_EQ(blackIn(300, 2 * row + 48, 320, 3 * row + 48), 0);
    std::fill(HighScores, HighScores + HighScoreCount, 0);
}
