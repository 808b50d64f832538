// The message that offers the last fight.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Display.h"
#include "platform/Input.h"
#include "stages/StepText.h"
#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

// Draws one step of the message over a black screen.
void DrawMessageAt(int frame, int score) {
    std::fill(BackBuffer.Pixels.begin(), BackBuffer.Pixels.end(), 0u);
    StageFrame = frame;
    Score = score;
    StepTextNoted = StepText{};
    SceneStep();
    DrawStepText(StepTextNoted, BackBuffer);
}

int LitIn(int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < ScreenWidth; ++x) count += PixelAt(BackBuffer, x, y) != 0;
    }
    return count;
}

// The first lit column in the rows top..bottom - 1, or -1.
int LeftmostLit(int top, int bottom) {
    for (int x = 0; x < ScreenWidth; ++x) {
        for (int y = top; y < bottom; ++y) {
            if (PixelAt(BackBuffer, x, y) != 0) return x;
        }
    }
    return -1;
}

}  // namespace

TEST(StageEndingMessage, SixLinesAreShownFromFrame0To799WithTheWordingOfTheScore) {
    ResetWorldState();
    Scene = ChallengeScene;
    SceneInit();
    EXPECT_EQ(StageFrame, -80);
    EXPECT_EQ(PlayerX, -32);
    EXPECT_EQ(PlayerY, 224);
    EXPECT_EQ(Layer1StepX, -8);
    EXPECT_EQ(Layer2StepX, -8);
    EXPECT_EQ(Layer3StepX, -16);
    EXPECT_EQ(Layer3StepY, -2);

    if (!OpenTextFace(nullptr)) GTEST_SKIP() << "no Japanese face installed";
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    TextCanvas canvas(BackBuffer);
    canvas.SetFontSize(24);
    const int w = canvas.TextWidth("あ");
    const int h = canvas.TextHeight("あ");
    ASSERT_GT(w, 0);
    auto lineTop = [&](int k) { return 2 * k * h; };
    auto centred = [&](int characters) { return (ScreenWidth - characters * w) / 2; };

    DrawMessageAt(-1, 5);
    EXPECT_EQ(LitIn(0, ScreenHeight), 0);
    DrawMessageAt(800, 5);
    EXPECT_EQ(LitIn(0, ScreenHeight), 0);

    DrawMessageAt(0, 5);
    EXPECT_EQ(LitIn(0, lineTop(1)), 0);
    const int characters[] = {16, 19, 7, 15, 13, 14};
    for (int k = 1; k <= 6; ++k) {
        const int left = LeftmostLit(lineTop(k), lineTop(k) + h);
        EXPECT_GE(left, centred(characters[k - 1])) << "line " << k;
        EXPECT_LT(left, centred(characters[k - 1]) + w) << "line " << k;
        EXPECT_EQ(LitIn(lineTop(k) + h, lineTop(k + 1)), 0) << "below line " << k;
    }
    std::vector<uint32_t> fightLine5(BackBuffer.Pixels.begin() + lineTop(5) * ScreenWidth,
                                     BackBuffer.Pixels.begin() + (lineTop(5) + h) * ScreenWidth);

    // A player who scored nothing is told to endure.
    DrawMessageAt(799, 0);
    const int left = LeftmostLit(lineTop(1), lineTop(1) + h);
    EXPECT_GE(left, centred(12));
    EXPECT_LT(left, centred(12) + w);
    EXPECT_FALSE(std::equal(fightLine5.begin(), fightLine5.end(),
                            BackBuffer.Pixels.begin() + lineTop(5) * ScreenWidth));
}

TEST(StageEndingMessage, TheMessageLeadsToTheTrialWithoutAScoreAndToTheFightWithOne) {
    StageGame g;
    // Entered as after the last stage: the boss's death has already taken the control away.
    Scene = ChallengeScene;
    SceneInit();
    ControlEnabled = 0;
    Score = 0;
    g.Game.Platform.Press(Vk::Right);
    int lastStep = StageFrame;
    while (Scene == ChallengeScene && g.Game.Form.FramesRun() < 2000) {
        lastStep = StageFrame;
        g.Game.Frame();
        if (Scene == ChallengeScene) {
            ASSERT_EQ(PlayerX, -32);  // the ship never moves
        }
    }
    g.Game.Platform.Press(Vk::Right, false);
    EXPECT_EQ(Scene, ChallengeEnduranceScene);
    EXPECT_EQ(lastStep, 799);
    EXPECT_EQ(ControlEnabled, 1);

    // The confirm key skips the message, even in the first 80 frames.
    Scene = ChallengeScene;
    SceneInit();
    Score = 5;
    g.Game.Frames(5);
    g.Game.Platform.Press(Vk::Space);
    g.Game.Frame();
    g.Game.Platform.Press(Vk::Space, false);
    EXPECT_EQ(Scene, ChallengeBattleScene);
    EXPECT_EQ(StageFrame, -63);  // the fight's first step already ran in that frame
}
