// Nothing lost: the score table reaches the disk the moment a score enters it, is made when missing,
// merged with what another game in the same folder wrote, mended when damaged (the damaged one kept
// aside), and written whole or not at all. Recordings replace the previous one only when finished.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
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

// The last ship lost: the countdown runs and the game may wait there for ever, or be killed.
void LoseTheLastShip(HeadlessGame& game, int score) {
    Scene = Stage1Scene;
    SceneInit();
    ControlEnabled = 1;
    Score = score;
    Lives = 0;
    GameOver = 1;
    CountdownExpired = 0;
    game.Frame();
}

// A game in stage 1 whose last ship is lost and whose countdown has run out: confirm ends it.
void EndGameRefusingTheContinue(HeadlessGame& game, int score) {
    LoseTheLastShip(game, score);
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
        {"every byte 0xFF", std::string(44, '\xFF'), "its cleared flag is -1, not 0 or 1", SaveBytes(0, {})},
        {"a negative score", SaveBytes(1, {70, -5, -9}), "it holds a negative score", SaveBytes(1, {70})},
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
        game.Frames(3);  // not tried again on every frame
        Score = 950;
        game.KeyDown(Vk::Home);  // tried again, but said once, not again while the disk stays full
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find("No space left on device); trying again at the next score"), std::string::npos)
            << said;
        EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {100}));
        EXPECT_EQ(Temporaries(folder), std::vector<std::string>{});
    }
    // Space freed: the next score writes them all, without waiting for the close.
    Score = 960;
    game.KeyDown(Vk::Home);
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {960, 950, 900, 100}));
    game.Close();
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {960, 950, 900, 100}));
}

TEST(ScoreTable, AGameWaitingAtItsContinueHasItsScoreOnTheDiskOnceWhateverFollows) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    struct Case {
        const char* Name;
        std::function<void(HeadlessGame&)> Then;  // after the wait at 3700
        std::string OnDisk;
        std::vector<int> InMemory;
    };
    const Case cases[] = {
        {"killed while waiting", [](HeadlessGame& g) { g.Frames(450); }, SaveBytes(0, {3700, 100}), {100}},
        {"a continue, then more points and a second wait",
         [](HeadlessGame& g) {
             CountdownExpired = 0;
             Tap(g, Vk::Space);  // the continue: the score grows by 1
             ASSERT_EQ(GameOver, 0);
             LoseTheLastShip(g, 5000);
         },
         SaveBytes(0, {5000, 100}),
         {100}},
        {"the continue refused",
         [](HeadlessGame& g) {
             CountdownExpired = 1;
             Tap(g, Vk::Space);
             ASSERT_EQ(Scene, TitleScene);
         },
         SaveBytes(0, {3700, 100}),
         {3700, 100}},
        {"a continue, then Home",
         [](HeadlessGame& g) {
             Tap(g, Vk::Space);
             Score = 4100;
             g.KeyDown(Vk::Home);
         },
         SaveBytes(0, {4100, 100}),
         {4100, 100}},
        {"closed while waiting", [](HeadlessGame& g) { g.Close(); }, SaveBytes(0, {3700, 100}), {3700, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(save, SaveBytes(0, {100}));
        HeadlessGame game(folder.string());
        LoseTheLastShip(game, 3700);
        // No confirm: the score is on the disk, and the score list still shows the table as it was.
        EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {3700, 100}));
        EXPECT_EQ(HighScores[0], 100);
        c.Then(game);
        EXPECT_EQ(testdata::ReadFile(save), c.OnDisk);
        std::vector<int> expected = c.InMemory;
        expected.resize(HighScoreCount, 0);
        EXPECT_EQ(std::vector<int>(HighScores, HighScores + HighScoreCount), expected);
    }
}

TEST(ScoreTable, AStartThatChangesNothingWritesNothingAndAFailedWriteIsNotSticky) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    for (const std::string& table : {SaveBytes(1, {500, 20}), SaveBytes(0, {}), SaveBytes(1, {}) + "TAIL"}) {
        WriteBytes(save, table);
        const auto written = fs::last_write_time(save);
        struct stat before {};
        ASSERT_EQ(stat(save.c_str(), &before), 0);
        // A folder nobody may write: any write would be said.
        const Faults readOnly(SaveFileName, FileOperation::Write, EROFS);
        testing::internal::CaptureStderr();
        HeadlessGame game(folder.string());
        game.Frames(5);
        Score = 0;
        game.KeyDown(Vk::Home);  // a score that enters nothing
        game.Close();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        struct stat after {};
        ASSERT_EQ(stat(save.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);  // a write renames a new file over it
        EXPECT_EQ(fs::last_write_time(save), written);
        EXPECT_EQ(testdata::ReadFile(save), table);
    }
}

namespace {

// Another program holds the folder's lock, as another game writing would, for as long as it lives.
struct HeldLock {
    explicit HeldLock(const fs::path& folder) : Fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY)) {
        EXPECT_EQ(flock(Fd, LOCK_EX), 0);
    }
    ~HeldLock() { close(Fd); }
    int Fd;
};

}  // namespace

