// Program entry: the command line, the SDL backend's window, the loop that calls the program's
// frame function, and the close path. Every call to SDL goes through the backend.
#include <csignal>
#include <cstdio>
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
#include "platform/sdl/SdlBackend.h"

using namespace veltrano;

namespace {

volatile std::sig_atomic_t HangUp = 0;
TForm1* Form = nullptr;  // for the close when the display is lost

int Fail(const std::string& message) {
    std::fprintf(stderr, "VeltranoGame2: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGHUP, [](int) { HangUp = 1; });
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
        std::fprintf(stderr, "VeltranoGame2: %s (games are not recorded)\n", error.c_str());
    }
    ReplayPlayer player(replay);
    if (playing) form.AttachPlayer(&player);
    const int status = RunToClose(form, [&] {
        form.FormCreate(LocalClockTime());
        form.UseCommandLine(line);
        if (!backend.OpenDisplay(form.DisplayChoices(), &error)) throw LoadError(error);
        form.DXDraw1InitializeSurface();
        backend.SetIcon(IconPixels(CharacterSheet, 0, 0, 32, 2), 64);  // the first ship, as installed
        if (!OpenAudioDevice(MixSoundBank, &error))
            std::fprintf(stderr, "VeltranoGame2: no audio device (%s); playing without sound\n",
                         error.c_str());
        form.DXSound1Initialize();
        if (playing) {
            player.Begin();
        } else {
            form.AttachRecorder(&recorder);
        }

        ProgramFrame frame(form, backend, playing ? &player : nullptr);
        for (;;) {
            if (HangUp) backend.RequestClose();  // a closed terminal or a logout: close as for SIGTERM
            if (!frame.Advance(backend.Ticks())) break;
            // Sleep between ticks instead of spinning: the clock needs millisecond ticks only.
            backend.Sleep(1);
        }
    });
    CloseAudioDevice();
    form.DXSound1Finalize();
    form.DXDraw1FinalizeSurface();
    return status;
}
