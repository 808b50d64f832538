// What the POSIX and the Windows file layers share: the faults tests make the disk show, and the
// wording of every message ("<path>: <what is wrong>").
#pragma once

#include <string>

#include "platform/Files.h"

namespace veltrano::files {

// The error number a simulated fault gives an `operation` on `path`, or 0.
int FaultFor(const std::string& path, FileOperation operation);
// Sets `why` to "<path>: <what>" (when asked for) and returns false.
bool Say(std::string* why, const std::string& path, const std::string& what);
// "<doing> (<the C library's words for errorNumber>)".
std::string Reason(const char* doing, int errorNumber);

}  // namespace veltrano::files
