// Which key the game hears for each key pressed. The game reads fixed virtual-key codes (the arrows
// steer, Z is button 1, Escape quits...); a binding lets another key stand for one of them, so a
// player may steer with W A S D. Keys are named by the virtual-key codes the keyboard layer gives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

// One action a key can be bound to: its name in the ini, the key the game hears for it, and the keys
// that serve it unless the ini says otherwise.
struct KeyAction {
    const char* Name;
    int Heard;
    const char* Defaults;
};

extern const KeyAction KeyActions[];
extern const int KeyActionCount;

// The virtual-key code of a key name ("W", "Up", "Keypad 8", "F11"; case and blanks ignored), or 0.
int KeyByName(std::string_view name);
// The name of a virtual-key code, or "" for one without a name.
const char* KeyName(int vk);
// The keys of a comma-separated list of names; false (with the first bad name) when one is unknown.
bool KeysByNames(std::string_view names, std::vector<int>* keys, std::string* badName);

class KeyBindings {
   public:
    // Every key as itself: the shipped bindings.
    KeyBindings();
    // `keys[a]` are the keys of action a (KeyActions order). A key that served a rebound action by
    // default and is bound to none now is heard as nothing.
    explicit KeyBindings(const std::vector<std::vector<int>>& keys);
    // The key the game hears when `pressed` goes down; 0 for none.
    int Heard(int pressed) const { return Map[pressed & 255]; }
    // The key a player presses to be heard as `heard`: `heard` itself while it speaks for itself,
    // else the lowest key bound to speak for it; 0 when no key does.
    int PressedFor(int heard) const;

   private:
    uint8_t Map[256];
};

// The bindings the player's keyboard is heard by, set at start-up from the ini: every backend hears a
// key pressed through them, and the keys named on screen are the keys the player presses.
extern KeyBindings PlayerKeys;

}  // namespace veltrano
