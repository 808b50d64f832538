#include "platform/KeyBindings.h"

#include "platform/Input.h"

namespace veltrano {

// clang-format off
const KeyAction KeyActions[] = {
    {"Up",         Vk::Up,     "Up, K, Keypad 8"},
    {"Down",       Vk::Down,   "Down, J, Keypad 2"},
    {"Left",       Vk::Left,   "Left, H, Keypad 4"},
    {"Right",      Vk::Right,  "Right, L, Keypad 6"},
    {"Button1",    Vk::Z,      "Z"},
    {"Button2",    Vk::X,      "X"},
    {"Button3",    Vk::C,      "C"},
    {"Button9",    Vk::Space,  "Space"},
    {"Quit",       Vk::Escape, "Escape"},
    {"Abandon",    Vk::Home,   "Home"},
    {"LaterStage", Vk::Insert, "Insert"},
    {"BossRush",   Vk::Delete, "Delete"},
    {"Scaling",    Vk::F10,    "F10"},
    {"FullScreen", Vk::F11,    "F11"},
};
// clang-format on
const int KeyActionCount = static_cast<int>(sizeof KeyActions / sizeof KeyActions[0]);

namespace {

struct NamedKey {
    const char* Name;
    int Vk;
};

// clang-format off
constexpr NamedKey SpecialKeys[] = {
    {"Up", Vk::Up}, {"Down", Vk::Down}, {"Left", Vk::Left}, {"Right", Vk::Right},
    {"Space", Vk::Space}, {"Enter", Vk::Enter}, {"Escape", Vk::Escape}, {"Tab", 0x09}, {"Backspace", 0x08},
    {"Home", Vk::Home}, {"End", 0x23}, {"PageUp", 0x21}, {"PageDown", 0x22}, {"Insert", Vk::Insert},
    {"Delete", Vk::Delete}, {"Left Shift", 0xA0}, {"Right Shift", 0xA1}, {"Left Ctrl", 0xA2},
    {"Right Ctrl", 0xA3}, {"Semicolon", 0xBA}, {"Comma", 0xBC}, {"Period", 0xBE}, {"Slash", 0xBF},
};
// clang-format on

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare without case and without blanks: "keypad8" is "Keypad 8".
bool SameName(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (true) {
        while (i < a.size() && a[i] == ' ') ++i;
        while (j < b.size() && b[j] == ' ') ++j;
        if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
        if (Folded(a[i++]) != Folded(b[j++])) return false;
    }
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Names made on first use: "A".."Z", "0".."9", "F1".."F12", "Keypad 0".."Keypad 9", then the rest.
struct NameTable {
    std::string Names[256];
    NameTable() {
        for (int c = 'A'; c <= 'Z'; ++c) Names[c] = std::string(1, static_cast<char>(c));
        for (int c = '0'; c <= '9'; ++c) Names[c] = std::string(1, static_cast<char>(c));
        for (int f = 1; f <= 12; ++f) Names[0x70 + f - 1].append("F").append(std::to_string(f));
        for (int k = 0; k <= 9; ++k) Names[0x60 + k].append("Keypad ").push_back(static_cast<char>('0' + k));
        for (const NamedKey& key : SpecialKeys) Names[key.Vk] = key.Name;
    }
};

const NameTable& Names() {
    static const NameTable table;
    return table;
}

}  // namespace

int KeyByName(std::string_view name) {
    name = Trimmed(name);
    if (name.empty()) return 0;
    for (int vk = 1; vk < 256; ++vk)
        if (!Names().Names[vk].empty() && SameName(name, Names().Names[vk])) return vk;
    return 0;
}

const char* KeyName(int vk) {
    return Names().Names[vk & 255].c_str();
}

bool KeysByNames(std::string_view names, std::vector<int>* keys, std::string* badName) {
    keys->clear();
    while (true) {
        const size_t comma = names.find(',');
        const std::string_view name = Trimmed(names.substr(0, comma));
        const int vk = KeyByName(name);
        if (vk == 0) {
            if (badName) *badName = std::string(name);
            return false;
        }
        keys->push_back(vk);
        if (comma == std::string_view::npos) return true;
        names.remove_prefix(comma + 1);
    }
}

KeyBindings PlayerKeys;

int KeyBindings::PressedFor(int heard) const {
    heard &= 255;
    if (heard == 0) return 0;
    if (Map[heard] == heard) return heard;
    for (int vk = 1; vk < 256; ++vk)
        if (Map[vk] == heard) return vk;
    return 0;
}

KeyBindings::KeyBindings() {
    for (int vk = 0; vk < 256; ++vk) Map[vk] = static_cast<uint8_t>(vk);
}

KeyBindings::KeyBindings(const std::vector<std::vector<int>>& keys) : KeyBindings() {
    // An action left on its shipped keys keeps them as they are (H still reads as H, which steers
    // left). Of the others, first their shipped keys fall silent, then each bound key speaks for its
    // action, so a key taken from one action for another serves only the new one.
    std::vector<int> defaults;
    std::vector<bool> changed(static_cast<size_t>(KeyActionCount), false);
    for (int a = 0; a < KeyActionCount && a < static_cast<int>(keys.size()); ++a) {
        KeysByNames(KeyActions[a].Defaults, &defaults, nullptr);
        changed[a] = keys[a] != defaults;
        if (changed[a])
            for (int vk : defaults) Map[vk] = 0;
    }
    for (int a = 0; a < KeyActionCount && a < static_cast<int>(keys.size()); ++a)
        if (changed[a])
            for (int vk : keys[a]) Map[vk & 255] = static_cast<uint8_t>(KeyActions[a].Heard);
}

}  // namespace veltrano
