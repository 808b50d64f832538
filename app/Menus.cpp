// The frame handler's menu input: the menu cursor, the key configuration and the confirm action.
#include <algorithm>
#include <string_view>

#include "app/Main.h"
#include "app/SaveFile.h"
#include "app/SoundBank.h"
#include "engine/CentralSystem.h"
#include "platform/Input.h"
#include "stages/SceneTable.h"
#include "stages/Scenes.h"
#include "stages/Stage.h"
#include "world/World.h"

namespace veltrano {

namespace {

bool Pressed(int state) {
    return StatePressed(state);
}

// A menu entered from another menu starts the next game at stage 1 again, whatever start the title's
// keys chose.
void EnterMenu(int scene) {
    EnterScene(scene);
    StartScene = Stage1Scene;
}

// One step of a menu cursor along a list of rows (and the ShotType of each row on the ship select).
struct CursorMove {
    int From, To, ShotTypeAfter;
};

constexpr CursorMove KeyConfigUp[] = {
    {128, 64, 0}, {240, 128, 0}, {288, 240, 0}, {336, 288, 0}, {384, 336, 0}};
constexpr CursorMove KeyConfigDown[] = {
    {64, 128, 0}, {128, 240, 0}, {240, 288, 0}, {288, 336, 0}, {336, 384, 0}};
constexpr CursorMove ShipSelectUp[] = {
    {128, 64, 1}, {192, 128, 2}, {256, 192, 3}, {320, 256, 4}, {384, 320, 5}};
constexpr CursorMove ShipSelectDown[] = {
    {64, 128, 2}, {128, 192, 3}, {192, 256, 4}, {256, 320, 5}, {320, 384, 6}};

template <size_t N>
void MoveCursor(const CursorMove (&moves)[N], bool setShotType) {
    for (const CursorMove& m : moves) {
        if (MenuCursorY() == m.From) {
            MenuCursorY() = m.To;
            if (setShotType) ShotType = m.ShotTypeAfter;
            return;
        }
    }
}

void Direction(int state, uint8_t& latch, const CursorMove (&keyConfig)[5], const CursorMove (&shipSelect)[5],
               int titleFrom, int titleTo) {
    if (!Pressed(state)) {
        latch = 0;
        return;
    }
    if (latch != 0) return;
    if (Scene == KeyConfigScene) {
        MoveCursor(keyConfig, false);
        latch = 1;
    } else if (Scene == ShipSelectScene) {
        MoveCursor(shipSelect, true);
        latch = 1;
        ParkPlayerShots();  // the preview then shows only the new weapon
    } else if (Scene == TitleScene) {
        if (MenuCursorY() == titleFrom) MenuCursorY() = titleTo;  // the title sets no latch
    }
}

// Button numbers stay between 1 and 10; Difficulty between 0 and 2, one ship fewer per step up.
void AdjustKeyConfigRow(int sign) {
    auto button = [&](int& value) {
        if (sign > 0 && value <= 9) ++value;
        if (sign < 0 && value >= 2) --value;
    };
    switch (MenuCursorY()) {
        case 128:
            if (sign > 0 && Difficulty < 2) {
                ++Difficulty;
                --Lives;
            } else if (sign < 0 && Difficulty > 0) {
                --Difficulty;
                ++Lives;
            }
            break;
        case 240:
            button(SpeedButton);
            break;
        case 288:
            button(FireButton);
            break;
        case 336:
            button(BurstButton);
            break;
        case 384:
            button(ConfirmButton);
            break;
        default:
            break;
    }
}

void Sideways(int state, uint8_t& latch, int sign) {
    if (!Pressed(state)) {
        latch = 0;
        return;
    }
    if (latch == 0 && Scene == KeyConfigScene) {
        AdjustKeyConfigRow(sign);
        latch = 1;
    }
}

}  // namespace

void TForm1::MenuCursorInput() {
    Direction(StateUp, UpLatch, KeyConfigUp, ShipSelectUp, 352, 288);
    Direction(StateDown, DownLatch, KeyConfigDown, ShipSelectDown, 288, 352);
    Sideways(StateRight, RightLatch, +1);
    Sideways(StateLeft, LeftLatch, -1);
}

void TForm1::ConfirmAction() {
    if (Scene == KeyConfigScene && Pressed(ConfirmState) && MenuCursorY() == 64) {
        EnterMenu(TitleScene);
        WriteButtonNumbers();
        ConsumeState(ConfirmState);
    }
    if (Pressed(ConfirmState)) {
        if (Scene == ShipSelectScene) {
            StartGame();
        } else if (Scene == TitleScene) {
            if (ConfirmLatch == 0) {
                if (SkipTitleAnimation()) {
                    ConfirmLatch = 1;
                } else if (MenuCursorY() == 288) {
                    EnterScene(ShipSelectScene);
                } else {
                    EnterMenu(KeyConfigScene);
                }
                ConsumeState(ConfirmState);
            }
        } else if (Scene == ScoreListScene) {
            EnterMenu(TitleScene);
            ConsumeState(ConfirmState);
        } else if (Scene == ChallengeScene) {
            EnterLastBattle();
            ConsumeState(ConfirmState);
        } else if (IsPlayScene(Scene)) {
            ConfirmInPlay();
        } else if (Scene == StaffRollScene) {
            if (StageFrame > StaffRollClosingFrame) EndStaffRoll();
            ConsumeState(ConfirmState);
        }
    }
    if (!Pressed(ConfirmState)) ConfirmLatch = 0;
}

// The extra battle: fought when the game scored anything, endured when it scored nothing.
void TForm1::EnterLastBattle() {
    const int battle = Score != 0 ? ChallengeBattleScene : ChallengeEnduranceScene;
    MoveToScene(battle, RowOf(battle).Music.StageFile, nullptr, true, true);
}

void TForm1::StartGame() {
    Option1On = Option2On = 0;
    ShotPower = 1;
    EnterScene(SceneStartedBy(StartScene));
    FireHeld = 0;
    // A stage start loads only the last boss's own piece: the other stages keep whatever boss music the
    // last game left in the slot. A boss scene starts with both pieces the boss rush loads on entering it.
    const SceneMusic& music = RowOf(Scene).Music;
    LoadWave(StageMusic, music.StageFile);
    // The extra battles have no boss piece of their own (no file at all).
    const bool lastBoss = music.BossFile != nullptr && std::string_view(music.BossFile) == LastBossMusic;
    if (music.BossFile != nullptr && (lastBoss || IsBossRushScene(Scene)))
        LoadWave(BossMusic, music.BossFile);
    PlaySound(StageMusic, true);
    SpeedKeyLatch = 1;  // a speed button held through the start does not change the speed
    ControlEnabled = 1;
    ConfirmLatch = 1;
    ConsumeState(ConfirmState);
}

void TForm1::EndStaffRoll() {
    WorldRunning = 1;
    RecordScore();
    ReturnToTitleSilently();
}

}  // namespace veltrano
