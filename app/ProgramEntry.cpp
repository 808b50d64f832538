// Program entry: the SDL window, the idle loop that drives the frame timer, and the close path.
#include <SDL.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/Main.h"
#include "app/SoundBank.h"
#include "platform/FrameTimer.h"
#include "platform/sdl/SdlAudio.h"
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

volatile std::sig_atomic_t HangUp = 0;

int Fail(const std::string& message) {
    std::fprintf(stderr, "VeltranoGame2: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int, char**) {
    std::signal(SIGHUP, [](int) { HangUp = 1; });
    SetProgramFolder(ExecutableFolder());
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS) != 0)
        return Fail(std::string("cannot start SDL: ") + SDL_GetError());

    int status = 0;
    {
        SdlBackend backend;
        TForm1 form(backend);
        std::string error;
        status = RunToClose(form, [&] {
            form.FormCreate(Now());
            if (!backend.OpenDisplay(&error)) throw LoadError(error);
            form.DXDraw1InitializeSurface();
            if (!OpenAudioDevice(MixSoundBank, &error))
                std::fprintf(stderr, "VeltranoGame2: no audio device (%s); playing without sound\n",
                             error.c_str());
            form.DXSound1Initialize();

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
                if (HangUp) backend.RequestClose();  // a closed terminal or a logout: close as for SIGTERM
                const int lag = timer.Tick(SDL_GetTicks64());
                if (lag > 0) form.DXTimer1Timer(lag);
                // Sleep between ticks instead of spinning: the clock needs millisecond ticks only.
                SDL_Delay(1);
            }
        });
        CloseAudioDevice();
        form.DXSound1Finalize();
        form.DXDraw1FinalizeSurface();
    }
    SDL_Quit();
    return status;
}
