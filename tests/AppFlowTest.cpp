// Whole-game flows through the real frame handler: menus, the start of a game, pause, continue and
// game over, the score list, the ini and save files across a restart, and the boss rush.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ProgramFiles.h"
#include "app/ProgramFolder.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "tests/support/ProgramFolder.h"
#include "world/Music.h"
#include "world/World.h"

using namespace veltrano;
using testdata::Tap;

namespace {

bool Loaded(SoundSlot slot, MusicPiece piece) {
    return SoundSlots[slot].File == ProgramPath(MusicFile(piece));
}

// From start-up through the title (animation skipped) and the ship select into stage 1.
void StartStageOne(HeadlessGame& game, int shotType = 1) {
    Tap(game, Vk::Space);  // skip the title animation
    Tap(game, Vk::Space);  // the first entry: the ship select
    EXPECT_EQ(Scene, ShipSelectScene);
    for (int t = 1; t < shotType; ++t) Tap(game, Vk::Down);
    Tap(game, Vk::Space);
}

// From the title of a cleared game, with StartScene set by Delete and `inserts` Inserts, into the game.
void StartFromTheTitle(HeadlessGame& game, int inserts) {
    GameCleared = 1;
    game.KeyDown(Vk::Delete);
    for (int i = 0; i < inserts; ++i) game.KeyDown(Vk::Insert);
    Tap(game, Vk::Space);  // skip the title animation
    Tap(game, Vk::Space);  // the ship select
    Tap(game, Vk::Space);  // the start
}

MusicPiece StageTheme(int bossScene) {
    return StageMusicPiece(StageOfBossScene(bossScene));
}

MusicPiece BossTheme(int bossScene) {
    return bossScene == BossRush10Scene ? MusicPiece::Boss2 : MusicPiece::Boss;
}

}  // namespace

TEST(GameFlow, TitleToShipSelectToStageOneAndBackByHome) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    game.Frames(20);
    Tap(game, Vk::Space);
    EXPECT_EQ(Scene, TitleScene);  // the first press before frame 600 only skips the animation
    EXPECT_EQ(EnemyY[700], 64);
    EXPECT_EQ(MenuCursorY(), 288);
    Tap(game, Vk::Space);
    ASSERT_EQ(Scene, ShipSelectScene);
    Tap(game, Vk::Down);
    Tap(game, Vk::Down);
    EXPECT_EQ(ShotType, 3);
    EXPECT_EQ(MenuCursorY(), 192);
    game.Platform.Press(Vk::Down);  // a held direction moves once
    game.Frames(5);
    game.Platform.Press(Vk::Down, false);
    EXPECT_EQ(ShotType, 4);
    Tap(game, Vk::Up);
    Tap(game, Vk::Space);
    ASSERT_EQ(Scene, Stage1Scene);
    EXPECT_EQ(ShotType, 3);
    EXPECT_EQ(ControlEnabled, 1);
    EXPECT_TRUE(Loaded(StageMusic, MusicPiece::Stage1));
    EXPECT_TRUE(SoundSlots[StageMusic].Playing);
    EXPECT_TRUE(SoundSlots[StageMusic].Looping);
    EXPECT_EQ(StageFrame, 2);  // the start's own frame already ran the first step
    game.KeyDown(Vk::Home);
    EXPECT_EQ(Scene, TitleScene);
    EXPECT_FALSE(SoundSlots[StageMusic].Playing);
}

TEST(GameFlow, UpAndConfirmInOneFrameMovesFirstThenChooses) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    Tap(game, Vk::Space);
    Tap(game, Vk::Down);
    EXPECT_EQ(MenuCursorY(), 352);
    game.Platform.Press(Vk::Up);
    game.Platform.Press(Vk::Space);
    game.Frame();
    EXPECT_EQ(Scene, ShipSelectScene);
}

