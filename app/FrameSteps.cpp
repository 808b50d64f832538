// The frame handler's world step, sound cues, scene machine and panel step.
#include <cstddef>

#include "app/Main.h"
#include "app/SoundBank.h"
#include "engine/CentralSystem.h"
#include "stages/Stage.h"
#include "world/World.h"

namespace veltrano {

namespace {

// The boss of each play scene: its slot, the EnemyDeadTime at which the music stops, and the one at
// which the next scene begins (-1: the scene ends by its frame count instead).
struct BossRow {
    int Scene, Slot, MusicStop, NextAt;
};

constexpr BossRow BossTable[] = {
    {2, 6, 84, 100},   {14, 6, 84, 100},  {3, 7, 84, 100},   {15, 7, 84, 100},  {4, 9, 192, 200},
    {16, 9, 192, 200}, {5, 11, 84, 100},  {17, 11, 84, 100}, {6, 12, 269, -1},  {18, 12, 84, 100},
    {7, 13, 84, 100},  {19, 13, 84, 100}, {8, 14, 84, 100},  {20, 14, 84, 100}, {9, 15, 84, 100},
    {21, 15, 84, 100}, {10, 16, 84, 100}, {22, 16, 84, 100}, {11, 17, 84, 100}, {23, 17, 84, 100},
    {12, 18, 84, 100}, {13, 19, 84, 100},
};

const BossRow* BossOf(int scene) {
    for (const BossRow& row : BossTable)
        if (row.Scene == scene) return &row;
    return nullptr;
}

constexpr int Stage5EndFrame = 10352;

// The frames of a scene's boss alarm and of the switch to boss music.
struct MusicRow {
    int Scene, AlarmFrame, BossFrame;
};

constexpr MusicRow MusicTable[] = {
    {2, 3344, 3600}, {3, 3742, 3968}, {4, 3620, 3796},  {5, 3872, 4128},  {6, 1311, 1567},
    {7, 4558, 4782}, {8, 4958, 5182}, {9, 4556, 4812},  {10, 5744, 6000}, {11, 5744, 6000},
    {14, -256, 0},   {15, -256, 0},   {16, -337, -81},  {17, -256, 0},    {18, -256, 0},
    {19, -256, 0},   {20, -256, 0},   {21, -455, -189}, {22, -256, 0},    {23, -256, 0},
};

bool InRange(int k, int first, int last) {
    return k >= first && k <= last;
}

constexpr int SmallDeathRanges[][2] = {{1000, 2399}, {2500, 2899}, {3000, 3499}, {4500, 5499}, {6500, 8999}};
constexpr int BigDeathRanges[][2] = {{20, 799}, {2400, 2499}, {2900, 2999}, {3500, 4499}, {5500, 6499}};

template <size_t N>
bool InAny(int k, const int (&ranges)[N][2]) {
    for (const auto& r : ranges)
        if (InRange(k, r[0], r[1])) return true;
    return false;
}

const char* const StageMusicByNumber[] = {nullptr,
                                          "\\Sounds\\Stage1.wav",
                                          "\\Sounds\\Stage2.wav",
                                          "\\Sounds\\Stage3.wav",
                                          "\\Sounds\\Stage4.wav",
                                          "\\Sounds\\Stage5.wav",
                                          "\\Sounds\\Stage6.wav",
                                          "\\Sounds\\Stage7.wav",
                                          "\\Sounds\\Stage8.wav",
                                          "\\Sounds\\Stage9.wav",
                                          "\\Sounds\\Stage10.wav"};

}  // namespace

void TForm1::TitleCues() {
    // The title pieces strike each other.
    if (Scene == TitleScene && (StageFrame == 184 || StageFrame == 246 || StageFrame == 508))
        RestartSound(BombSound);
}

void TForm1::WorldStep() {
    for (int i = 0; i < TileCount; ++i) ScrollLayers(i);
    if (ControlEnabled == 1) MovePlayer();
    UpdateShots();
    SceneStep();
    for (int k = 0; k < ObjectSlotCount; ++k) {
        CheckPlayerHit(k);
        CheckShotHits(k);
        CheckItemPickup(k);
        SlotSoundCues(k);
        ScoreSlot(k);
    }
    if (PlayerActive == 0 && RespawnTimer == 0) RestartSound(MeDeathSound);
    // Enemy bullets vanish during the first 80 frames after a loss, except in the two extra battles.
    if (RespawnTimer >= 1 && RespawnTimer <= 80 && Scene != ChallengeBattleScene &&
        Scene != ChallengeEnduranceScene) {
        for (int k = FirstBulletSlot; k < ClampedHPSlotCount; ++k) {
            EnemyState[k] = StateDestroyed;
            BulletStep[k] = 0;
        }
    }
    if (RespawnTimer >= 160) {
        RespawnTimer = 0;
        PlayerUntouchable = 0;
        PlayerActive = 1;
    }
    RespawnStep();
    if (BurstActive == 1) {
        if (BurstTimer == 1) RestartSound(BombSound);
    } else if (ShotCooldown[0] == 1) {
        RestartSound(ShotSound);
    }
    if (WorldRunning == 1) ++StageFrame;
}

// Read before ScoreSlot advances the timers, so a 0 marks a change made in this step.
void TForm1::SlotSoundCues(int k) {
    const int state = EnemyState[k];
    if (state != StateItem && state != StateDestroyed) return;
    const bool justDestroyed = state == StateDestroyed && EnemyDeadTime[k] == 0;
    if (justDestroyed && InRange(k, FirstItemSlot, LastItemSlot)) RestartSound(ItemSound);
    // Only the item slots have an age; an item state elsewhere makes no sound.
    if (state == StateItem && InRange(k, FirstItemSlot, LastItemSlot) && ItemAge[k] == 0)
        RestartSound(EnemyDeathSound);
    if (justDestroyed && InAny(k, SmallDeathRanges)) RestartSound(EnemyDeathSound);
    if (justDestroyed && InAny(k, BigDeathRanges)) RestartSound(BigEnemyDeathSound);
    // A boss's destruction is heard twice, at once and 18 frames later.
    if (InRange(k, 6, 19) && state == StateDestroyed && (EnemyDeadTime[k] == 0 || EnemyDeadTime[k] == 18))
        RestartSound(BossDeathSound);
}

void TForm1::MusicCues() {
    for (const MusicRow& row : MusicTable) {
        if (row.Scene != Scene) continue;
        if (StageFrame == row.AlarmFrame) RestartSound(BossAlarmSound);
        if (StageFrame == row.BossFrame) {
            StopSound(StageMusic);
            PlaySound(BossMusic, true);
        }
    }
    // The third boss's barrage of bombs keeps sounding until it falls.
    const int bombFrom = Scene == Stage3Scene ? 3876 : Scene == BossRush1Scene + 2 ? 0 : -1;
    if (bombFrom >= 0 && EnemyState[9] != StateDestroyed && StageFrame > bombFrom &&
        (StageFrame % 969 == 128 || StageFrame % 969 == 320))
        RestartSound(BombSound);
    if (Scene == Stage5Scene) {
        if (EnemyDeadTime[12] == 1) StopSound(BossMusic);
        if (StageFrame == 10224) PlaySound(SpeedSound, false);
    }
    if (Scene == StaffRollScene && StageFrame > 3064) {
        SetSoundVolume(StageMusic, SoundVolume(StageMusic) - 10);
        if (SoundVolume(StageMusic) == -10000) {
            StopSound(StageMusic);
            SetSoundVolume(StageMusic, 0);
        }
    }
}

void TForm1::BossDestroyedStop() {
    if (Scene == ChallengeScene && StageFrame == -80) ControlEnabled = 0;
    const BossRow* boss = BossOf(Scene);
    if (boss == nullptr || EnemyDeadTime[boss->Slot] != boss->MusicStop) return;
    ControlEnabled = 0;
    if (Scene == ChallengeBattleScene || Scene == ChallengeEnduranceScene) {
        SilenceSound(StageMusic);
    } else {
        StopSound(BossMusic);
        RewindSound(StageMusic);
        RewindSound(BossMusic);
    }
    if (Scene == Stage10Scene || Scene == BossRush10Scene || Scene == ChallengeBattleScene ||
        Scene == ChallengeEnduranceScene) {
        SilenceSound(ShotSound);
        SilenceSound(SpeedSound);
        SilenceSound(MeDeathSound);
    }
}

void TForm1::MoveToScene(int scene, const char* stageMusic, const char* bossMusic, bool start,
                         bool enableControl) {
    Scene = scene;
    SceneInit();
    if (stageMusic) LoadWave(StageMusic, stageMusic);
    if (bossMusic) LoadWave(BossMusic, bossMusic);
    for (uint8_t& on : PanelCellOn) on = 0;
    if (start) PlaySound(StageMusic, true);
    SetShotVelocities();
    if (enableControl) ControlEnabled = 1;
}

void TForm1::SceneTransitions() {
    if (Scene == TitleScene && StageFrame == 864) {
        Scene = ScoreListScene;
        SceneInit();
        SetShotVelocities();
        return;
    }
    if (Scene == ChallengeScene && StageFrame == 800) {
        EnterLastBattle();
        return;
    }
    const BossRow* boss = BossOf(Scene);
    if (boss == nullptr) return;
    const bool ends =
        boss->NextAt < 0 ? StageFrame == Stage5EndFrame : EnemyDeadTime[boss->Slot] == boss->NextAt;
    if (!ends) return;
    const int from = Scene;
    if (from >= Stage1Scene && from <= Stage9Scene) {
        // Scene s + 1 is stage s.
        MoveToScene(from + 1, StageMusicByNumber[from],
                    from == Stage9Scene ? "\\Sounds\\Boss2.wav" : "\\Sounds\\Boss.wav", true, true);
    } else if (from >= BossRush1Scene && from < BossRush10Scene) {
        const int stage = from + 1 - BossRush1Scene + 1;
        MoveToScene(from + 1, StageMusicByNumber[stage],
                    from + 1 == BossRush10Scene ? "\\Sounds\\Boss2.wav" : "\\Sounds\\Boss.wav", true, true);
    } else if (from == Stage10Scene && ContinuesUsed < 1) {
        MoveToScene(ChallengeScene, nullptr, nullptr, false, false);
    } else {
        // After stage 10 with a continue, after either extra battle, and after the last boss scene.
        MoveToScene(StaffRollScene, "\\Sounds\\Ending.wav", nullptr, true, false);
    }
}

void TForm1::PanelStep() {
    if (!BossWindowOpen()) return;
    PanelCellOn[PanelCursor] = 1;
    // 13 and 48 share no factor, so 48 frames light every cell once in a scattered order.
    PanelCursor += 13;
    if (PanelCursor > 47) PanelCursor -= 48;
}

}  // namespace veltrano
