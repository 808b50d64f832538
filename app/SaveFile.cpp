#include "app/SaveFile.h"

#include <cstdint>

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

FileStatus WriteSaveFile(const std::string& path, std::string* why) {
    return WriteFileStart(path, EncodeSaveFile(), why);
}

void RecordScore() {
    const int s = Score;
    for (int i = HighScoreCount - 1; i >= 0; --i) {
        if (s >= HighScores[i]) {
            if (i < HighScoreCount - 1) HighScores[i + 1] = HighScores[i];
            HighScores[i] = s;
        }
    }
}

}  // namespace veltrano
