// The SDL backend's window: full screen over the desktop or a window of a whole multiple of
// 640x480, switched at any time, and the back buffer scaled into it as the settings say.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/Display.h"
#include "platform/Say.h"
#include "platform/sdl/SdlBackend.h"

namespace veltrano {

namespace {

bool OnX11() {
    const char* video = SDL_GetCurrentVideoDriver();
    return video && std::strcmp(video, "x11") == 0;
}

// Whether OpenGL on this display would be drawn by the processor. An X server that offers no direct
// rendering to a graphics card (a virtual frame buffer, a VNC or remote desktop) leaves Mesa's
// software rasteriser, which takes a fifth of a second or more to start and about four times SDL's own
// software renderer's time per frame at 1920x1080. The server is asked through the X library SDL has
// already loaded, before any OpenGL library is.
bool OpenGlRunsInSoftware() {
    if (!OnX11()) return false;
    const char* forced = SDL_getenv("LIBGL_ALWAYS_SOFTWARE");
    if (forced && *forced && std::strcmp(forced, "0") != 0) return true;
    void* xlib = SDL_LoadObject("libX11.so.6");
    if (!xlib) return false;
    using OpenFn = void* (*)(const char*);
    using QueryFn = int (*)(void*, const char*, int*, int*, int*);
    using CloseFn = int (*)(void*);
    const auto open = reinterpret_cast<OpenFn>(SDL_LoadFunction(xlib, "XOpenDisplay"));
    const auto query = reinterpret_cast<QueryFn>(SDL_LoadFunction(xlib, "XQueryExtension"));
    const auto close = reinterpret_cast<CloseFn>(SDL_LoadFunction(xlib, "XCloseDisplay"));
    bool software = false;
    if (open && query && close)
        if (void* display = open(nullptr)) {
            int opcode = 0, event = 0, error = 0;
            // DRI2 and DRI3 are how Mesa's drivers reach the card; NVIDIA's own driver has its own.
            software = !query(display, "DRI3", &opcode, &event, &error) &&
                       !query(display, "DRI2", &opcode, &event, &error) &&
                       !query(display, "NV-GLX", &opcode, &event, &error);
            close(display);
        }
    SDL_UnloadObject(xlib);
    return software;
}

// Picks SDL's software renderer where OpenGL would run in software anyway, and says whether the
// window should be made for OpenGL from the start (SDL would otherwise destroy and remake it when the
// renderer is created). A renderer named in SDL_RENDER_DRIVER is used as it stands; the OpenGL ones
// (opengl, opengles2) get an OpenGL window.
bool PrepareRenderer() {
    // On X the software renderer writes to the window through shared memory, not through an OpenGL
    // texture (elsewhere, Wayland for one, a texture is its only way to the screen).
    if (OnX11()) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (chosen && *chosen) return SDL_strncasecmp(chosen, "opengl", 6) == 0;
    if (!OpenGlRunsInSoftware()) return true;
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    return false;
}

SDL_Rect DisplayBounds(SDL_Window* window, bool usable, int monitor = 0) {
    const int index = window ? std::max(0, SDL_GetWindowDisplayIndex(window)) : monitor;
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
    const Uint32 openGl = PrepareRenderer() ? SDL_WINDOW_OPENGL : 0;
    // On the display where the window was when the game last closed, while that display is there.
    const int monitor = MonitorToOpenOn(settings.Monitor, SDL_GetNumVideoDisplays());
    SDL_Rect place{static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(monitor)),
                   static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(monitor)), 0, 0};
    Uint32 flags = SDL_WINDOW_RESIZABLE;
    if (settings.FullScreen) {
        // Borderless over the whole desktop: where no window manager honours the full-screen request
        // (a bare X server) the window still covers the screen.
        place = DisplayBounds(nullptr, false, monitor);
        flags |= SDL_WINDOW_BORDERLESS;
    } else {
        const SDL_Rect usable = DisplayBounds(nullptr, true, monitor);
        const int scale = FittingScale(usable.w, usable.h);
        place.w = ::veltrano::ScreenWidth * scale;
        place.h = ::veltrano::ScreenHeight * scale;
    }
    Window = SDL_CreateWindow("VeltranoGame2", place.x, place.y, place.w, place.h, flags | openGl);
    // Without a usable OpenGL the window is made plain; the software renderer draws into any window.
    if (!Window && openGl)
        Window = SDL_CreateWindow("VeltranoGame2", place.x, place.y, place.w, place.h, flags);
    if (!Window) {
        if (error) *error = std::string("cannot open the window: ") + SDL_GetError();
        return false;
    }
    SDL_SetWindowMinimumSize(Window, MinimumWindowWidth, MinimumWindowHeight);
    Renderer = SDL_CreateRenderer(Window, -1, settings.VSync ? SDL_RENDERER_PRESENTVSYNC : 0);
    if (!Renderer) Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_SOFTWARE);
    if (!Renderer) {
        if (error) *error = std::string("cannot create a renderer: ") + SDL_GetError();
        return false;
    }
    SDL_RendererInfo info{};
    SyncsToRefresh = SDL_GetRendererInfo(Renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) &&
                     !(info.flags & SDL_RENDERER_SOFTWARE);
    // SDL waits up to a tenth of a second for the window manager to answer the full-screen request
    // (the whole tenth where none answers): the request follows the first frame shown, so the picture
    // is up at once over the desktop-sized window.
    FullScreenPending = settings.FullScreen;
    UpdateCursor();
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
    if (!Window || DisplayLost()) return;
    if (switchMode) {
        FullScreenPending = false;
        IgnoreFocusLossUntil = SDL_GetTicks64() + SwitchSettleMs;
        if (settings.FullScreen)
            EnterFullScreen();
        else
            EnterWindow();
    }
    UpdateCursor();
}

int SdlBackend::FittingScale(int usableW, int usableH) {
    const int scale = WindowScaleFor(Settings.WindowScale, usableW, usableH);
    if (scale < Settings.WindowScale && !ScaleClampSaid) {
        ScaleClampSaid = true;
        SayLine("a window %d times 640x480 does not fit the desktop's %dx%d; using %d times",
                Settings.WindowScale, usableW, usableH, scale);
    }
    return scale;
}

void SdlBackend::UpdateCursor() {
    const int shown = CursorShown(Settings.FullScreen, SDL_GetTicks64(), LastMouseMotion) ? 1 : 0;
    if (shown == CursorVisible) return;
    CursorVisible = shown;
    SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void SdlBackend::SetIcon(const std::vector<uint32_t>& argb, int side) {
    if (!Window || argb.size() != static_cast<size_t>(side) * side) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb.data()), side, side, 32,
                                                           side * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(Window, icon);
    SDL_FreeSurface(icon);
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
    const int scale = FittingScale(usable.w - left - right, usable.h - top - bottom);
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

int SdlBackend::RefreshRate() {
    SDL_DisplayMode mode{};
    if (!Window || SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(Window), &mode) != 0) return 0;
    return mode.refresh_rate;
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
    UpdateCursor();
    if (FullScreenPending) {
        FullScreenPending = false;
        IgnoreFocusLossUntil = SDL_GetTicks64() + SwitchSettleMs;
        SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

int SdlBackend::CurrentDisplay() {
    if (!Window || DisplayLost()) return Settings.Monitor;
    const int index = SDL_GetWindowDisplayIndex(Window);
    return index >= 0 ? index : Settings.Monitor;
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
