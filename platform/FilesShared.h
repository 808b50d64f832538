// What the POSIX and the Windows file layers share: the wording of every message ("<path>: <what is wrong>").
#pragma once

#include <string>

#include "platform/Files.h"

namespace veltrano::files {

// Sets `why` to "<path>: <what>" (when asked for) and returns false.
bool Say(std::string* why, const std::string& path, const std::string& what);
// "<doing> (<the C library's words for errorNumber>)".
std::string Reason(const char* doing, int errorNumber);

}  // namespace veltrano::files
