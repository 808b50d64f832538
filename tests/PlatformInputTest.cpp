#include <gtest/gtest.h>

#include "platform/Input.h"
#include "world/World.h"

using namespace veltrano;

namespace {

RawInput Keys(std::initializer_list<int> down) {
    RawInput raw;
    for (int vk : down) raw.KeyDown[vk] = true;
    return raw;
}

}  // namespace

TEST(InputStates, HeldStatesStayAndAConsumedPressWaitsForARelease) {
    ResetInputStates();
    PollInput(Keys({Vk::Up, Vk::Space}));
    EXPECT_TRUE(StatePressed(StateUp));
    EXPECT_TRUE(StatePressed(StateButton1 + 8));  // Space is button 9
    ConsumeState(StateButton1 + 8);
    for (int i = 0; i < 3; ++i) {
        PollInput(Keys({Vk::Up, Vk::Space}));
        EXPECT_TRUE(StatePressed(StateUp));
        EXPECT_FALSE(StatePressed(StateButton1 + 8));
    }
    PollInput(Keys({}));
    PollInput(Keys({Vk::Space}));
    EXPECT_TRUE(StatePressed(StateButton1 + 8));
}

TEST(InputStates, EveryBoundKeyFeedsItsStateAndOneOfTwoHeldKeysKeepsIt) {
    ResetInputStates();
    const int bindings[][2] = {
        {Vk::K, StateUp},          {Vk::Numpad8, StateUp},    {Vk::J, StateDown},
        {Vk::Numpad2, StateDown},  {Vk::H, StateLeft},        {Vk::Left, StateLeft},
        {Vk::L, StateRight},       {Vk::Numpad6, StateRight}, {Vk::Z, StateButton1},
        {Vk::X, StateButton1 + 1}, {Vk::C, StateButton1 + 2}, {Vk::Enter, StateButton1 + 3}};
    for (const auto& b : bindings) {
        PollInput(Keys({b[0]}));
        EXPECT_TRUE(StatePressed(b[1])) << "key " << b[0];
        PollInput(Keys({}));
        EXPECT_FALSE(StatePressed(b[1]));
    }
    PollInput(Keys({Vk::K, Vk::Up}));
    PollInput(Keys({Vk::Up}));
    EXPECT_TRUE(StatePressed(StateUp));
    // Buttons 5 to 8 have no key.
    PollInput(Keys({'A', 'B', '5', Vk::Home}));
    for (int s = StateButton1 + 4; s <= StateButton1 + 7; ++s) EXPECT_FALSE(StatePressed(s));
}

TEST(InputStates, JoystickAxesHaveAHalfDeadZoneAndButtonsCountFromZero) {
    EXPECT_EQ(JoystickAxisValue(32767, 0, 65535), 0);          // centre
    EXPECT_EQ(JoystickAxisValue(32767 + 16000, 0, 65535), 0);  // inside the dead zone
    EXPECT_EQ(JoystickAxisValue(65535, 0, 65535), 1000);
    EXPECT_EQ(JoystickAxisValue(0, 0, 65535), -1000);
    EXPECT_GT(JoystickAxisValue(32767 + 20000, 0, 65535), 0);
    EXPECT_EQ(JoystickAxisValue(-32768, -32768, 32767), -1000);

    ResetInputStates();
    RawInput raw;
    raw.Joystick.Present = true;
    raw.Joystick.AxisX = 0;      // full left
    raw.Joystick.AxisY = 65535;  // full down
    raw.Joystick.Buttons = (1u << 0) | (1u << 9) | (1u << 31);
    PollInput(raw);
    EXPECT_TRUE(StatePressed(StateLeft));
    EXPECT_TRUE(StatePressed(StateDown));
    EXPECT_FALSE(StatePressed(StateUp));
    EXPECT_TRUE(StatePressed(StateButton1));
    EXPECT_TRUE(StatePressed(StateButton1 + 9));
    EXPECT_TRUE(StatePressed(StateButton32));
    // The D-pad steers too, and a pad pulled out releases everything it held.
    raw.Joystick.AxisX = raw.Joystick.AxisY = 32767;
    raw.Joystick.HatUp = true;
    PollInput(raw);
    EXPECT_TRUE(StatePressed(StateUp));
    EXPECT_FALSE(StatePressed(StateLeft));
    PollInput(RawInput{});
    EXPECT_EQ(CurrentStates, 0u);
}

TEST(InputStates, StatesOutsideTheSetNeverReadAsPressed) {
    ResetInputStates();
    PollInput(Keys({Vk::Z, Vk::X, Vk::C, Vk::Space}));
    EXPECT_FALSE(StatePressed(NoInputState));
    EXPECT_FALSE(StatePressed(-1));
    ConsumeState(NoInputState);  // harmless
    EXPECT_TRUE(StatePressed(StateButton1));
}
