// The boss rush: Delete on the title of a cleared game starts the ten boss-only scenes in a chain to
// the staff roll, and Insert after Delete starts it at a later boss, with the chain's own music.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SoundBank.h"
#include "platform/headless/HeadlessGame.h"
#include "tests/TestProgramFolder.h"
#include "world/World.h"

using namespace veltrano;

namespace {

void Tap(HeadlessGame& game, int vk) {
    game.Platform.Press(vk);
    game.Frame();
    game.Platform.Press(vk, false);
    game.Frame();
}

bool Loaded(SoundSlot slot, const std::string& name) {
    return SoundSlots[slot].File.find(name) != std::string::npos;
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

std::string StageTheme(int bossScene) {
    return "Sounds/Stage" + std::to_string(bossScene - BossRush1Scene + 1) + ".wav";
}

std::string BossTheme(int bossScene) {
    return bossScene == BossRush10Scene ? "Sounds/Boss2.wav" : "Sounds/Boss.wav";
}

}  // namespace

TEST(BossRush, InsertAfterDeleteStartsEachBossSceneWithTheMusicTheChainPlaysOnEnteringIt) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    for (int scene = BossRush1Scene; scene <= BossRush10Scene; ++scene) {
        StartFromTheTitle(game, scene - BossRush1Scene);
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
    EXPECT_TRUE(Loaded(StageMusic, "Sounds/Ending.wav"));
    EXPECT_TRUE(SoundSlots[StageMusic].Playing);
}
