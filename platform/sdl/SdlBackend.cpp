#include "platform/sdl/SdlBackend.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Display.h"
#include "platform/KeyBindings.h"
#include "platform/Say.h"

namespace veltrano {

namespace {

void (*ClosingOnDisplayLoss)() = nullptr;
volatile bool Lost = false;

// X's I/O error handler must not return (X ends the program when it does): the close runs here.
int DisplayConnectionLost(void*) {
    if (!Lost) {
        Lost = true;
        SayLine("the connection to the display was lost; closing");
        if (ClosingOnDisplayLoss) ClosingOnDisplayLoss();
    }
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(1);
}

}  // namespace

bool SdlBackend::DisplayLost() {
    return Lost;
}

void SdlBackend::OnDisplayLost(void (*closing)()) {
    ClosingOnDisplayLoss = closing;
    const char* video = SDL_GetCurrentVideoDriver();
    if (!video || std::strcmp(video, "x11") != 0) return;
    // SDL has loaded the X library itself and sets no I/O error handler of its own; X's default one
    // prints "XIO: fatal IO error" and ends the program, losing what the close would have saved.
    void* xlib = SDL_LoadObject("libX11.so.6");
    if (!xlib) return;
    using Handler = int (*)(void*);
    using SetHandlerFn = Handler (*)(Handler);
    if (const auto set = reinterpret_cast<SetHandlerFn>(SDL_LoadFunction(xlib, "XSetIOErrorHandler")))
        set(DisplayConnectionLost);
    // The library stays loaded: SDL holds it open for as long as the display lives.
}

SdlBackend::~SdlBackend() {
    if (Lost) return;
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

double SdlBackend::Ticks() {
    return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

void SdlBackend::Sleep(int milliseconds) {
    SDL_Delay(static_cast<Uint32>(milliseconds));
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
            const int vk = PlayerKeys.Heard(VirtualKeyOf(static_cast<SDL_Scancode>(code)));
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
    if (Lost) return;
    if (active)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
}

}  // namespace veltrano
