#include "app/SaveFile.h"

#include <algorithm>
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

// The scores that entered the table since it was last written. A write follows every frame in which
// one enters, so this holds one or two at most.
constexpr int MaxUnsaved = 16;
int Unsaved[MaxUnsaved];
int UnsavedCount = 0;
int SavedCleared = 0;

void InsertScore(int s) {
    for (int i = HighScoreCount - 1; i >= 0; --i) {
        if (s >= HighScores[i]) {
            if (i < HighScoreCount - 1) HighScores[i + 1] = HighScores[i];
            HighScores[i] = s;
        }
    }
}

void ClearTable() {
    GameCleared = 0;
    std::fill(HighScores, HighScores + HighScoreCount, 0);
}

std::string Tail(const std::vector<unsigned char>& bytes) {
    return bytes.size() > SaveFileBytes ? std::string(bytes.begin() + SaveFileBytes, bytes.end())
                                        : std::string();
}

}  // namespace

std::string SaveFileDamage(const unsigned char* bytes, size_t size) {
    if (size < SaveFileBytes)
        return size == 0 ? "is empty"
                         : "holds " + std::to_string(size) + " bytes, not the 44 of a score table";
    const int saveCleared = GameCleared;
    int saveScores[HighScoreCount];
    std::copy(HighScores, HighScores + HighScoreCount, saveScores);
    DecodeSaveFile(bytes, size);
    std::string damage;
    if (GameCleared != 0 && GameCleared != 1)
        damage = "its cleared flag is " + std::to_string(GameCleared) + ", not 0 or 1";
    else if (!std::is_sorted(HighScores, HighScores + HighScoreCount, std::greater<int>()))
        damage = "its scores are out of order";
    GameCleared = saveCleared;
    std::copy(saveScores, saveScores + HighScoreCount, HighScores);
    return damage;
}

void MendScoreTable() {
    if (GameCleared != 1) GameCleared = 0;
    std::sort(HighScores, HighScores + HighScoreCount, std::greater<int>());
}

FileStatus StartScoreTable(const std::string& path, std::vector<std::string>* said) {
    auto say = [&](const std::string& line) {
        if (said) said->push_back(line);
    };
    RemoveStaleTemporaries(path);
    const FolderLock lock(FolderOf(path));
    ClearTable();
    std::vector<unsigned char> bytes;
    std::string problem;
    const FileStatus status = ReadWholeFile(path, MaxSaveFileBytes, bytes, &problem);
    if (status == FileStatus::Failed) {
        say(problem + "; it is left as it is and the scores of this run will not be saved");
        return status;
    }
    ScoreTableSaved();
    if (status == FileStatus::Missing) {
        // A missing table would otherwise lose every score of every run without a word.
        std::string why;
        if (ReplaceFile(path, EncodeSaveFile(), &why))
            say(path + ": not found; a new score table was made");
        else
            say(why + "; the scores of this run are kept until the game closes");
        return status;
    }
    DecodeSaveFile(bytes.data(), bytes.size());
    const std::string damage = SaveFileDamage(bytes.data(), bytes.size());
    if (damage.empty()) return status;
    // A damaged table is kept aside whole, and what can be read of it stays in the mended table.
    std::string why;
    const bool keptAside = ReplaceFile(path + ".bad", std::string(bytes.begin(), bytes.end()), &why);
    MendScoreTable();
    ScoreTableSaved();
    std::string line = path + ": " + damage + "; ";
    line += keptAside ? "kept as " + path + ".bad, and its scores put back in order"
                      : "not kept aside (" + why + "), its scores put back in order";
    if (!ReplaceFile(path, EncodeSaveFile() + Tail(bytes), &why)) line += "; " + why;
    say(line);
    return status;
}

bool KeepScoreTable(const std::string& path, std::string* why) {
    const FolderLock lock(FolderOf(path));
    std::vector<unsigned char> bytes;
    const FileStatus status = ReadWholeFile(path, MaxSaveFileBytes, bytes, why);
    if (status == FileStatus::Failed) return false;
    const int ownCleared = GameCleared;
    int own[HighScoreCount];
    std::copy(HighScores, HighScores + HighScoreCount, own);
    if (status == FileStatus::Done) {
        // What another game wrote meanwhile stays; this run's new scores go in among them.
        ClearTable();
        DecodeSaveFile(bytes.data(), bytes.size());
        MendScoreTable();
        for (int i = 0; i < UnsavedCount; ++i) InsertScore(Unsaved[i]);
        GameCleared = (GameCleared == 1 || ownCleared == 1) ? 1 : 0;
    }
    if (!ReplaceFile(path, EncodeSaveFile() + Tail(bytes), why)) {
        GameCleared = ownCleared;
        std::copy(own, own + HighScoreCount, HighScores);
        return false;
    }
    ScoreTableSaved();
    return true;
}

bool ScoreTableChanged() {
    return UnsavedCount > 0 || GameCleared != SavedCleared;
}

void ScoreTableSaved() {
    UnsavedCount = 0;
    SavedCleared = GameCleared;
}

void RecordScore() {
    const int s = Score;
    if (s > HighScores[HighScoreCount - 1] && UnsavedCount < MaxUnsaved) Unsaved[UnsavedCount++] = s;
    InsertScore(s);
}

}  // namespace veltrano
