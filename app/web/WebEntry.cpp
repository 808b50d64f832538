// The browser's program entry: the program folder packed with the page, the data folder in the
// page's storage, the web backend, and the frame function called from every animation frame. A page
// opened with ?mode=test runs frames only when asked (the browser tests), ?mode=verify starts no
// game and checks replays.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Main.h"
#include "app/ProgramFiles.h"
#include "app/ProgramFolder.h"
#include "app/ProgramFrame.h"
#include "app/Replay.h"
#include "app/ReplayFile.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "platform/AudioDevice.h"
#include "platform/Display.h"
#include "platform/GlyphSheet.h"
#include "platform/Input.h"
#include "platform/KeyBindings.h"
#include "platform/Mixer.h"
#include "platform/Say.h"
#include "platform/web/WebBackend.h"
#include "world/World.h"

extern "C" {
// web-platform.js
void veltrano_store_files();
int veltrano_page_mode();
void veltrano_closed(int status);
}

using namespace veltrano;

namespace {

constexpr const char* ProgramFolderPath = "/program";
constexpr const char* DataFolderPath = "/save";

enum class PageMode { Play = 0, Test = 1, Verify = 2 };

GlyphSheet Glyphs;
WebBackend Platform;
std::unique_ptr<TForm1> Form;
std::unique_ptr<ProgramFrame> Loop;
bool Closed = false;
uint64_t TestClock = 0;  // the tests' clock (?mode=test)
bool TestClockStarted = false;

// The close query, as when the desktop's window closes: the scores are saved and kept in storage.
void Close(int status) {
    if (Closed) return;
    Closed = true;
    emscripten_cancel_main_loop();
    Form->FormCloseQuery();
    CloseAudioDevice();
    veltrano_store_files();
    veltrano_closed(status);
}

// A file that cannot be loaded at a scene change ends the game as on the desktop: one line naming
// it, the scores saved.
void Guarded(void (*step)()) {
    try {
        step();
    } catch (...) {
        if (Closed) return;
        Closed = true;
        emscripten_cancel_main_loop();
        RunToClose(*Form, [] { throw; });
        veltrano_store_files();
        veltrano_closed(1);
    }
}

void AnimationFrame() {
    Guarded([] {
        if (!Loop->Advance(emscripten_get_now())) Close(0);
    });
}

void Start(PageMode mode) {
    Form->FormCreate(mode == PageMode::Test ? ClockTime{} : LocalClockTime());
    // The page is a window inside the browser; full screen comes on request (F11, Alt+Enter).
    CommandLine windowed;
    windowed.FullScreen = false;
    // The test frames hold the canvas up against the native game's back buffer, tick by tick.
    if (mode == PageMode::Test) windowed.Smooth = false;
    Form->UseCommandLine(windowed);
    Platform.ApplyDisplay(Form->DisplayChoices());
    Form->DXDraw1InitializeSurface();
    std::string error;
    if (!OpenAudioDevice(MixSoundBank, &error))
        SayLine("no audio device (%s); playing without sound", error.c_str());
    Form->DXSound1Initialize();
}

}  // namespace

namespace {

// Plays a replay headless and says how it went, as the sim tool's --verify does. With `timed`, every
// frame is drawn and timed too: the slowest frame and the mean, in milliseconds.
std::string PlayReplay(const char* path, bool timed) {
    Replay replay;
    std::string error;
    if (!ReadReplayFile(path, replay, &error)) return "bad replay: " + error;
    try {
        HeadlessGame game(ProgramFolderPath);
        if (!timed) game.DropPictures();
        ReplayPlayer player(replay);
        game.Form.AttachPlayer(&player);
        player.Begin();
        std::vector<double> times;
        for (long f = 1; f <= replay.Frames && !player.Finished(); ++f) {
            const double start = emscripten_get_now();
            game.Frame();
            times.push_back(emscripten_get_now() - start);
        }
        if (player.Diverged()) return "replay differs at " + player.FirstDifference();
        std::string line = "replay ok: " + std::to_string(player.FramesPlayed()) + " frames, score " +
                           std::to_string(player.FinalScore());
        if (timed && !times.empty()) {
            const double total = std::accumulate(times.begin(), times.end(), 0.0);
            const auto slowest = std::max_element(times.begin(), times.end());
            std::vector<double> sorted = times;
            std::sort(sorted.begin(), sorted.end());
            char text[128];
            std::snprintf(text, sizeof text,
                          "; frames drawn and timed: mean %.2f ms, 99th percentile %.2f ms, slowest %.2f ms "
                          "(frame %ld)",
                          total / static_cast<double>(times.size()), sorted[sorted.size() * 99 / 100],
                          *slowest, static_cast<long>(slowest - times.begin()) + 1);
            line += text;
        }
        return line;
    } catch (const std::exception& e) {
        return std::string("error: ") + e.what();
    }
}

}  // namespace

