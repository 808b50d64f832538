// The frame handler's world step, sound cues, scene machine and panel step.
#include "app/Main.h"
#include "app/SoundBank.h"
#include "engine/CentralSystem.h"
#include "stages/SceneTable.h"
#include "stages/Stage.h"
#include "world/ObjectKinds.h"
#include "world/World.h"

namespace veltrano {

namespace {

// A boss's destruction is heard twice: at once, and again this many frames later.
constexpr int BossEchoFrame = 18;

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
    if (state == StateItem) {
        // A carrier shot down into an item sounds like a small enemy's death. Only the item slots
        // have an age; an item state elsewhere makes no sound.
        if (ItemAge.Holds(k) && ItemAge[k] == 0) RestartSound(EnemyDeathSound);
        return;
    }
    if (state != StateDestroyed) return;
    const ObjectKind& kind = KindOfSlot(k);
    const int t = EnemyDeadTime[k];
    if (kind.DeathSound != NoSound && (t == 0 || (kind.Boss && t == BossEchoFrame)))
        RestartSound(kind.DeathSound);
}

void TForm1::MusicCues() {
    const SceneRow* row = SceneRowOf(Scene);
    if (row != nullptr) {
        if (StageFrame == row->Music.AlarmFrame) RestartSound(BossAlarmSound);
        if (StageFrame == row->Music.BossFrame) {
            StopSound(StageMusic);
            PlaySound(BossMusic, true);
        }
    }
    // The third boss's barrage of bombs keeps sounding until it falls.
    if ((Scene == Stage3Scene || Scene == BossRush3Scene) && EnemyState[row->Fight.Slot] != StateDestroyed &&
        StageFrame > row->Fight.At(Stage3BossActiveFrame) &&
        (StageFrame % 969 == 128 || StageFrame % 969 == 320))
        RestartSound(BombSound);
    if (Scene == Stage5Scene) {
        if (EnemyDeadTime[row->Fight.Slot] == 1) StopSound(BossMusic);
        if (StageFrame == 10224) PlaySound(SpeedSound, false);
    }
    if (Scene == StaffRollScene && StageFrame > StaffRollClosingFrame) {
        SetSoundVolume(StageMusic, SoundVolume(StageMusic) - 10);
        if (SoundVolume(StageMusic) == -10000) {
            StopSound(StageMusic);
            SetSoundVolume(StageMusic, 0);
        }
    }
}

void TForm1::BossDestroyedStop() {
    if (Scene == ChallengeScene && StageFrame == -80) ControlEnabled = 0;
    const SceneRow* row = SceneRowOf(Scene);
    if (row == nullptr || row->Fight.Slot == NoBoss || EnemyDeadTime[row->Fight.Slot] != row->End.MusicStopAt)
        return;
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
    if (Scene == TitleScene && StageFrame == RowOf(TitleScene).EndFrame) {
        Scene = ScoreListScene;
        SceneInit();
        SetShotVelocities();
        return;
    }
    if (Scene == ChallengeScene && StageFrame == RowOf(ChallengeScene).EndFrame) {
        EnterLastBattle();
        return;
    }
    const SceneRow* row = SceneRowOf(Scene);
    if (row == nullptr || row->Fight.Slot == NoBoss) return;
    const bool ends = row->End.NextSceneAt == NoFrame
                          ? StageFrame == row->EndFrame
                          : EnemyDeadTime[row->Fight.Slot] == row->End.NextSceneAt;
    if (!ends) return;
    const int from = Scene;
    if ((from >= Stage1Scene && from < Stage10Scene) || (from >= BossRush1Scene && from < BossRush10Scene)) {
        const SceneMusic& next = RowOf(from + 1).Music;
        MoveToScene(from + 1, next.StageFile, next.BossFile, true, true);
    } else if (from == Stage10Scene && ContinuesUsed < 1) {
        MoveToScene(ChallengeScene, nullptr, nullptr, false, false);
    } else {
        // After stage 10 with a continue, after either extra battle, and after the last boss scene.
        const SceneMusic& next = RowOf(StaffRollScene).Music;
        MoveToScene(StaffRollScene, next.StageFile, next.BossFile, true, false);
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
