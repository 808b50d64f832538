// The SDL backend's window: full screen over the desktop or a window of a whole multiple of
// 640x480, switched at any time, and the back buffer scaled into it as the settings say.
#include <algorithm>

#include "platform/Display.h"
#include "platform/sdl/SdlBackend.h"

namespace veltrano {

namespace {

SDL_Rect DisplayBounds(SDL_Window* window, bool usable) {
    const int index = window ? std::max(0, SDL_GetWindowDisplayIndex(window)) : 0;
    SDL_Rect bounds{0, 0, ::veltrano::ScreenWidth, ::veltrano::ScreenHeight};
    const int failed =
        usable ? SDL_GetDisplayUsableBounds(index, &bounds) : SDL_GetDisplayBounds(index, &bounds);
    if (failed != 0) bounds = {0, 0, ::veltrano::ScreenWidth, ::veltrano::ScreenHeight};
    return bounds;
}

}  // namespace

bool SdlBackend::OpenDisplay(const DisplaySettings& settings, std::string* error) {
    Settings = settings;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (settings.FullScreen) {
        // Borderless over the whole desktop first, then full-screen-desktop mode, so the window covers
        // the screen even where no window manager honours that request (a bare X server).
        const SDL_Rect desk = DisplayBounds(nullptr, false);
        Window = SDL_CreateWindow("VeltranoGame2", desk.x, desk.y, desk.w, desk.h,
                                  SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE);
    } else {
        const SDL_Rect usable = DisplayBounds(nullptr, true);
        const int scale = WindowScaleFor(settings.WindowScale, usable.w, usable.h);
        Window = SDL_CreateWindow("VeltranoGame2", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  ::veltrano::ScreenWidth * scale, ::veltrano::ScreenHeight * scale,
                                  SDL_WINDOW_RESIZABLE);
    }
    if (!Window) {
        if (error) *error = std::string("cannot open the window: ") + SDL_GetError();
        return false;
    }
    if (settings.FullScreen) SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    Renderer = SDL_CreateRenderer(Window, -1, settings.VSync ? SDL_RENDERER_PRESENTVSYNC : 0);
    if (!Renderer) Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_SOFTWARE);
    if (!Renderer) {
        if (error) *error = std::string("cannot create a renderer: ") + SDL_GetError();
        return false;
    }
    SDL_ShowCursor(settings.FullScreen ? SDL_DISABLE : SDL_ENABLE);
    if (SDL_NumJoysticks() > 0) OpenJoystick(0);
    if (!CreateTexture()) {
        if (error) *error = std::string("cannot create the screen texture: ") + SDL_GetError();
        return false;
    }
    return true;
}

void SdlBackend::ApplyDisplay(const DisplaySettings& settings) {
    const bool switchMode = settings.FullScreen != Settings.FullScreen ||
                            (!settings.FullScreen && settings.WindowScale != Settings.WindowScale);
    Settings = settings;
    if (!Window) return;
    if (switchMode) {
        constexpr uint64_t SwitchSettleMs = 500;
        IgnoreFocusLossUntil = SDL_GetTicks64() + SwitchSettleMs;
        if (settings.FullScreen)
            EnterFullScreen();
        else
            EnterWindow();
    }
    SDL_ShowCursor(settings.FullScreen ? SDL_DISABLE : SDL_ENABLE);
}

void SdlBackend::EnterFullScreen() {
    const SDL_Rect desk = DisplayBounds(Window, false);
    SDL_SetWindowBordered(Window, SDL_FALSE);
    SDL_SetWindowPosition(Window, desk.x, desk.y);
    SDL_SetWindowSize(Window, desk.w, desk.h);
    SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void SdlBackend::EnterWindow() {
    SDL_SetWindowFullscreen(Window, 0);
    SDL_SetWindowBordered(Window, SDL_TRUE);
    SDL_SetWindowResizable(Window, SDL_TRUE);
    const SDL_Rect usable = DisplayBounds(Window, true);
    // The title bar and frame take their share of the usable area.
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(Window, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
    const int scale = WindowScaleFor(Settings.WindowScale, usable.w - left - right, usable.h - top - bottom);
    SDL_SetWindowSize(Window, ::veltrano::ScreenWidth * scale, ::veltrano::ScreenHeight * scale);
    const int index = std::max(0, SDL_GetWindowDisplayIndex(Window));
    SDL_SetWindowPosition(Window, SDL_WINDOWPOS_CENTERED_DISPLAY(index),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(index));
}

bool SdlBackend::CreateTexture() {
    if (Texture) SDL_DestroyTexture(Texture);
    // XRGB8888, the back buffer's own layout: no alpha, so the upload is a plain copy.
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                ::veltrano::ScreenWidth, ::veltrano::ScreenHeight);
    return Texture != nullptr;
}

bool SdlBackend::DisplayReady() {
    return Renderer && Texture && !Minimised;
}

void SdlBackend::FlipBackBuffer(const Surface& backBuffer) {
    SDL_UpdateTexture(Texture, nullptr, backBuffer.Pixels.data(), backBuffer.Width * 4);
    int outW = 0, outH = 0;
    if (SDL_GetRendererOutputSize(Renderer, &outW, &outH) != 0) SDL_GetWindowSize(Window, &outW, &outH);
    const PictureRect picture = ScaledPicture(outW, outH, Settings.Mode);
    const SDL_Rect target{picture.X, picture.Y, picture.W, picture.H};
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    SDL_RenderCopy(Renderer, Texture, nullptr, &target);
    SDL_RenderPresent(Renderer);
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
