#include "world/World.h"

#include <cmath>
#include <cstring>

#include "world/Extended.h"
#include "world/ObjectKinds.h"

namespace veltrano {

// The variables the reset covers start as it leaves them (WorldStarted, below): their start values are
// written there alone.
int Scene;
int StageFrame;
uint8_t WorldRunning;

int Layer1TileX[TileCount], Layer1TileY[TileCount];
int Layer1StepX, Layer1StepY;
int Layer2TileX[TileCount], Layer2TileY[TileCount];
int Layer2StepX, Layer2StepY;
int Layer3TileX[TileCount], Layer3TileY[TileCount];
int Layer3StepX, Layer3StepY;
uint8_t ForegroundTileOn[TileCount];

int PanelCellX[PanelCellCount], PanelCellY[PanelCellCount];
uint8_t PanelCellOn[PanelCellCount];
int PanelCursor;

int PlayerX, PlayerY;
int PlayerSpeed;
uint8_t SpeedKeyLatch;
uint8_t KeyUp, KeyDown, KeyRight, KeyLeft;
uint8_t FireHeld;
uint8_t ControlEnabled;
uint8_t PlayerShown;
uint8_t PlayerActive;
uint8_t PlayerUntouchable;
int PlayerHP;
int Lives;
int RespawnTimer;
int RespawnSide;
int Difficulty;
int ShotType;
int ShotPower;

int ShotX[ShotCount], ShotY[ShotCount];
uint8_t ShotLive[ShotCount];
int ShotVX[ShotCount], ShotVY[ShotCount];
int ShotCooldown[ShotGroupCount];

uint8_t Option1On, Option2On;
int Option1X, Option1Y, Option2X, Option2Y;
uint8_t OptionAltFormation;
int BurstKeyFrames;
uint8_t BurstActive;
int BurstTimer;

int EnemyX[ObjectSlotCount], EnemyY[ObjectSlotCount];
int EnemyState[ObjectSlotCount];
int EnemyHP[ObjectSlotCount];
int EnemySize[ObjectSlotCount];
int EnemyDeadTime[ObjectSlotCount];
uint8_t EnemyScored[ObjectSlotCount];
SlotArray<int, FirstItemSlot, LastItemSlot> ItemAge;

SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletOriginX, BulletOriginY;
SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletOffsetX, BulletOffsetY;
SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletStep;
SlotArray<long double, FirstBulletSlot, LastBulletSlot> BulletAngle;
SlotArray<int, FirstBulletSlot, LastBulletSlot> BulletAimX, BulletAimY;

int Score;
uint8_t GameOver;
int ContinueCountdown;
uint8_t CountdownExpired;
int ContinuesUsed;
int BossSlot;
char BossHPText[16];
char ScoreText[16];
uint8_t BonusFlags[MaxBonusFlags];
int BonusFlagCount;

int Boss2Phase, Boss2Dir;
int Stage9BossPhase, Stage9BossCorner;
uint8_t StaffRollPicture;
int StaffRollBackdrop;

int StartScene;
uint8_t ConfirmLatch, UpLatch, DownLatch, RightLatch, LeftLatch;

int SpeedButton = -1, FireButton = -1, BurstButton = -1, ConfirmButton = -1;
uint8_t ActionStateTable[4][32];
uint8_t SpeedState = NoInputState, FireState = NoInputState, BurstState = NoInputState,
        ConfirmState = NoInputState;

int GameCleared = 0;
int HighScores[HighScoreCount];

uint32_t RandomSeed = 0;

int RoundNearest(long double v) {
    return NativeExtended::RoundNearest(v);
}

void SeedRandomFromClock(int hour, int minute, int second, int millisecond) {
    RandomSeed = static_cast<uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}

int RandomInt(int n) {
    RandomSeed = RandomSeed * 134775813u + 1u;
    return static_cast<int>(
        (static_cast<uint64_t>(RandomSeed) * static_cast<uint64_t>(static_cast<uint32_t>(n))) >> 32);
}

void ParkPlayerShots(int parkedY) {
    for (int k = 0; k < ShotCount; ++k) {
        ShotX[k] = ParkedPosition;
        ShotY[k] = parkedY;
        ShotLive[k] = 0;
    }
    for (int g = 0; g < ShotGroupCount; ++g) ShotCooldown[g] = 10;
}

namespace {

// The three layers on the standard grid.
void ResetLayers() {
    for (int i = 0; i < TileCount; ++i) {
        Layer1TileX[i] = Layer2TileX[i] = Layer3TileX[i] = GridTileX(i);
        Layer1TileY[i] = Layer2TileY[i] = Layer3TileY[i] = GridTileY(i);
    }
    Layer1StepX = -4;
    Layer2StepX = -8;
    Layer3StepX = -8;
    Layer1StepY = Layer2StepY = Layer3StepY = 0;
}

void ResetPanels() {
    for (int i = 0; i < PanelCellCount; ++i) {
        PanelCellX[i] = (i / 6) * 80;
        PanelCellY[i] = (i % 6) * 80;
        PanelCellOn[i] = 0;
    }
    PanelCursor = 0;
}

void ResetPlayer() {
    ControlEnabled = 0;
    ShotType = 1;
    PlayerX = -32;
    PlayerY = -96;
    KeyUp = KeyDown = KeyRight = KeyLeft = 0;
    FireHeld = 0;
    PlayerShown = 1;
    PlayerActive = 1;
    PlayerSpeed = 6;
    SpeedKeyLatch = 0;
    PlayerHP = 1;
    Lives = 4;
    RespawnTimer = 0;
    ShotPower = 1;
    PlayerUntouchable = 0;
}

void ResetShotsAndOptions() {
    ParkPlayerShots();
    for (int k = 0; k < ShotCount; ++k) {
        ShotVX[k] = 24;
        ShotVY[k] = 0;
    }
    Option1On = Option2On = 0;
    Option1X = Option1Y = Option2X = Option2Y = -96;
    OptionAltFormation = 0;
    BurstKeyFrames = 0;
    BurstActive = 0;
    BurstTimer = 0;
}

// Every slot parked and active, then each kind's hit class, and the inert kinds at rest.
void ResetObjects() {
    for (int i = 0; i < ObjectSlotCount; ++i) {
        EnemyX[i] = EnemyY[i] = ParkedPosition;
        EnemyState[i] = StateActive;
        EnemyHP[i] = 1;
        EnemyDeadTime[i] = 0;
        EnemyScored[i] = 0;
    }
    BulletOffsetX.Fill(0);
    BulletOffsetY.Fill(0);
    BulletAimX.Fill(0);
    BulletAimY.Fill(0);
    BulletOriginX.Fill(0);
    BulletOriginY.Fill(0);
    BulletStep.Fill(0);
    ItemAge.Fill(0);
    for (const ObjectKind& kind : ObjectKinds) {
        for (int i = kind.First; i <= kind.Last; ++i) {
            EnemySize[i] = kind.HitClass;
            if (kind.Inert) EnemyState[i] = StateInert;
        }
    }
}

// The scene, the score and the scene-private variables.
void ResetGame() {
    Boss2Phase = Boss2Dir = 0;
    std::memset(ForegroundTileOn, 0, sizeof ForegroundTileOn);
    Stage9BossPhase = Stage9BossCorner = 0;
    StageFrame = 0;
    WorldRunning = 1;
    ConfirmLatch = 0;
    Scene = TitleScene;
    StartScene = Stage1Scene;
    Difficulty = 1;
    RespawnSide = 0;
    UpLatch = DownLatch = RightLatch = LeftLatch = 0;
    BossSlot = 0;
    BossHPText[0] = '\0';
    Score = 0;
    ScoreText[0] = '\0';
    GameOver = 0;
    ContinueCountdown = CountdownLength;
    ContinuesUsed = 0;
    CountdownExpired = 0;
    StaffRollPicture = 0;
    StaffRollBackdrop = 0;
    std::memset(BonusFlags, 0, sizeof BonusFlags);
    BonusFlagCount = 0;
}

}  // namespace

void ResetWorldState() {
    UseExtendedPrecision();
    ResetLayers();
    ResetPanels();
    ResetPlayer();
    ResetShotsAndOptions();
    ResetObjects();
    ResetGame();
}

namespace {

[[maybe_unused]] const bool WorldStarted = (ResetWorldState(), true);

}  // namespace

}  // namespace veltrano
