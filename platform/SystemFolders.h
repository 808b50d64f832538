// What the system says about the running program's place: its folder, whether the game may write
// there, and the folder the system gives a program's per-player files where it has one of its own.
#pragma once

#include <string>

namespace veltrano {

// The folder of the running executable, with '/' between names and no trailing '/' ("." when it
// cannot be told).
std::string ExecutableFolder();

// Whether the game may make and replace files in `folder`.
bool FolderWritable(const std::string& folder);

// Where the system keeps a program's files for the player, "<that folder>/VeltranoGame2" (Windows:
// %APPDATA%\VeltranoGame2); empty where the system names no such folder of its own (Linux, where the
// program follows the XDG rule).
std::string SystemPlayerFolder();

// Makes a new folder of this process's own in the system's temporary folder, "<prefix><something
// unique>", and returns it; empty with the reason in `why` when it cannot.
std::string MakeTemporaryFolder(const std::string& prefix, std::string* why);

}  // namespace veltrano
