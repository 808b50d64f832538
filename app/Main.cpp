#include "app/Main.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DisplayConfig.h"
#include "app/KeysConfig.h"
#include "app/Presentation.h"
#include "app/ProgramFiles.h"
#include "app/ProgramFolder.h"
#include "app/Replay.h"
#include "app/SaveFile.h"
#include "app/SoundBank.h"
#include "engine/CentralSystem.h"
#include "platform/Display.h"
#include "platform/GlyphSheet.h"
#include "platform/Input.h"
#include "platform/Say.h"
#include "render/Lettering.h"
#include "render/Picture.h"
#include "stages/SceneTable.h"
#include "stages/Stage.h"
#include "world/Extended.h"
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

void StopOnScriptFaults(std::span<const SceneScript> scripts) {
    const std::string fault = ScriptFaultLine(scripts);
    if (!fault.empty()) throw LoadError(fault);
}

void TForm1::FormCreate(const ClockTime& now) {
    StopOnScriptFaults(SceneScripts());
    SeedRandomFromClock(now.Hour, now.Minute, now.Second, now.Millisecond);
    Platform.SetScreenSaverActive(false);
    std::string configProblem;
    FileStatus config = Config.Open(DataPath(ConfigFileName), &configProblem);
    if (config == FileStatus::Missing && !Player) {
        // Made again whole, as shipped: a file of only what the game changes would lack the buttons.
        Config.OpenText(ShippedIniText());
        std::string error;
        if (Config.Save(&error)) {
            SayLine("%s: not found; made again as shipped", Config.FilePath().c_str());
            config = FileStatus::Done;
        } else {
            SayLine("%s", error.c_str());
        }
    }
    std::vector<std::string> said;
    // A replay plays somebody's past game: it neither reads nor makes nor mends the save file.
    SaveFileAtStart = Player ? FileStatus::Missing : StartScoreTable(DataPath(SaveFileName), &said);
    SaveTroubleSaid = !Player && ScoreTableLockBusy();  // a locked folder is said once, here
    if (!Player) {
        if (SaveFileAtStart != FileStatus::Failed && !OtherDataFolder().empty())
            MergeScoreTableFrom(DataPath(SaveFileName), OtherDataFolder() + "/" + SaveFileName, &said);
        RemoveStaleTemporaries(DataPath(ConfigFileName));
        RemoveStaleTemporaries(LastReplayPath());
    }
    for (const std::string& line : said) SayLine("%s", line.c_str());
    ResetWorldState();
    if (!ExtendedPrecisionInUse())
        throw LoadError(
            "the processor's x87 unit cannot be set to 64-bit precision: the frames would not be exact");
    ResetInputStates();
    for (auto& row : ActionStateTable)
        for (int n = 1; n <= 32; ++n) row[n - 1] = static_cast<uint8_t>(StateButton1 + n - 1);
    ReadButtonNumbers(config == FileStatus::Done ? std::string() : configProblem);
    std::vector<std::string> complaints;
    Display = ReadDisplaySettings(Config, &complaints);
    PlayerKeys = ReadKeyBindings(Config, &complaints);
    for (const std::string& line : complaints) SayLine("%s", line.c_str());
    FocusQuiet = false;
    SetSoundBankQuiet(false);
    DeriveActionStates();
    EnterScene(Scene);
    Created = true;
}

namespace {

// A sheet that cannot be read, or is too small for the cells cut from it, stops the start with a
// message: drawn, a missing cell would only show as nothing.
void LoadSheet(Surface& sheet, const char* name, int minWidth, int minHeight) {
    const std::string path = ProgramPath(name);
    std::string error;
    if (!LoadBitmapFile(sheet, path, &error)) throw LoadError(error);
    if (sheet.Width < minWidth || sheet.Height < minHeight)
        throw LoadError(path + ": the picture is " + std::to_string(sheet.Width) + " by " +
                        std::to_string(sheet.Height) + " pixels; the game cuts cells from it up to " +
                        std::to_string(minWidth) + " by " + std::to_string(minHeight));
}

}  // namespace

