// What the program says to whoever started it: one line at a time on stderr, as its own.
#pragma once

namespace veltrano {

// The program's name, before every line it says.
constexpr const char* ProgramName = "VeltranoGame2";

// Says one line, formatted as printf does, on stderr: the program's name and ": " before it, the
// line's end after it, all written at once.
[[gnu::format(printf, 1, 2)]] void SayLine(const char* format, ...);

}  // namespace veltrano
