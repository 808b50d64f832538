#include "app/SaveFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "world/World.h"

namespace veltrano {

void ReadSaveFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return;
    unsigned char bytes[44];
    const size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    auto field = [&](int index, int& target) {
        const size_t at = static_cast<size_t>(index) * 4;
        if (at + 4 > got) return;
        target = static_cast<int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                      (static_cast<uint32_t>(bytes[at + 3]) << 24));
    };
    field(0, GameCleared);
    for (int i = 0; i < HighScoreCount; ++i) field(1 + i, HighScores[i]);
}

bool WriteSaveFile(const std::string& path, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        if (error) *error = path + ": no save file, the scores of this run are not kept";
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file) {
        if (error) *error = path + ": cannot open the save file for writing, the scores of this run are lost";
        return false;
    }
    unsigned char bytes[44];
    auto put = [&](int index, int value) {
        const uint32_t v = static_cast<uint32_t>(value);
        for (int b = 0; b < 4; ++b) bytes[index * 4 + b] = static_cast<unsigned char>(v >> (8 * b));
    };
    put(0, GameCleared);
    for (int i = 0; i < HighScoreCount; ++i) put(1 + i, HighScores[i]);
    const bool written =
        std::fseek(file, 0, SEEK_SET) == 0 && std::fwrite(bytes, 1, sizeof bytes, file) == sizeof bytes;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        if (error) *error = path + ": writing the save file failed, the scores of this run are lost";
        return false;
    }
    return true;
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
