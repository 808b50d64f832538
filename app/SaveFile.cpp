#include "app/SaveFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <functional>

#include "world/World.h"

namespace veltrano {

void DecodeSaveFile(const unsigned char* bytes, size_t size) {
    auto field = [&](int index, int& target) {
        const size_t at = static_cast<size_t>(index) * 4;
        if (at + 4 > size) return;
        target = static_cast<int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                      (static_cast<uint32_t>(bytes[at + 3]) << 24));
    };
    field(0, GameCleared);
    for (int i = 0; i < HighScoreCount; ++i) field(1 + i, HighScores[i]);
}

std::string EncodeSaveFile() {
    std::string bytes(SaveFileBytes, '\0');
    auto put = [&](int index, int value) {
        const uint32_t v = static_cast<uint32_t>(value);
        for (int b = 0; b < 4; ++b) bytes[index * 4 + b] = static_cast<char>(v >> (8 * b));
    };
    put(0, GameCleared);
    for (int i = 0; i < HighScoreCount; ++i) put(1 + i, HighScores[i]);
    return bytes;
}

FileStatus ReadSaveFile(const std::string& path, std::string* why) {
    ReadOnlyFile file;
    const FileStatus opened = file.Open(path, why);
    if (opened != FileStatus::Done) return opened;
    unsigned char bytes[SaveFileBytes];
    size_t got = 0;
    if (!file.ReadAt(0, bytes, sizeof bytes, &got, why)) return FileStatus::Failed;
    DecodeSaveFile(bytes, got);
    return FileStatus::Done;
}

namespace {

// No player's save file is this large; a larger one is not read (nor ever written over).
constexpr uint64_t MaxSaveFileBytes = 1u << 20;

// A table of scores as the file holds it, apart from the globals.
struct Table {
    int Cleared = 0;
    int Scores[HighScoreCount] = {};
};

Table TableInMemory() {
    Table t;
    t.Cleared = GameCleared;
    std::copy(HighScores, HighScores + HighScoreCount, t.Scores);
    return t;
}

void UseTable(const Table& t) {
    GameCleared = t.Cleared;
    std::copy(t.Scores, t.Scores + HighScoreCount, HighScores);
}

// The scores that entered the table since it was last written. A write follows every frame in which
// one enters, so this holds one or two at most.
constexpr int MaxUnsaved = 16;
int Unsaved[MaxUnsaved];
int UnsavedCount = 0;
int SavedCleared = 0;
int Changes = 0;
bool LockBusy = false;
// The last sound table read from the disk or written to it: what a table damaged on the disk is
// merged in place of.
Table LastGood;
// The run's provisional score: the one wanted on the disk from the next write on, the one last
// written, and whether that one made the file's table (only then is it taken out again).
bool ProvisionalWanted = false, ProvisionalWrittenWanted = false, ProvisionalInFile = false;
int Provisional = 0, ProvisionalWritten = 0;

void InsertScore(int (&scores)[HighScoreCount], int s) {
    for (int i = HighScoreCount - 1; i >= 0; --i) {
        if (s >= scores[i]) {
            if (i < HighScoreCount - 1) scores[i + 1] = scores[i];
            scores[i] = s;
        }
    }
}

// Takes one entry of `s` out of the table, the entries below it moving up; whether it was there.
bool RemoveScore(int (&scores)[HighScoreCount], int s) {
    int* const end = scores + HighScoreCount;
    int* const at = std::find(scores, end, s);
    if (at == end) return false;
    std::copy(at + 1, end, at);
    end[-1] = 0;
    return true;
}

Table Decoded(const unsigned char* bytes, size_t size) {
    const Table saved = TableInMemory();
    UseTable(Table{});
    DecodeSaveFile(bytes, size);
    const Table t = TableInMemory();
    UseTable(saved);
    return t;
}

std::string Encoded(const Table& t) {
    const Table saved = TableInMemory();
    UseTable(t);
    std::string bytes = EncodeSaveFile();
    UseTable(saved);
    return bytes;
}

std::string Tail(const std::vector<unsigned char>& bytes) {
    return bytes.size() > SaveFileBytes ? std::string(bytes.begin() + SaveFileBytes, bytes.end())
                                        : std::string();
}

// Keeps a damaged table's bytes under the first free name of "<path>.bad", "<path>.bad.1", ... and
// says how: "kept as <name>" or why it was not kept. Never writes over an earlier one.
std::string KeepAside(const std::string& path, const std::vector<unsigned char>& bytes) {
    for (int n = 0; n < MaxKeptAside; ++n) {
        std::string name = path + ".bad";
        if (n > 0) name.append(".").append(std::to_string(n));
        struct stat info {};
        if (::lstat(name.c_str(), &info) == 0 || errno != ENOENT) continue;
        std::string why;
        if (ReplaceFile(name, std::string(bytes.begin(), bytes.end()), &why)) return "kept as " + name;
        return "not kept aside (" + why + ")";
    }
    return "not kept aside (" + std::to_string(MaxKeptAside) + " damaged tables are kept already: " + path +
           ".bad to .bad." + std::to_string(MaxKeptAside - 1) + ")";
}

}  // namespace

