// Program entry: the SDL window, the idle loop that drives the frame timer, and the close path.
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "app/Main.h"
#include "app/Replay.h"
#include "app/SoundBank.h"
#include "platform/FrameTimer.h"
#include "platform/sdl/SdlBackend.h"

using namespace veltrano;

namespace {

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    std::string exe(path, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : exe.substr(0, slash));
}

ClockTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    localtime_r(&ts.tv_sec, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ts.tv_nsec / 1000000)};
}

// Opens the audio device with the sound libraries' own chatter kept off stderr: a machine without a
// sound card gets our one line instead of a page of driver messages.
bool OpenAudioQuietly(SdlBackend& backend, std::string* error) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!opened) *error = SDL_GetError();
    if (opened) opened = backend.OpenAudio(error);
    std::fflush(stderr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    if (null >= 0) close(null);
    return opened;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "VeltranoGame2: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    SetProgramFolder(ExecutableFolder());
    ReplayOptions replayOptions;
    Replay replay;
    std::string optionError;
    if (!TakeReplayOptions(argc, argv, replayOptions, &optionError)) return Fail(optionError);
    const bool playing = !replayOptions.ReplayFile.empty();
    if (playing && !ReadReplayFile(replayOptions.ReplayFile, replay, &optionError)) return Fail(optionError);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS) != 0)
        return Fail(std::string("cannot start SDL: ") + SDL_GetError());

    int status = 0;
    {
        SdlBackend backend;
        TForm1 form(backend);
        ReplayRecorder recorder(replayOptions.RecordFile.empty() ? LastReplayPath()
                                                                 : replayOptions.RecordFile);
        ReplayPlayer player(replay);
        std::string error;
        try {
            form.FormCreate(Now());
            if (!backend.OpenDisplay(&error)) throw LoadError(error);
            form.DXDraw1InitializeSurface();
            if (!OpenAudioQuietly(backend, &error))
                std::fprintf(stderr, "VeltranoGame2: no audio device (%s); playing without sound\n",
                             error.c_str());
            form.DXSound1Initialize();
            if (playing) {
                form.AttachPlayer(&player);
                player.Begin();
            } else {
                form.AttachRecorder(&recorder);
            }

            FrameTimer timer;
            while (!backend.Closing()) {
                SDL_Event event;
                bool surfacesLost = false;
                while (SDL_PollEvent(&event)) {
                    const int key = backend.HandleEvent(event, surfacesLost);
                    if (key > 0) form.FormKeyDown(key);
                }
                if (surfacesLost) {
                    form.DXDraw1FinalizeSurface();
                    form.DXDraw1InitializeSurface();
                }
                const int lag = timer.Tick(SDL_GetTicks64());
                if (lag > 0) form.DXTimer1Timer(lag);
                backend.PumpAudio();
                if (playing && player.Finished() && !backend.Closing()) {
                    if (player.Diverged())
                        std::printf("replay differs at %s\n", player.FirstDifference().c_str());
                    else
                        std::printf("replay ok: %ld frames, score %d\n", player.FramesPlayed(),
                                    player.FinalScore());
                    backend.RequestClose();
                }
                // Sleep between ticks instead of spinning: the clock needs millisecond ticks only.
                SDL_Delay(1);
            }
            form.FormCloseQuery();
        } catch (const LoadError& e) {
            // A file missing mid-game still leaves the scores saved before the program ends.
            status = Fail(e.what());
            form.FormCloseQuery();
        }
        form.DXSound1Finalize();
        form.DXDraw1FinalizeSurface();
    }
    SDL_Quit();
    return status;
}
