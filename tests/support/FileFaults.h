// Tests make the disk misbehave: opens, reads or writes of every path ending with `pathEnd` fail
// with `errorNumber` until the faults are cleared. The test program's own FileFaultFor
// (platform/Files.h) reads them.
#pragma once

#include <string>

#include "platform/Files.h"

namespace veltrano {

void SimulateFileFault(const std::string& pathEnd, FileOperation operation, int errorNumber);
void ClearFileFaults();

}  // namespace veltrano
