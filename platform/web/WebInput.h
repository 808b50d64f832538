// The browser's keys and pads in the game's terms: a KeyboardEvent's `code` as the virtual-key code
// the desktop gives the same key, and a Gamepad as joystick 0's reading. Plain arithmetic, so the
// desktop's tests check it too.
#pragma once

#include "platform/Input.h"

namespace veltrano {

// The virtual-key code of a KeyboardEvent.code ("KeyZ", "ArrowLeft", "Numpad8", ...), 0 for keys
// the game has no code for.
int VirtualKeyOfCode(const char* code);

// One Gamepad as the desktop reads joystick 0: axes scaled to SDL's -32768..32767, every button by
// its index, except that a pad in the standard layout steers with its D-pad (buttons 12 to 15) as
// the desktop's hat, as SDL reports the same pad.
struct GamepadSnapshot {
    bool Connected = false;
    bool Standard = false;  // the browser's standard layout
    int AxisCount = 0;
    double Axes[8] = {};
    int ButtonCount = 0;
    bool Pressed[32] = {};
};
JoystickReading JoystickOfGamepad(const GamepadSnapshot& pad);

}  // namespace veltrano
