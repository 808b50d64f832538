#include "app/KeysConfig.h"

namespace veltrano {

namespace {

constexpr const char* Section = "Keys";

}  // namespace

KeyBindings ReadKeyBindings(const ConfigFile& config, std::vector<std::string>* complaints) {
    std::vector<std::vector<int>> keys(static_cast<size_t>(KeyActionCount));
    for (int a = 0; a < KeyActionCount; ++a) {
        const KeyAction& action = KeyActions[a];
        KeysByNames(action.Defaults, &keys[a], nullptr);
        const std::optional<std::string> names = config.ReadString(Section, action.Name);
        if (!names) continue;
        std::vector<int> chosen;
        std::string bad;
        if (KeysByNames(*names, &chosen, &bad)) {
            keys[a] = chosen;
        } else if (complaints) {
            complaints->push_back(config.FilePath() + ": [Keys] " + action.Name + "=" + Quoted(*names) +
                                  ": '" + Quoted(bad) + "' names no key; using " + action.Defaults);
        }
    }
    const KeyBindings bindings(keys);
    // A key named for several actions serves the last of them only: say which actions lost every key.
    std::string unserved;
    for (int a = 0; a < KeyActionCount; ++a)
        if (bindings.PressedFor(KeyActions[a].Heard) == 0)
            unserved.append(unserved.empty() ? "" : ", ").append(KeyActions[a].Name);
    if (!unserved.empty() && complaints)
        complaints->push_back(config.FilePath() + ": [Keys] leaves no key for " + unserved +
                              " (a key named for several actions serves only the last of them)");
    return bindings;
}

void AddAbsentKeys(ConfigFile& config) {
    for (int a = 0; a < KeyActionCount; ++a)
        if (!config.ReadString(Section, KeyActions[a].Name))
            config.WriteStringIfAbsent(Section, KeyActions[a].Name, KeyActions[a].Defaults);
}

std::string ShippedKeysSection(const std::string& eol) {
    std::string text = "[Keys]" + eol;
    text += "; keys by name, several to an action: A-Z, 0-9, Up, Down, Left, Right, Space, Enter, Tab," + eol;
    text +=
        "; Home, End, Insert, Delete, PageUp, PageDown, F1-F12, Keypad 0-9, Left Shift, Left Ctrl..." + eol;
    for (int a = 0; a < KeyActionCount; ++a)
        text += std::string(KeyActions[a].Name) + "=" + KeyActions[a].Defaults + eol;
    return text;
}

}  // namespace veltrano
