// The SDL backend: a window showing the 640x480 back buffer (full screen or a scaled window,
// nearest-neighbour, black around the picture), keyboard and joystick 0, the millisecond clock and the
// window's events. The program entry talks to SDL only through this class and SdlAudio's device.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Backend.h"

namespace veltrano {

class SdlBackend : public Backend {
   public:
    ~SdlBackend() override;
    // Starts SDL's video, joystick and event parts; false with a message when it cannot.
    bool Start(std::string* error);
    // Opens the window and renderer as `settings` say; false with a message when no display can be had.
    bool OpenDisplay(const DisplaySettings& settings, std::string* error);
    bool Closing() const override { return CloseRequested; }
    // Milliseconds since SDL started, to a fraction of one, and a sleep between ticks.
    double Ticks();
    void Sleep(int milliseconds);
    // The next event the game must hear of; false when none is waiting. Events only the backend
    // needs (a pad plugged in, the window minimised or resized, the close button) are handled here.
    bool NextEvent(WindowEvent& event) override;
    // The window's icon: `side` by `side` pixels as 0xAARRGGBB words.
    void SetIcon(const std::vector<uint32_t>& argb, int side);
    // What to do when the connection to the X server is lost (a logout, the server gone, xkill): X
    // gives the program no way back, so `closing` runs the close (the scores are saved, the recording
    // finished) without another call to the display, and the program then ends with status 1.
    void OnDisplayLost(void (*closing)());

    bool DisplayReady() override;
    void FlipBackBuffer(const Surface& backBuffer) override;
    // A renderer that syncs to the screen (a software one never really does).
    bool PresentWaitsForRefresh() override { return SyncsToRefresh; }
    int RefreshRate() override;
    void ReadRawInput(RawInput& raw) override;
    void SetScreenSaverActive(bool active) override;
    void RequestClose() override { CloseRequested = true; }
    // True once the connection to the display is gone: nothing more is asked of it.
    static bool DisplayLost();
    int ScreenWidth() override;
    int ScreenHeight() override;
    int CurrentDisplay() override;
    void ApplyDisplay(const DisplaySettings& settings) override;

   private:
    void OpenJoystick(int deviceIndex);
    void DropJoystick(SDL_JoystickID id);
    bool CreateTexture();
    void EnterFullScreen();
    void EnterWindow();
    bool TranslateEvent(const SDL_Event& sdl, WindowEvent& event);
    int FittingScale(int usableW, int usableH);
    void UpdateCursor();

    bool Started = false;
    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    SDL_Joystick* Joystick = nullptr;
    SDL_JoystickID JoystickId = -1;
    DisplaySettings Settings;
    PressLatch Latch;
    bool CloseRequested = false;
    bool SyncsToRefresh = false;
    bool Minimised = false;
    // A window manager may take the focus away for a moment while the window switches between full
    // screen and a window; such a loss, within SwitchSettleMs of a switch, is no reason to pause.
    static constexpr uint64_t SwitchSettleMs = 500;
    uint64_t IgnoreFocusLossUntil = 0;
    // A full-screen start asks for full screen once the first frame is shown.
    bool FullScreenPending = false;
    bool ScaleClampSaid = false;
    uint64_t LastMouseMotion = 0;
    int CursorVisible = -1;  // as last set: -1 not yet
};

// The virtual-key code of an SDL scancode (0 for keys the game has no code for).
int VirtualKeyOf(SDL_Scancode code);

}  // namespace veltrano