TEST(ScoreTable, ALockHeldByAnotherProgramIsWaitedForAFewSecondsThenTriedAgainWithoutFreezing) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    WriteBytes(save, SaveBytes(0, {100}));
    // At start: read without the lock, nothing to write, nothing said, and no wait past the limit.
    {
        const HeldLock held(folder);
        std::vector<std::string> said;
        EXPECT_EQ(StartScoreTable(save.string(), &said, 50), FileStatus::Done);
        EXPECT_EQ(said, std::vector<std::string>{});
        EXPECT_EQ(HighScores[0], 100);
        std::string why;
        Score = 700;
        RecordScore();
        EXPECT_EQ(KeepScoreTable(save.string(), &why, nullptr, 50), TableWrite::Busy);
        EXPECT_NE(why.find(save.string() + ": another game has held its folder's lock"), std::string::npos)
            << why;
        EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {100}));
    }
    std::string why;
    EXPECT_EQ(KeepScoreTable(save.string(), &why, nullptr, 50), TableWrite::Written) << why;
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {700, 100}));

    // In play: one wait of the full limit, said once, then a try every second that never waits.
    HeadlessGame game(folder.string());
    {
        const HeldLock held(folder);
        testing::internal::CaptureStderr();
        Score = 800;
        game.KeyDown(Vk::Home);
        game.Frames(90);  // two more tries
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find("trying again every second"), std::string::npos) << said;
        EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {700, 100}));
    }
    game.Frames(41);
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {800, 700, 100}));
}

TEST(ScoreTable, ATableDamagedDuringPlayIsKeptAsideUnderAFreeNameAndTheLastSoundOneMerged) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    WriteBytes(save, SaveBytes(0, {10000, 50}));
    WriteBytes(save.string() + ".bad", "an older damaged table");
    HeadlessGame game(folder.string());
    const std::string noise[] = {
        std::string("\xF5\x3A\x6C\x78\x19\xE2\x8B\xE3") + std::string(36, '\x5A'),
        std::string(44, '\xFF'),
    };
    int score = 500;
    for (size_t i = 0; i < std::size(noise); ++i) {
        WriteBytes(save, noise[i]);  // something else wrote over the table while the game ran
        testing::internal::CaptureStderr();
        Score = score += 100;
        game.KeyDown(Vk::Home);
        const std::string said = testing::internal::GetCapturedStderr();
        const std::string kept = save.string() + ".bad." + std::to_string(i + 1);
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find("kept as " + kept), std::string::npos) << said;
        EXPECT_EQ(testdata::ReadFile(kept), noise[i]);
    }
    EXPECT_EQ(testdata::ReadFile(save.string() + ".bad"), "an older damaged table");
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {10000, 700, 600, 50}));

    // Kept-aside files are bounded: with every name taken, the next one is named and not kept.
    for (int n = 3; n < MaxKeptAside; ++n) WriteBytes(save.string() + ".bad." + std::to_string(n), "old");
    WriteBytes(save, std::string(44, '\xFF'));
    testing::internal::CaptureStderr();
    Score = 900;
    game.KeyDown(Vk::Home);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("not kept aside (10 damaged tables are kept already"), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(save.string() + ".bad.10"));
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(0, {10000, 900, 700, 600, 50}));
}

TEST(ScoreTable, TheTableOnceKeptInTheOtherFolderIsMergedOnceAndThenLeftAlone) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName, other = folder / "other.dat";
    WriteBytes(save, SaveBytes(0, {500, 300, 300}));
    WriteBytes(other, SaveBytes(1, {400, 300, 300, 300}));
    std::vector<std::string> said;
    ASSERT_EQ(StartScoreTable(save.string(), &said), FileStatus::Done);
    MergeScoreTableFrom(save.string(), other.string(), &said);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0], save.string() + ": the scores kept in " + other.string() + " were added to it");
    EXPECT_EQ(testdata::ReadFile(save), SaveBytes(1, {500, 400, 300, 300, 300}));
    EXPECT_EQ(HighScores[1], 400);
    // The next start finds nothing new: nothing said, nothing written.
    said.clear();
    const auto written = fs::last_write_time(save);
    ASSERT_EQ(StartScoreTable(save.string(), &said), FileStatus::Done);
    MergeScoreTableFrom(save.string(), other.string(), &said);
    EXPECT_EQ(said, std::vector<std::string>{});
    EXPECT_EQ(fs::last_write_time(save), written);
}

TEST(Recording, TheGamesOwnFilesAreRefusedAndStaleTemporariesOfEveryKindGoAtStart) {
    const fs::path folder = testdata::MakeProgramFolder();
    HeadlessGame game(folder.string());  // the program and data folders are set
    fs::create_symlink(folder / SaveFileName, folder / "scores-link");
    for (const fs::path& own :
         {folder / SaveFileName, folder / ConfigFileName, folder / "scores-link", folder / "temp.dat.bad",
          testdata::InFolder(folder, BackgroundSheetFile), testdata::InFolder(folder, GlyphSheetFile),
          testdata::InFolder(folder, "\\Sounds\\Shot.wav"),
          fs::path(folder.string() + "/./" + SaveFileName)}) {
        SCOPED_TRACE(own.string());
        const std::string before = fs::exists(own) ? testdata::ReadFile(own) : "";
        ReplayRecorder recorder(own.string());
        std::string why;
        EXPECT_FALSE(recorder.CheckAtStart(&why));
        EXPECT_EQ(why, own.string() + ": is one of the game's own files; a recording never replaces it");
        EXPECT_EQ(fs::exists(own) ? testdata::ReadFile(own) : "", before);
    }
    // Temporaries of dead games: beside the recording, and beside the file a link names.
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_symlink(elsewhere / "mine.vgr", folder / "mine.vgr");
    for (const fs::path& dead : {folder / "last.vgr.new-999999999", elsewhere / "mine.vgr.new-999999998"})
        WriteBytes(dead, "half");
    ReplayRecorder last((folder / "last.vgr").string()), mine((folder / "mine.vgr").string());
    std::string why;
    EXPECT_TRUE(last.CheckAtStart(&why)) << why;
    EXPECT_TRUE(mine.CheckAtStart(&why)) << why;
    EXPECT_EQ(Temporaries(folder), std::vector<std::string>{});
    EXPECT_EQ(Temporaries(elsewhere), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(folder / "last.vgr"));  // the check writes nothing
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
