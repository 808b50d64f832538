// The game's command line. Every option is one row of a table (name, value, help line, what it
// sets), so a new option is one row and one field here.
#pragma once

#include <optional>
#include <string>

#include "platform/DisplaySettings.h"

namespace veltrano {

struct CommandLine {
    std::optional<bool> FullScreen;
    std::optional<int> WindowScale;
    std::optional<Scaling> Mode;
    std::optional<bool> VSync;
    std::optional<bool> Smooth;
    std::string RecordFile, ReplayFile;  // --record FILE, --replay FILE
    bool ShowHelp = false;
    bool ShowVersion = false;
    // Set when an option is unknown, lacks its value or has a bad one: the program says so and stops.
    std::string Error;
};

// Reads argv[1..argc-1]. Options take their value as the next word or after '=' (--scale=2).
CommandLine ParseCommandLine(int argc, const char* const* argv);
// The --help text, one line per option of the table.
std::string CommandLineHelp();
// "VeltranoGame2 1.0.0".
std::string VersionText();
// Puts the command line's display choices over those read from the ini file; true when any changed.
bool ApplyCommandLine(const CommandLine& line, DisplaySettings& settings);

}  // namespace veltrano
