// Program entry: the command line, the SDL backend's window, the loop that calls the program's
// frame function, and the close path. Every call to SDL goes through the backend.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/CommandLine.h"
#include "app/Main.h"
#include "app/ProgramFolder.h"
#include "app/ProgramFrame.h"
#include "app/Replay.h"
#include "app/SoundBank.h"
#include "platform/AudioDevice.h"
#include "platform/Display.h"
#include "platform/Say.h"
#include "platform/Surface.h"
#include "platform/sdl/SdlBackend.h"

using namespace veltrano;

namespace {

volatile std::sig_atomic_t HangUp = 0;
TForm1* Form = nullptr;  // for the close when the display is lost

int Fail(const std::string& message) {
    SayLine("%s", message.c_str());
    return 1;
}

// A test run (VELTRANO_TEST_FRAMES="N FOLDER" in the environment), as the browser's test page runs:
// the clock of day reads midnight and the first N frames each take one 25 ms step of a clock of
// their own, as fast as they can, each picture written to FOLDER/frame-K.bmp (as the headless game
// writes its frames); then the game goes on in real time.
struct TestFrames {
    long Count = 0;
    std::string Folder;
};

TestFrames TestFramesFromEnvironment() {
    TestFrames test;
    const char* value = std::getenv("VELTRANO_TEST_FRAMES");
    if (value == nullptr) return test;
    char* end = nullptr;
    const long count = std::strtol(value, &end, 10);
    if (count > 0 && count <= 10000 && *end == ' ' && end[1] != '\0') {
        test.Count = count;
        test.Folder = end + 1;
    } else {
        SayLine("VELTRANO_TEST_FRAMES='%s' is not \"N FOLDER\"; ignored", value);
    }
    return test;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGHUP  // a terminal that closes (Windows has none to hang up)
    std::signal(SIGHUP, [](int) { HangUp = 1; });
#endif
    std::string optionError;
    const CommandLine line = ParseCommandLine(argc, argv);
    if (!line.Error.empty()) return Fail(line.Error);
    if (line.ShowHelp) {
        std::fputs(CommandLineHelp().c_str(), stdout);
        return 0;
    }
    if (line.ShowVersion) {
        std::printf("%s\n", VersionText().c_str());
        return 0;
    }
    SetProgramFolder(ExecutableFolder());
    UseDataFolderFor(ProgramFolder());
    Replay replay;
    const bool playing = !line.ReplayFile.empty();
    if (playing && !ReadReplayFile(line.ReplayFile, replay, &optionError)) return Fail(optionError);

    SdlBackend backend;
    std::string error;
    if (!backend.Start(&error)) return Fail(error);
    TForm1 form(backend);
    Form = &form;
    backend.OnDisplayLost([] { Form->FormCloseQuery(); });
    ReplayRecorder recorder(line.RecordFile.empty() ? LastReplayPath() : line.RecordFile);
    if (!playing && !recorder.CheckAtStart(&error)) {
        // A recording asked for that cannot be made stops the start; the usual one only says so.
        if (!line.RecordFile.empty()) return Fail(error);
        SayLine("%s (games are not recorded)", error.c_str());
    }
    ReplayPlayer player(replay);
    if (playing) form.AttachPlayer(&player);
    const TestFrames test = TestFramesFromEnvironment();
    const int status = RunToClose(form, [&] {
        form.FormCreate(test.Count > 0 ? ClockTime{} : LocalClockTime());
        form.UseCommandLine(line);
        if (!backend.OpenDisplay(form.DisplayChoices(), &error)) throw LoadError(error);
        form.DXDraw1InitializeSurface();
        backend.SetIcon(IconPixels(CharacterSheet, 0, 0, 32, 2), 64);  // the first ship, as installed
        if (!OpenAudioDevice(MixSoundBank, &error))
            SayLine("no audio device (%s); playing without sound", error.c_str());
        form.DXSound1Initialize();
        if (playing) {
            player.Begin();
        } else {
            form.AttachRecorder(&recorder);
        }

        ProgramFrame frame(form, backend, playing ? &player : nullptr);
        bool testing = test.Count > 0;
        uint64_t testClock = 0, clockOffset = 0;  // the real clock goes on from the test clock
        for (;;) {
            if (HangUp) backend.RequestClose();  // a closed terminal or a logout: close as for SIGTERM
            const long framesBefore = form.FramesRun();
            if (!frame.Advance(testing ? testClock : backend.Ticks() + clockOffset)) break;
            if (testing) {
                testClock += 25;
                if (form.FramesRun() == framesBefore) continue;
                const std::string path = test.Folder + "/frame-" + std::to_string(form.FramesRun()) + ".bmp";
                if (!SaveBitmapFile(BackBuffer, path, &error)) throw LoadError(error);
                testing = form.FramesRun() < test.Count;
                clockOffset = testClock - backend.Ticks();
                continue;
            }
            // Sleep between ticks instead of spinning: the clock needs millisecond ticks only.
            backend.Sleep(1);
        }
    });
    CloseAudioDevice();
    form.DXSound1Finalize();
    form.DXDraw1FinalizeSurface();
    return status;
}
