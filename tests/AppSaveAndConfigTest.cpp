#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/ConfigFile.h"
#include "app/KeysConfig.h"
#include "app/ProgramFiles.h"
#include "app/SaveFile.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "tests/support/ProgramFolder.h"
#include "world/Sounds.h"
#include "world/World.h"

using namespace veltrano;
using testdata::Tap;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

using testdata::Le32;

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
    WriteBytes(folder / SaveFileName, bytes);
    {
        HeadlessGame game(folder.string());
        EXPECT_EQ(GameCleared, 1);
        EXPECT_EQ(HighScores[0], 1000);
        EXPECT_EQ(HighScores[9], 910);
        Score = 995;  // quitting mid-game records the unfinished game's score
        game.Close();
        EXPECT_TRUE(game.Platform.ScreenSaverActive);
    }
    const std::string after = testdata::ReadFile(folder / SaveFileName);
    ASSERT_EQ(after.size(), 50u);
    EXPECT_EQ(after.substr(SaveFileBytes), "TAIL!!");
    EXPECT_EQ(after.substr(4, 4), Le32(1000));
    EXPECT_EQ(after.substr(8, 4), Le32(995));
    EXPECT_EQ(after.substr(40, 4), Le32(920));
}

TEST(SaveFile, AShortFileFillsWhatItHolds) {
    const fs::path folder = testdata::MakeProgramFolder();
    WriteBytes(folder / SaveFileName, Le32(1) + Le32(777) + "\x05");
    std::fill(HighScores, HighScores + 10, 0);
    GameCleared = 0;
    EXPECT_EQ(ReadSaveFile((folder / SaveFileName).string(), nullptr), FileStatus::Done);
    EXPECT_EQ(GameCleared, 1);
    EXPECT_EQ(HighScores[0], 777);
    EXPECT_EQ(HighScores[1], 0);  // a partial field is not read
}

TEST(ConfigFile, AnActionWithoutAUsableButtonFallsBackToTheShippedOneSayingSoOnce) {
    const fs::path folder = testdata::MakeProgramFolder();
    std::ofstream(folder / ConfigFileName)
        << "garbage line\n[KeyConfig]\nZ=4\nX=twelve\nSPACE= 9 \n[Other]\nC=3\n";
    testing::internal::CaptureStderr();
    HeadlessGame game(folder.string());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(SpeedButton, 4);
    EXPECT_EQ(FireButton, 2);   // junk: the shipped X
    EXPECT_EQ(BurstButton, 3);  // only in another section: the shipped C
    EXPECT_EQ(ConfirmButton, 9);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find(ConfigFileName), std::string::npos) << said;
    EXPECT_NE(said.find("X 2, C 3"), std::string::npos) << said;
    game.Platform.Press(Vk::X);
    game.Frame();
    EXPECT_TRUE(StatePressed(FireState));
    // The lookup itself still selects nothing outside 1..32.
    EXPECT_EQ(ActionState(1, -1), NoInputState);
    EXPECT_EQ(ActionState(1, 33), NoInputState);
}

TEST(ConfigFile, ValuesAreChangedInPlaceAndEveryOtherByteIsKept) {
    // Comments, a line without '=', text after a NUL, a duplicate section and CRLF line ends.
    const std::string text = std::string("; keys of the game\r\n[KeyConfig]\r\nZ = 1  \r\nnot a key\r\n") +
                             "X=2\0after the nul\r\n"s + "[Display]\r\nScale=3\r\n[keyconfig]\r\nC=7";
    ConfigFile ini;
    ini.OpenText(text);
    EXPECT_EQ(ini.ReadInteger("KeyConfig", "Z"), 1);
    EXPECT_EQ(ini.ReadInteger("KEYCONFIG", "c"),
              7);  // names compare without case, in any section of that name
    EXPECT_EQ(ini.ReadInteger("KeyConfig", "X"), std::nullopt);  // "2\0after the nul" is no number
    EXPECT_EQ(ini.ReadString("Display", "Scale"), "3");
    ini.WriteInteger("KeyConfig", "Z", 10);
    ini.WriteInteger("KeyConfig", "C", 4);
    ini.WriteInteger("KeyConfig", "SPACE", 9);  // new: after the section's last line, in its line ending
    ini.WriteInteger("Sound", "Volume", 5);     // new section: at the end, on a line of its own
    const std::string expected =
        std::string("; keys of the game\r\n[KeyConfig]\r\nZ = 10  \r\nnot a key\r\n") +
        "X=2\0after the nul\r\nSPACE=9\r\n"s +
        "[Display]\r\nScale=3\r\n[keyconfig]\r\nC=4\r\n[Sound]\r\nVolume=5\r\n";
    EXPECT_EQ(ini.Text(), expected);
}

