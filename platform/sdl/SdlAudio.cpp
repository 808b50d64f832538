#include <SDL.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cstdio>

#include "platform/AudioDevice.h"
#include "platform/Mixer.h"

namespace veltrano {

namespace {

// 512 frames, 16 ms: effects follow the game closely, and the thread that fills the buffer runs on
// its own, so a frame that runs late does not starve the device.
constexpr int DeviceFrames = 512;

SDL_AudioDeviceID Device = 0;
AudioSource Source = nullptr;

void SDLCALL Pull(void*, Uint8* stream, int length) {
    Source(reinterpret_cast<int16_t*>(stream), length / static_cast<int>(sizeof(int16_t) * MixChannels));
}

bool Open(AudioSource source, std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = SDL_GetError();
        return false;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = MixRate;
    want.format = AUDIO_S16SYS;
    want.channels = MixChannels;
    want.samples = DeviceFrames;
    want.callback = Pull;
    Source = source;
    // No changes allowed: SDL converts to whatever the hardware takes, so the callback always gets
    // our own format.
    Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!Device) {
        *error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(Device, 0);
    return true;
}

}  // namespace

bool OpenAudioDevice(AudioSource source, std::string* error) {
#ifdef _WIN32
    return Open(source, error);  // Windows' sound drivers print nothing
#else
    // A machine without a sound card gets our one line instead of a page of driver messages.
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    const bool opened = Open(source, error);
    std::fflush(stderr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    if (null >= 0) close(null);
    return opened;
#endif
}

void CloseAudioDevice() {
    if (!Device) return;
    SDL_CloseAudioDevice(Device);
    Device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace veltrano
