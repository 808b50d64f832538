#include "platform/web/WebInput.h"

#include <cmath>
#include <cstring>

namespace veltrano {

namespace {

struct CodeKey {
    const char* Code;
    int Key;
};

const CodeKey Keys[] = {
    {"Enter", Vk::Enter},     {"NumpadEnter", Vk::Enter}, {"Escape", Vk::Escape},   {"Space", Vk::Space},
    {"Home", Vk::Home},       {"Insert", Vk::Insert},     {"Delete", Vk::Delete},   {"ArrowLeft", Vk::Left},
    {"ArrowUp", Vk::Up},      {"ArrowRight", Vk::Right},  {"ArrowDown", Vk::Down},  {"Numpad2", Vk::Numpad2},
    {"Numpad4", Vk::Numpad4}, {"Numpad6", Vk::Numpad6},   {"Numpad8", Vk::Numpad8}, {"F10", Vk::F10},
    {"F11", Vk::F11},
};

constexpr int DpadUp = 12, DpadDown = 13, DpadLeft = 14, DpadRight = 15;

}  // namespace

int VirtualKeyOfCode(const char* code) {
    if (!code) return 0;
    // Letters and digits by their place on the keyboard, whatever the layout prints on them.
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == 0) return code[3];
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == 0)
        return code[5];
    for (const CodeKey& k : Keys)
        if (std::strcmp(code, k.Code) == 0) return k.Key;
    return 0;
}

JoystickReading JoystickOfGamepad(const GamepadSnapshot& pad) {
    JoystickReading joy;
    if (!pad.Connected) return joy;
    joy.Present = true;
    joy.AxisMin = -32768;
    joy.AxisMax = 32767;
    auto axis = [&](int i) {
        if (i >= pad.AxisCount || !std::isfinite(pad.Axes[i])) return 0;
        const double v = pad.Axes[i] < -1 ? -1 : pad.Axes[i] > 1 ? 1 : pad.Axes[i];
        return static_cast<int>(std::lround(v < 0 ? v * 32768 : v * 32767));
    };
    joy.AxisX = axis(0);
    joy.AxisY = axis(1);
    joy.AxisZ = axis(2);
    for (int b = 0; b < pad.ButtonCount && b < JoystickButtonCount; ++b) {
        if (!pad.Pressed[b]) continue;
        if (pad.Standard && b >= DpadUp && b <= DpadRight) continue;
        joy.Buttons |= 1u << b;
    }
    if (pad.Standard && pad.ButtonCount > DpadRight) {
        joy.HatUp = pad.Pressed[DpadUp];
        joy.HatDown = pad.Pressed[DpadDown];
        joy.HatLeft = pad.Pressed[DpadLeft];
        joy.HatRight = pad.Pressed[DpadRight];
    }
    return joy;
}

}  // namespace veltrano
