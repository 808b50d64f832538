// A fresh program folder per test: the built pictures and sounds linked in, the ini and save file
// copied, so a test may change them without touching the build's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/headless/HeadlessGame.h"

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
    for (const char* name : {"背景.bmp", "キャラクター.bmp", "Lettering.bmp", "Sounds"})
        fs::create_symlink(built / name, folder / name);
    std::ofstream(folder / "VeltranoIni.ini") << "[KeyConfig]\nZ=1\nX=2\nC=3\nSPACE=9\n";
    if (withSaveFile) {
        std::ofstream save(folder / "temp.dat", std::ios::binary);
        const char zeros[44] = {};
        save.write(zeros, sizeof zeros);
    }
    return folder;
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
