#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/headless/HeadlessGame.h"
#include "platform/FrameTimer.h"
#include "tests/support/ProgramFolder.h"
#include "world/World.h"

using namespace veltrano;

TEST(FrameClock, OneMillisecondTicksRunAFrameOnCallsOneTwoAndEveryTwentyFifthAfter) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    std::vector<int> framed;
    for (int call = 1; call <= 80; ++call) {
        const long before = game.Form.FramesRun();
        game.Form.DXTimer1Timer(1);
        if (game.Form.FramesRun() != before) framed.push_back(call);
    }
    EXPECT_EQ(framed, (std::vector<int>{1, 2, 27, 52, 77}));
}

TEST(FrameClock, ALateCallSpendsAtMostOneHundredMillisecondsAndRunsOneFrame) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    game.Form.DXTimer1Timer(25);  // store 0 -> 25 -> 0
    game.Form.DXTimer1Timer(0);   // store 0 -> 25, spends nothing: it stays at 25
    EXPECT_EQ(game.Form.FrameCreditMs(), 25);
    const long before = game.Form.FramesRun();
    game.Form.DXTimer1Timer(1000);  // no frame is due from a store of 25; the debt is capped
    EXPECT_EQ(game.Form.FrameCreditMs(), -75);
    EXPECT_EQ(game.Form.FramesRun(), before);
    game.Form.DXTimer1Timer(0);  // pays back four units, runs one frame only
    EXPECT_EQ(game.Form.FrameCreditMs(), 25);
    EXPECT_EQ(game.Form.FramesRun(), before + 1);
}

TEST(FrameClock, NothingHappensWhileTheDisplayIsNotReady) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    // Without smooth motion the frame presents its own picture (a smooth display presents from the
    // program's frame function, at the screen's refresh).
    CommandLine ticksOnly;
    ticksOnly.Smooth = false;
    game.Form.UseCommandLine(ticksOnly);
    game.Platform.Ready = false;
    const int frame = StageFrame;
    for (int i = 0; i < 10; ++i) game.Form.DXTimer1Timer(25);
    EXPECT_EQ(game.Form.FrameCreditMs(), 0);
    EXPECT_EQ(game.Platform.Flips, 0);
    EXPECT_EQ(StageFrame, frame);
    game.Platform.Ready = true;
    game.Form.DXTimer1Timer(25);
    EXPECT_EQ(game.Platform.Flips, 1);
}

TEST(FrameClock, TimerTicksOnEveryElapsedMillisecondWithTheWholeLag) {
    FrameTimer timer;
    EXPECT_EQ(timer.Tick(1000), 0);  // the first reading only starts the clock
    EXPECT_EQ(timer.Tick(1000), 0);
    EXPECT_EQ(timer.Tick(1001), 1);
    EXPECT_EQ(timer.Tick(1031), 30);
    EXPECT_EQ(timer.Tick(1031), 0);
}

TEST(FrameClock, TheTitleMovesToTheScoreListAtFrame864) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    ASSERT_EQ(Scene, TitleScene);
    game.Frames(863);
    EXPECT_EQ(Scene, TitleScene);
    EXPECT_EQ(StageFrame, 863);
    game.Frame();  // the world step reaches 864 and the scene machine acts in the same frame
    EXPECT_EQ(Scene, ScoreListScene);
}

TEST(FrameClock, PauseFreezesStageFrameAndTheWorld) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    Scene = Stage1Scene;
    StageFrame = 100;
    WorldRunning = 0;
    game.Frames(10);
    EXPECT_EQ(StageFrame, 100);
    WorldRunning = 1;
    game.Frames(3);
    EXPECT_EQ(StageFrame, 103);
}
