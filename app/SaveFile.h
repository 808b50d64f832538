// "temp.dat": 44 bytes of little-endian 32-bit integers, the cleared flag and the ten best scores.
// The table reaches the disk as soon as a score enters it, through a new file renamed over the old
// one, after the file has been read again and merged, so two games in one folder keep both runs'
// scores and a kill or a lost display loses nothing already in the table.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// What is wrong with a table as read: shorter than 44 bytes, a cleared flag other than 0 or 1, a
// negative score, scores out of order (inserting into those would lose some). Empty for a sound table.
std::string SaveFileDamage(const unsigned char* bytes, size_t size);
// Mends a decoded table in place: a negative score read as 0, the scores sorted best first, a
// cleared flag other than 1 read as 0.
void MendScoreTable();

// How many damaged tables are kept aside beside one save file ("temp.dat.bad", "temp.dat.bad.1", up
// to "temp.dat.bad.9"); once they are all there, a new damaged table is named but not kept.
constexpr int MaxKeptAside = 10;

// Start-up: reads the table. A missing file (or a dangling link) is made, a fresh table of zeros; a
// damaged one is kept aside under the first free ".bad" name, mended and written back; temporary
// files a killed game left are removed. Each of those adds one line to `said`. Failed: the file cannot
// be read, and it is then never written over. When another game holds the folder's lock for longer
// than `lockWaitMs` the table is read without it and nothing is made or mended until the next write.
FileStatus StartScoreTable(const std::string& path, std::vector<std::string>* said,
                           int lockWaitMs = FolderLockWaitMs);
// Start-up, when the player's scores were once kept in another folder (`other`, the save file there):
// its scores are put in among this table's, each score kept as often as the table that holds it most
// often has it, so merging the same two tables again changes nothing. Written, with one line in
// `said`, only when the table gained something.
void MergeScoreTableFrom(const std::string& path, const std::string& other, std::vector<std::string>* said);

enum class TableWrite {
    Written,
    Busy,    // another game held the folder's lock for longer than the wait: nothing written
    Failed,  // the file cannot be read or written; `why` says why
};
// Writes the table: reads the file again under the folder's lock, inserts the scores that entered
// the table since the last write (the other game's stay), keeps the cleared flag if either set it,
// writes the result and takes it as the table in memory. A file damaged since (a partial write by
// something else, random bytes) is kept aside, said in `said`, and the last sound table this game
// read or wrote is used in its place. A missing file is made again. The run's provisional score, if
// any, goes into the file beside the table in memory, replacing the one written before.
TableWrite KeepScoreTable(const std::string& path, std::string* why, std::vector<std::string>* said = nullptr,
                          int lockWaitMs = FolderLockWaitMs);
// Whether the last start or write found the folder locked by another game: the next try does not wait.
bool ScoreTableLockBusy();
// Whether a score entered the table, the provisional score changed or the cleared flag changed since
// the last write.
bool ScoreTableChanged();
// Counts the changes to the table: a write that failed is tried again once this has moved on.
int ScoreTableChanges();
// The table in memory is what the disk holds (start-up, and after a replay borrowed the globals).
void ScoreTableSaved();

// The score of a game waiting at its continue: it is on the disk from the next write on, as the run's
// one provisional entry (a later one replaces it), while the table in memory stays as it was. The
// game's RecordScore puts the final score in its place.
void SetProvisionalScore(int score);

// Inserts Score into HighScores: equal scores go above, a score below the tenth changes nothing. The
// run's provisional score on the disk gives way to it at the next write.
void RecordScore();

}  // namespace veltrano
