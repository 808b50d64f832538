// The sound bank as the game uses it: every cue heard in the audio of its own frame, a mix that
// never clips, and a wave that cannot be read at a scene change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/ProgramFiles.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "stages/Stage.h"
#include "tests/support/ProgramFolder.h"
#include "world/Music.h"
#include "world/World.h"

using namespace veltrano;

namespace {

// Every test that plays the game headless mixes through the sound bank, the whole-stage runs with
// their firing pilots among them; at the end of the test program none of it may have reached full
// scale.
class MixNeverReachesFullScale : public ::testing::Environment {
   public:
    void TearDown() override {
        const MixMeter meter = SoundBankMeter();
        EXPECT_EQ(meter.FullScaleSamples, 0) << "of " << meter.Frames << " frames mixed";
    }
};
[[maybe_unused]] const auto* const MixCheck =
    ::testing::AddGlobalTestEnvironment(new MixNeverReachesFullScale);

// The index of the first sample of a frame's audio that is not silence, or -1.
int FirstSound(const std::vector<int16_t>& audio) {
    const auto found = std::find_if(audio.begin(), audio.end(), [](int16_t v) { return v != 0; });
    return found == audio.end() ? -1 : static_cast<int>(found - audio.begin());
}

}  // namespace

TEST(SoundBank, ACueIsHeardInTheAudioOfItsOwnFrameAndSilencedInTheNext) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    Scene = Stage1Scene;  // a scene with no cues of its own on these frames
    WorldRunning = 0;
    game.Frames(3);
    EXPECT_EQ(FirstSound(game.FrameSound()), -1);
    RestartSound(BombSound);
    game.Frame();
    // Heard at once, behind only the limiter's look-ahead.
    const int first = FirstSound(game.FrameSound());
    ASSERT_GE(first, 0);
    EXPECT_LE(first / MixChannels, SoftLimiter::LookAhead + 8);
    SilenceSound(BombSound);
    game.Frame();
    // Only the look-ahead's last few milliseconds of the bomb and its fade are left in the next frame.
    const std::vector<int16_t>& after = game.FrameSound();
    EXPECT_TRUE(std::all_of(after.begin() + (SoftLimiter::LookAhead + FadeFrames) * MixChannels, after.end(),
                            [](int16_t v) { return v == 0; }));
}

TEST(SoundBank, EverySlotPlayingAtOnceStaysBelowFullScale) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    LoadWave(StageMusic, MusicFile(MusicPiece::Stage10));
    LoadWave(BossMusic, MusicFile(MusicPiece::Boss2));
    for (int s = 0; s < SoundSlotCount; ++s) PlaySound(static_cast<SoundSlot>(s), true);
    WorldRunning = 0;
    const MixMeter before = SoundBankMeter();
    int peak = 0;
    for (int f = 0; f < 400; ++f) {
        game.Frame();
        for (int16_t v : game.FrameSound()) peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    const MixMeter after = SoundBankMeter();
    EXPECT_EQ(after.FullScaleSamples, before.FullScaleSamples);
    EXPECT_LE(peak, SoftLimiter::Ceiling);
    EXPECT_GT(after.LimitedFrames, before.LimitedFrames) << "all eleven at once need the limiter";
}

TEST(SoundBank, TheMusicReachesTheMixInStereo) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    WorldRunning = 0;
    PlaySound(StageMusic, true);
    double sides = 0, mid = 0;
    for (int f = 0; f < 40; ++f) {
        game.Frame();
        const std::vector<int16_t>& sound = game.FrameSound();
        for (size_t i = 0; i + 1 < sound.size(); i += 2) {
            const double l = sound[i], r = sound[i + 1];
            sides += (l - r) * (l - r);
            mid += (l + r) * (l + r);
        }
    }
    EXPECT_GT(mid, 0.0);
    EXPECT_GT(sides, mid * 0.01) << "the two sides carry different voices";
}

TEST(SoundBank, AWaveThatCannotBeReadAtAGamesStartNamesItselfAndTheScoresAreStillSaved) {
    namespace fs = std::filesystem;
    const fs::path folder = testdata::MakeProgramFolder();
    // A Sounds folder of its own, with a folder where the second stage's music should be.
    const fs::path stage2 = testdata::OwnSoundsFolderWithout(folder, MusicFile(MusicPiece::Stage2));
    fs::create_directory(stage2);

    HeadlessGame game(folder.string());
    const std::string loaded = SoundSlots[StageMusic].File;
    Scene = ShipSelectScene;
    SceneInit();
    StartScene = Stage2Scene;
    game.Platform.Press(Vk::Space);
    std::string message;
    try {
        game.Frame();
    } catch (const LoadError& e) {
        message = e.what();
    }
    EXPECT_NE(message.find(stage2.string() + ": is a folder"), std::string::npos) << message;
    EXPECT_EQ(SoundSlots[StageMusic].File, loaded);  // the slot keeps what it held
    // The program entry then takes the close path, which keeps the run's score.
    Score = 4321;
    game.Close();
    const std::string save = testdata::ReadFile(folder / SaveFileName);
    ASSERT_EQ(save.size(), SaveFileBytes);
    EXPECT_EQ(static_cast<unsigned char>(save[4]) | static_cast<unsigned char>(save[5]) << 8, 4321);
}
