// The sound bank's slots (platform/SoundMix.h) loaded from the program folder, and the game's cues
// carried to them.
#pragma once

#include <stdexcept>

#include "platform/SoundMix.h"
#include "world/Sounds.h"

namespace veltrano {

// A picture or wave the game cannot do without could not be loaded, or a scene's script failed its
// own checks. The program entry reports it on one line and ends with status 1.
struct LoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Makes the bank the device that carries the game's cues, and loads the eleven slots in slot order
// with their start files; throws LoadError.
void LoadSoundBank();

}  // namespace veltrano
