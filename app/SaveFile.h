// "temp.dat": 44 bytes of little-endian 32-bit integers, the cleared flag and the ten best scores.
#pragma once

#include <string>

namespace veltrano {

// Fills GameCleared and HighScores from what the file holds (a short file fills what it has; a
// missing file leaves them as they are). Bytes after 44 are ignored.
void ReadSaveFile(const std::string& path);
// Writes the 44 bytes over the start of an existing file, never creating or truncating it. Returns
// false with a message when the file is missing or cannot be written.
bool WriteSaveFile(const std::string& path, std::string* error);

// Inserts Score into HighScores: equal scores go above, a score below the tenth changes nothing.
void RecordScore();

}  // namespace veltrano
