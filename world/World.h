// The whole game world: fixed-size global variables and parallel arrays, read and written directly
// by every game module. Nothing here allocates; every entity is a slot index.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "world/Field.h"

namespace veltrano {

// ---- Sizes and slot ranges -------------------------------------------------------------------

constexpr int TileCount = 80;       // tiles per background layer (10 columns by 8 rows)
constexpr int TileSize = 80;        // a tile's side
constexpr int PanelCellCount = 48;  // cover panel cells (8 columns by 6 rows)
constexpr int ShotGroupCount = 17;
constexpr int ShotsPerGroup = 100;
constexpr int ShotCount = ShotGroupCount * ShotsPerGroup;  // 1700
constexpr int ObjectSlotCount = 20000;
constexpr int FirstItemSlot = 800;
constexpr int LastItemSlot = 999;
// The item slots by what the item gives, fifty of each.
constexpr int FirstPowerItemSlot = 800, LastPowerItemSlot = 849;
constexpr int FirstHitPointItemSlot = 850, LastHitPointItemSlot = 899;
constexpr int FirstOptionItemSlot = 900, LastOptionItemSlot = 949;
constexpr int FirstExtraShipItemSlot = 950, LastExtraShipItemSlot = 999;
constexpr int FirstBulletSlot = 9000;
// The scripts' own bullets start here; a fallen boss clears them all, from here to the last.
constexpr int FirstScriptBulletSlot = 11000;
constexpr int LastBulletSlot = 19999;
constexpr int ClampedHPSlotCount = 15000;  // the frame's hit-point clamp stops here
constexpr int MaxBonusFlags = 64;          // the longest flag table any stage asks for
constexpr int HighScoreCount = 10;

constexpr int ParkedPosition = -128;
constexpr int AbsentOptionPosition = 1000;
constexpr int CountdownParkedPosition = -100;

// ---- Scenes ----------------------------------------------------------------------------------

constexpr int ScoreListScene = -2;
constexpr int KeyConfigScene = -1;
constexpr int ShipSelectScene = 0;
constexpr int TitleScene = 1;
constexpr int Stage1Scene = 2;
constexpr int Stage2Scene = 3;
constexpr int Stage3Scene = 4;
constexpr int Stage4Scene = 5;
constexpr int Stage5Scene = 6;
constexpr int Stage6Scene = 7;
constexpr int Stage7Scene = 8;
constexpr int Stage8Scene = 9;
constexpr int Stage9Scene = 10;
constexpr int Stage10Scene = 11;
constexpr int ChallengeBattleScene = 12;
constexpr int ChallengeEnduranceScene = 13;
constexpr int BossRush1Scene = 14;
constexpr int BossRush2Scene = 15;
constexpr int BossRush3Scene = 16;
constexpr int BossRush4Scene = 17;
constexpr int BossRush5Scene = 18;
constexpr int BossRush6Scene = 19;
constexpr int BossRush7Scene = 20;
constexpr int BossRush8Scene = 21;
constexpr int BossRush9Scene = 22;
constexpr int BossRush10Scene = 23;
constexpr int StaffRollScene = 24;
constexpr int ChallengeScene = 25;
constexpr int FirstScene = ScoreListScene;
constexpr int LastScene = ChallengeScene;

// The scenes in which confirm pauses and the continue countdown can run: the stages, the extra
// battles and the boss-only scenes.
constexpr bool IsPlayScene(int scene) {
    return scene >= Stage1Scene && scene <= BossRush10Scene;
}

// The boss-only scenes, which chain from the first stage's boss to the last one's.
constexpr bool IsBossRushScene(int scene) {
    return scene >= BossRush1Scene && scene <= BossRush10Scene;
}

// Stage n (1 to 10) and the boss-only scene of its boss, and back from either scene to its stage.
constexpr int StageScene(int stage) {
    return stage - 1 + Stage1Scene;
}
constexpr int BossSceneOf(int stage) {
    return stage - 1 + BossRush1Scene;
}
constexpr int StageOfScene(int stageScene) {
    return 1 + stageScene - Stage1Scene;
}
constexpr int StageOfBossScene(int bossScene) {
    return 1 + bossScene - BossRush1Scene;
}
static_assert(StageScene(10) == Stage10Scene && BossSceneOf(10) == BossRush10Scene);
static_assert(StageOfScene(Stage10Scene) == 10 && StageOfBossScene(BossRush10Scene) == 10);

// The start rule: the scene a game started from the ship select begins in, by StartScene. 2 to 12
// start that stage or the extra battle, 14 to 23 that boss scene of the boss rush; 13 and anything
// else start stage 1.
constexpr int SceneStartedBy(int startScene) {
    if (startScene >= Stage1Scene && startScene <= ChallengeBattleScene) return startScene;
    if (IsBossRushScene(startScene)) return startScene;
    return Stage1Scene;
}

// Object states.
// Hit classes (EnemySize): how a slot meets the ship and the ship's shots. Classes up to
// LastSmallClass are 16-pixel objects, the rest 32-pixel ones.
constexpr int SmallBulletClass = 0;     // destroyed by contact and by burst shots only; shots fly on
constexpr int SmallEnemyClass = 1;      // damaged by shots; destroyed by contact while the ship lives
constexpr int SmallShotProofClass = 2;  // stops shots, takes no damage, survives contact
constexpr int LargeObjectClass = 3;     // shots fly through; contact destroys it from slot 800 on
constexpr int LargeEnemyClass = 4;      // damaged by shots; contact destroys it from slot 800 on
constexpr int LargeShotProofClass = 5;  // stops shots, takes no damage, survives contact
constexpr int ItemCarrierClass = 6;     // damaged by shots; at no hit points it becomes an item
constexpr int ItemClass = 7;            // an item waiting to be collected: nothing touches it
constexpr int LargeBulletClass = 8;     // a small contact box; destroyed by burst shots only
constexpr int LastSmallClass = SmallShotProofClass;

constexpr int StateActive = 0;
constexpr int StateInert = 1;
constexpr int StateItem = 2;
constexpr int StateDestroyed = 3;

// ---- Input states ----------------------------------------------------------------------------

constexpr int StateUp = 0;
constexpr int StateDown = 1;
constexpr int StateLeft = 2;
constexpr int StateRight = 3;
constexpr int StateButton1 = 4;
constexpr int StateButton32 = 35;
constexpr int InputStateCount = 36;

// An array indexed by the slot number itself, for the tables whose range starts above 0
// (`ItemAge[850]`, `BulletStep[9005]`).
template <typename T, int First, int Last>
struct SlotArray {
    static constexpr int FirstIndex = First;
    static constexpr int LastIndex = Last;
    static constexpr int Count = Last - First + 1;
    T Values[Count];

