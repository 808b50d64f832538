#include "platform/Input.h"

#include <cmath>

#include "world/World.h"

namespace veltrano {

uint64_t CurrentStates = 0;

namespace {

uint64_t PreviousRaw = 0;
bool LastPadPresent = false;

// Three key slots per state; 0 is no key.
constexpr int KeyBindings[InputStateCount][3] = {
    {Vk::K, Vk::Up, Vk::Numpad8},     // StateUp
    {Vk::J, Vk::Down, Vk::Numpad2},   // StateDown
    {Vk::H, Vk::Left, Vk::Numpad4},   // StateLeft
    {Vk::L, Vk::Right, Vk::Numpad6},  // StateRight
    {Vk::Z, 0, 0},                    // button 1
    {Vk::X, 0, 0},                    // button 2
    {Vk::C, 0, 0},                    // button 3
    {Vk::Enter, 0, 0},                // button 4
    {0, 0, 0},
    {0, 0, 0},
    {0, 0, 0},
    {0, 0, 0},
    {Vk::Space, 0, 0},  // button 9
};

uint64_t Bit(int state) {
    return uint64_t{1} << state;
}

}  // namespace

int JoystickAxisValue(int position, int minimum, int maximum) {
    const double half = (static_cast<double>(maximum) - minimum) / 2.0;
    const double dead = half * 0.5;
    const double offset = static_cast<double>(position) - minimum - half;
    if (std::fabs(offset) <= dead || half - dead <= 0) return 0;
    const double value = (offset > 0 ? offset - dead : offset + dead) * 1000.0 / (half - dead);
    return static_cast<int>(std::lround(std::fmax(-1000.0, std::fmin(1000.0, value))));
}

void PressLatch::PressKey(int vk) {
    if (vk > 0 && vk < 256) Keys[vk] = true;
}

void PressLatch::PressButton(int button) {
    if (button >= 0 && button < JoystickButtonCount) Buttons |= uint32_t{1} << button;
}

void PressLatch::ApplyTo(RawInput& raw) {
    for (int vk = 0; vk < 256; ++vk) {
        raw.KeyDown[vk] = raw.KeyDown[vk] || Keys[vk];
        Keys[vk] = false;
    }
    raw.Joystick.Buttons |= Buttons;
    Buttons = 0;
}

int KeyOfState(int state) {
    if (state < 0 || state >= InputStateCount) return 0;
    for (int key : KeyBindings[state])
        if (key != 0) return key;
    return 0;
}

bool PadPresent() {
    return LastPadPresent;
}

void PollInput(const RawInput& raw) {
    PollInputStates(RawInputStates(raw));
}

uint64_t RawInputStates(const RawInput& raw) {
    LastPadPresent = raw.Joystick.Present;
    uint64_t now = 0;
    for (int s = 0; s < InputStateCount; ++s)
        for (int key : KeyBindings[s])
            if (key != 0 && raw.KeyDown[key]) now |= Bit(s);

    const JoystickReading& joy = raw.Joystick;
    if (joy.Present) {
        const int x = JoystickAxisValue(joy.AxisX, joy.AxisMin, joy.AxisMax);
        const int y = JoystickAxisValue(joy.AxisY, joy.AxisMin, joy.AxisMax);
        if (x < 0 || joy.HatLeft) now |= Bit(StateLeft);
        if (x > 0 || joy.HatRight) now |= Bit(StateRight);
        if (y < 0 || joy.HatUp) now |= Bit(StateUp);
        if (y > 0 || joy.HatDown) now |= Bit(StateDown);
        for (int i = 0; i < JoystickButtonCount; ++i)
            if (joy.Buttons & (uint32_t{1} << i)) now |= Bit(StateButton1 + i);
    }
    return now;
}

void PollInputStates(uint64_t now) {
    const uint64_t rising = now & ~PreviousRaw;
    const uint64_t falling = PreviousRaw & ~now;
    CurrentStates = (CurrentStates | rising) & ~falling;
    PreviousRaw = now;
}

bool StatePressed(int state) {
    return state >= 0 && state < InputStateCount && (CurrentStates & Bit(state));
}

void ConsumeState(int state) {
    if (state >= 0 && state < InputStateCount) CurrentStates &= ~Bit(state);
}

uint64_t PreviousRawStates() {
    return PreviousRaw;
}

void RestoreInputStates(uint64_t current, uint64_t previousRaw) {
    CurrentStates = current;
    PreviousRaw = previousRaw;
}

void ResetInputStates() {
    CurrentStates = 0;
    PreviousRaw = 0;
    LastPadPresent = false;
}

}  // namespace veltrano
