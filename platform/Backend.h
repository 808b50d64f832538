// What the game asks of the machine it runs on: a display to present the back buffer, the raw
// input of a frame, the screen saver switch, and the request to close. The SDL backend gives these
// over a window and devices; the headless backend over memory, for tests and the sim tool.
#pragma once

#include "platform/DisplaySettings.h"
#include "platform/Input.h"
#include "platform/Surface.h"

namespace veltrano {

struct WindowEvent;

class Backend {
   public:
    virtual ~Backend() = default;
    // True while the display is initialised and its back buffer exists.
    virtual bool DisplayReady() = 0;
    // Presents the 640x480 back buffer.
    virtual void FlipBackBuffer(const Surface& backBuffer) = 0;
    // Whether presenting waits for the screen's refresh (vertical sync on a renderer that honours it,
    // a browser's animation frame), so that presenting on every call paces itself.
    virtual bool PresentWaitsForRefresh() { return false; }
    // The screen's refresh rate in hertz; 0 when unknown.
    virtual int RefreshRate() { return 0; }
    virtual void ReadRawInput(RawInput& raw) = 0;
    virtual void SetScreenSaverActive(bool active) = 0;
    // The window is asked to close; the close query runs before the program ends.
    virtual void RequestClose() = 0;
    // True once the window has been asked to close.
    virtual bool Closing() const = 0;
    // The next event the game must hear of; false when none is waiting.
    virtual bool NextEvent(WindowEvent& event) = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // The display the window is on now, counting from 0.
    virtual int CurrentDisplay() { return 0; }
    // Full screen or a window, the window's scale, the picture's scaling, and the cursor (hidden in
    // full screen). Vertical sync takes effect when the display is next opened.
    virtual void ApplyDisplay(const DisplaySettings& settings) = 0;
};

// What the window tells the program between frames.
struct WindowEvent {
    enum class Kinds { KeyDown, FocusLost, SurfacesLost };
    Kinds Kind = Kinds::KeyDown;
    int Key = 0;          // KeyDown: the virtual-key code
    bool Alt = false;     // KeyDown: an Alt key was held
    bool Repeat = false;  // KeyDown: the key's own auto-repeat
};

}  // namespace veltrano
