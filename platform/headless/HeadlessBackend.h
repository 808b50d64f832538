// A backend without window or audio device: the display is always ready, frames are kept in memory,
// and input is whatever the test or tool puts in `Input` before a frame.
#pragma once

#include <vector>

#include "platform/Backend.h"

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
    void ApplyDisplay(const DisplaySettings& settings) override {
        Display = settings;
        ++DisplayChanges;
    }

    void Press(int vk, bool down = true) {
        Input.KeyDown[vk & 255] = down;
        if (down) Latch.PressKey(vk & 255);
    }
    // A key pressed and released again before the next frame reads its input.
    void Tap(int vk) { Latch.PressKey(vk & 255); }
    void ReleaseAll() { Input = RawInput{}; }
};

}  // namespace veltrano