void TForm1::DXDraw1InitializeSurface() {
    BackBuffer.Create(ScreenWidth, ScreenHeight, 0);
    LoadSheet(BackgroundSheet, BackgroundSheetFile, BackgroundSheetWidth, BackgroundSheetHeight);
    SetKeyColour(BackgroundSheet, PixelAt(BackgroundSheet, 80, 0));
    LoadSheet(CharacterSheet, CharacterSheetFile, CharacterSheetWidth, CharacterSheetHeight);
    SetKeyColour(CharacterSheet, PixelAt(CharacterSheet, 0, 0));
    // The score list, the ending message and the staff roll are text: without a face they are blank.
    std::string error;
    // A build without FreeType (Windows) draws its text from the glyph sheet beside the program.
    static GlyphSheet Glyphs;
    if (TextFromGlyphSheetOnly() && !OpenTextFace(nullptr)) {
        if (!LoadGlyphSheet(ProgramPath(GlyphSheetFile), Glyphs, &error)) throw LoadError(error);
        UseGlyphSheet(&Glyphs);
    }
    if (!OpenTextFace(&error)) throw LoadError(error);
    // The lettering is ours, over the scenes' own pictures: without it the game plays on unlabelled.
    if (LoadBitmapFile(LetteringSheet, ProgramPath(LetteringSheetFile), &error))
        SetKeyColour(LetteringSheet, PixelAt(LetteringSheet, 0, 0));
    else
        SayLine("%s; playing without the pause and title lettering", error.c_str());
}

void TForm1::DXDraw1FinalizeSurface() {
    BackgroundSheet = Surface{};
    CharacterSheet = Surface{};
    LetteringSheet = Surface{};
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
    KeepScores();
}

void TForm1::RunFrame() {
    if (Recorder) Recorder->FrameStarting();
    RawInput raw;
    Platform.ReadRawInput(raw);
    const uint64_t inputStates = Player ? Player->FrameStates() : RawInputStates(raw);
    PollInputStates(inputStates);
    for (int i = 0; i < ClampedHPSlotCount; ++i) EnemyHP[i] = std::max(EnemyHP[i], 0);
    // The tick: each part of its picture is taken where its passes stand in the frame.
    TickPicture& picture = PictureToTake();
    const bool drawing = !BackBuffer.DropsPixels;
    if (drawing) TakeBackPicture(picture.Back, TileSetOfScene(Scene));
    DeriveActionStates();
    if (ControlEnabled == 1 && WorldRunning == 1) PlayInput();
    if (Scene <= TitleScene) MenuCursorInput();
    ConfirmAction();
    EndFocusQuiet();
    SceneCuesBeforeStep();
    StepTextNoted = StepText{};
    if (WorldRunning == 1) WorldStep();
    WriteDisplayTexts();
    if (drawing) {
        picture.Text = StepTextNoted;
        TakeFrontPicture(picture.Front, TileSetOfScene(Scene));
    }
    MusicCues();
    BossDestroyedStop();
    SceneTransitions();
    PanelStep();
    if (drawing) {
        TakeTopPicture(picture.Top);
        PictureTaken();
    }
    // The drawing: the tick's picture, in the frame's order.
    if (drawing && Display.Smooth) KeepUnderlay(BackBuffer);
    if (drawing) DrawTickPicture(picture, BackBuffer);
    // A smooth display presents at the screen's refresh instead (ProgramFrame).
    if (!Display.Smooth) Platform.FlipBackBuffer(BackBuffer);
    ContinueStep();
    ++FrameCount;
    if (Recorder) Recorder->FrameRun(inputStates);
    if (Player) Player->FrameRun(*this);
}

