// A backend without window or audio device: the display is always ready, frames are kept in memory,
// and input is whatever the test or tool puts in `Input` before a frame.
#pragma once

#include <vector>

#include "platform/Backend.h"
#include "platform/KeyBindings.h"

namespace veltrano {

class HeadlessBackend : public Backend {
   public:
    RawInput Input;
    PressLatch Latch;
    DisplaySettings Display;
    int DisplayChanges = 0;
    bool Ready = true;
    bool CloseRequested = false;
    bool ScreenSaverActive = true;
    int Flips = 0;
    int Width = 1920, Height = 1080;
    std::vector<WindowEvent> Events;
    size_t EventsRead = 0;
    int Monitor = 0;
    bool PresentWaits = false;  // every present is a refresh of the screen, as with vertical sync
    int Refresh = 0;            // the screen's refresh rate; 0 unknown

    bool PresentWaitsForRefresh() override { return PresentWaits; }
    int RefreshRate() override { return Refresh; }

    bool DisplayReady() override { return Ready; }
    void FlipBackBuffer(const Surface&) override { ++Flips; }
    void ReadRawInput(RawInput& raw) override {
        raw = Input;
        Latch.ApplyTo(raw);
    }
    void SetScreenSaverActive(bool active) override { ScreenSaverActive = active; }
    void RequestClose() override { CloseRequested = true; }
    bool Closing() const override { return CloseRequested; }
    // The events queued by a test, first in first out.
    bool NextEvent(WindowEvent& event) override {
        if (EventsRead >= Events.size()) return false;
        event = Events[EventsRead++];
        return true;
    }
    int ScreenWidth() override { return Width; }
    int ScreenHeight() override { return Height; }
    int CurrentDisplay() override { return Monitor; }
    void ApplyDisplay(const DisplaySettings& settings) override {
        Display = settings;
        ++DisplayChanges;
    }

    // Keys are pressed as a player presses them: through the bindings.
    void Press(int vk, bool down = true) {
        const int heard = PlayerKeys.Heard(vk);
        if (heard == 0) return;
        Input.KeyDown[heard] = down;
        if (down) Latch.PressKey(heard);
    }
    // A key pressed and released again before the next frame reads its input.
    void Tap(int vk) {
        if (const int heard = PlayerKeys.Heard(vk)) Latch.PressKey(heard);
    }
    void ReleaseAll() { Input = RawInput{}; }
};

}  // namespace veltrano
