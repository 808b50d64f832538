// The SDL backend: a borderless full-screen-desktop window showing the 640x480 back buffer scaled
// with nearest-neighbour filtering and letterboxing, keyboard and joystick 0. The audio device is
// SdlAudio's.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/Backend.h"

namespace veltrano {

class SdlBackend : public Backend {
   public:
    ~SdlBackend() override;
    // Opens the window and renderer; false with a message when no display can be had.
    bool OpenDisplay(std::string* error);
    bool Closing() const { return CloseRequested; }

    bool DisplayReady() override;
    void FlipBackBuffer(const Surface& backBuffer) override;
    void ReadRawInput(RawInput& raw) override;
    void SetScreenSaverActive(bool active) override;
    void RequestClose() override { CloseRequested = true; }
    int ScreenWidth() override;
    int ScreenHeight() override;

    // Handles one event; returns the virtual-key code of a key-down, or -1.
    int HandleEvent(const SDL_Event& event, bool& surfacesLost);

   private:
    void OpenJoystick(int deviceIndex);
    bool CreateTexture();

    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    SDL_Joystick* Joystick = nullptr;
    SDL_JoystickID JoystickId = -1;
    bool CloseRequested = false;
    bool Minimised = false;
};

// The virtual-key code of an SDL scancode (0 for keys the game has no code for).
int VirtualKeyOf(SDL_Scancode code);

}  // namespace veltrano