TEST(ConfigFile, AnIntegerIsAWholeSignedDecimalThatFits32Bits) {
    const struct {
        const char* Value;
        std::optional<int> Read;
    } values[] = {
        {"7", 7},
        {"+3", 3},
        {"-1", -1},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"3x", std::nullopt},
        {"0x10", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const auto& v : values) {
        ConfigFile ini;
        ini.OpenText(std::string("[KeyConfig]\nZ= ") + v.Value + " \n");
        EXPECT_EQ(ini.ReadInteger("KeyConfig", "Z"), v.Read) << '"' << v.Value << '"';
    }
}

TEST(ConfigFile, AByteOrderMarkBeforeTheFirstSectionIsReadThroughAndKept) {
    // Editors on some desktops start a UTF-8 file with a byte order mark.
    const fs::path folder = testdata::MakeProgramFolder();
    const std::string keys = "\xEF\xBB\xBF[KeyConfig]\r\nZ=3\r\nX=1\r\nC=2\r\nSPACE=4\r\n";
    WriteBytes(folder / ConfigFileName, keys);
    testing::internal::CaptureStderr();
    {
        HeadlessGame game(folder.string());
        EXPECT_EQ(SpeedButton, 3);
        EXPECT_EQ(FireButton, 1);
        EXPECT_EQ(BurstButton, 2);
        EXPECT_EQ(ConfirmButton, 4);
        game.KeyDown(Vk::F10);  // the display choices are written beside the keys
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const std::string after = testdata::ReadFile(folder / ConfigFileName);
    EXPECT_EQ(after.substr(0, keys.size()), keys);  // the mark and the keys as they were, nothing added
    EXPECT_EQ(after.rfind("[KeyConfig]"), 3u) << after;
    EXPECT_NE(after.find("\r\n[Display]\r\n"), std::string::npos) << after;
    ConfigFile ini;
    ini.OpenText(after);
    EXPECT_EQ(ini.ReadInteger("KeyConfig", "Z"), 3);
    ini.WriteInteger("KeyConfig", "Z", 5);
    const std::string changed = "\xEF\xBB\xBF[KeyConfig]\r\nZ=5\r\n";
    EXPECT_EQ(ini.Text().substr(0, changed.size()), changed);
}

TEST(ConfigFile, TheKeyConfigurationScreenWritesAWellFormedFileKeepingTheRest) {
    const fs::path folder = testdata::MakeProgramFolder();
    struct Case {
        const char* Name;
        std::string Before;  // empty: no file at all
        std::string After;
    };
    // A saved ini also gets the key bindings it lacks, at its end, in its own line ending.
    auto keys = [](const std::string& eol) {
        std::string text = "[Keys]" + eol;
        for (int a = 0; a < KeyActionCount; ++a)
            text += KeyActions[a].Name + ("="s + KeyActions[a].Defaults) + eol;
        return text;
    };
    std::string shipped = ShippedIniText();
    shipped.replace(shipped.find("Z=1"), 3, "Z=2");
    const Case cases[] = {
        {"missing (made again as shipped)", "", shipped},
        {"junk", "garbage", "garbage\n[KeyConfig]\nZ=2\nX=2\nC=3\nSPACE=9\n" + keys("\n")},
        {"commented, CRLF", "; mine\r\n[KeyConfig]\r\nZ=1\r\n;X was 5\r\nX=2\r\nC=3\r\nSPACE=9\r\nextra\r\n",
         "; mine\r\n[KeyConfig]\r\nZ=2\r\n;X was 5\r\nX=2\r\nC=3\r\nSPACE=9\r\nextra\r\n" + keys("\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove(folder / ConfigFileName);
        if (!c.Before.empty()) WriteBytes(folder / ConfigFileName, c.Before);
        testing::internal::CaptureStderr();
        HeadlessGame game(folder.string());
        testing::internal::GetCapturedStderr();
        Tap(game, Vk::Space);  // skip the title animation
        Tap(game, Vk::Down);
        Tap(game, Vk::Space);
        ASSERT_EQ(Scene, KeyConfigScene);
        for (int i = 0; i < 2; ++i) Tap(game, Vk::Down);  // the speed row
        Tap(game, Vk::Right);
        for (int i = 0; i < 2; ++i) Tap(game, Vk::Up);
        Tap(game, Vk::Space);
        ASSERT_EQ(Scene, TitleScene);
        EXPECT_EQ(testdata::ReadFile(folder / ConfigFileName), c.After);
    }
}

TEST(Loading, AMissingPictureOrWaveNamesTheFile) {
    const fs::path folder = testdata::MakeProgramFolder();
    fs::remove(folder / FileNameOf(CharacterSheetFile));
    try {
        HeadlessGame game(folder.string());
        FAIL() << "the game started without its character sheet";
    } catch (const LoadError& e) {
        EXPECT_NE(std::string(e.what()).find(FileNameOf(CharacterSheetFile)), std::string::npos);
    }
    const fs::path second = folder.parent_path() / "Loading.MissingWave";
    fs::remove_all(second);
    fs::create_directories(second);
    for (const char* name : {FileNameOf(BackgroundSheetFile), FileNameOf(CharacterSheetFile)})
        fs::create_symlink(fs::path(VELTRANO_PROGRAM_DIR) / name, second / name);
    const fs::path bomb = testdata::OwnSoundsFolderWithout(second, EffectFiles[BombSound]);
    try {
        HeadlessGame game(second.string());
        FAIL() << "the game started without " << bomb;
    } catch (const LoadError& e) {
        EXPECT_NE(std::string(e.what()).find(bomb.string()), std::string::npos) << e.what();
    }
}

TEST(ConfigFile, AWriteChangesOnlyItsKeySoHandEditsAndAnotherGamesChoicesSurvive) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path ini = folder / ConfigFileName;
    HeadlessGame game(folder.string());
    // Typed into the file while the game runs, and written by a second game in the same folder.
    WriteBytes(ini, "[KeyConfig]\nZ=5\nX=2\nC=3\nSPACE=9\n[Keys]\nUp=W\n");
    ConfigFile other;
    ASSERT_EQ(other.Open(ini.string(), nullptr), FileStatus::Done);
    other.WriteString("Display", "VSync", "0");
    std::string error;
    ASSERT_TRUE(other.Save(&error)) << error;
    game.KeyDown(Vk::F11);
    game.KeyDown(Vk::F10);
    EXPECT_EQ(testdata::ReadFile(ini),
              "[KeyConfig]\nZ=5\nX=2\nC=3\nSPACE=9\n[Keys]\nUp=W\n" +
                  ShippedKeysSection("\n").substr(ShippedKeysSection("\n").find("Down=")) +
                  "[Display]\nVSync=0\nFullScreen=0\nScaling=stretch\n");
    // The other game's next choice keeps this one's.
    other.WriteString("Display", "PauseOnFocusLoss", "0");
    ASSERT_TRUE(other.Save(&error)) << error;
    const std::string after = testdata::ReadFile(ini);
    for (const char* kept :
         {"Z=5", "Up=W", "FullScreen=0", "Scaling=stretch", "VSync=0", "PauseOnFocusLoss=0"})
        EXPECT_NE(after.find(kept), std::string::npos) << kept << " in " << after;
}

TEST(ConfigFile, LinesEndedByALoneCarriageReturnAreReadAndWrittenSo) {
    const fs::path folder = testdata::MakeProgramFolder();
    WriteBytes(folder / ConfigFileName, "[KeyConfig]\rZ=3\rX=1\rC=2\rSPACE=4\r[Keys]\rUp=W\r");
    testing::internal::CaptureStderr();
    HeadlessGame game(folder.string());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(SpeedButton, 3);
    EXPECT_EQ(ConfirmButton, 4);
    EXPECT_EQ(PlayerKeys.Heard('W'), Vk::Up);
    game.KeyDown(Vk::F11);
    const std::string after = testdata::ReadFile(folder / ConfigFileName);
    EXPECT_EQ(after.find('\n'), std::string::npos) << after;
    EXPECT_NE(after.find("\r[Display]\rFullScreen=0\r"), std::string::npos) << after;
}

TEST(Keys, AnActionLeftWithoutAnyKeyIsSaidOnce) {
    std::string every = "[Keys]\n";
    for (int a = 0; a < KeyActionCount; ++a) every += KeyActions[a].Name + "=A\n"s;
    ConfigFile config;
    config.OpenText(every);
    std::vector<std::string> complaints;
    const KeyBindings keys = ReadKeyBindings(config, &complaints);
    ASSERT_EQ(complaints.size(), 1u);
    EXPECT_NE(complaints[0].find("[Keys] leaves no key for Up, Down, Left"), std::string::npos)
        << complaints[0];
    EXPECT_NE(complaints[0].find("Quit"), std::string::npos) << complaints[0];
    EXPECT_EQ(complaints[0].find("FullScreen"), std::string::npos) << complaints[0];  // A serves it
    EXPECT_EQ(keys.PressedFor(Vk::Escape), 0);
    complaints.clear();
    config.OpenText(ShippedIniText());
    ReadKeyBindings(config, &complaints);
    EXPECT_EQ(complaints, std::vector<std::string>{});
}
