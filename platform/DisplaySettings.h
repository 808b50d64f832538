// How the 640x480 picture reaches the screen: full screen or a window, the window's whole-number
// scale, how the picture is scaled into whatever area it gets, vertical sync and smooth motion. The game
// keeps these in its ini file; the SDL backend applies them; everything here is plain arithmetic.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrano {

enum class Scaling {
    Sharp,    // the largest whole multiple that fits, black around it: every pixel the same size
    Fit,      // the largest size that fits with the aspect kept, nearest-neighbour
    Stretch,  // the whole area, aspect ignored
};

struct DisplaySettings {
    bool FullScreen = true;
    int WindowScale = 0;  // 0: the largest whole multiple that fits the desktop's usable area
    Scaling Mode = Scaling::Fit;
    bool VSync = true;
    bool Smooth = true;  // draw every refresh of the screen between the ticks, not only the ticks
    bool PauseOnFocusLoss = true;
    int Monitor = 0;  // the display the window was on when the game last closed, counting from 0

    bool operator==(const DisplaySettings&) const = default;
};

// The largest window scale accepted from the ini file or the command line.
constexpr int MaxWindowScale = 16;
constexpr int MaxMonitor = 63;
// The display to open on: the one remembered while it is there, else the first.
inline int MonitorToOpenOn(int remembered, int displays) {
    return remembered >= 0 && remembered < displays ? remembered : 0;
}

const char* ScalingName(Scaling mode);
// The mode of a name, case ignored ("FIT" is fit).
std::optional<Scaling> ScalingByName(std::string_view name);
// sharp -> fit -> stretch -> sharp.
Scaling NextScaling(Scaling mode);

struct PictureRect {
    int X = 0, Y = 0, W = 0, H = 0;
    bool operator==(const PictureRect&) const = default;
};

// Where the 640x480 picture goes in an output area of `outW` by `outH` pixels, centred. `sharp`
// falls back to `fit` when even one whole multiple does not fit (a window made very small).
PictureRect ScaledPicture(int outW, int outH, Scaling mode);

// The scale of a window: the largest whole multiple of 640x480 that fits `usableW` by `usableH` (at
// least 1), or `requested` when it is 1 or more and fits. A window never outgrows the desktop: a
// scale that does not fit (asked for, or saved on another monitor) is brought down to one that does.
int WindowScaleFor(int requested, int usableW, int usableH);

// The mouse cursor is hidden in full screen, and in a window once the mouse has not moved for a while.
constexpr uint64_t CursorIdleMs = 2000;
bool CursorShown(bool fullScreen, uint64_t now, uint64_t lastMotion);

// The smallest a window may be made.
constexpr int MinimumWindowWidth = 640, MinimumWindowHeight = 480;

}  // namespace veltrano
