#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/ConfigFile.h"
#include "app/SaveFile.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "tests/support/ProgramFolder.h"
#include "world/World.h"

using namespace veltrano;
namespace fs = std::filesystem;

namespace {

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Le32(int v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
    return s;
}

}  // namespace

TEST(RecordScore, InsertsAtItsPlaceWithEqualScoresAbove) {
    const int start[10] = {900, 800, 700, 600, 500, 400, 300, 200, 100, 50};
    std::copy(start, start + 10, HighScores);
    Score = 500;
    RecordScore();
    const int expected[10] = {900, 800, 700, 600, 500, 500, 400, 300, 200, 100};
    EXPECT_TRUE(std::equal(expected, expected + 10, HighScores));
    Score = 10;  // below the tenth: nothing changes
    RecordScore();
    EXPECT_TRUE(std::equal(expected, expected + 10, HighScores));
    Score = 1000;
    RecordScore();
    EXPECT_EQ(HighScores[0], 1000);
    EXPECT_EQ(HighScores[9], 200);
}

TEST(SaveFile, StartUpReadsTheFlagAndScoresAndCloseWritesThemBackKeepingTheTail) {
    const fs::path folder = testdata::MakeProgramFolder();
    std::string bytes = Le32(1);
    for (int i = 0; i < 10; ++i) bytes += Le32(1000 - i * 10);
    bytes += "TAIL!!";  // 50 bytes: the last six are never read nor changed
    WriteBytes(folder / "temp.dat", bytes);
    {
        HeadlessGame game(folder.string());
        EXPECT_EQ(GameCleared, 1);
        EXPECT_EQ(HighScores[0], 1000);
        EXPECT_EQ(HighScores[9], 910);
        Score = 995;  // quitting mid-game records the unfinished game's score
        game.Close();
        EXPECT_TRUE(game.Platform.ScreenSaverActive);
    }
    const std::string after = testdata::ReadFile(folder / "temp.dat");
    ASSERT_EQ(after.size(), 50u);
    EXPECT_EQ(after.substr(44), "TAIL!!");
    EXPECT_EQ(after.substr(4, 4), Le32(1000));
    EXPECT_EQ(after.substr(8, 4), Le32(995));
    EXPECT_EQ(after.substr(40, 4), Le32(920));
}

TEST(SaveFile, AShortFileFillsWhatItHoldsAndAMissingOneIsNeverCreated) {
    const fs::path folder = testdata::MakeProgramFolder();
    WriteBytes(folder / "temp.dat", Le32(1) + Le32(777) + "\x05");
    std::fill(HighScores, HighScores + 10, 0);
    GameCleared = 0;
    ReadSaveFile((folder / "temp.dat").string());
    EXPECT_EQ(GameCleared, 1);
    EXPECT_EQ(HighScores[0], 777);
    EXPECT_EQ(HighScores[1], 0);  // a partial field is not read

    fs::remove(folder / "temp.dat");
    {
        HeadlessGame game(folder.string());
        EXPECT_EQ(GameCleared, 0);
        EXPECT_EQ(HighScores[0], 0);
        game.Close();
    }
    EXPECT_FALSE(fs::exists(folder / "temp.dat"));
}

TEST(SaveFile, AFolderInPlaceOfTheFileIsReportedAndNothingIsLost) {
    const fs::path folder = testdata::MakeProgramFolder(false);
    fs::create_directory(folder / "temp.dat");
    std::string error;
    EXPECT_FALSE(WriteSaveFile((folder / "temp.dat").string(), &error));
    EXPECT_FALSE(error.empty());
}

TEST(ConfigFile, ButtonNumbersComeFromTheFileWithDefaultsForWhatIsMissingOrJunk) {
    const fs::path folder = testdata::MakeProgramFolder();
    std::ofstream(folder / "VeltranoIni.ini")
        << "garbage line\n[KeyConfig]\nZ=4\nX=twelve\nSPACE= 9 \n[Other]\nC=3\n";
    HeadlessGame game(folder.string());
    EXPECT_EQ(SpeedButton, 4);
    EXPECT_EQ(FireButton, -1);
    EXPECT_EQ(BurstButton, -1);
    EXPECT_EQ(ConfirmButton, 9);
    // A button outside 1..32 selects no state: the action never reads as pressed.
    EXPECT_EQ(FireState, NoInputState);
    game.Platform.Press(Vk::X);
    game.Frame();
    EXPECT_FALSE(StatePressed(FireState));
}

TEST(ConfigFile, AMissingOrEmptyFileGivesMinusOneAndAWriteKeepsTheRestOfTheFile) {
    const fs::path folder = testdata::MakeProgramFolder();
    fs::remove(folder / "VeltranoIni.ini");
    ConfigFile config;
    config.Open((folder / "VeltranoIni.ini").string());
    EXPECT_EQ(config.ReadInteger("KeyConfig", "Z", -1), -1);
    std::ofstream(folder / "VeltranoIni.ini") << "";
    EXPECT_EQ(config.ReadInteger("KeyConfig", "Z", -1), -1);

    std::ofstream(folder / "VeltranoIni.ini") << "[Player]\nName=Ace\n[KeyConfig]\nZ=1\nX=2\n";
    std::string error;
    ASSERT_TRUE(config.WriteInteger("KeyConfig", "X", 7, &error)) << error;
    ASSERT_TRUE(config.WriteInteger("KeyConfig", "SPACE", 4, &error)) << error;
    EXPECT_EQ(config.ReadInteger("KeyConfig", "X", -1), 7);
    EXPECT_EQ(config.ReadInteger("KeyConfig", "Z", -1), 1);
    EXPECT_EQ(config.ReadInteger("KeyConfig", "SPACE", -1), 4);
    EXPECT_NE(testdata::ReadFile(folder / "VeltranoIni.ini").find("Name=Ace"), std::string::npos);
}

TEST(Loading, AMissingPictureOrWaveNamesTheFile) {
    const fs::path folder = testdata::MakeProgramFolder();
    fs::remove(folder / "キャラクター.bmp");
    try {
        HeadlessGame game(folder.string());
        FAIL() << "the game started without its character sheet";
    } catch (const LoadError& e) {
        EXPECT_NE(std::string(e.what()).find("キャラクター.bmp"), std::string::npos);
    }
    const fs::path second = folder.parent_path() / "Loading.MissingWave";
    fs::remove_all(second);
    fs::create_directories(second / "Sounds");
    for (const char* name : {"背景.bmp", "キャラクター.bmp"})
        fs::create_symlink(fs::path(VELTRANO_PROGRAM_DIR) / name, second / name);
    for (const auto& entry : fs::directory_iterator(fs::path(VELTRANO_PROGRAM_DIR) / "Sounds"))
        if (entry.path().filename() != "Bomb.wav")
            fs::create_symlink(entry.path(), second / "Sounds" / entry.path().filename());
    try {
        HeadlessGame game(second.string());
        FAIL() << "the game started without Bomb.wav";
    } catch (const LoadError& e) {
        EXPECT_NE(std::string(e.what()).find("Bomb.wav"), std::string::npos);
    }
}
