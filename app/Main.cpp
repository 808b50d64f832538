#include "app/Main.h"

#include <algorithm>
#include <cstdio>

#include "app/SaveFile.h"
#include "app/SoundBank.h"
#include "engine/CentralSystem.h"
#include "platform/Display.h"
#include "platform/Input.h"
#include "render/Render.h"
#include "stages/SceneTable.h"
#include "stages/Stage.h"
#include "world/World.h"

namespace veltrano {

namespace {

constexpr int FrameMs = 25;
constexpr int MaxLagMs = 100;  // one late call owes at most four frames' worth of time

}  // namespace

unsigned char ActionState(int row, int buttonNumber) {
    if (buttonNumber < 1 || buttonNumber > 32) return NoInputState;
    return ActionStateTable[row][buttonNumber - 1];
}

void TForm1::FormCreate(const ClockTime& now) {
    SeedRandomFromClock(now.Hour, now.Minute, now.Second, now.Millisecond);
    // Centred on the screen; div truncates toward zero, so a small screen gives negative offsets.
    Left = (Platform.ScreenWidth() - ScreenWidth) / 2;
    Top = (Platform.ScreenHeight() - ScreenHeight) / 2;
    Platform.SetScreenSaverActive(false);
    Config.Open(ProgramFolder() + "/VeltranoIni.ini");
    GameCleared = 0;
    std::fill(HighScores, HighScores + HighScoreCount, 0);
    ReadSaveFile(ProgramFolder() + "/temp.dat");
    ResetWorldState();
    ResetInputStates();
    for (auto& row : ActionStateTable)
        for (int n = 1; n <= 32; ++n) row[n - 1] = static_cast<uint8_t>(StateButton1 + n - 1);
    SpeedButton = Config.ReadInteger("KeyConfig", "Z", -1);
    FireButton = Config.ReadInteger("KeyConfig", "X", -1);
    BurstButton = Config.ReadInteger("KeyConfig", "C", -1);
    ConfirmButton = Config.ReadInteger("KeyConfig", "SPACE", -1);
    DeriveActionStates();
    SceneInit();
    SetShotVelocities();
}

void TForm1::DXDraw1InitializeSurface() {
    BackBuffer.Create(ScreenWidth, ScreenHeight, 0);
    std::string error;
    if (!LoadBitmapFile(BackgroundSheet, ProgramPath("\\背景.bmp"), &error)) throw LoadError(error);
    SetKeyColour(BackgroundSheet, PixelAt(BackgroundSheet, 80, 0));
    if (!LoadBitmapFile(CharacterSheet, ProgramPath("\\キャラクター.bmp"), &error)) throw LoadError(error);
    SetKeyColour(CharacterSheet, PixelAt(CharacterSheet, 0, 0));
}

void TForm1::DXDraw1FinalizeSurface() {
    BackgroundSheet = Surface{};
    CharacterSheet = Surface{};
}

void TForm1::DXSound1Initialize() {
    LoadSoundBank();
}
void TForm1::DXSound1Finalize() {
    FreeSoundBank();
}

void TForm1::DXTimer1Timer(int lagCount) {
    if (!Platform.DisplayReady()) return;
    int due = 0;
    while (FrameCredit < FrameMs) {
        FrameCredit += FrameMs;
        ++due;
    }
    FrameCredit -= std::min(lagCount, MaxLagMs);
    // However far behind the clock is, one frame runs: lost time is dropped, never caught up.
    if (due == 0) return;
    RunFrame();
}

void TForm1::RunFrame() {
    RawInput raw;
    Platform.ReadRawInput(raw);
    PollInput(raw);
    for (int i = 0; i < ClampedHPSlotCount; ++i) EnemyHP[i] = std::max(EnemyHP[i], 0);
    DrawBackgroundLayers();
    DrawShipAndFrontObjects();
    DeriveActionStates();
    DrawObjectsAndBullets();
    if (ControlEnabled == 1 && WorldRunning == 1) PlayInput();
    if (Scene <= TitleScene) MenuCursorInput();
    ConfirmAction();
    TitleCues();
    if (WorldRunning == 1) WorldStep();
    DrawForegroundLayer();
    DrawCountdownBlocks();
    DrawHud();
    MusicCues();
    BossDestroyedStop();
    SceneTransitions();
    PanelStep();
    DrawCoverPanels();
    DrawClosingPicture();
    Platform.FlipBackBuffer(BackBuffer);
    ContinueStep();
    ++FrameCount;
}

void TForm1::FormKeyDown(int key) {
    if (key == Vk::Escape) Platform.RequestClose();
    if (GameCleared == 1 && Scene == TitleScene) {
        if (key == Vk::Insert) ++StartScene;
        if (key == Vk::Delete) StartScene = BossRush1Scene;
    }
    if (key == Vk::Home) {
        RecordScore();
        WorldRunning = 1;
        ReturnToTitleSilently();
    }
}

// Every slot silenced, a new game, and the first stage's music waiting in the music slots.
void TForm1::ReturnToTitleSilently() {
    SilenceAllSounds();
    NewGame();
    LoadWave(BossMusic, RowOf(Stage1Scene).Music.BossFile);
    LoadWave(StageMusic, RowOf(Stage1Scene).Music.StageFile);
}

void TForm1::FormCloseQuery() {
    RecordScore();
    const std::string save = ProgramFolder() + "/temp.dat";
    std::string error;
    // Only an existing file is written; a missing one is not an error worth a message.
    if (std::FILE* probe = std::fopen(save.c_str(), "rb")) {
        std::fclose(probe);
        if (!WriteSaveFile(save, &error)) std::fprintf(stderr, "VeltranoGame2: %s\n", error.c_str());
    }
    Platform.SetScreenSaverActive(true);
}

void TForm1::WriteButtonNumbers() {
    std::string error;
    const bool ok = Config.WriteInteger("KeyConfig", "Z", SpeedButton, &error) &&
                    Config.WriteInteger("KeyConfig", "X", FireButton, &error) &&
                    Config.WriteInteger("KeyConfig", "C", BurstButton, &error) &&
                    Config.WriteInteger("KeyConfig", "SPACE", ConfirmButton, &error);
    if (!ok) std::fprintf(stderr, "VeltranoGame2: %s\n", error.c_str());
}

}  // namespace veltrano
