// The game's version, written into every replay so that a file says which build recorded it.
#pragma once

namespace veltrano {

inline constexpr char GameVersion[] = "0.9.0";

}  // namespace veltrano
