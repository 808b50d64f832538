#include "platform/sdl/SdlBackend.h"

#include "platform/Display.h"

namespace veltrano {

int VirtualKeyOf(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    switch (code) {
        case SDL_SCANCODE_0:
            return '0';
        case SDL_SCANCODE_RETURN:
            return Vk::Enter;
        case SDL_SCANCODE_KP_ENTER:
            return Vk::Enter;
        case SDL_SCANCODE_ESCAPE:
            return Vk::Escape;
        case SDL_SCANCODE_SPACE:
            return Vk::Space;
        case SDL_SCANCODE_HOME:
            return Vk::Home;
        case SDL_SCANCODE_INSERT:
            return Vk::Insert;
        case SDL_SCANCODE_DELETE:
            return Vk::Delete;
        case SDL_SCANCODE_LEFT:
            return Vk::Left;
        case SDL_SCANCODE_UP:
            return Vk::Up;
        case SDL_SCANCODE_RIGHT:
            return Vk::Right;
        case SDL_SCANCODE_DOWN:
            return Vk::Down;
        case SDL_SCANCODE_KP_2:
            return Vk::Numpad2;
        case SDL_SCANCODE_KP_4:
            return Vk::Numpad4;
        case SDL_SCANCODE_KP_6:
            return Vk::Numpad6;
        case SDL_SCANCODE_KP_8:
            return Vk::Numpad8;
        default:
            return 0;
    }
}

SdlBackend::~SdlBackend() {
    if (Joystick) SDL_JoystickClose(Joystick);
    if (Texture) SDL_DestroyTexture(Texture);
    if (Renderer) SDL_DestroyRenderer(Renderer);
    if (Window) SDL_DestroyWindow(Window);
}

bool SdlBackend::OpenDisplay(std::string* error) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The window starts borderless over the whole desktop and then asks for full-screen-desktop mode,
    // so it covers the screen even where no window manager honours that request (a bare X server).
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        desktop.w = ::veltrano::ScreenWidth;
        desktop.h = ::veltrano::ScreenHeight;
    }
    Window = SDL_CreateWindow("VeltranoGame2", 0, 0, desktop.w, desktop.h, SDL_WINDOW_BORDERLESS);
    if (!Window) {
        if (error) *error = std::string("cannot open the window: ") + SDL_GetError();
        return false;
    }
    SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!Renderer) Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_SOFTWARE);
    if (!Renderer) {
        if (error) *error = std::string("cannot create a renderer: ") + SDL_GetError();
        return false;
    }
    SDL_RenderSetLogicalSize(Renderer, ::veltrano::ScreenWidth, ::veltrano::ScreenHeight);
    SDL_ShowCursor(SDL_DISABLE);
    if (SDL_NumJoysticks() > 0) OpenJoystick(0);
    if (!CreateTexture()) {
        if (error) *error = std::string("cannot create the screen texture: ") + SDL_GetError();
        return false;
    }
    return true;
}

bool SdlBackend::CreateTexture() {
    if (Texture) SDL_DestroyTexture(Texture);
    // XRGB8888, the back buffer's own layout: no alpha, so the upload is a plain copy.
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                ::veltrano::ScreenWidth, ::veltrano::ScreenHeight);
    return Texture != nullptr;
}

void SdlBackend::OpenJoystick(int deviceIndex) {
    if (Joystick) return;
    Joystick = SDL_JoystickOpen(deviceIndex);
    JoystickId = Joystick ? SDL_JoystickInstanceID(Joystick) : -1;
}

int SdlBackend::HandleEvent(const SDL_Event& event, bool& surfacesLost) {
    switch (event.type) {
        case SDL_QUIT:
            CloseRequested = true;
            break;
        case SDL_KEYDOWN:
            return VirtualKeyOf(event.key.keysym.scancode);
        case SDL_JOYDEVICEADDED:
            OpenJoystick(event.jdevice.which);
            break;
        case SDL_JOYDEVICEREMOVED:
            // A pad pulled out mid-game is dropped; the next one plugged in is picked up.
            if (Joystick && event.jdevice.which == JoystickId) {
                SDL_JoystickClose(Joystick);
                Joystick = nullptr;
                JoystickId = -1;
                if (SDL_NumJoysticks() > 0) OpenJoystick(0);
            }
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_MINIMIZED) Minimised = true;
            if (event.window.event == SDL_WINDOWEVENT_RESTORED || event.window.event == SDL_WINDOWEVENT_SHOWN)
                Minimised = false;
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            surfacesLost = true;
            CreateTexture();
            break;
        default:
            break;
    }
    return -1;
}

bool SdlBackend::DisplayReady() {
    return Renderer && Texture && !Minimised;
}

void SdlBackend::FlipBackBuffer(const Surface& backBuffer) {
    SDL_UpdateTexture(Texture, nullptr, backBuffer.Pixels.data(), backBuffer.Width * 4);
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
    SDL_RenderPresent(Renderer);
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
}

void SdlBackend::SetScreenSaverActive(bool active) {
    if (active)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
}

int SdlBackend::ScreenWidth() {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : ::veltrano::ScreenWidth;
}

int SdlBackend::ScreenHeight() {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : ::veltrano::ScreenHeight;
}

}  // namespace veltrano
