// The display choices: where the picture goes in each scaling, the window's scale, the command line,
// the ini file's [Display] section, the keys that switch them, and where the ini and save file live.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/CommandLine.h"
#include "app/DisplayConfig.h"
#include "app/ProgramFiles.h"
#include "app/ProgramFolder.h"
#include "app/headless/HeadlessGame.h"
#include "tests/support/ProgramFolder.h"
#include "world/World.h"

using namespace veltrano;
namespace fs = std::filesystem;

TEST(DisplayScaling, EachModePlacesThePictureAsItSays) {
    struct Case {
        int W, H;
        Scaling Mode;
        PictureRect Expected;
    };
    const Case cases[] = {
        // sharp: whole multiples, black around them
        {1280, 720, Scaling::Sharp, {320, 120, 640, 480}},
        {1920, 1080, Scaling::Sharp, {320, 60, 1280, 960}},
        {1280, 960, Scaling::Sharp, {0, 0, 1280, 960}},
        {600, 400, Scaling::Sharp, {0 + 33, 0, 533, 400}},  // less than one multiple: fit instead
        // fit: the aspect kept, bars on the long side
        {1280, 720, Scaling::Fit, {160, 0, 960, 720}},
        {1000, 1000, Scaling::Fit, {0, 125, 1000, 750}},
        // stretch: everything
        {1280, 720, Scaling::Stretch, {0, 0, 1280, 720}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaledPicture(c.W, c.H, c.Mode), c.Expected)
            << c.W << "x" << c.H << " " << ScalingName(c.Mode);

    EXPECT_EQ(WindowScaleFor(0, 1920, 1040), 2);  // the largest that fits a desktop with a panel
    EXPECT_EQ(WindowScaleFor(0, 1280, 720), 1);
    EXPECT_EQ(WindowScaleFor(0, 600, 400), 1);  // never below 1
    // Asked for (or saved) is what the window gets while it fits, and the largest that fits after.
    EXPECT_EQ(WindowScaleFor(2, 1920, 1040), 2);
    EXPECT_EQ(WindowScaleFor(3, 1920, 1040), 2);
    EXPECT_EQ(WindowScaleFor(3, 1920, 1080), 2);  // 1440 lines are more than 1080
    EXPECT_EQ(WindowScaleFor(3, 3840, 2160), 3);
    EXPECT_EQ(WindowScaleFor(3, 1280, 720), 1);
    EXPECT_EQ(WindowScaleFor(99, 1280, 720), 1);
    EXPECT_EQ(WindowScaleFor(99, 20000, 20000), MaxWindowScale);
    EXPECT_EQ(WindowScaleFor(2, 600, 400), 1);  // a desktop smaller than the picture still gets it whole
    // The cursor: never in full screen, in a window until the mouse rests.
    EXPECT_FALSE(CursorShown(true, 100, 100));
    EXPECT_TRUE(CursorShown(false, 100 + CursorIdleMs - 1, 100));
    EXPECT_FALSE(CursorShown(false, 100 + CursorIdleMs, 100));
    EXPECT_EQ(WindowScaleFor(1, 1920, 1040), 1);  // even the smallest, where a larger one fits

    EXPECT_EQ(NextScaling(Scaling::Sharp), Scaling::Fit);
    EXPECT_EQ(NextScaling(Scaling::Fit), Scaling::Stretch);
    EXPECT_EQ(NextScaling(Scaling::Stretch), Scaling::Sharp);
    for (Scaling mode : {Scaling::Sharp, Scaling::Fit, Scaling::Stretch})
        EXPECT_EQ(ScalingByName(ScalingName(mode)), mode);
    EXPECT_FALSE(ScalingByName("blurry"));
}

TEST(CommandLine, OptionsSetTheirChoiceAndBadOnesSayWhy) {
    auto parse = [](std::initializer_list<const char*> words) {
        std::vector<const char*> argv = {"VeltranoGame2"};
        argv.insert(argv.end(), words);
        return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    };
    CommandLine line = parse({"--window", "--scale", "2", "--scaling", "sharp", "--no-vsync"});
    EXPECT_TRUE(line.Error.empty()) << line.Error;
    EXPECT_EQ(line.FullScreen, false);
    EXPECT_EQ(line.WindowScale, 2);
    EXPECT_EQ(line.Mode, Scaling::Sharp);
    EXPECT_EQ(line.VSync, false);
    line = parse({"--scale=3", "--scaling=stretch", "--fullscreen"});
    EXPECT_EQ(line.WindowScale, 3);
    EXPECT_EQ(line.Mode, Scaling::Stretch);
    EXPECT_EQ(line.FullScreen, true);
    EXPECT_TRUE(parse({"--help"}).ShowHelp);
    EXPECT_TRUE(parse({"--version"}).ShowVersion);
    EXPECT_NE(VersionText().find("VeltranoGame2 "), std::string::npos);

    EXPECT_EQ(parse({"--no-vsync", "--vsync"}).VSync, true);
    EXPECT_EQ(parse({"--scaling", "FIT"}).Mode, Scaling::Fit);  // as the ini takes it, case ignored
    line = parse({"--replay", "a.vgr"});
    EXPECT_EQ(line.ReplayFile, "a.vgr");
    EXPECT_EQ(parse({"--record=b.vgr"}).RecordFile, "b.vgr");

    // What the ini refuses, the command line refuses too.
    const char* const bad[][2] = {
        {"--scale", nullptr}, {"--scale", "two"},      {"--scale", "-1"}, {"--scale", " 2"},
        {"--scale", "2 "},    {"--scale", "0x2"},      {"--scale", "17"}, {"--scaling", "blurry"},
        {"--bogus", nullptr}, {"--window=1", nullptr}, {"--record", ""},  {"--replay", nullptr},
    };
    for (const auto& words : bad) {
        const CommandLine wrong = words[1] ? parse({words[0], words[1]}) : parse({words[0]});
        EXPECT_FALSE(wrong.Error.empty()) << words[0];
    }
    EXPECT_EQ(parse({"--record", "a", "--replay", "b"}).Error,
              "--record and --replay cannot be used together");
    const std::string echoed = parse({"--scale", std::string(5000, '9').c_str()}).Error;
    EXPECT_LT(echoed.size(), 120u) << echoed;  // the value is cut short, its length said
    EXPECT_NE(echoed.find("(5000 characters)"), std::string::npos) << echoed;
    const std::string help = CommandLineHelp();
    for (const char* option : {"--window", "--fullscreen", "--scale N", "--scaling MODE", "--vsync",
                               "--no-vsync", "--record FILE", "--replay FILE", "--help", "--version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;

    // A scale names a window unless full screen is asked for too; nothing asked changes nothing.
    DisplaySettings settings;
    EXPECT_FALSE(ApplyCommandLine(parse({}), settings));
    EXPECT_TRUE(ApplyCommandLine(parse({"--scale", "2"}), settings));
    EXPECT_FALSE(settings.FullScreen);
    EXPECT_EQ(settings.WindowScale, 2);
    settings = {};
    ApplyCommandLine(parse({"--scale", "2", "--fullscreen"}), settings);
    EXPECT_TRUE(settings.FullScreen);
}

TEST(DisplayConfig, TheSectionRoundTripsBrokenValuesFallBackWithOneLineEachAndKeyConfigIsUntouched) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path ini = folder / ConfigFileName;
    const std::string keyConfig = "[KeyConfig]\nZ=1\nX=2\nC=3\nSPACE=9\n";
    std::ofstream(ini)
        << keyConfig
        << "[Display]\nFullScreen=maybe\nWindowScale=-3\nScaling=blurry\nVSync=2\nPauseOnFocusLoss=\n";
    ConfigFile config;
    config.Open(ini.string(), nullptr);
    std::vector<std::string> complaints;
    EXPECT_EQ(ReadDisplaySettings(config, &complaints), DisplaySettings{});
    ASSERT_EQ(complaints.size(), 5u);
    EXPECT_NE(complaints[2].find("Scaling=blurry"), std::string::npos) << complaints[2];
    EXPECT_NE(complaints[2].find("using fit"), std::string::npos) << complaints[2];
    for (const std::string& line : complaints) EXPECT_EQ(line.find('\n'), std::string::npos);

    DisplaySettings chosen;
    chosen.FullScreen = false;
    chosen.WindowScale = 3;
    chosen.Mode = Scaling::Sharp;
    chosen.VSync = false;
    chosen.PauseOnFocusLoss = false;
    std::string error;
    ASSERT_TRUE(WriteDisplaySettings(config, chosen, &error)) << error;
    complaints.clear();
    EXPECT_EQ(ReadDisplaySettings(config, &complaints), chosen);
    EXPECT_TRUE(complaints.empty());
    EXPECT_EQ(testdata::ReadFile(ini).substr(0, keyConfig.size()), keyConfig);
    EXPECT_EQ(config.ReadInteger("KeyConfig", "SPACE", -1), 9);

    // Words are read whatever their case; a missing file or section gives the defaults quietly.
    std::ofstream(ini) << "[Display]\nScaling= Stretch \n";
    config.Open(ini.string(), nullptr);
    EXPECT_EQ(ReadDisplaySettings(config, &complaints).Mode, Scaling::Stretch);
    fs::remove(ini);
    config.Open(ini.string(), nullptr);
    EXPECT_EQ(ReadDisplaySettings(config, &complaints), DisplaySettings{});
    EXPECT_TRUE(complaints.empty());
}

TEST(DisplayConfig, EveryChoiceRoundTripsOnItsOwnKeyAndEveryBoundAndSpellingIsRead) {
    const fs::path ini = testdata::MakeProgramFolder() / ConfigFileName;
    ConfigFile config;
    config.Open(ini.string(), nullptr);
    // Every mix of the three switches, each with its own scale and scaling, so that a value written
    // to or read from another key shows.
    const int scales[] = {0, 16, 1, 7, 2, 15, 3, 9};
    for (int mix = 0; mix < 8; ++mix) {
        DisplaySettings chosen;
        chosen.FullScreen = (mix & 1) != 0;
        chosen.VSync = (mix & 2) != 0;
        chosen.PauseOnFocusLoss = (mix & 4) != 0;
        chosen.WindowScale = scales[mix];
        chosen.Mode = static_cast<Scaling>(mix % 3);
        std::string error;
        ASSERT_TRUE(WriteDisplaySettings(config, chosen, &error)) << error;
        ConfigFile reread;
        reread.Open(ini.string(), nullptr);
        std::vector<std::string> complaints;
        EXPECT_EQ(ReadDisplaySettings(reread, &complaints), chosen) << "mix " << mix;
        EXPECT_TRUE(complaints.empty()) << "mix " << mix;
        EXPECT_EQ(reread.ReadString("Display", "VSync"), chosen.VSync ? "1" : "0") << "mix " << mix;
    }

    // One key at a time: accepted values and the ones just past each bound.
    const struct {
        const char* Line;
        bool Accepted;
        std::function<bool(const DisplaySettings&)> Holds;
    } lines[] = {
        {"WindowScale=0", true, [](const DisplaySettings& d) { return d.WindowScale == 0; }},
        {"WindowScale=16", true, [](const DisplaySettings& d) { return d.WindowScale == 16; }},
        {"WindowScale=-1", false, [](const DisplaySettings& d) { return d.WindowScale == 0; }},
        {"WindowScale=17", false, [](const DisplaySettings& d) { return d.WindowScale == 0; }},
        {"WindowScale=1x", false, [](const DisplaySettings& d) { return d.WindowScale == 0; }},
        {"FullScreen=0", true, [](const DisplaySettings& d) { return !d.FullScreen; }},
        {"VSync=0", true, [](const DisplaySettings& d) { return !d.VSync && d.PauseOnFocusLoss; }},
        {"PauseOnFocusLoss=0", true, [](const DisplaySettings& d) { return d.VSync && !d.PauseOnFocusLoss; }},
        {"VSync=-1", false, [](const DisplaySettings& d) { return d.VSync; }},
        {"Scaling=", false, [](const DisplaySettings& d) { return d.Mode == Scaling::Fit; }},
        {"Scaling=sharpen", false, [](const DisplaySettings& d) { return d.Mode == Scaling::Fit; }},
    };
    for (const auto& line : lines) {
        config.OpenText(std::string("[Display]\n") + line.Line + "\n");
        std::vector<std::string> complaints;
        const DisplaySettings read = ReadDisplaySettings(config, &complaints);
        EXPECT_TRUE(line.Holds(read)) << line.Line;
        EXPECT_EQ(complaints.size(), line.Accepted ? 0u : 1u) << line.Line;
    }
    // Every scaling's name in every case.
    const struct {
        Scaling Mode;
        const char* Spellings[3];
    } names[] = {{Scaling::Sharp, {"sharp", "SHARP", "Sharp"}},
                 {Scaling::Fit, {"fit", "FIT", "fIt"}},
                 {Scaling::Stretch, {"stretch", "STRETCH", "Stretch"}}};
    for (const auto& name : names) {
        for (const char* spelling : name.Spellings) {
            config.OpenText(std::string("[Display]\nScaling=") + spelling + "\n");
            std::vector<std::string> complaints;
            // A refused name would keep the default and say so.
            EXPECT_EQ(ReadDisplaySettings(config, &complaints).Mode, name.Mode) << spelling;
            EXPECT_TRUE(complaints.empty()) << spelling;
        }
    }
}

TEST(DisplayKeys, F11AndAltEnterSwitchFullScreenF10CyclesTheScalingAndTheChoicesAreKept) {
    const fs::path folder = testdata::MakeProgramFolder();
    {
        HeadlessGame game(folder.string());
        EXPECT_TRUE(game.Form.DisplayChoices().FullScreen);
        game.KeyDown(Vk::F11);
        EXPECT_FALSE(game.Platform.Display.FullScreen);
        game.Form.FormKeyDown(Vk::Enter, true);
        EXPECT_TRUE(game.Platform.Display.FullScreen);
        game.Form.FormKeyDown(Vk::Enter, true, true);  // the key's auto-repeat switches nothing
        game.Form.FormKeyDown(Vk::Enter);              // nor does Enter alone
        EXPECT_TRUE(game.Platform.Display.FullScreen);
        EXPECT_EQ(game.Platform.DisplayChanges, 2);
        game.KeyDown(Vk::F10);
        EXPECT_EQ(game.Platform.Display.Mode, Scaling::Stretch);
        game.KeyDown(Vk::F10);
        EXPECT_EQ(game.Platform.Display.Mode, Scaling::Sharp);
        game.KeyDown(Vk::F11);
        EXPECT_EQ(Scene, TitleScene);  // none of these touches the game
    }
    const std::string ini = testdata::ReadFile(folder / ConfigFileName);
    EXPECT_NE(ini.find("Scaling=sharp"), std::string::npos) << ini;
    EXPECT_NE(ini.find("SPACE=9"), std::string::npos) << ini;
    HeadlessGame again(folder.string());
    EXPECT_EQ(again.Form.DisplayChoices().Mode, Scaling::Sharp);
    EXPECT_FALSE(again.Form.DisplayChoices().FullScreen);
}

TEST(DataFolder, AnInstalledGameKeepsItsFilesInThePlayersDataFolder) {
    EXPECT_EQ(ChooseDataFolder("/build/bin/", true, "/x", "/home/p"), "/build/bin");
    EXPECT_EQ(ChooseDataFolder("/usr/lib/VeltranoGame2", false, "/home/p/data/", "/home/p"),
              "/home/p/data/VeltranoGame2");
    EXPECT_EQ(ChooseDataFolder("/usr/lib/VeltranoGame2", false, nullptr, "/home/p"),
              "/home/p/.local/share/VeltranoGame2");
    EXPECT_EQ(ChooseDataFolder("/usr/lib/VeltranoGame2", false, "", "/home/p"),
              "/home/p/.local/share/VeltranoGame2");
    EXPECT_EQ(ChooseDataFolder("/usr/lib/VeltranoGame2", false, "relative", "/home/p"),
              "/home/p/.local/share/VeltranoGame2");
    EXPECT_EQ(ChooseDataFolder("/usr/lib/VeltranoGame2", false, nullptr, nullptr), "");
    // Installed, the game keeps a player's files apart even where it may write its own folder (root).
    EXPECT_EQ(ChooseDataFolder("/usr/local/lib/VeltranoGame2/", true, nullptr, "/root"),
              "/root/.local/share/VeltranoGame2");
    EXPECT_EQ(ChooseDataFolder("/opt/games/lib/VeltranoGame2", true, "/root/data", "/root"),
              "/root/data/VeltranoGame2");
    EXPECT_EQ(ChooseDataFolder("/home/p/VeltranoGame2", true, nullptr, "/home/p"), "/home/p/VeltranoGame2");

    // The first start copies the defaults; later starts leave the player's files as they are.
    const fs::path program = testdata::MakeProgramFolder();
    const fs::path data = program / "home" / "VeltranoGame2";
    std::string error;
    ASSERT_TRUE(PrepareDataFolder(program.string(), data.string(), &error)) << error;
    EXPECT_EQ(testdata::ReadFile(data / ConfigFileName), testdata::ReadFile(program / ConfigFileName));
    EXPECT_EQ(fs::file_size(data / SaveFileName), SaveFileBytes);
    std::ofstream(data / ConfigFileName) << "[KeyConfig]\nSPACE=4\n";
    ASSERT_TRUE(PrepareDataFolder(program.string(), data.string(), &error)) << error;
    EXPECT_EQ(testdata::ReadFile(data / ConfigFileName), "[KeyConfig]\nSPACE=4\n");
    // A file where the folder should be is reported.
    std::ofstream(program / "blocked") << "";
    EXPECT_FALSE(
        PrepareDataFolder(program.string(), (program / "blocked" / "VeltranoGame2").string(), &error));
    EXPECT_FALSE(error.empty());

    // The game then reads and writes its ini and save file there, its pictures beside the program.
    SetProgramFolder(program.string());
    SetDataFolder(data.string());
    EXPECT_EQ(DataPath(SaveFileName), (data / SaveFileName).string());
    EXPECT_EQ(ProgramPath("\\Sounds\\Shot.wav"), (program / "Sounds" / "Shot.wav").string());
    SetProgramFolder(program.string());  // back to one folder for both
    EXPECT_EQ(DataFolder(), ProgramFolder());

    // A build's folder it may write is its data folder; the player's folder, where its scores were
    // kept while it could not, is the other one, whose table the start merges in.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string xdgBefore = xdg ? xdg : "";
    setenv("XDG_DATA_HOME", (program / "home").c_str(), 1);
    UseDataFolderFor(program.string());
    EXPECT_EQ(DataFolder(), program.string());
    EXPECT_EQ(OtherDataFolder(), data.string());
    if (xdg)
        setenv("XDG_DATA_HOME", xdgBefore.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    SetProgramFolder(program.string());
    EXPECT_EQ(OtherDataFolder(), "");  // a tool's or a test's folder has no other
}
