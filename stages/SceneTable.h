// One row per scene: what its script is, which boss ends it, which music it plays and when, and how
// it hands over to the next scene. The scene machine, the sound cues, the stage queries and the
// scripts themselves all read their facts about a scene from here.
#pragma once

#include "stages/BossFight.h"
#include "stages/Scenes.h"
#include "stages/staffroll/StaffRollShow.h"
#include "world/Music.h"
#include "world/TileSets.h"
#include "world/World.h"

namespace veltrano {

constexpr int NoFrame = -1000000;  // a frame or dead time the scene never reaches
constexpr int NoBoss = -1;

// The pieces loaded into the two music slots.
constexpr const char* UsualBossMusic = MusicFile(MusicPiece::Boss);
constexpr const char* LastBossMusic = MusicFile(MusicPiece::Boss2);
constexpr const char* LastBattleMusic = MusicFile(MusicPiece::LastBattle);
constexpr const char* EndingMusic = MusicFile(MusicPiece::Ending);

// Stage 1's boss arrives on this frame of the stage, with its music; its boss-only scene starts here.
constexpr int Stage1BossEntryFrame = 3600;
// Stage 3's boss becomes vulnerable on this frame of the stage, at the start of one of its fire cycles.
constexpr int Stage3BossActiveFrame = 3876;
// Stage 10's last boss stands in place, its rings turning, from this frame of the stage; its boss-only
// scene starts here.
constexpr int Stage10BossStandFrame = 20000;

// The last stage: after it a game that used no continue is offered the last battle.
constexpr int LastStageScene = Stage10Scene;

// The fights after which the road ends: the last stage, the last boss-only scene and both last
// battles. Their boss's fall silences the ship, and the staff roll (or the offer) follows.
constexpr bool EndsTheRoad(int scene) {
    return scene == LastStageScene || scene == BossRush10Scene || scene == ChallengeBattleScene ||
           scene == ChallengeEnduranceScene;
}

// A scene's own sound cues, run every frame while it is current: before the world step (on the
// frame the clock shows) and with the music cues after it (on the clock the step left).
struct SceneCues {
    void (*BeforeStep)() = nullptr;
    void (*AfterStep)() = nullptr;
};

// The music of a scene: the pieces loaded into StageMusic and BossMusic when the scene is entered
// from another (nullptr: the slot keeps its piece), the frame of the boss alarm and the frame at
// which the stage music gives way to the boss's.
struct SceneMusic {
    const char* StageFile = nullptr;
    const char* BossFile = nullptr;
    int AlarmFrame = NoFrame, BossFrame = NoFrame;
};

// How a scene ends after its boss falls, in the boss's EnemyDeadTime: the music stops, the next scene
// begins, and the panel whiteout covers the screen from the first to the last (inclusive).
struct BossEnd {
    int MusicStopAt = NoFrame, NextSceneAt = NoFrame;
    int WhiteoutFirst = NoFrame, WhiteoutLast = NoFrame;
};

constexpr BossEnd UsualEnd{84, 100, 36, 83};
// Stage 3's boss ship burns for longer.
constexpr BossEnd Stage3End{192, 200, 143, 190};
// Stage 5 ends on its clock: its boss's fall only stops the music, late, and brings no whiteout.
constexpr BossEnd Stage5End{269, NoFrame, NoFrame, NoFrame};

struct SceneRow {
    int Scene;
    const char* Name;
    TileSet Tiles;                  // the tile rules its background layers are laid by
    void (*Write)(ScriptBuilder&);  // nullptr: the scene has no script
    BossFight Fight;                // Slot NoBoss: no boss ends the scene
    SceneMusic Music;
    BossEnd End;
    int EndFrame = NoFrame;  // the scene ends on its own clock at this frame
    SceneCues Cues{};
};

constexpr BossFight NoFight{NoBoss};

constexpr const char* StageMusicFile(int stage) {
    return MusicFile(StageMusicPiece(stage));
}

// The music of stage `stage` and of its boss-only scene, whose alarm and boss music come at its
// own frames.
constexpr SceneMusic StageMusicOf(int stage, int alarm, int bossFrame) {
    return {StageMusicFile(stage), stage == 10 ? LastBossMusic : UsualBossMusic, alarm, bossFrame};
}

// clang-format off
inline constexpr SceneRow SceneRows[] = {
    //  scene                    name                   tile set                  script                   fight: boss, shift, time-outs  music                                 end        end frame
    {ScoreListScene,          "score list",          TileSet::Menus,             WriteScoreList,          NoFight,                {},                                     {}},
    {KeyConfigScene,          "key configuration",   TileSet::Menus,             WriteKeyConfig,          NoFight,                {},                                     {}},
    {ShipSelectScene,         "ship select",         TileSet::Menus,             WriteShipSelect,         NoFight,                {},                                     {}},
    {TitleScene,              "title",               TileSet::Menus,             WriteTitle,              NoFight,                {},                                     {},         864,     {SoundTitleStrikes}},
    {Stage1Scene,             "stage 1",             TileSet::Stage1,            WriteStage1,             {6, 0, 7600},           StageMusicOf(1, 3344, Stage1BossEntryFrame), UsualEnd},
    {Stage2Scene,             "stage 2",             TileSet::Stage2,            WriteStage2,             {7, 0, 7600, 6600},     StageMusicOf(2, 3742, 3968),            UsualEnd},
    {Stage3Scene,             "stage 3",             TileSet::Stage3,            WriteStage3,             {9, 0, 7876},           StageMusicOf(3, 3620, 3796),            Stage3End,  NoFrame, {nullptr, SoundStage3Barrage}},
    {Stage4Scene,             "stage 4",             TileSet::Stage4,            WriteStage4,             {11, 0, 7128, 8128},    StageMusicOf(4, 3872, 4128),            UsualEnd},
    {Stage5Scene,             "stage 5",             TileSet::Stage5,            WriteStage5,             {12, 0, 7600},          StageMusicOf(5, 1311, 1567),            Stage5End,  10352,   {nullptr, SoundStage5Close}},
    {Stage6Scene,             "stage 6",             TileSet::Stage6,            WriteStage6,             {13, 0, 8800},          StageMusicOf(6, 4558, 4782),            UsualEnd},
    {Stage7Scene,             "stage 7",             TileSet::Stage7,            WriteStage7,             {14, 0, 9200},          StageMusicOf(7, 4958, 5182),            UsualEnd},
    {Stage8Scene,             "stage 8",             TileSet::Stage4Backdrop,    WriteStage8,             {15, 0, 9000},          StageMusicOf(8, 4556, 4812),            UsualEnd},
    {Stage9Scene,             "stage 9",             TileSet::Stage9,            WriteStage9,             {16, 0, 10000},         StageMusicOf(9, 5744, 6000),            UsualEnd},
    {Stage10Scene,            "stage 10",            TileSet::Stage10,           WriteStage10,            {17, 0, 44320},         StageMusicOf(10, 5744, 6000),           UsualEnd},
    {ChallengeBattleScene,    "challenge battle",    TileSet::Stage9Backdrop,    WriteChallengeBattle,    {18},                   {LastBattleMusic},                      UsualEnd},
    {ChallengeEnduranceScene, "challenge endurance", TileSet::Stage9Backdrop,    WriteChallengeEndurance, {19},                   {LastBattleMusic},                      UsualEnd},
    {BossRush1Scene,          "boss of stage 1",     TileSet::Stage1,            WriteBossRush1,          {6, Stage1BossEntryFrame, 8000}, StageMusicOf(1, -256, 0),       UsualEnd},
    {BossRush2Scene,          "boss of stage 2",     TileSet::Stage2Backdrop,    WriteBossRush2,          {7, 3968, 8000, 3000},  StageMusicOf(2, -256, 0),               UsualEnd},
    {BossRush3Scene,          "boss of stage 3",     TileSet::Stage3,            WriteBossRush3,          {9, Stage3BossActiveFrame, 8000}, StageMusicOf(3, -337, -81),    Stage3End,  NoFrame, {nullptr, SoundStage3Barrage}},
    {BossRush4Scene,          "boss of stage 4",     TileSet::Stage4Backdrop,    WriteBossRush4,          {11, 4000, 6000, 8000}, StageMusicOf(4, -256, 0),               UsualEnd},
    {BossRush5Scene,          "boss of stage 5",     TileSet::Stage5Backdrop,    WriteBossRush5,          {12, 1600, 8000},       StageMusicOf(5, -256, 0),               UsualEnd},
    {BossRush6Scene,          "boss of stage 6",     TileSet::Stage6Backdrop,    WriteBossRush6,          {13, 4800, 8000},       StageMusicOf(6, -256, 0),               UsualEnd},
    {BossRush7Scene,          "boss of stage 7",     TileSet::Stage7Backdrop,    WriteBossRush7,          {14, 5200, 8000},       StageMusicOf(7, -256, 0),               UsualEnd},
    {BossRush8Scene,          "boss of stage 8",     TileSet::Stage4Backdrop,    WriteBossRush8,          {15, 5000, 4000},       StageMusicOf(8, -455, -189),            UsualEnd},
    {BossRush9Scene,          "boss of stage 9",     TileSet::Stage9,            WriteBossRush9,          {16, 6000, 4000},       StageMusicOf(9, -256, 0),               UsualEnd},
    {BossRush10Scene,         "boss of stage 10",    TileSet::Stage10,           WriteBossRush10,         {17, Stage10BossStandFrame, 44320}, StageMusicOf(10, -256, 0),  UsualEnd},
    {StaffRollScene,          "staff roll",          TileSet::StaffRoll,         WriteStaffRoll,          NoFight,                {EndingMusic},                          {}},
    {ChallengeScene,          "challenge message",   TileSet::ChallengeMessage,  WriteChallengeMessage,   NoFight,                {},                                     {},         800},
};
// clang-format on

constexpr int SceneRowCount = sizeof(SceneRows) / sizeof(SceneRows[0]);
static_assert(SceneRowCount == LastScene - FirstScene + 1, "one row per scene");

constexpr bool RowsInSceneOrder() {
    for (int i = 0; i < SceneRowCount; ++i)
        if (SceneRows[i].Scene != FirstScene + i) return false;
    return true;
}
static_assert(RowsInSceneOrder(), "the rows are in scene order, so a scene finds its row by number");

// The row of `scene`; nullptr outside ScoreListScene..ChallengeScene.
constexpr const SceneRow* SceneRowOf(int scene) {
    return scene < FirstScene || scene > LastScene ? nullptr : &SceneRows[scene - FirstScene];
}

// The row of a scene that is known to exist, for the scripts.
constexpr const SceneRow& RowOf(int scene) {
    return SceneRows[scene - FirstScene];
}

// The tile set of `scene`, from its row; TileSet::None outside the scenes.
constexpr TileSet TileSetOfScene(int scene) {
    const SceneRow* row = SceneRowOf(scene);
    return row != nullptr ? row->Tiles : TileSet::None;
}

// The boss's explosion covers the screen: true while the current scene's boss slot has been dead
// for a number of frames inside its whiteout window.
bool BossWindowOpen();

}  // namespace veltrano
