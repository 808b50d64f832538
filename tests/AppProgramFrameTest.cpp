#include <gtest/gtest.h>

#include "app/ProgramFrame.h"
#include "app/headless/HeadlessGame.h"
#include "platform/Input.h"
#include "tests/support/ProgramFolder.h"

using namespace veltrano;

// The loop's function, called at the cadence of a machine's loop or of a browser's animation frames,
// holds the game to 40 frames a second whenever it is called at least that often, and to one frame
// a call when it is called less often.
TEST(ProgramFrame, EveryCadenceRunsTheSameFrameClock) {
    struct Case {
        const char* What;
        double CallMs;
        long FramesInTenSeconds;
    };
    const Case cases[] = {
        {"the desktop's 1 ms loop", 1.0, 400},
        {"animation frames at 60 Hz", 1000.0 / 60, 400},
        {"animation frames at 144 Hz", 1000.0 / 144, 400},
        {"animation frames at 30 Hz: one frame a call", 1000.0 / 30, 300},
    };
    HeadlessGame game(testdata::MakeProgramFolder().string());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        ProgramFrame frame(game.Form, game.Platform);
        const long before = game.Form.FramesRun();
        const uint64_t start = 5000000;
        for (double t = 0; t < 10000; t += c.CallMs)
            ASSERT_TRUE(frame.Advance(start + static_cast<uint64_t>(t)));
        EXPECT_NEAR(game.Form.FramesRun() - before, c.FramesInTenSeconds, 2);
    }
}

TEST(ProgramFrame, WindowEventsReachTheMainWindowAndEscapeEndsTheLoop) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    ProgramFrame frame(game.Form, game.Platform);
    EXPECT_TRUE(frame.Advance(0));
    game.Platform.Events.push_back({WindowEvent::Kinds::KeyDown, Vk::F10});
    EXPECT_TRUE(frame.Advance(30));
    EXPECT_EQ(game.Platform.DisplayChanges, 1);  // the scaling was cycled by the main window
    game.Platform.Events.push_back({WindowEvent::Kinds::KeyDown, Vk::Escape});
    EXPECT_FALSE(frame.Advance(60));
    const long frames = game.Form.FramesRun();
    EXPECT_FALSE(frame.Advance(90));  // once closing, nothing more runs
    EXPECT_EQ(game.Form.FramesRun(), frames);
}