void TForm1::FormKeyDown(int key, bool alt, bool repeat) {
    // Full screen and scaling are the window's business, not the game's: never recorded, and they
    // work during a replay too.
    if (!repeat && (key == Vk::F11 || (alt && key == Vk::Enter))) {
        DisplaySettings next = Display;
        next.FullScreen = !next.FullScreen;
        ChangeDisplay(next);
        return;
    }
    if (!repeat && key == Vk::F10) {
        DisplaySettings next = Display;
        next.Mode = NextScaling(next.Mode);
        ChangeDisplay(next);
        return;
    }
    if (Player) {
        // The replay holds the game's keys; Escape still leaves.
        if (key == Vk::Escape) Platform.RequestClose();
        return;
    }
    if (Recorder) Recorder->KeyDown(key);
    HandleKey(key);
    KeepScores();
}

void TForm1::HandleKey(int key) {
    if (key == FocusLostEvent) {
        PauseForFocus();
        return;
    }
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

void TForm1::FormDeactivate() {
    // A replay pauses where its recording paused, not where this window loses the focus.
    if (Player || !Display.PauseOnFocusLoss || !IsPlayScene(Scene) || GameOver == 1) return;
    // The pause changes play between two frames, so a recording keeps it as it keeps the keys.
    if (Recorder) Recorder->KeyDown(FocusLostEvent);
    PauseForFocus();
}

void TForm1::PauseForFocus() {
    WorldRunning = 0;
    FocusQuiet = true;
    SetSoundBankQuiet(true);
}

// The sound comes back with play: the player's confirm resumes it, or the game leaves play.
void TForm1::EndFocusQuiet() {
    if (!FocusQuiet || (WorldRunning == 0 && IsPlayScene(Scene))) return;
    FocusQuiet = false;
    SetSoundBankQuiet(false);
}

void TForm1::UseCommandLine(const CommandLine& line) {
    // The command line's choices hold for this run only: the ini keeps what the player chose.
    ApplyCommandLine(line, Display);
}

// Applies a display choice made in play (F10, F11, Alt+Enter) and keeps that choice, and only it,
// in the ini file. A replay writes no file but its own output.
void TForm1::ChangeDisplay(const DisplaySettings& settings) {
    const DisplaySettings before = Display;
    Display = settings;
    Platform.ApplyDisplay(Display);
    if (Player) return;
    AddAbsentKeys(Config);
    std::string error;
    if (!WriteDisplayChanges(Config, before, Display, &error)) SayLine("%s", error.c_str());
}

void TForm1::FormCloseQuery() {
    if (Recorder) Recorder->ProgramClosing();
    Platform.SetScreenSaverActive(true);
    // A replay is somebody's past game: it neither enters the score list nor touches the save.
    if (Player) return;
    // A start that failed before the save file was read has no scores to keep and must not write.
    if (!Created) return;
    RecordScore();
    KeepScores(true);
    // The game opens where the player left its window: the display is remembered.
    DisplaySettings where = Display;
    where.Monitor = Platform.CurrentDisplay();
    if (where.Monitor != Display.Monitor) ChangeDisplay(where);
    // A choice put off by another game's lock is written now.
    std::string error;
    if (Config.Unsaved() && !Config.Save(&error)) SayLine("%s", error.c_str());
}

// The table goes to the disk as soon as a score enters it (game over, Home, the staff roll's end, a
// continue refused), and a game waiting at its continue has its score there already, so a kill or a
// lost display right after loses nothing. A write that fails is said once and tried again at the next
// score; one put off by another game's lock is tried again every second without waiting. The close
// tries once more and prints the best scores if that fails too.
void TForm1::KeepScores(bool closing) {
    if (Player || !Created) return;
    // At close the score was recorded for good just before.
    if (!closing && GameOver == 1 && IsPlayScene(Scene)) SetProvisionalScore(Score);
    const std::string save = DataPath(SaveFileName);
    std::string scores;  // what a player would otherwise lose without a word
    for (int score : HighScores) scores.append(" ").append(std::to_string(score));
    if (SaveFileAtStart == FileStatus::Failed) {
        // Not written over a file whose scores were never read.
        if (closing)
            SayLine("%s was not saved (unreadable at start); the best scores were%s", save.c_str(),
                    scores.c_str());
        return;
    }
    if (!ScoreTableChanged()) return;
    constexpr long BusyRetryFrames = 40;
    const bool busy = ScoreTableLockBusy();
    if (!closing && ScoreTableChanges() == SaveFailedAt && (!busy || FrameCount < SaveRetryFrame)) return;
    std::string error;
    std::vector<std::string> said;
    const TableWrite result = KeepScoreTable(save, &error, &said, busy && !closing ? 0 : FolderLockWaitMs);
    for (const std::string& line : said) SayLine("%s", line.c_str());
    if (result == TableWrite::Written) {
        SaveFailedAt = -1;
        SaveTroubleSaid = false;
        return;
    }
    SaveFailedAt = ScoreTableChanges();
    SaveRetryFrame = FrameCount + BusyRetryFrames;
    if (closing)
        SayLine("%s; the best scores were%s", error.c_str(), scores.c_str());
    else if (!SaveTroubleSaid)
        SayLine("%s; trying again %s", error.c_str(),
                result == TableWrite::Busy ? "every second" : "at the next score");
    SaveTroubleSaid = true;
}

int RunToClose(TForm1& form, const std::function<void()>& run) {
    std::string failure;
    try {
        run();
    } catch (const std::bad_alloc&) {
        failure = "not enough memory";
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "an unexpected error";
    }
    if (!failure.empty()) SayLine("%s", failure.c_str());
    form.FormCloseQuery();
    return failure.empty() ? 0 : 1;
}

namespace {

struct ButtonKey {
    const char* Key;
    int* Button;
    int Shipped;  // the binding in the ini that ships with the game
};

// The actions in the order of the shipped ini's keys.
const ButtonKey ButtonKeys[] = {
    {ShippedButtons[0].Key, &SpeedButton, ShippedButtons[0].Button},
    {ShippedButtons[1].Key, &FireButton, ShippedButtons[1].Button},
    {ShippedButtons[2].Key, &BurstButton, ShippedButtons[2].Button},
    {ShippedButtons[3].Key, &ConfirmButton, ShippedButtons[3].Button},
};
static_assert(std::size(ShippedButtons) == 4, "one shipped button for each of the four actions");

}  // namespace

// An action whose button is missing or has no input state falls back to the shipped binding: a
// missing, empty or damaged ini would otherwise leave nothing that leaves the title. One line says so.
void TForm1::ReadButtonNumbers(const std::string& fileProblem) {
    std::string replaced;
    for (size_t i = 0; i < std::size(ButtonKeys); ++i) {
        const ButtonKey& entry = ButtonKeys[i];
        const std::optional<int> value = Config.ReadInteger(KeyConfigSection, entry.Key);
        const bool usable = value && *value >= 1 && *value <= 32;
        *entry.Button = usable ? *value : entry.Shipped;
        ButtonsInFile[i] = usable ? *value : 0;  // a fallback is written when the player keeps it
        if (!usable)
            replaced.append(replaced.empty() ? "" : ", ")
                .append(entry.Key)
                .append(" ")
                .append(std::to_string(entry.Shipped));
    }
    if (replaced.empty()) return;
    const std::string what =
        fileProblem.empty()
            ? Config.FilePath() + ": a button number in [KeyConfig] is missing or out of range"
            : fileProblem;
    SayLine("%s; using the shipped buttons %s", what.c_str(), replaced.c_str());
}

void TForm1::WriteButtonNumbers() {
    if (Player) return;
    // Only the buttons the player changed: another, edited in the file meanwhile, stays as edited.
    for (size_t i = 0; i < std::size(ButtonKeys); ++i)
        if (*ButtonKeys[i].Button != ButtonsInFile[i]) {
            Config.WriteInteger(KeyConfigSection, ButtonKeys[i].Key, *ButtonKeys[i].Button);
            ButtonsInFile[i] = *ButtonKeys[i].Button;
        }
    AddAbsentKeys(Config);
    std::string error;
    if (!Config.Save(&error)) SayLine("%s", error.c_str());
}

}  // namespace veltrano
