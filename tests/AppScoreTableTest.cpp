// Nothing lost: the score table reaches the disk the moment a score enters it, is made when missing,
// merged with what another game in the same folder wrote, mended when damaged (the damaged one kept
// aside), and written whole or not at all. Recordings replace the previous one only when finished.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <initializer_list>

#include "app/ProgramFiles.h"
#include "app/Replay.h"
#include "app/SaveFile.h"
#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "platform/Files.h"
#include "stages/Stage.h"
#include "tests/support/FileFaults.h"
#include "tests/support/ProgramFolder.h"
#include "world/World.h"

using namespace veltrano;
using testdata::Tap;
namespace fs = std::filesystem;

namespace {

using testdata::Le32;

using testdata::SaveBytes;

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The files of the folder whose names say they were left half written.
std::vector<std::string> Temporaries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".new-") != std::string::npos)
            names.push_back(entry.path().filename().string());
    return names;
}

struct Faults {
    Faults(const std::string& pathEnd, FileOperation operation, int error) {
        SimulateFileFault(pathEnd, operation, error);
    }
    ~Faults() { ClearFileFaults(); }
};

// A game in stage 1 whose last ship is lost and whose countdown has run out: confirm ends it.
void EndGameRefusingTheContinue(HeadlessGame& game, int score) {
    Scene = Stage1Scene;
    SceneInit();
    ControlEnabled = 1;
    Score = score;
    GameOver = 1;
    CountdownExpired = 1;
    Tap(game, Vk::Space);
    ASSERT_EQ(Scene, TitleScene);
}

// Starts a game through the menus, as a player does, so that a recorder attached records it.
void StartGameThroughTheMenus(HeadlessGame& game) {
    NewGame();
    Tap(game, Vk::Space);  // skip the title animation
    Tap(game, Vk::Space);  // to the ship select
    Tap(game, Vk::Space);
    ASSERT_EQ(Scene, Stage1Scene);
}

}  // namespace

TEST(ScoreTable, AScoreIsOnTheDiskAsSoonAsItEntersTheTable) {
    const fs::path folder = testdata::MakeProgramFolder();
    struct Case {
        const char* Name;
        std::function<void(HeadlessGame&)> End;
        std::string Expected;
    };
    const Case cases[] = {
        {"Home",
         [](HeadlessGame& g) {
             Score = 4321;
             g.KeyDown(Vk::Home);
         },
         SaveBytes(0, {4321, 100})},
        {"a continue refused", [](HeadlessGame& g) { EndGameRefusingTheContinue(g, 5555); },
         SaveBytes(0, {5555, 100})},
        {"the game cleared",
         [](HeadlessGame& g) {
             GameCleared = 1;
             g.Frame();
         },
         SaveBytes(1, {100})},
        {"a score too low for the table",
         [](HeadlessGame& g) {
             Score = 0;
             g.KeyDown(Vk::Home);
         },
         SaveBytes(0, {100})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(folder / SaveFileName, SaveBytes(0, {100}));
        HeadlessGame game(folder.string());
        game.Frames(2);
        c.End(game);
        // No close: the program may be killed or lose its display right here.
        EXPECT_EQ(testdata::ReadFile(folder / SaveFileName), c.Expected);
        EXPECT_EQ(Temporaries(folder), std::vector<std::string>{});
    }
}

TEST(ScoreTable, AMissingTableIsMadeWithOneLineAndKeepsTheRunsScores) {
    const fs::path folder = testdata::MakeProgramFolder();
    struct Case {
        const char* Name;
        std::function<void()> Before;  // before start-up
        std::function<void()> During;  // after start-up, before the score
        fs::path Holder;               // the file that ends up holding the table
        int LinesAtStart;
    };
    const Case cases[] = {
        {"missing", [&] { fs::remove(folder / SaveFileName); }, [] {}, folder / SaveFileName, 1},
        {"a dangling link",
         [&] {
             fs::remove(folder / SaveFileName);
             fs::create_symlink("scores.dat", folder / SaveFileName);
         },
         [] {}, folder / "scores.dat", 1},
        {"deleted during play", [] {}, [&] { fs::remove(folder / SaveFileName); }, folder / SaveFileName, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove(folder / SaveFileName);
        fs::remove(folder / "scores.dat");
        WriteBytes(folder / SaveFileName, SaveBytes(0, {}));
        c.Before();
        testing::internal::CaptureStderr();
        HeadlessGame game(folder.string());
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_EQ(Lines(said), c.LinesAtStart) << said;
        if (c.LinesAtStart > 0) {
            EXPECT_NE(said.find((folder / SaveFileName).string() + ": not found; a new score table was made"),
                      std::string::npos)
                << said;
            EXPECT_EQ(testdata::ReadFile(c.Holder), SaveBytes(0, {}));  // fresh, as shipped
        }
        c.During();
        Score = 300;
        game.KeyDown(Vk::Home);
        EXPECT_EQ(testdata::ReadFile(c.Holder), SaveBytes(0, {300}));
    }
    // And the next start reads it back.
    HeadlessGame game(folder.string());
    EXPECT_EQ(HighScores[0], 300);
}

TEST(ScoreTable, TwoGamesInOneFolderKeepBothRunsScores) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    WriteBytes(save, SaveBytes(0, {1000, 500}) + "TAIL");
    HeadlessGame game(folder.string());
    // The other game, started from the same table, ends its runs first: 800, then 600.
    WriteBytes(save, SaveBytes(0, {1000, 800, 600, 500}) + "TAIL");
    Score = 600;  // this game's score ties the other's: both stay
    game.KeyDown(Vk::Home);
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {1000, 800, 600, 600, 500}) + "TAIL");
    EXPECT_EQ(HighScores[1], 800);  // the score list shows the other game's scores too
    // The other game clears the game and scores again; this one quits with 700.
    WriteBytes(save, SaveBytes(1, {2000, 1000, 800, 600, 600, 500}) + "TAIL");
    Score = 700;
    game.Close();
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(1, {2000, 1000, 800, 700, 600, 600, 500}) + "TAIL");
}

