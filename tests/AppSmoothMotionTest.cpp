// The pictures between ticks: at no share of the tick do they touch the world, the tick's own picture
// is the one the frame drew, and what jumps is drawn where the tick put it, never smeared.
#include <gtest/gtest.h>

#include "app/Presentation.h"
#include "platform/Display.h"
#include "platform/Input.h"
#include "tests/support/StageGame.h"

namespace veltrano {
namespace {

using testdata::StageGame;

Surface& Refresh() {
    static Surface surface;
    if (surface.Width == 0) surface.Create(ScreenWidth, ScreenHeight, 0);
    return surface;
}

// The refresh `behind` of a tick back from the last tick, drawn as the presentation draws it.
const Surface& RefreshAt(double behind) {
    DrawPictureBetween(behind, Refresh());
    return Refresh();
}

bool SamePicture(const Surface& a, const Surface& b) {
    return a.Width == b.Width && a.Height == b.Height && a.Pixels == b.Pixels;
}

// A checksum of everything the world holds that the drawing reads, to prove it is only read.
uint64_t WorldSum() {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
    };
    mix(EnemyX, sizeof EnemyX), mix(EnemyY, sizeof EnemyY), mix(EnemyState, sizeof EnemyState);
    mix(Layer1TileX, sizeof Layer1TileX), mix(Layer3TileX, sizeof Layer3TileX);
    mix(&PlayerX, sizeof PlayerX), mix(&StageFrame, sizeof StageFrame), mix(&Scene, sizeof Scene);
    return h;
}

}  // namespace

TEST(SmoothMotion, TheTickPictureIsTheBackBufferAndARefreshBetweenGlidesWithoutTouchingTheWorld) {
    StageGame g;
    g.Enter(Stage1Scene);
    g.Game.Frames(80);
    const uint64_t world = WorldSum();
    // Nothing behind: exactly the tick's picture, the back buffer as the frame left it.
    EXPECT_TRUE(SamePicture(RefreshAt(0.0), BackBuffer));
    // Half a tick behind, the scrolling backdrop stands between the two ticks: another picture.
    EXPECT_FALSE(SamePicture(RefreshAt(0.5), BackBuffer));
    const TickPicture& tick = *TakenPicture(0);
    const TickPicture& before = *TakenPicture(1);
    const TickPicture& placed = PlacedPicture();
    for (int i = 0; i < TileCount; ++i) {
        const int moved = tick.Back.Layer2.X[i] - before.Back.Layer2.X[i];
        if (moved < -GlideLimit || moved > GlideLimit) {
            // A tile that wrapped stays where the tick put it.
            EXPECT_EQ(placed.Back.Layer2.X[i], tick.Back.Layer2.X[i]) << "tile " << i;
        } else {
            EXPECT_EQ(placed.Back.Layer2.X[i], tick.Back.Layer2.X[i] - moved / 2) << "tile " << i;
        }
    }
    // The display stays on the tick.
    EXPECT_STREQ(placed.Front.ScoreText, tick.Front.ScoreText);
    EXPECT_EQ(placed.Front.Slots.Y[716], tick.Front.Slots.Y[716]);
    EXPECT_EQ(WorldSum(), world);
}

// Across each kind of jump a refresh half a tick behind is the tick's own picture: nothing glides.
TEST(SmoothMotion, ARefreshAcrossAJumpIsTheTicksOwnPicture) {
    StageGame g;
    struct Case {
        const char* Jump;
        void (*Make)(StageGame& g);
    };
    const Case cases[] = {
        {"a scene change by the confirm key",
         [](StageGame& g) {
             g.EnterAt(TitleScene, 700);  // after the title's animation, when confirm leaves it
             g.Game.Frames(5);
             g.Game.Platform.Tap(Vk::Space);
             g.Game.Frame();
             ASSERT_NE(Scene, TitleScene);
             // The confirm comes after the back layers and sprites were taken: the new scene's
             // first picture behind the step is the next tick's.
             g.Game.Frame();
         }},
        {"the player's pause, from its second tick on",
         [](StageGame& g) {
             g.Enter(Stage1Scene);
             g.Game.Frames(40);
             g.Game.Platform.Tap(Vk::Space);
             g.Game.Frames(3);
             ASSERT_EQ(WorldRunning, 0);
         }},
        {"the pause for a lost focus",
         [](StageGame& g) {
             g.Enter(Stage1Scene);
             g.Game.Frames(40);
             g.Game.Form.FormDeactivate();
             g.Game.Frames(3);
             ASSERT_EQ(WorldRunning, 0);
         }},
        {"a new game after Home",
         [](StageGame& g) {
             g.Enter(Stage1Scene);
             g.Game.Frames(40);
             g.Game.KeyDown(Vk::Home);
             g.Game.Frame();
             ASSERT_EQ(Scene, TitleScene);
         }},
        {"the staff roll's first step",
         [](StageGame& g) {
             g.Enter(Stage10Scene);
             g.Game.Frames(3);
             g.Enter(StaffRollScene);
             g.Game.Frame();
         }},
    };
    for (const Case& c : cases) {
        c.Make(g);
        EXPECT_TRUE(SamePicture(RefreshAt(0.5), BackBuffer)) << c.Jump;
    }
}