std::string SaveFileDamage(const unsigned char* bytes, size_t size) {
    if (size < SaveFileBytes)
        return size == 0 ? "is empty"
                         : "holds " + std::to_string(size) + " bytes, not the 44 of a score table";
    const Table t = Decoded(bytes, size);
    if (t.Cleared != 0 && t.Cleared != 1)
        return "its cleared flag is " + std::to_string(t.Cleared) + ", not 0 or 1";
    if (std::any_of(t.Scores, t.Scores + HighScoreCount, [](int s) { return s < 0; }))
        return "it holds a negative score";
    if (!std::is_sorted(t.Scores, t.Scores + HighScoreCount, std::greater<int>()))
        return "its scores are out of order";
    return {};
}

void MendScoreTable() {
    if (GameCleared != 1) GameCleared = 0;
    for (int& s : HighScores) s = std::max(s, 0);
    std::sort(HighScores, HighScores + HighScoreCount, std::greater<int>());
}

FileStatus StartScoreTable(const std::string& path, std::vector<std::string>* said, int lockWaitMs) {
    auto say = [&](const std::string& line) {
        if (said) said->push_back(line);
    };
    RemoveStaleTemporaries(path);
    const FolderLock lock(FolderOf(path), lockWaitMs);
    LockBusy = lock.Busy();
    UseTable(Table{});
    ProvisionalWanted = ProvisionalWrittenWanted = ProvisionalInFile = false;
    std::vector<unsigned char> bytes;
    std::string problem;
    const FileStatus status = ReadWholeFile(path, MaxSaveFileBytes, bytes, &problem);
    if (status == FileStatus::Failed) {
        say(problem + "; it is left as it is and the scores of this run will not be saved");
        return status;
    }
    LastGood = Table{};
    const std::string busy = lock.Busy() ? "; another game holds its folder's lock, so it is written once "
                                           "the lock is free"
                                         : "";
    if (status == FileStatus::Missing) {
        ScoreTableSaved();
        // A missing table would otherwise lose every score of every run without a word.
        std::string why;
        if (!busy.empty()) {
            SavedCleared = -1;  // not on the disk yet
            say(path + ": not found" + busy);
        } else if (ReplaceFile(path, EncodeSaveFile(), &why)) {
            say(path + ": not found; a new score table was made");
        } else {
            say(why + "; the scores of this run are kept until the game closes");
        }
        return status;
    }
    DecodeSaveFile(bytes.data(), bytes.size());
    const std::string damage = SaveFileDamage(bytes.data(), bytes.size());
    MendScoreTable();
    LastGood = TableInMemory();
    ScoreTableSaved();
    if (damage.empty()) return status;
    if (!busy.empty()) {
        SavedCleared = -1;  // mended at the next write, which finds the damage again
        say(path + ": " + damage + busy);
        return status;
    }
    // A damaged table is kept aside whole, and what can be read of it stays in the mended table.
    std::string line =
        path + ": " + damage + "; " + KeepAside(path, bytes) + ", and its scores put back in order";
    std::string why;
    if (!ReplaceFile(path, EncodeSaveFile() + Tail(bytes), &why)) line += "; " + why;
    say(line);
    return status;
}