TEST(ScoreTable, ADamagedTableIsNamedOnceKeptAsideAndMended) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    struct Case {
        const char* Name;
        std::string Bytes;
        const char* Says;
        std::string Mended;
    };
    const Case cases[] = {
        {"scores out of order", SaveBytes(1, {5, 900, 3, 700}), "its scores are out of order",
         SaveBytes(1, {900, 700, 5, 3})},
        {"cut short", Le32(1) + "\x05", "holds 5 bytes, not the 44", SaveBytes(1, {})},
        {"short and out of order", Le32(0) + Le32(10) + Le32(20), "holds 12 bytes", SaveBytes(0, {20, 10})},
        {"a cleared flag of 7", SaveBytes(7, {50}), "its cleared flag is 7, not 0 or 1", SaveBytes(0, {50})},
        {"empty", "", "is empty", SaveBytes(0, {})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove(save.string() + ".bad");
        WriteBytes(save, c.Bytes);
        testing::internal::CaptureStderr();
        HeadlessGame game(folder.string());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find(save.string() + ": " + c.Says), std::string::npos) << said;
        EXPECT_NE(said.find(save.string() + ".bad"), std::string::npos) << said;
        EXPECT_EQ(testdata::ReadFile(save.string() + ".bad"), c.Bytes);
        EXPECT_EQ(testdata::ReadFile(save), c.Mended);
        // A new score goes in once, and nothing that was there is lost.
        Score = 800;
        game.KeyDown(Vk::Home);
        std::vector<int> expected(HighScores, HighScores + HighScoreCount);
        const std::string after = testdata::ReadFile(save);
        EXPECT_EQ(std::count(expected.begin(), expected.end(), 800), 1);
        EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end(), std::greater<int>()));
        EXPECT_EQ(after.substr(0, 4), c.Mended.substr(0, 4));
        // A sound table says nothing at the next start.
        testing::internal::CaptureStderr();
        HeadlessGame again(folder.string());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}

TEST(ScoreTable, ATableWrittenHalfwayLeavesTheOldOneWholeAndIsTriedAgainAtClose) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    WriteBytes(save, SaveBytes(0, {100}));
    // What a killed game left: its temporary file, and one of a game still running.
    const std::string dead = std::string(SaveFileName) + ".new-999999999";
    const std::string running = std::string(SaveFileName) + ".new-" + std::to_string(getppid());
    WriteBytes(folder / dead, "half");
    WriteBytes(folder / running, "half");
    testing::internal::CaptureStderr();
    HeadlessGame game(folder.string());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Temporaries(folder), std::vector<std::string>{running});
    fs::remove(folder / running);
    {
        const Faults full(SaveFileName, FileOperation::Write, ENOSPC);
        testing::internal::CaptureStderr();
        Score = 900;
        game.KeyDown(Vk::Home);
        Score = 950;
        game.KeyDown(Vk::Home);  // said once, not again while the disk stays full
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find("No space left on device); trying again when the game closes"), std::string::npos)
            << said;
        EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {100}));
        EXPECT_EQ(Temporaries(folder), std::vector<std::string>{});
    }
    game.Close();
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {950, 900, 100}));
}

TEST(Recording, ANewRecordingReplacesThePreviousOneOnlyWhenItIsFinished) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path last = folder / "last.vgr";
    HeadlessGame game(folder.string());
    ReplayRecorder recorder(last.string());
    game.Form.AttachRecorder(&recorder);
    StartGameThroughTheMenus(game);
    game.Frames(100);
    game.KeyDown(Vk::Home);
    const std::string first = testdata::ReadFile(last);
    Replay replay;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(last.string(), replay, &error)) << error;

    // The next game: the first stays whole while it runs, and when the disk fills it still does.
    StartGameThroughTheMenus(game);
    game.Frames(300);
    EXPECT_EQ(testdata::ReadFile(last), first);
    {
        const Faults full("last.vgr", FileOperation::Write, ENOSPC);
        game.Frames(300);
        testing::internal::CaptureStderr();
        game.KeyDown(Vk::Home);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find(last.string() + ": cannot be written (No space left on device)"),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find("the previous recording is kept"), std::string::npos) << said;
    }
    EXPECT_EQ(testdata::ReadFile(last), first);
    EXPECT_EQ(Temporaries(folder), std::vector<std::string>{});
    game.Form.AttachRecorder(nullptr);
}

TEST(Recording, AFifoWhereTheRecordingGoesIsRefusedWithOneLineAndPlayGoesOn) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path last = folder / "last.vgr";
    ASSERT_EQ(mkfifo(last.c_str(), 0644), 0);
    HeadlessGame game(folder.string());
    ReplayRecorder recorder(last.string());
    game.Form.AttachRecorder(&recorder);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 2; ++i) {
        StartGameThroughTheMenus(game);
        game.Frames(50);
        game.KeyDown(Vk::Home);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 1) << said;  // once, not once a game
    EXPECT_NE(said.find(last.string() + ": is a FIFO, not a regular file"), std::string::npos) << said;
    EXPECT_FALSE(recorder.Recording());
    struct stat info {};
    ASSERT_EQ(lstat(last.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(Temporaries(folder), std::vector<std::string>{});
    game.Form.AttachRecorder(nullptr);
}
