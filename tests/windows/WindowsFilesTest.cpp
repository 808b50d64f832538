// The Windows file layer and the Windows start-up, run under wine by scripts/test-windows.sh: names
// outside the code page, the replacement, refusals, the folder lock, stale temporaries, the program's
// own folder and the x87 precision the world's frames need.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "tests/support/FileFaults.h"
#include "world/Extended.h"
#include "world/World.h"

using namespace veltrano;
namespace fs = std::filesystem;

namespace {

// A fresh folder named in Japanese under the temporary folder, as UTF-8 with '/'.
std::string FreshFolder(const char* test) {
    const fs::path folder = fs::temp_directory_path() / fs::path(u8"ベルトラノ試験") / test;
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::u8string name = folder.generic_u8string();
    return std::string(name.begin(), name.end());
}

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf(folder))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    return names;
}

std::string Read(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::string why;
    EXPECT_EQ(ReadWholeFile(path, MaxFileBytes, bytes, &why), FileStatus::Done) << why;
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(WindowsFiles, AJapaneseNameIsWrittenReplacedAndReadWithNothingLeftBeside) {
    const std::string folder = FreshFolder("names");
    const std::string file = folder + "/キャラクター.dat";
    std::string why;
    ASSERT_TRUE(ReplaceFile(file, "first", &why)) << why;
    ASSERT_TRUE(ReplaceFile(file, "second, longer", &why)) << why;
    EXPECT_EQ(Read(file), "second, longer");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"キャラクター.dat"});

    // A failed write keeps the old content whole and leaves no temporary file.
    SimulateFileFault("キャラクター.dat", FileOperation::Write, ENOSPC);
    EXPECT_FALSE(ReplaceFile(file, "third", &why));
    ClearFileFaults();
    EXPECT_NE(why.find("キャラクター.dat: cannot be written"), std::string::npos) << why;
    EXPECT_EQ(Read(file), "second, longer");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"キャラクター.dat"});
}

TEST(WindowsFiles, FoldersAndDevicesAreRefusedAndAMissingFileIsSaid) {
    const std::string folder = FreshFolder("refusals");
    fs::create_directory(PathOf(folder + "/temp.dat"));
    std::string why;
    EXPECT_FALSE(ReplaceFile(folder + "/temp.dat", "x", &why));
    EXPECT_NE(why.find("is a folder"), std::string::npos) << why;
    ReadOnlyFile file;
    EXPECT_EQ(file.Open(folder + "/temp.dat", &why), FileStatus::Failed);
    EXPECT_NE(why.find("is a folder"), std::string::npos) << why;
    EXPECT_EQ(file.Open("NUL", &why), FileStatus::Failed);
    EXPECT_NE(why.find("not a regular file"), std::string::npos) << why;
    EXPECT_EQ(file.Open(folder + "/none.ini", &why), FileStatus::Missing);
    EXPECT_FALSE(ReplaceFile("NUL", "x", &why));
    EXPECT_NE(why.find("not a regular file"), std::string::npos) << why;
}

TEST(WindowsFiles, APieceByPieceFileReplacesItsTargetOnlyWhenCommitted) {
    const std::string folder = FreshFolder("pieces");
    const std::string file = folder + "/last.vgr";
    std::string why;
    ASSERT_TRUE(ReplaceFile(file, "old", &why)) << why;
    {
        ReplacingFile writing;
        ASSERT_TRUE(writing.Open(file, &why)) << why;
        writing.Write("ne", 2);
        writing.Write("w", 1);
        EXPECT_EQ(Read(file), "old");
        ASSERT_TRUE(writing.Commit(&why)) << why;
    }
    EXPECT_EQ(Read(file), "new");
    {
        ReplacingFile abandoned;
        ASSERT_TRUE(abandoned.Open(file, &why)) << why;
        abandoned.Write("lost", 4);
    }
    EXPECT_EQ(Read(file), "new");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"last.vgr"});
}

