// Input states: the four directions and 32 buttons, fed by the keyboard (fixed bindings by
// virtual-key code) and joystick 0, updated once per frame with rising and falling edges.
#pragma once

#include <cstdint>

namespace veltrano {

// Virtual-key codes the game and its bindings use.
namespace Vk {
constexpr int Enter = 0x0D, Escape = 0x1B, Space = 0x20, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27,
              Down = 0x28, Insert = 0x2D, Delete = 0x2E, C = 0x43, H = 0x48, J = 0x4A, K = 0x4B, L = 0x4C,
              X = 0x58, Z = 0x5A, Numpad2 = 0x62, Numpad4 = 0x64, Numpad6 = 0x66, Numpad8 = 0x68, F10 = 0x79,
              F11 = 0x7A;
}

constexpr int JoystickButtonCount = 32;

// One reading of the joystick. Axes run from AxisMin to AxisMax; the hat (D-pad) also steers.
struct JoystickReading {
    bool Present = false;
    int AxisX = 0, AxisY = 0, AxisZ = 0;
    int AxisMin = 0, AxisMax = 65535;
    uint32_t Buttons = 0;  // bit i = button i, counting from 0
    bool HatUp = false, HatDown = false, HatLeft = false, HatRight = false;
};

// What the platform reports once per frame: 256 key-down flags by virtual-key code and the joystick.
struct RawInput {
    bool KeyDown[256] = {};
    JoystickReading Joystick;
};

// Presses that happened since the last frame read its input. A key or button pressed and released
// between two frames is gone from the frame's snapshot; the latch hands it to that frame as down, once,
// so a quick tap still selects, fires or pauses. A held key reads the same with or without it.
class PressLatch {
   public:
    void PressKey(int vk);
    void PressButton(int button);  // joystick button, counting from 0
    // Adds the latched presses to a frame's snapshot and forgets them.
    void ApplyTo(RawInput& raw);

   private:
    bool Keys[256] = {};
    uint32_t Buttons = 0;
};

// The current set (bit n = state n). The game reads it and may remove states to consume a press.
extern uint64_t CurrentStates;

void PollInput(const RawInput& raw);
// The first key bound to a state (its virtual-key code), or 0 when no key makes it.
int KeyOfState(int state);
// Whether the last input read had a joystick.
bool PadPresent();
// The two halves of PollInput: the set of states the raw input holds down (bit n = state n), and
// the update of the current set from such a raw set. Replays record and feed the raw sets.
uint64_t RawInputStates(const RawInput& raw);
void PollInputStates(uint64_t raw);
// The raw set of the last update, and a way to put both sets back as they were (replays start
// with the input as it stood before their first frame).
uint64_t PreviousRawStates();
void RestoreInputStates(uint64_t current, uint64_t previousRaw);
bool StatePressed(int state);
// Removes a state from the current set: it then reads as released until pressed again.
void ConsumeState(int state);
// Forgets every state and the previous raw set (start-up, and in tests).
void ResetInputStates();

// The joystick axis arithmetic: a position mapped to -1000..1000 with a 50 per cent dead zone.
int JoystickAxisValue(int position, int minimum, int maximum);

}  // namespace veltrano
