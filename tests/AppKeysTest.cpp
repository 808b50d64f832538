#include <gtest/gtest.h>

#include "app/ProgramFolder.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "tests/support/ProgramFolder.h"
#include "world/Music.h"
#include "world/World.h"

using namespace veltrano;

TEST(DirectKeys, EscapeAsksTheWindowToCloseAndTheOtherTestsStillRun) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    EXPECT_FALSE(game.Platform.ScreenSaverActive);  // switched off at start-up
    game.KeyDown(Vk::Escape);
    EXPECT_TRUE(game.Platform.CloseRequested);
    EXPECT_EQ(Scene, TitleScene);
}

TEST(DirectKeys, InsertAndDeleteChooseTheStartOnlyOnTheTitleOfAClearedGame) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    GameCleared = 0;
    game.KeyDown(Vk::Insert);
    EXPECT_EQ(StartScene, Stage1Scene);
    GameCleared = 1;
    for (int i = 0; i < 11; ++i) game.KeyDown(Vk::Insert);
    EXPECT_EQ(StartScene, 13);  // no upper bound
    game.KeyDown(Vk::Delete);
    EXPECT_EQ(StartScene, BossRush1Scene);
    Scene = ScoreListScene;
    game.KeyDown(Vk::Insert);
    EXPECT_EQ(StartScene, BossRush1Scene);
}

TEST(DirectKeys, HomeRecordsTheScoreSilencesEverySoundAndReturnsToTheTitle) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    std::fill(HighScores, HighScores + HighScoreCount, 0);
    Scene = Stage1Scene;
    Score = 4200;
    Lives = 1;
    WorldRunning = 0;
    LoadWave(StageMusic, MusicFile(MusicPiece::Stage3));
    PlaySound(StageMusic, true);
    RestartSound(ShotSound);
    game.Frames(2);
    game.KeyDown(Vk::Home);
    EXPECT_EQ(HighScores[0], 4200);
    EXPECT_EQ(Scene, TitleScene);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(Lives, 4);
    EXPECT_EQ(WorldRunning, 1);
    for (const SoundBuffer& slot : SoundSlots) {
        EXPECT_FALSE(slot.Playing);
        EXPECT_EQ(slot.Position, 0u);
    }
    // The first stage's music waits in the music slots, not played.
    EXPECT_EQ(SoundSlots[StageMusic].File, ProgramPath(MusicFile(MusicPiece::Stage1)));
    EXPECT_EQ(SoundSlots[BossMusic].File, ProgramPath(MusicFile(MusicPiece::Boss)));
    // Home on the title records a score of 0, which leaves a list of non-negative scores as it was.
    game.KeyDown(Vk::Home);
    EXPECT_EQ(HighScores[0], 4200);
    EXPECT_EQ(HighScores[1], 0);
}

TEST(StartUp, TheActionsReadTheirButtons) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    EXPECT_EQ(SpeedButton, 1);
    EXPECT_EQ(ConfirmButton, 9);
    EXPECT_EQ(SpeedState, StateButton1);
    EXPECT_EQ(FireState, StateButton1 + 1);
    EXPECT_EQ(BurstState, StateButton1 + 2);
    EXPECT_EQ(ConfirmState, StateButton1 + 8);
    ConfirmButton = 4;  // a change takes effect on the next frame
    game.Frame();
    EXPECT_EQ(ConfirmState, StateButton1 + 3);
}
