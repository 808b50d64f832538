#include <gtest/gtest.h>

#include "platform/Input.h"
#include "platform/web/WebInput.h"
#include "world/World.h"

using namespace veltrano;

TEST(WebInput, KeyCodesGiveTheDesktopsVirtualKeys) {
    struct Case {
        const char* Code;
        int Key;
    };
    const Case cases[] = {
        {"KeyZ", Vk::Z},
        {"KeyA", 'A'},
        {"KeyH", Vk::H},
        {"Digit0", '0'},
        {"Digit9", '9'},
        {"ArrowUp", Vk::Up},
        {"ArrowDown", Vk::Down},
        {"ArrowLeft", Vk::Left},
        {"ArrowRight", Vk::Right},
        {"Numpad8", Vk::Numpad8},
        {"Numpad2", Vk::Numpad2},
        {"Enter", Vk::Enter},
        {"NumpadEnter", Vk::Enter},
        {"Space", Vk::Space},
        {"Escape", Vk::Escape},
        {"Home", Vk::Home},
        {"Insert", Vk::Insert},
        {"Delete", Vk::Delete},
        {"F10", Vk::F10},
        {"F11", Vk::F11},
        // Keys the game has no code for, and names that only begin like one.
        {"F5", 0},
        {"KeyZZ", 0},
        {"Keyz", 0},
        {"Digit", 0},
        {"ShiftLeft", 0},
        {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(VirtualKeyOfCode(c.Code), c.Key) << c.Code;
    EXPECT_EQ(VirtualKeyOfCode(nullptr), 0);
}

TEST(WebInput, APadReadsAsTheDesktopsJoystickZero) {
    GamepadSnapshot pad;
    EXPECT_FALSE(JoystickOfGamepad(pad).Present);

    pad.Connected = true;
    pad.Standard = true;
    pad.AxisCount = 2;
    pad.Axes[0] = -1.0;
    pad.Axes[1] = 0.25;
    pad.ButtonCount = 17;
    pad.Pressed[0] = pad.Pressed[8] = true;    // buttons 1 and 9: speed change and confirm by default
    pad.Pressed[12] = pad.Pressed[15] = true;  // D-pad up and right
    JoystickReading joy = JoystickOfGamepad(pad);
    EXPECT_TRUE(joy.Present);
    EXPECT_EQ(joy.AxisX, -32768);
    EXPECT_EQ(joy.AxisY, 8192);
    EXPECT_EQ(joy.AxisZ, 0);                        // no third axis
    EXPECT_EQ(joy.Buttons, (1u << 0) | (1u << 8));  // the D-pad steers, it is no button
    EXPECT_TRUE(joy.HatUp && joy.HatRight && !joy.HatDown && !joy.HatLeft);

    // Through the same input states as the desktop: left and up from the stick and the D-pad.
    RawInput raw;
    raw.Joystick = joy;
    const uint64_t states = RawInputStates(raw);
    EXPECT_TRUE(states & (1ull << StateLeft));
    EXPECT_TRUE(states & (1ull << StateUp));
    EXPECT_TRUE(states & (1ull << StateRight));  // the D-pad's right, whatever the stick says
    EXPECT_TRUE(states & (1ull << StateButton1));
    EXPECT_TRUE(states & (1ull << (StateButton1 + 8)));

    // A pad in no known layout: every button by its index, no hat, axes clamped.
    pad.Standard = false;
    pad.Axes[0] = 3.0;
    joy = JoystickOfGamepad(pad);
    EXPECT_EQ(joy.AxisX, 32767);
    EXPECT_EQ(joy.Buttons, (1u << 0) | (1u << 8) | (1u << 12) | (1u << 15));
    EXPECT_FALSE(joy.HatUp || joy.HatRight);
}
