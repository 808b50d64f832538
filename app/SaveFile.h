// "temp.dat": 44 bytes of little-endian 32-bit integers, the cleared flag and the ten best scores.
// The table reaches the disk as soon as a score enters it, through a new file renamed over the old
// one, after the file has been read again and merged, so two games in one folder keep both runs'
// scores and a kill or a lost display loses nothing already in the table.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace veltrano {

constexpr size_t SaveFileBytes = 44;

// Fills GameCleared and HighScores from what the file holds (a short file fills what it has; a
// missing file leaves them as they are). Bytes after 44 are ignored. Missing: there is no file;
// Failed: it exists but cannot be read (a folder, a FIFO, no permission, a read error), with `why`.
FileStatus ReadSaveFile(const std::string& path, std::string* why);
// The same from bytes in memory.
void DecodeSaveFile(const unsigned char* bytes, size_t size);
// GameCleared and the ten scores as the file holds them.
std::string EncodeSaveFile();

// What is wrong with a table as read: shorter than 44 bytes, a cleared flag other than 0 or 1, scores
// out of order (inserting into those would lose some). Empty for a sound table.
std::string SaveFileDamage(const unsigned char* bytes, size_t size);
// Mends a decoded table in place: the scores sorted best first, a cleared flag other than 1 read as 0.
void MendScoreTable();

// Start-up: reads the table. A missing file (or a dangling link) is made, a fresh table of zeros; a
// damaged one is copied aside to "temp.dat.bad", mended and written back; a temporary file a killed
// game left is removed. Each of those adds one line to `said`. Failed: the file cannot be read, and
// it is then never written over.
FileStatus StartScoreTable(const std::string& path, std::vector<std::string>* said);

// Writes the table: reads the file again under the folder's lock, inserts the scores that entered
// the table since the last write (the other game's stay), keeps the cleared flag if either set it,
// writes the result and takes it as the table in memory. A missing file is made again. False with a
// message when it cannot be read or written.
bool KeepScoreTable(const std::string& path, std::string* why);
// Whether a score entered the table or the cleared flag changed since the last write.
bool ScoreTableChanged();
// The table in memory is what the disk holds (start-up, and after a replay borrowed the globals).
void ScoreTableSaved();

// Inserts Score into HighScores: equal scores go above, a score below the tenth changes nothing.
void RecordScore();

}  // namespace veltrano
