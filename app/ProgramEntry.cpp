// Program entry: the command line, the SDL backend's window, the idle loop that drives the frame
// timer, and the close path. Every call to SDL goes through the backend.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/CommandLine.h"
#include "app/Main.h"
#include "app/ProgramFolder.h"
#include "app/Replay.h"
#include "app/SoundBank.h"
#include "platform/Display.h"
#include "platform/FrameTimer.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlBackend.h"

using namespace veltrano;

namespace {

ClockTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ts.tv_nsec / 1000000)};
}

volatile std::sig_atomic_t HangUp = 0;
TForm1* Form = nullptr;  // for the close when the display is lost

int Fail(const std::string& message) {
    std::fprintf(stderr, "VeltranoGame2: %s\n", message.c_str());
    return 1;
}

// Hands the window's events to the main window: keys, focus, lost surfaces.
void DispatchEvents(SdlBackend& backend, TForm1& form) {
    WindowEvent event;
    while (backend.NextEvent(event)) {
        switch (event.Kind) {
            case WindowEvent::Kinds::KeyDown:
                form.FormKeyDown(event.Key, event.Alt, event.Repeat);
                break;
            case WindowEvent::Kinds::FocusLost:
                form.FormDeactivate();
                break;
            case WindowEvent::Kinds::SurfacesLost:
                form.DXDraw1FinalizeSurface();
                form.DXDraw1InitializeSurface();
                break;
        }
    }
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
    ReplayPlayer player(replay);
    if (playing) form.AttachPlayer(&player);
    const int status = RunToClose(form, [&] {
        form.FormCreate(Now());
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

        FrameTimer timer;
        uint64_t resultUntil = 0;  // a finished replay's result stays on the screen until then
        while (!backend.Closing()) {
            DispatchEvents(backend, form);
            if (HangUp) backend.RequestClose();  // a closed terminal or a logout: close as for SIGTERM
            const int lag = timer.Tick(backend.Ticks());
            if (lag > 0 && resultUntil == 0) form.DXTimer1Timer(lag);
            if (playing && player.Finished() && resultUntil == 0) {
                std::printf("%s\n", ReplayResultText(player).c_str());
                std::fflush(stdout);
                DrawReplayResult(player);
                resultUntil = backend.Ticks() + ReplayResultMs;
            }
            if (resultUntil != 0) {
                // F10 and F11 still work on the result; it is shown again for each change.
                if (lag > 0) backend.FlipBackBuffer(BackBuffer);
                if (backend.Ticks() >= resultUntil) backend.RequestClose();
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