    T& operator[](int slot) {
        assert(slot >= First && slot <= Last);
        return Values[slot - First];
    }
    const T& operator[](int slot) const {
        assert(slot >= First && slot <= Last);
        return Values[slot - First];
    }
    static constexpr bool Holds(int slot) { return slot >= First && slot <= Last; }
    void Fill(const T& v) {
        for (T& x : Values) x = v;
    }
};

// ---- 1. Scene and clock ----------------------------------------------------------------------

extern int Scene;
extern int StageFrame;
extern uint8_t WorldRunning;

// ---- 2. Background layers --------------------------------------------------------------------

extern int Layer1TileX[TileCount], Layer1TileY[TileCount];
extern int Layer1StepX, Layer1StepY;
extern int Layer2TileX[TileCount], Layer2TileY[TileCount];
extern int Layer2StepX, Layer2StepY;
extern int Layer3TileX[TileCount], Layer3TileY[TileCount];
extern int Layer3StepX, Layer3StepY;
extern uint8_t ForegroundTileOn[TileCount];  // layer-3 tiles shown in stages 6 and 7

// ---- 3. Panel grid ---------------------------------------------------------------------------

extern int PanelCellX[PanelCellCount], PanelCellY[PanelCellCount];
extern uint8_t PanelCellOn[PanelCellCount];
extern int PanelCursor;

// ---- 4. Player -------------------------------------------------------------------------------

extern int PlayerX, PlayerY;
extern int PlayerSpeed;
extern uint8_t SpeedKeyLatch;
extern uint8_t KeyUp, KeyDown, KeyRight, KeyLeft;
extern uint8_t FireHeld;
extern uint8_t ControlEnabled;
extern uint8_t PlayerShown;
extern uint8_t PlayerActive;
extern uint8_t PlayerUntouchable;
extern int PlayerHP;
extern int Lives;
extern int RespawnTimer;
extern int RespawnSide;
extern int Difficulty;
extern int ShotType;
extern int ShotPower;

// ---- 5. Player shots (shot j of group g at g * 100 + j) ----------------------------------------

extern int ShotX[ShotCount], ShotY[ShotCount];
extern uint8_t ShotLive[ShotCount];
extern int ShotVX[ShotCount], ShotVY[ShotCount];
extern int ShotCooldown[ShotGroupCount];

// ---- 6. Options and burst --------------------------------------------------------------------

extern uint8_t Option1On, Option2On;
extern int Option1X, Option1Y, Option2X, Option2Y;
extern uint8_t OptionAltFormation;
extern int BurstKeyFrames;
extern uint8_t BurstActive;
extern int BurstTimer;

// ---- 7. Object slots -------------------------------------------------------------------------

extern int EnemyX[ObjectSlotCount], EnemyY[ObjectSlotCount];
extern int EnemyState[ObjectSlotCount];
extern int EnemyHP[ObjectSlotCount];
extern int EnemySize[ObjectSlotCount];
extern int EnemyDeadTime[ObjectSlotCount];
extern uint8_t EnemyScored[ObjectSlotCount];
extern SlotArray<int, FirstItemSlot, LastItemSlot> ItemAge;

// ---- 8. Enemy bullet extension (indexed by slot 9000..19999) ------------------------------------

extern SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletOriginX, BulletOriginY;
extern SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletOffsetX, BulletOffsetY;
extern SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletStep;
extern SlotArray<long double, FirstBulletSlot, LastBulletSlot> BulletAngle;  // kept across games
extern SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletAimX, BulletAimY;

// ---- 9. Score, game over and head-up display ---------------------------------------------------

extern int Score;
extern uint8_t GameOver;
extern int ContinueCountdown;
// The continue countdown's length in steps: ten seconds, a numeral every 40.
constexpr int CountdownLength = 400;
extern uint8_t CountdownExpired;
extern int ContinuesUsed;
extern int BossSlot;
// The two display texts are rebuilt every frame; fixed buffers keep the frame free of allocation.
extern char BossHPText[16];
extern char ScoreText[16];
extern uint8_t BonusFlags[MaxBonusFlags];
extern int BonusFlagCount;  // the length the current stage gave the flag table

// ---- Scene-private state -----------------------------------------------------------------------

extern int Boss2Phase, Boss2Dir;
extern int Stage9BossPhase, Stage9BossCorner;
extern uint8_t StaffRollPicture;
extern int StaffRollBackdrop;

// ---- Menus, configuration and the save file ------------------------------------------------------

extern int StartScene;
extern uint8_t ConfirmLatch, UpLatch, DownLatch, RightLatch, LeftLatch;
constexpr int MenuCursorSlot = 705;  // the menu selection is this slot's Y position
inline int& MenuCursorY() {
    return EnemyY[MenuCursorSlot];
}

extern int SpeedButton, FireButton, BurstButton, ConfirmButton;
extern uint8_t ActionStateTable[4][32];  // row per action (Z, X, C, SPACE), column = button 1..32
extern uint8_t SpeedState, FireState, BurstState, ConfirmState;
// A button number outside 1..32 maps to this state, which is never pressed.
constexpr uint8_t NoInputState = 255;

extern int GameCleared;
extern int HighScores[HighScoreCount];

// ---- Shared helpers --------------------------------------------------------------------------

// The nearest integer, halves away from zero.
int RoundNearest(long double v);

// The one random generator of the game.
extern uint32_t RandomSeed;
void SeedRandomFromClock(int hour, int minute, int second, int millisecond);
// A uniform integer in [0, n): seed = seed * 134775813 + 1, then (seed * n) >> 32 in 64 bits.
int RandomInt(int n);

// Every player shot parked out of play at (-128, parkedY), not live, each group's counter at 10.
void ParkPlayerShots(int parkedY = ParkedPosition);

// Start values of every variable above except the save file, the key configuration, BulletAngle
// and the random seed (start-up and the new-game reset share them).
void ResetWorldState();

// The parked 10-by-8 grid position of tile i, shared by every layer.
inline int GridTileX(int i) {
    return (i / 8 - 1) * 80;
}
inline int GridTileY(int i) {
    return (i % 8 - 1) * 80;
}

}  // namespace veltrano
