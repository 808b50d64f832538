// The game's version, written into every replay so that a file says which build recorded it.
#pragma once

namespace veltrano {

// The number itself lives in the build (the project line of CMakeLists.txt).
inline constexpr char GameVersion[] = VELTRANO_VERSION;

}  // namespace veltrano