TEST(WindowsFiles, AKilledGamesTemporaryIsRemovedARunningGamesKept) {
    const std::string folder = FreshFolder("stale");
    const std::string file = folder + "/temp.dat";
    std::string why;
    ASSERT_TRUE(ReplaceFile(file, "scores", &why)) << why;
    // No process has the number 4294967292 (Windows' numbers are multiples of four below that); the
    // parent of this test (wine's start program, or a shell) is running.
    ASSERT_TRUE(ReplaceFile(file + ".new-4294967292", "dead", &why)) << why;
    ASSERT_TRUE(ReplaceFile(file + ".bad.1.new-4294967292", "dead too", &why)) << why;
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    wchar_t command[] = L"cmd.exe /c ping -n 30 127.0.0.1";
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &start, &child));
    const std::string running = file + ".new-" + std::to_string(child.dwProcessId);
    ASSERT_TRUE(ReplaceFile(running, "alive", &why)) << why;
    RemoveStaleTemporaries(file);
    std::vector<std::string> left = Names(folder);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left,
              (std::vector<std::string>{"temp.dat", "temp.dat.new-" + std::to_string(child.dwProcessId)}));
    TerminateProcess(child.hProcess, 0);
    WaitForSingleObject(child.hProcess, 5000);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
    RemoveStaleTemporaries(file);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"temp.dat"});
}

TEST(WindowsFiles, TwoGamesInOneFolderTakeTurnsWithNoFileLeftForTheLock) {
    const std::string folder = FreshFolder("lock");
    std::atomic<bool> held{false}, second{false};
    std::thread first([&] {
        FolderLock lock(folder);
        held = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_FALSE(second) << "the second game got in while the first held the folder";
    });
    while (!held) std::this_thread::yield();
    {
        // A game that cannot wait its turn hears that the folder is busy.
        const FolderLock impatient(folder, 0);
        EXPECT_TRUE(impatient.Busy());
    }
    {
        // The same folder spelt otherwise (upper case, a trailing '/') is the same lock.
        std::string other = folder + "/";
        for (char& c : other)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const FolderLock lock(other);
        EXPECT_FALSE(lock.Busy());
        second = true;
    }
    first.join();
    EXPECT_TRUE(Names(folder).empty());
}

TEST(WindowsFolders, TheProgramsFolderIsItsOwnAndThePlayersIsUnderAppData) {
    const std::string folder = ExecutableFolder();
    EXPECT_EQ(folder.find('\\'), std::string::npos) << folder;
    EXPECT_TRUE(fs::exists(PathOf(folder + "/veltrano_tests.exe"))) << folder;
    EXPECT_TRUE(FolderWritable(folder));
    EXPECT_FALSE(FolderWritable(folder + "/no such folder"));
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", L"C:\\Users\\ベルトラノ\\AppData\\Roaming"));
    _wputenv(L"APPDATA=C:\\Users\\ベルトラノ\\AppData\\Roaming");
    EXPECT_EQ(SystemPlayerFolder(), "C:/Users/ベルトラノ/AppData/Roaming/VeltranoGame2");
}

TEST(WindowsArithmetic, TheWorldsResetSetsSixtyFourBitPrecisionThatAThreadMayStartWithout) {
    SetX87ControlWord(static_cast<unsigned short>((X87ControlWord() & ~0x0300) | 0x0200));  // 53 bits
    volatile long double one = 1, tiny = 0x1p-60L;
    EXPECT_EQ(one + tiny, one) << "53-bit precision drops the bit";
    EXPECT_FALSE(ExtendedPrecisionInUse());
    ResetWorldState();
    EXPECT_TRUE(ExtendedPrecisionInUse());
    EXPECT_NE(one + tiny, one);
    // Windows' own sinl gives one unit in the last place below -1/2 here; the desktop, and the game
    // on Windows, exactly -1/2.
    volatile long double degrees = -750;
    EXPECT_EQ(NativeExtended::Sin(NativeExtended::Mul(degrees, DegreesToRadians)), -0.5L);
}