extern "C" {

// The page is being left: it closes as the window does.
EMSCRIPTEN_KEEPALIVE void veltrano_page_closing() {
    if (Form && !Closed) Close(0);
}

// The tab is hidden: the pause of a lost focus at once, not at the next frame, which a hidden tab may
// never get. Play resumes as after any focus pause.
EMSCRIPTEN_KEEPALIVE void veltrano_page_hidden() {
    if (Form && !Closed) Form->FormDeactivate();
}

// The page's area changed size without the window (its status line grew): the picture is placed again.
EMSCRIPTEN_KEEPALIVE void veltrano_page_resized() {
    Platform.PlaceCanvas();
}

// The page's touch controls: 0 up, 1 down, 2 left, 3 right, then the speed, fire, burst and confirm
// actions, each as the key (or pad button) of the input state the player's ini gives it.
EMSCRIPTEN_KEEPALIVE void veltrano_touch(int control, int held) {
    static constexpr int Directions[] = {StateUp, StateDown, StateLeft, StateRight};
    const int actions[] = {SpeedState, FireState, BurstState, ConfirmState};
    if (control < 0 || control >= 8) return;
    const int state = control < 4 ? Directions[control] : actions[control - 4];
    if (state < 0 || state >= InputStateCount) return;
    const int vk = KeyOfState(state);
    Platform.Touch(control, vk, vk == 0 && state >= StateButton1 ? state - StateButton1 : -1, held != 0);
}

// Whether a key the page would use for itself (M mutes) is one the player's bindings give the game.
EMSCRIPTEN_KEEPALIVE int veltrano_key_is_games(int vk) {
    const int heard = PlayerKeys.Heard(vk);
    for (int a = 0; a < KeyActionCount; ++a)
        if (heard != 0 && KeyActions[a].Heard == heard) return 1;
    return 0;
}

// A music piece the page has decoded after its scene began: a music slot that holds the short silence
// written in its place takes the piece and goes on as it was (playing, looping, at its volume).
EMSCRIPTEN_KEEPALIVE void veltrano_music_arrived(const char* path) {
    for (SoundSlot slot : {StageMusic, BossMusic}) {
        SoundBuffer& buffer = SoundSlots[slot];
        if (buffer.File != path) continue;
        Wave wave;
        std::string error, file = path;
        if (!ReadWaveFile(path, &wave, &error)) {
            SayLine("%s", error.c_str());
            continue;
        }
        MixerLock lock;
        const bool playing = buffer.Playing, looping = buffer.Looping;
        SwapWaveInto(buffer, wave, file);
        if (playing) PlayBuffer(buffer, looping);
    }
}

// The browser tests: the frame function on a clock that moves 25 ms a call, so each call runs one
// frame, as the headless game's frames do; the page's keys and events go through as in play.
EMSCRIPTEN_KEEPALIVE void veltrano_test_frames(int count) {
    if (!TestClockStarted) {
        TestClockStarted = true;
        Loop->Advance(TestClock);
    }
    for (int i = 0; i < count && !Closed; ++i)
        Guarded([] {
            TestClock += 25;
            if (!Loop->Advance(TestClock)) Close(0);
        });
}

EMSCRIPTEN_KEEPALIVE int veltrano_scene() {
    return Scene;
}
EMSCRIPTEN_KEEPALIVE int veltrano_high_score(int rank) {
    return rank >= 0 && rank < HighScoreCount ? HighScores[rank] : 0;
}
EMSCRIPTEN_KEEPALIVE int veltrano_score() {
    return Score;
}
EMSCRIPTEN_KEEPALIVE int veltrano_player_x() {
    return PlayerX;
}
EMSCRIPTEN_KEEPALIVE int veltrano_player_y() {
    return PlayerY;
}

// Checks a replay from the file system and returns the line the sim tool prints for it.
EMSCRIPTEN_KEEPALIVE const char* veltrano_verify_replay(const char* path) {
    static std::string result;
    return (result = PlayReplay(path, false)).c_str();
}

// The same with every frame drawn and timed (the browser's benchmark).
EMSCRIPTEN_KEEPALIVE const char* veltrano_time_replay(const char* path) {
    static std::string result;
    return (result = PlayReplay(path, true)).c_str();
}

}  // extern "C"

int main() {
    const auto mode = static_cast<PageMode>(veltrano_page_mode());
    SetProgramFolder(ProgramFolderPath);
    // Text comes from the glyph sheet; without it the start stops as without the font.
    std::string error;
    if (LoadGlyphSheet(ProgramPath(GlyphSheetFile), Glyphs, &error))
        UseGlyphSheet(&Glyphs);
    else
        SayLine("%s", error.c_str());
    if (mode == PageMode::Verify) return 0;
    if (PrepareDataFolder(ProgramFolderPath, DataFolderPath, &error))
        SetDataFolder(DataFolderPath);
    else
        SayLine("%s; the scores last until the page is closed", error.c_str());
    Platform.Start();
    Form = std::make_unique<TForm1>(Platform);
    Loop = std::make_unique<ProgramFrame>(*Form, Platform);
    Guarded([] { Start(static_cast<PageMode>(veltrano_page_mode())); });
    if (Closed) return 1;
    veltrano_store_files();  // a first start keeps the shipped ini and empty save file
    if (mode == PageMode::Play) emscripten_set_main_loop(AnimationFrame, 0, false);
    return 0;
}
