// The main window: start-up, the frame handler, the key and close events and the sound bank.
// It runs the same over the SDL backend and the headless one.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "app/ConfigFile.h"
#include "platform/Backend.h"
#include "platform/DisplaySettings.h"

namespace veltrano {

struct CommandLine;
struct SceneScript;
class ReplayRecorder;
class ReplayPlayer;

// The time of day the random generator is seeded from.
struct ClockTime {
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

class TForm1 {
   public:
    explicit TForm1(Backend& backend) : Platform(backend) {}

    // Start-up: the scripts' own checks (a faulty script throws LoadError), seed, window placement,
    // screen saver off, configuration, save file, start values, action states, the title's init.
    void FormCreate(const ClockTime& now);
    // The display has (re)created its surfaces: load both sheets and take their key colours.
    // Throws LoadError naming a missing or unreadable picture.
    void DXDraw1InitializeSurface();
    void DXDraw1FinalizeSurface();
    // Loads the eleven sound slots; throws LoadError naming a missing or unreadable wave.
    void DXSound1Initialize();
    void DXSound1Finalize();

    // The frame handler: turns elapsed milliseconds into at most one 25 ms frame.
    void DXTimer1Timer(int lagCount);
    // Escape, Home, and Insert and Delete on the title once the game has been cleared; F11 and
    // Alt+Enter switch between full screen and a window, F10 cycles the scaling. A key's own
    // auto-repeat does not switch the display again.
    void FormKeyDown(int key, bool alt = false, bool repeat = false);
    // The window lost the focus: play pauses as the player's own pause does and the sound goes quiet
    // until play resumes (menus, the staff roll and a running continue countdown go on).
    void FormDeactivate();
    // Records the score, writes the save file (made again when it went missing), switches the
    // screen saver back on.
    void FormCloseQuery();

    // The command line's display choices over the ini file's, for this run only (never written).
    void UseCommandLine(const CommandLine& line);
    const DisplaySettings& DisplayChoices() const { return Display; }
    // Whether the sound is quiet because the focus was lost during play.
    bool QuietForFocus() const { return FocusQuiet; }
    // Replays. A recorder sees every frame's input states and the window's keys. While a player is
    // attached, the frames read its input instead of the machine's, the window's keys do nothing
    // but Escape, F10, F11 and Alt+Enter, and no file is written (the save file, the ini). Attach it
    // before FormCreate, which then neither makes nor mends a file.
    void AttachRecorder(ReplayRecorder* recorder) { Recorder = recorder; }
    void AttachPlayer(ReplayPlayer* player) { Player = player; }
    // A key-down event that a replay recorded.
    void ReplayedKeyDown(int key) { HandleKey(key); }

    long double FrameCreditMs() const { return FrameCredit; }
    // Frames run since start-up (for tools and tests; the game itself counts StageFrame).
    long FramesRun() const { return FrameCount; }

   private:
    void RunFrame();
    void HandleKey(int key);
    void PauseForFocus();
    void DeriveActionStates();
    void PlayInput();
    void MenuCursorInput();
    void ConfirmAction();
    void StartGame();
    void ConfirmInPlay();
    void EnterLastBattle();
    void EndStaffRoll();
    void SceneCuesBeforeStep();
    void WorldStep();
    void SlotSoundCues(int slot);
    void MusicCues();
    void BossDestroyedStop();
    void SceneTransitions();
    void MoveToScene(int scene, const char* stageMusic, const char* bossMusic, bool start,
                     bool enableControl);
    void PanelStep();
    void ReturnToTitleSilently();
    void ReadButtonNumbers(const std::string& fileProblem);
    void WriteButtonNumbers();
    void ChangeDisplay(const DisplaySettings& settings);
    void EndFocusQuiet();
    void KeepScores(bool closing = false);

    Backend& Platform;
    ConfigFile Config;
    FileStatus SaveFileAtStart = FileStatus::Missing;
    bool Created = false;  // FormCreate has run: the save file has been read
    // A save that failed is said once and tried again when the table next changes (SaveFailedAt is
    // the change it failed at); one put off by a lock is tried again, without waiting, from
    // SaveRetryFrame on.
    int SaveFailedAt = -1;
    bool SaveTroubleSaid = false;
    long SaveRetryFrame = 0;
    int ButtonsInFile[4] = {};  // the button numbers as the ini holds them (0: missing or unusable)
    DisplaySettings Display;
    bool FocusQuiet = false;
    long double FrameCredit = 0;
    long FrameCount = 0;
    ReplayRecorder* Recorder = nullptr;
    ReplayPlayer* Player = nullptr;
};

// Runs the program from start-up to close: `run` starts the game and plays it until the window is
// asked to close. Whatever error escapes it (a file that cannot be loaded at start-up or at a scene
// change, memory exhausted) is reported on one line, and the close query runs either way, so the
// run's scores are saved. Returns the exit status: 0, or 1 after an error.
int RunToClose(TForm1& form, const std::function<void()>& run);

// Stops the start with the first fault the scripts' own checks found (see ScriptFaultLine): throws
// LoadError, which RunToClose reports on one line. The start checks every scene's script.
void StopOnScriptFaults(std::span<const SceneScript> scripts);

// The state number of button n for an action row, or NoInputState when n is outside 1..32.
unsigned char ActionState(int row, int buttonNumber);

}  // namespace veltrano
