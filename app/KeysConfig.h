// The ini file's "[Keys]" section: which keys serve each action, by name, several to an action.
//   Up=Up, K, Keypad 8
//   Button1=Z
//   FullScreen=F11
// A missing key keeps the shipped keys of its action; a name the game does not know keeps them too,
// with one line saying so, as does an action left without any key (its keys all taken by later
// actions). The section is shipped in the ini, and an ini the game saves gets any
// action it lacks, with its shipped keys; a player's own lines are never changed.
#pragma once

#include <string>
#include <vector>

#include "app/ConfigFile.h"
#include "platform/KeyBindings.h"

namespace veltrano {

KeyBindings ReadKeyBindings(const ConfigFile& config, std::vector<std::string>* complaints);
// Adds, in memory, each action the section lacks with its shipped keys.
void AddAbsentKeys(ConfigFile& config);
// The section as shipped, in the given line ending.
std::string ShippedKeysSection(const std::string& eol);

}  // namespace veltrano
