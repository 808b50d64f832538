// The display choices in the ini file's own section "[Display]", beside "[KeyConfig]" and never
// touching it:
//   FullScreen=1          1 full screen (desktop), 0 a window
//   WindowScale=0         the window's whole multiple of 640x480; 0 the largest that fits
//   Scaling=fit           sharp, fit or stretch
//   VSync=1               wait for the screen's refresh when presenting
//   Smooth=1              draw each refresh between the ticks; 0 shows the ticks' pictures alone
//   PauseOnFocusLoss=1    pause play when the window loses focus
//   Monitor=0             the display the window was on when the game last closed (kept by the game)
#pragma once

#include <string>
#include <vector>

#include "app/ConfigFile.h"
#include "platform/DisplaySettings.h"

namespace veltrano {

// A whole decimal number within [low, high], digits only (a sign allowed before them): what the ini
// and the command line both accept.
bool ParseWholeNumber(const std::string& text, int low, int high, int* out);

// Reads the section; a missing key keeps its default quietly, a broken value keeps its default and
// adds one line saying so to `complaints`.
DisplaySettings ReadDisplaySettings(const ConfigFile& config, std::vector<std::string>* complaints);
// Writes every key of the section; false with a message when the file cannot be written.
bool WriteDisplaySettings(ConfigFile& config, const DisplaySettings& settings, std::string* error);
// Writes only the keys whose value differs between `before` and `after`: a choice the player changed
// in play is kept, and one that came from the command line stays that run's alone. True when nothing
// needed writing.
bool WriteDisplayChanges(ConfigFile& config, const DisplaySettings& before, const DisplaySettings& after,
                         std::string* error);

}  // namespace veltrano
