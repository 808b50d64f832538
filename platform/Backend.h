// What the game asks of the machine it runs on: a display to present the back buffer, the raw
// input of a frame, the screen saver switch, and the request to close. The SDL backend gives these
// over a window and devices; the headless backend over memory, for tests and the sim tool.
#pragma once

#include "platform/Input.h"
#include "platform/Surface.h"

namespace veltrano {

class Backend {
   public:
    virtual ~Backend() = default;
    // True while the display is initialised and its back buffer exists.
    virtual bool DisplayReady() = 0;
    // Presents the 640x480 back buffer.
    virtual void FlipBackBuffer(const Surface& backBuffer) = 0;
    virtual void ReadRawInput(RawInput& raw) = 0;
    virtual void SetScreenSaverActive(bool active) = 0;
    // The window is asked to close; the close query runs before the program ends.
    virtual void RequestClose() = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
};

}  // namespace veltrano