void MergeScoreTableFrom(const std::string& path, const std::string& other, std::vector<std::string>* said) {
    std::vector<unsigned char> bytes;
    if (other.empty() || ReadWholeFile(other, MaxSaveFileBytes, bytes, nullptr) != FileStatus::Done ||
        !SaveFileDamage(bytes.data(), bytes.size()).empty())
        return;
    const Table theirs = Decoded(bytes.data(), bytes.size());
    const Table ours = TableInMemory();
    // Both lists are best first: a score both hold is taken once, each other score as it comes, and
    // those only the other table holds enter as this run's new scores do.
    Table merged;
    merged.Cleared = (ours.Cleared == 1 || theirs.Cleared == 1) ? 1 : 0;
    int a = 0, b = 0;
    for (int& s : merged.Scores) {
        if (ours.Scores[a] == theirs.Scores[b]) {
            s = ours.Scores[a++];
            ++b;
        } else if (ours.Scores[a] > theirs.Scores[b]) {
            s = ours.Scores[a++];
        } else {
            s = theirs.Scores[b++];
            if (UnsavedCount < MaxUnsaved) Unsaved[UnsavedCount++] = s;
        }
    }
    if (Encoded(merged) == Encoded(ours)) return;
    UseTable(merged);
    ++Changes;
    std::string why;
    const TableWrite written = KeepScoreTable(path, &why, said);
    if (said)
        said->push_back(written == TableWrite::Written
                            ? path + ": the scores kept in " + other + " were added to it"
                            : why + "; the scores kept in " + other + " are added at the next write");
}

TableWrite KeepScoreTable(const std::string& path, std::string* why, std::vector<std::string>* said,
                          int lockWaitMs) {
    const FolderLock lock(FolderOf(path), lockWaitMs);
    LockBusy = lock.Busy();
    if (lock.Busy()) {
        if (why)
            *why = path + ": another game has held its folder's lock for " +
                   std::to_string(lockWaitMs / 1000) + " s";
        return TableWrite::Busy;
    }
    std::vector<unsigned char> bytes;
    const FileStatus status = ReadWholeFile(path, MaxSaveFileBytes, bytes, why);
    if (status == FileStatus::Failed) return TableWrite::Failed;
    const Table own = TableInMemory();
    Table kept = own;  // the table in memory after the write; the disk gets the provisional score too
    if (status == FileStatus::Done) {
        // What another game wrote meanwhile stays; this run's new scores go in among them.
        Table base = LastGood;
        const std::string damage = SaveFileDamage(bytes.data(), bytes.size());
        if (damage.empty()) {
            base = Decoded(bytes.data(), bytes.size());
        } else {
            const std::string kept = KeepAside(path, bytes);
            if (said)
                said->push_back(path + ": " + damage + "; " + kept +
                                ", and the last sound table this game read is kept in its place");
        }
        if (ProvisionalInFile) RemoveScore(base.Scores, ProvisionalWritten);
        kept = base;
        for (int i = 0; i < UnsavedCount; ++i) InsertScore(kept.Scores, Unsaved[i]);
        kept.Cleared = (base.Cleared == 1 || own.Cleared == 1) ? 1 : 0;
        if (!damage.empty()) bytes.clear();  // a damaged file's tail is not a table's
    }
    Table written = kept;
    const bool provisionalIn = ProvisionalWanted && Provisional >= kept.Scores[HighScoreCount - 1];
    if (provisionalIn) InsertScore(written.Scores, Provisional);
    if (!ReplaceFile(path, Encoded(written) + Tail(bytes), why)) return TableWrite::Failed;
    UseTable(kept);
    LastGood = written;
    ProvisionalWrittenWanted = ProvisionalWanted;
    ProvisionalInFile = provisionalIn;
    ProvisionalWritten = Provisional;
    ScoreTableSaved();
    return TableWrite::Written;
}

bool ScoreTableLockBusy() {
    return LockBusy;
}

bool ScoreTableChanged() {
    return UnsavedCount > 0 || GameCleared != SavedCleared || ProvisionalWrittenWanted != ProvisionalWanted ||
           (ProvisionalWanted && Provisional != ProvisionalWritten);
}

int ScoreTableChanges() {
    return Changes + (GameCleared == SavedCleared ? 0 : 1);
}

void ScoreTableSaved() {
    UnsavedCount = 0;
    SavedCleared = GameCleared;
}

void SetProvisionalScore(int score) {
    if (ProvisionalWanted && Provisional == score) return;
    ProvisionalWanted = true;
    Provisional = score;
    ++Changes;
}

void RecordScore() {
    const int s = Score;
    // The final score takes the provisional one's place on the disk even where the table in memory
    // would not take it.
    const bool entered = s > HighScores[HighScoreCount - 1] || ProvisionalInFile;
    if (entered && UnsavedCount < MaxUnsaved) {
        Unsaved[UnsavedCount++] = s;
        ++Changes;
    }
    ProvisionalWanted = false;
    InsertScore(HighScores, s);
}

}  // namespace veltrano
