// A golden run of stage 1: the game started from the title with fixed keys and seed, played by an
// untouchable test pilot who fires all the time and sweeps up and down, until the frame handler
// moves on to stage 2. Any change to the engine or the script that alters stage 1 changes the end
// state recorded here; when such a change is intended, record the new values from the failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "tests/support/StageGame.h"
#include "world/WorldHash.h"

using namespace veltrano;

namespace {

// Every object slot, the ship and every shot, as the replays' checkpoints hash them.
uint64_t HashObjectsAndShip() {
    Fnv hash;
    hash.AddWide(HashObjectSlots());
    hash.AddWide(HashShipAndShots());
    return hash.Value;
}

}  // namespace

TEST(StageGolden, StageOnePlayedByAnUntouchablePilotEndsAsRecorded) {
    testdata::StageGame g{testdata::Pictures::Dropped};  // seeded from the clock time 00:00:00.000
    HeadlessBackend& keys = g.Game.Platform;
    auto tap = [&](int vk) {
        keys.Press(vk);
        g.Game.Frame();
        keys.Press(vk, false);
        g.Game.Frames(9);
    };
    g.Game.Frames(10);
    tap(Vk::Space);  // skip the title animation
    tap(Vk::Space);  // the ship select
    tap(Vk::Space);  // start with the first weapon
    ASSERT_EQ(Scene, Stage1Scene);
    ShotPower = 3;
    Option1On = Option2On = 1;

    Fnv checkpoints;
    uint64_t last = 0;
    int lastStep = 0;
    int flags = 0;  // read in stage 1: the next stage's init clears them
    Pilot pilot(testdata::SweepingPilot());
    while (Scene == Stage1Scene && g.Game.Form.FramesRun() < 12000) {
        pilot.Steer(keys.Input);
        lastStep = StageFrame;
        flags = BonusFlags[1] + 2 * BonusFlags[2] + 4 * BonusFlags[3] + 8 * BonusFlags[4];
        if (StageFrame % 500 == 0) checkpoints.AddWide(HashObjectsAndShip());
        if (EnemyState[6] == StateDestroyed) last = HashObjectsAndShip();
        g.Game.Frame();
    }
    ASSERT_EQ(Scene, Stage2Scene);
    // The boss fell to the pilot's shots at step 4655 (100 steps before the move), with its bonus.
    EXPECT_EQ(lastStep, 4754);
    EXPECT_EQ(g.Game.Form.FramesRun(), 4785);
    EXPECT_EQ(Score, 146800);
    EXPECT_EQ(Lives, 4);
    EXPECT_EQ(EnemyHP[6], 0);
    // Won: the spread guns' fliers, the upper pods and the upper crossing group; not the others.
    EXPECT_EQ(flags, 11);
    EXPECT_EQ(checkpoints.Value, 3342205952173903935u);
    EXPECT_EQ(last, 6790301107354429693u);
}

// Drawing feeds nothing back into play: a game whose pictures are dropped plays the frames of one
// that draws them, its back buffer stays black, and the next game draws again.
TEST(StageGolden, AGameWithoutPicturesPlaysTheSameFrames) {
    auto play = [](testdata::Pictures pictures) {
        testdata::StageGame g{pictures};
        g.Enter(Stage1Scene);
        Pilot pilot(testdata::SweepingPilot());
        std::vector<uint64_t> hashes;
        while (StageFrame < 1500) {
            pilot.Steer(g.Game.Platform.Input);
            g.Game.Frame();
            if (StageFrame % 100 == 0)
                hashes.insert(hashes.end(), {HashObjectSlots(), HashShipAndShots(), uint64_t(Score)});
        }
        const bool black = std::all_of(BackBuffer.Pixels.begin(), BackBuffer.Pixels.end(),
                                       [](uint32_t pixel) { return pixel == 0; });
        return std::make_pair(hashes, black);
    };
    const auto [drawnHashes, drawnBlack] = play(testdata::Pictures::Drawn);
    const auto [droppedHashes, droppedBlack] = play(testdata::Pictures::Dropped);
    EXPECT_EQ(droppedHashes, drawnHashes);
    EXPECT_EQ(drawnHashes.size(), 45u);
    EXPECT_FALSE(drawnBlack);
    EXPECT_TRUE(droppedBlack);
    EXPECT_FALSE(play(testdata::Pictures::Drawn).second);
}