// The countdown's numeral stands on the tick while a new digit puts its blocks elsewhere (the backdrop
// behind it goes on scrolling, and gliding).
TEST(SmoothMotion, TheContinueCountdownsBlocksStayOnTheTick) {
    StageGame g;
    g.Enter(Stage1Scene);
    g.Game.Frames(3);
    GameOver = 1;
    const int digit = ContinueCountdown / 40;
    while (ContinueCountdown / 40 == digit) g.Game.Frame();
    g.Game.Frames(2);  // the new digit is placed after the next frame, and drawn by the one after
    ASSERT_EQ(WorldRunning, 0);
    DrawPictureBetween(0.5, Refresh());
    const BackPicture& tick = TakenPicture(0)->Back;
    const BackPicture& before = TakenPicture(1)->Back;
    int moved = 0;
    for (int slot = 100; slot < 400; ++slot) {
        moved += tick.Slots.X[slot] != before.Slots.X[slot] || tick.Slots.Y[slot] != before.Slots.Y[slot];
        EXPECT_EQ(PlacedPicture().Back.Slots.X[slot], tick.Slots.X[slot]) << "slot " << slot;
        EXPECT_EQ(PlacedPicture().Back.Slots.Y[slot], tick.Slots.Y[slot]) << "slot " << slot;
    }
    EXPECT_GT(moved, 0);  // the digit did change between the two ticks
}

// The title's pieces slide in gliding; when they strike they shake by the tick, never smeared.
TEST(SmoothMotion, TheTitlesPiecesGlideInAndShakeOnTheTick) {
    StageGame g;
    g.Enter(TitleScene);
    int glided = 0, shakes = 0;
    while (StageFrame < 210) {
        g.Game.Frame();
        DrawPictureBetween(0.5, Refresh());
        const BackPicture& tick = TakenPicture(0)->Back;
        const BackPicture& placed = PlacedPicture().Back;
        for (int slot : {700, 701}) {
            const bool shaking = tick.StageFrame >= 184 && tick.StageFrame < 184 + 24;
            if (shaking && tick.StageFrame > 185) {
                ++shakes;
                EXPECT_EQ(placed.Slots.X[slot], tick.Slots.X[slot]) << "frame " << tick.StageFrame;
            }
            glided += placed.Slots.X[slot] != tick.Slots.X[slot];
        }
    }
    EXPECT_GT(shakes, 20);
    EXPECT_GT(glided, 50);  // the slides toward the strike glide
}

TEST(SmoothMotion, TheBeatKeepsTwentyFiveMillisecondsThroughTheCallsWobble) {
    TickBeat beat;
    EXPECT_EQ(beat.Behind(0), 0.0);  // nothing to draw between before a tick
    beat.TickRan(100);
    EXPECT_DOUBLE_EQ(beat.Behind(100), 1.0);
    EXPECT_DOUBLE_EQ(beat.Behind(112.5), 0.5);
    EXPECT_DOUBLE_EQ(beat.Behind(200), 0.0);  // never past the last tick
    beat.TickRan(133.3);                      // a late call: the beat stays at 125
    EXPECT_DOUBLE_EQ(beat.Behind(137.5), 0.5);
    beat.TickRan(150);
    beat.TickRan(160);  // an early one waits for the beat: 160, not 175
    EXPECT_DOUBLE_EQ(beat.Behind(160), 1.0);
    beat.TickRan(400);  // after a long stall the beat is one tick behind at most
    EXPECT_DOUBLE_EQ(beat.Behind(400), 0.0);
}

}  // namespace veltrano
