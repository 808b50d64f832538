#include "platform/sdl/SdlBackend.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "app/SoundBank.h"
#include "platform/Mixer.h"

namespace veltrano {

namespace {

// About 40 ms queued: low latency for the effects, and slack for a frame that runs late.
constexpr int AudioAheadFrames = MixRate * 40 / 1000;

}  // namespace

SdlBackend::~SdlBackend() {
    if (Audio) SDL_CloseAudioDevice(Audio);
    if (Joystick) SDL_JoystickClose(Joystick);
    if (Texture) SDL_DestroyTexture(Texture);
    if (Renderer) SDL_DestroyRenderer(Renderer);
    if (Window) SDL_DestroyWindow(Window);
    if (Started) SDL_Quit();
}

bool SdlBackend::Start(std::string* error) {
    Started = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS) == 0;
    if (!Started && error) *error = std::string("cannot start SDL: ") + SDL_GetError();
    return Started;
}

uint64_t SdlBackend::Ticks() {
    return SDL_GetTicks64();
}

void SdlBackend::Sleep(int milliseconds) {
    SDL_Delay(static_cast<Uint32>(milliseconds));
}

// A machine without a sound card gets our one line instead of a page of driver messages.
bool SdlBackend::OpenAudio(std::string* error) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!opened && error) *error = SDL_GetError();
    if (opened) opened = OpenAudioDevice(error);
    std::fflush(stderr);
    if (saved >= 0) {
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
    if (null >= 0) close(null);
    return opened;
}

bool SdlBackend::OpenAudioDevice(std::string* error) {
    SDL_AudioSpec want{}, have{};
    want.freq = MixRate;
    want.format = AUDIO_S16SYS;
    want.channels = MixChannels;
    want.samples = 512;
    Audio = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!Audio) {
        if (error) *error = SDL_GetError();
        return false;
    }
    SDL_PauseAudioDevice(Audio, 0);
    return true;
}

void SdlBackend::PumpAudio() {
    if (!Audio) return;
    static int16_t chunk[AudioAheadFrames * MixChannels];
    const Uint32 queuedFrames = SDL_GetQueuedAudioSize(Audio) / (sizeof(int16_t) * MixChannels);
    if (queuedFrames >= static_cast<Uint32>(AudioAheadFrames)) return;
    const int frames = AudioAheadFrames - static_cast<int>(queuedFrames);
    MixSoundBank(chunk, frames);
    SDL_QueueAudio(Audio, chunk, static_cast<Uint32>(frames * sizeof(int16_t) * MixChannels));
}

void SdlBackend::OpenJoystick(int deviceIndex) {
    if (Joystick) return;
    Joystick = SDL_JoystickOpen(deviceIndex);
    JoystickId = Joystick ? SDL_JoystickInstanceID(Joystick) : -1;
}

void SdlBackend::ReadRawInput(RawInput& raw) {
    raw = RawInput{};
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    for (int code = 0; code < count; ++code)
        if (keys[code]) {
            const int vk = VirtualKeyOf(static_cast<SDL_Scancode>(code));
            if (vk > 0) raw.KeyDown[vk] = true;
        }
    if (Joystick && SDL_JoystickGetAttached(Joystick)) {
        JoystickReading& joy = raw.Joystick;
        joy.Present = true;
        joy.AxisMin = -32768;
        joy.AxisMax = 32767;
        const int axes = SDL_JoystickNumAxes(Joystick);
        joy.AxisX = axes > 0 ? SDL_JoystickGetAxis(Joystick, 0) : 0;
        joy.AxisY = axes > 1 ? SDL_JoystickGetAxis(Joystick, 1) : 0;
        joy.AxisZ = axes > 2 ? SDL_JoystickGetAxis(Joystick, 2) : 0;
        const int buttons = SDL_JoystickNumButtons(Joystick);
        for (int b = 0; b < buttons && b < JoystickButtonCount; ++b)
            if (SDL_JoystickGetButton(Joystick, b)) joy.Buttons |= 1u << b;
        if (SDL_JoystickNumHats(Joystick) > 0) {
            const Uint8 hat = SDL_JoystickGetHat(Joystick, 0);
            joy.HatUp = hat & SDL_HAT_UP;
            joy.HatDown = hat & SDL_HAT_DOWN;
            joy.HatLeft = hat & SDL_HAT_LEFT;
            joy.HatRight = hat & SDL_HAT_RIGHT;
        }
    }
    // Alt+Enter switches the display; its Enter is no button press.
    if (SDL_GetModState() & KMOD_ALT) raw.KeyDown[Vk::Enter] = false;
    Latch.ApplyTo(raw);
}

void SdlBackend::SetScreenSaverActive(bool active) {
    if (active)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
}

}  // namespace veltrano
