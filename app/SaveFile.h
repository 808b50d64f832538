// "temp.dat": 44 bytes of little-endian 32-bit integers, the cleared flag and the ten best scores.
#pragma once

#include <cstddef>
#include <string>

#include "app/ProgramFiles.h"
#include "platform/Files.h"

namespace veltrano {

// Fills GameCleared and HighScores from what the file holds (a short file fills what it has; a
// missing file leaves them as they are). Bytes after 44 are ignored. Missing: there is no file;
// Failed: it exists but cannot be read (a folder, a FIFO, no permission, a read error), with `why`.
FileStatus ReadSaveFile(const std::string& path, std::string* why);
// The same from bytes in memory.
void DecodeSaveFile(const unsigned char* bytes, size_t size);
// GameCleared and the ten scores as the file holds them.
std::string EncodeSaveFile();
// Writes the 44 bytes over the start of an existing file, never creating or truncating it. Missing
// when there is no file; Failed with a message when it cannot be written.
FileStatus WriteSaveFile(const std::string& path, std::string* why);

// Inserts Score into HighScores: equal scores go above, a score below the tenth changes nothing.
void RecordScore();

}  // namespace veltrano