TEST(GameFlow, KeyConfigurationRoundTripsThroughTheIniFile) {
    const auto folder = testdata::MakeProgramFolder();
    {
        HeadlessGame game(folder.string());
        Tap(game, Vk::Space);
        Tap(game, Vk::Down);
        Tap(game, Vk::Space);
        ASSERT_EQ(Scene, KeyConfigScene);
        EXPECT_EQ(MenuCursorY(), 64);
        Tap(game, Vk::Space);  // the cursor starts on the top row: confirm leaves at once
        ASSERT_EQ(Scene, TitleScene);
        Tap(game, Vk::Space);  // the title starts its animation again: skip it
        Tap(game, Vk::Down);
        Tap(game, Vk::Space);
        ASSERT_EQ(Scene, KeyConfigScene);
        Tap(game, Vk::Down);  // difficulty
        Tap(game, Vk::Right);
        Tap(game, Vk::Right);  // at most 2
        EXPECT_EQ(Difficulty, 2);
        EXPECT_EQ(Lives, 3);
        Tap(game, Vk::Down);  // the cursor skips Y 192 to the speed row
        EXPECT_EQ(MenuCursorY(), 240);
        Tap(game, Vk::Right);
        EXPECT_EQ(SpeedButton, 2);
        for (int i = 0; i < 12; ++i) Tap(game, Vk::Right);
        EXPECT_EQ(SpeedButton, 10);  // at most 10
        Tap(game, Vk::Down);
        Tap(game, Vk::Down);
        Tap(game, Vk::Down);  // the confirm row
        Tap(game, Vk::Left);
        Tap(game, Vk::Left);
        Tap(game, Vk::Left);
        Tap(game, Vk::Left);
        Tap(game, Vk::Left);  // 9 -> 4: confirm moves to Enter on the next frame
        EXPECT_EQ(ConfirmButton, 4);
        Tap(game, Vk::Space);  // confirm on a row but the top one does nothing
        EXPECT_EQ(Scene, KeyConfigScene);
        for (int i = 0; i < 5; ++i) Tap(game, Vk::Up);
        EXPECT_EQ(MenuCursorY(), 64);
        Tap(game, Vk::Space);  // Space is no longer confirm
        EXPECT_EQ(Scene, KeyConfigScene);
        Tap(game, Vk::Enter);
        EXPECT_EQ(Scene, TitleScene);
        EXPECT_EQ(Difficulty, 2);  // kept for the game, never written
        game.Close();
    }
    const std::string ini = testdata::ReadFile(folder / ConfigFileName);
    EXPECT_NE(ini.find("Z=10"), std::string::npos) << ini;
    EXPECT_NE(ini.find("SPACE=4"), std::string::npos) << ini;
    HeadlessGame again(folder.string());
    EXPECT_EQ(SpeedButton, 10);
    EXPECT_EQ(ConfirmButton, 4);
    EXPECT_EQ(Difficulty, 1);
}

TEST(GameFlow, ConfirmPausesAndResumesAndAHeldConfirmPausesOnce) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    StartStageOne(game);
    game.Frames(10);
    const int frame = StageFrame;
    game.Platform.Press(Vk::Space);
    game.Frames(20);
    EXPECT_EQ(WorldRunning, 0);
    EXPECT_EQ(StageFrame, frame);
    game.Platform.Press(Vk::Space, false);
    game.Frame();
    Tap(game, Vk::Space);
    EXPECT_EQ(WorldRunning, 1);
    EXPECT_GT(StageFrame, frame);
}

TEST(GameFlow, ALostLastShipOffersAContinueThatAddsAPointAndGrantsByDifficulty) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    StartStageOne(game);
    Lives = 0;
    game.Frame();
    EXPECT_EQ(GameOver, 1);
    EXPECT_EQ(WorldRunning, 0);
    game.Frames(39);  // the countdown shows 九 from its second frame
    EXPECT_EQ(EnemyX[350], 256);
    Score = 0;
    Difficulty = 2;
    Option2On = 0;
    Tap(game, Vk::Space);
    EXPECT_EQ(GameOver, 0);
    EXPECT_EQ(Score, 1);
    EXPECT_EQ(ContinuesUsed, 1);
    EXPECT_EQ(Lives, 3);
    EXPECT_EQ(Option1On, 1);
    EXPECT_EQ(Option2On, 0);
    EXPECT_EQ(ShotPower, 1);
    EXPECT_EQ(WorldRunning, 1);
    // A second game over on difficulty 0 grants five ships, both options and full power.
    Lives = 0;
    game.Frame();
    Difficulty = 0;
    Tap(game, Vk::Space);
    EXPECT_EQ(Score, 2);
    EXPECT_EQ(Lives, 5);
    EXPECT_EQ(Option2On, 1);
    EXPECT_EQ(ShotPower, 3);
}

TEST(GameFlow, TheCountdownRunsOutSilencesTheMusicAndConfirmEndsTheGameIntoTheScores) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    std::fill(HighScores, HighScores + HighScoreCount, 0);
    StartStageOne(game);
    Score = 12345;
    Lives = 0;
    game.Frames(402);
    EXPECT_EQ(CountdownExpired, 1);
    EXPECT_FALSE(SoundSlots[StageMusic].Playing);
    EXPECT_FALSE(SoundSlots[BossMusic].Playing);
    EXPECT_EQ(EnemyX[100], 256);  // 〇 stays for the last step
    Tap(game, Vk::Space);
    EXPECT_EQ(Scene, TitleScene);
    EXPECT_EQ(HighScores[0], 12345);
    EXPECT_EQ(Lives, 4);
    EXPECT_TRUE(Loaded(StageMusic, MusicPiece::Stage1));  // a game over does not reload the music
}

