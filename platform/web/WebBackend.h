// The browser's backend: the back buffer presented on a canvas (sharp, fit or stretch, full screen on
// request), keys through the same virtual-key codes and tap latch as the desktop, the first Gamepad
// as joystick 0, and the page's focus. JavaScript does the drawing (web-platform.js); everything
// else goes through emscripten/html5.h.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/Backend.h"

namespace veltrano {

class WebBackend : public Backend {
   public:
    // Listens to the page's keys, focus and size; the canvas is "#screen".
    void Start();

    bool DisplayReady() override { return true; }
    void FlipBackBuffer(const Surface& backBuffer) override;
    // The page presents from each animation frame: one present a refresh of the screen.
    bool PresentWaitsForRefresh() override { return true; }
    void ReadRawInput(RawInput& raw) override;
    // A page cannot switch the screen saver; the browser keeps the screen on while it plays.
    void SetScreenSaverActive(bool) override {}
    void RequestClose() override { CloseRequested = true; }
    bool Closing() const override { return CloseRequested; }
    bool NextEvent(WindowEvent& event) override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    void ApplyDisplay(const DisplaySettings& settings) override;

    // For the page's handlers.
    void KeyDown(int vk, bool alt, bool repeat);
    void KeyUp(int vk, bool alt);
    void FocusLost();
    void PlaceCanvas();
    // The page's touch controls (the directions and actions the program names by number), held or
    // let go, as the key `vk` of the input state they stand for or, for a state without a key, as the
    // pad's button `padButton` (-1 for none). Replays and tests see no difference from the keys; a tap
    // too short for a frame is seen for one frame, as a key's press is.
    void Touch(int control, int vk, int padButton, bool held);

   private:
    bool Held[256] = {};
    bool AltHeld = false;
    bool PadWasPressed[32] = {};
    static constexpr int TouchControlCount = 8;
    bool TouchHeld[TouchControlCount] = {};
    bool TouchPressed[TouchControlCount] = {};  // went down since the last frame
    int TouchKey[TouchControlCount] = {};
    int TouchButton[TouchControlCount] = {};
    std::vector<uint32_t> Rgba;  // the back buffer in the canvas's byte order
    PressLatch Latch;
    std::deque<WindowEvent> Events;
    DisplaySettings Settings{.FullScreen = false};  // a page starts inside the browser
    bool CloseRequested = false;
};

}  // namespace veltrano
