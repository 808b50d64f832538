// A fresh program folder per test: the built pictures and sounds linked in, the ini and save file
// copied, so a test may change them without touching the build's own.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>

#include "app/ProgramFiles.h"
#include "app/headless/HeadlessGame.h"
#include "world/Sounds.h"

namespace veltrano::testdata {

// Where the tests keep their files: one folder per build, so that two builds on one machine (two
// checkouts tested at once) never write into each other's folders.
inline std::filesystem::path TestFolderRoot() {
    char name[64];
    std::snprintf(name, sizeof name, "veltrano-tests-%016zx", std::hash<std::string>{}(VELTRANO_PROGRAM_DIR));
    return std::filesystem::temp_directory_path() / name;
}

inline std::filesystem::path MakeProgramFolder(bool withSaveFile = true) {
    namespace fs = std::filesystem;
    const fs::path built = VELTRANO_PROGRAM_DIR;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder = TestFolderRoot() / (std::string(info->test_suite_name()) + "." + info->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* name : {FileNameOf(BackgroundSheetFile), FileNameOf(CharacterSheetFile),
                             FileNameOf(LetteringSheetFile), SoundsFolderName})
        fs::create_symlink(built / name, folder / name);
    std::ofstream ini(folder / ConfigFileName);
    ini << "[" << KeyConfigSection << "]\n";
    for (const ShippedButton& b : ShippedButtons) ini << b.Key << "=" << b.Button << "\n";
    if (withSaveFile)
        std::ofstream(folder / SaveFileName, std::ios::binary) << std::string(SaveFileBytes, '\0');
    return folder;
}

// A file as the game names it ("\Sounds\Shot.wav", "temp.dat"), in a program folder.
inline std::filesystem::path InFolder(const std::filesystem::path& folder, const char* name) {
    std::string path = name[0] == '\\' ? name + 1 : name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return folder / path;
}

// The folder's Sounds folder made its own, every wave of the build's linked into it but `left` (a wave
// as the game names it); returns where `left` belongs, so a test can put something else there.
inline std::filesystem::path OwnSoundsFolderWithout(const std::filesystem::path& folder, const char* left) {
    namespace fs = std::filesystem;
    const fs::path sounds = folder / SoundsFolderName, gap = InFolder(folder, left);
    if (fs::is_symlink(sounds)) fs::remove(sounds);
    fs::create_directories(sounds);
    for (const auto& entry : fs::directory_iterator(fs::path(VELTRANO_PROGRAM_DIR) / SoundsFolderName))
        if (entry.path().filename() != gap.filename())
            fs::create_symlink(entry.path(), sounds / entry.path().filename());
    return gap;
}

// A little-endian 32-bit integer, as the save file holds them.
inline std::string Le32(int v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
    return s;
}

// A save file: the cleared flag, then the best scores, the rest 0.
inline std::string SaveBytes(int cleared, std::initializer_list<int> best) {
    std::string bytes = Le32(cleared);
    for (int score : best) bytes += Le32(score);
    return bytes + std::string(SaveFileBytes - std::min(bytes.size(), SaveFileBytes), '\0');
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A tap: the key held for one frame, then released for `framesAfter` frames.
inline void Tap(HeadlessGame& game, int vk, int framesAfter = 1) {
    game.Platform.Press(vk);
    game.Frame();
    game.Platform.Press(vk, false);
    game.Frames(framesAfter);
}

}  // namespace veltrano::testdata