TEST(GameFlow, TheTenBestScoresAndTheClearedFlagSurviveARestart) {
    const auto folder = testdata::MakeProgramFolder();
    {
        HeadlessGame game(folder.string());
        StartStageOne(game);
        Score = 777;
        GameCleared = 1;
        game.KeyDown(Vk::Escape);
        ASSERT_TRUE(game.Platform.CloseRequested);
        game.Close();
    }
    HeadlessGame game(folder.string());
    EXPECT_EQ(HighScores[0], 777);
    EXPECT_EQ(GameCleared, 1);
    // The score list shows them over the backdrop after 864 title frames; confirm goes back.
    game.Frames(864);
    ASSERT_EQ(Scene, ScoreListScene);
    game.Frames(3);
    Tap(game, Vk::Space);
    EXPECT_EQ(Scene, TitleScene);
}

TEST(GameFlow, ACleanedGameStartsWhereInsertAndDeleteSay) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    GameCleared = 1;
    for (int i = 0; i < 9; ++i) game.KeyDown(Vk::Insert);  // 2 + 9: stage 10
    Tap(game, Vk::Space);
    Tap(game, Vk::Space);
    Tap(game, Vk::Space);
    EXPECT_EQ(Scene, Stage10Scene);
    EXPECT_TRUE(Loaded(StageMusic, MusicPiece::Stage10));
    EXPECT_TRUE(Loaded(BossMusic, MusicPiece::Boss2));
    game.KeyDown(Vk::Home);
    GameCleared = 1;
    game.KeyDown(Vk::Delete);  // the boss rush
    Tap(game, Vk::Space);
    Tap(game, Vk::Space);
    Tap(game, Vk::Space);
    EXPECT_EQ(Scene, BossRush1Scene);
    EXPECT_TRUE(Loaded(BossMusic, MusicPiece::Boss));
    // 13, and anything past the last boss scene, start stage 1.
    for (int start : {ChallengeEnduranceScene, BossRush10Scene + 1, 40}) {
        game.KeyDown(Vk::Home);
        StartScene = start;
        Tap(game, Vk::Space);
        Tap(game, Vk::Space);
        Tap(game, Vk::Space);
        EXPECT_EQ(Scene, Stage1Scene) << start;
    }
}

TEST(BossRush, InsertAfterDeleteStartsEachBossSceneWithTheMusicTheChainPlaysOnEnteringIt) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    for (int stage = 1; stage <= 10; ++stage) {
        const int scene = BossSceneOf(stage);
        StartFromTheTitle(game, stage - 1);
        ASSERT_EQ(Scene, scene);
        EXPECT_TRUE(Loaded(StageMusic, StageTheme(scene))) << scene;
        EXPECT_TRUE(Loaded(BossMusic, BossTheme(scene))) << scene;
        EXPECT_TRUE(SoundSlots[StageMusic].Playing) << scene;
        EXPECT_EQ(ControlEnabled, 1);
        game.KeyDown(Vk::Home);
    }
}

TEST(BossRush, DeleteRunsTheChainThroughSceneTwentyThreeToTheStaffRollWithTheBossMusic) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    game.DropPictures();
    StartFromTheTitle(game, 0);
    ASSERT_EQ(Scene, BossRush1Scene);
    std::vector<int> visited = {Scene};
    int lastSlot = BossSlot, lastHP = EnemyHP[BossSlot];
    bool bossMusicHeard = false;
    HeadlessBackend& keys = game.Platform;
    // An untouchable pilot who fires all the time and sweeps up and down.
    while (Scene != StaffRollScene && game.Form.FramesRun() < 200000) {
        PlayerUntouchable = 1;
        keys.Press(Vk::X);
        const bool up = (StageFrame / 48) % 2 == 0;
        keys.Press(Vk::Up, up);
        keys.Press(Vk::Down, !up);
        game.Frame();
        if (Scene != visited.back()) {
            EXPECT_TRUE(bossMusicHeard) << "scene " << visited.back();
            visited.push_back(Scene);
            lastSlot = BossSlot;
            lastHP = EnemyHP[BossSlot];
            bossMusicHeard = false;
            continue;
        }
        // The fight never heals its boss (a scene with two bosses in turn moves BossSlot on).
        if (BossSlot == lastSlot) {
            EXPECT_LE(EnemyHP[BossSlot], lastHP) << "scene " << Scene << " frame " << StageFrame;
        }
        if (StageFrame == 1) {
            bossMusicHeard = SoundSlots[BossMusic].Playing && !SoundSlots[StageMusic].Playing &&
                             Loaded(BossMusic, BossTheme(Scene));
        }
        // The chain is what is tested here, not the fights: from frame 1 on every boss has one hit
        // point left, so the pilot brings each down soon after it can be hit.
        if (StageFrame >= 1 && EnemyHP[BossSlot] > 1) EnemyHP[BossSlot] = 1;
        lastSlot = BossSlot;
        lastHP = EnemyHP[BossSlot];
    }
    const std::vector<int> chain = {14, 15, 16, 17, 18, 19, 20, 21, 22, 23, StaffRollScene};
    EXPECT_EQ(visited, chain);
    EXPECT_TRUE(Loaded(StageMusic, MusicPiece::Ending));
    EXPECT_TRUE(SoundSlots[StageMusic].Playing);
}
