// The desktop's rules: command-line choices hold for their run, only choices made in play reach the
// ini, a replay writes no file but its own output, and each damaged file is named on one short line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/CommandLine.h"
#include "app/ConfigFile.h"
#include "app/KeysConfig.h"
#include "app/ProgramFiles.h"
#include "app/Replay.h"
#include "app/headless/HeadlessGame.h"
#include "platform/Display.h"
#include "platform/Input.h"
#include "platform/KeyBindings.h"
#include "platform/Mixer.h"
#include "stages/Stage.h"
#include "tests/support/ProgramFolder.h"
#include "world/Sounds.h"
#include "world/World.h"

using namespace veltrano;
using testdata::Tap;
namespace fs = std::filesystem;

namespace {

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
}

// A 16-bit mono wave at the mixer's rate whose data chunk claims `declared` bytes and holds `data`.
std::string WaveClaiming(uint32_t declared, const std::string& data) {
    return "RIFF" + Le(static_cast<uint32_t>(36 + data.size()), 4) + "WAVEfmt " + Le(16, 4) + Le(1, 2) +
           Le(1, 2) + Le(MixRate, 4) + Le(MixRate * 2, 4) + Le(2, 2) + Le(16, 2) + "data" + Le(declared, 4) +
           data;
}

CommandLine Parse(std::initializer_list<const char*> words) {
    std::vector<const char*> argv = {"VeltranoGame2"};
    argv.insert(argv.end(), words);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(Messages, DamagedWavesLongValuesAndAMissingIniAreEachOneShortLine) {
    const fs::path folder = testdata::MakeProgramFolder();
    struct Case {
        const char* Name;
        std::string Bytes;
        const char* Says;  // empty: a sound wave, nothing said
    };
    const Case cases[] = {
        {"sound", WaveClaiming(200, std::string(200, '\1')), ""},
        {"cut short", WaveClaiming(1000, std::string(100, '\1')), "claims 1000 bytes and the file holds 100"},
        {"a data chunk of 4 GB", WaveClaiming(0xFFFFFFF0u, std::string(100, '\1')),
         "claims 4294967280 bytes"},
        {"no samples", WaveClaiming(0, ""), "it holds no sound"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(folder / "damaged.wav", c.Bytes);
        Wave wave;
        std::string error;
        ASSERT_TRUE(ReadWaveFile((folder / "damaged.wav").string(), &wave, &error)) << error;
        EXPECT_NE(wave.Damage.find(c.Says), std::string::npos) << wave.Damage;
        EXPECT_EQ(wave.Damage.empty(), *c.Says == '\0') << wave.Damage;
    }
    // The game names it when it loads it, and plays on.
    const fs::path shot = testdata::OwnSoundsFolderWithout(folder, EffectFiles[ShotSound]);
    WriteBytes(shot, cases[1].Bytes);
    // And a [Display] value of half a million characters is quoted short.
    WriteBytes(folder / ConfigFileName,
               std::string(ShippedIniText()) + "[Display]\r\nScaling=" + std::string(500000, 'x') + "\r\n");
    {
        testing::internal::CaptureStderr();
        HeadlessGame game(folder.string());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 2) << said.substr(0, 400);
        EXPECT_NE(said.find(shot.string() + ": its data chunk claims 1000"), std::string::npos)
            << said.substr(0, 400);
        EXPECT_NE(said.find("(500000 characters) is not sharp, fit or stretch"), std::string::npos)
            << said.substr(0, 400);
        EXPECT_LT(said.size(), 500u);
    }
    // A missing ini is made again whole, as shipped, and the next start has nothing to say of it.
    fs::remove(folder / ConfigFileName);
    fs::remove(shot);
    fs::create_symlink(testdata::InFolder(VELTRANO_PROGRAM_DIR, EffectFiles[ShotSound]), shot);
    testing::internal::CaptureStderr();
    { HeadlessGame game(folder.string()); }
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "VeltranoGame2: " + (folder / ConfigFileName).string() +
                        ": not found; made again as shipped\n");
    EXPECT_EQ(testdata::ReadFile(folder / ConfigFileName), ShippedIniText());
    testing::internal::CaptureStderr();
    { HeadlessGame game(folder.string()); }
    said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "");
}

TEST(DisplayChoices, TheCommandLineHoldsForItsRunAndOnlyChoicesMadeInPlayAreWritten) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path ini = folder / ConfigFileName;
    const std::string shipped = std::string(ShippedIniText()) +
                                "[Display]\r\nFullScreen=1\r\nWindowScale=0\r\nScaling=fit\r\nVSync=1\r\n";
    WriteBytes(ini, shipped);
    {
        HeadlessGame game(folder.string());
        game.Form.UseCommandLine(Parse({"--no-vsync", "--scale", "2", "--scaling", "STRETCH"}));
        const DisplaySettings& run = game.Form.DisplayChoices();
        EXPECT_FALSE(run.VSync);
        EXPECT_FALSE(run.FullScreen);
        EXPECT_EQ(run.WindowScale, 2);
        EXPECT_EQ(run.Mode, Scaling::Stretch);
        game.Frames(3);
        game.Close();
    }
    EXPECT_EQ(testdata::ReadFile(ini), shipped);  // a plain start after it has the ini's choices
    {
        HeadlessGame game(folder.string());
        game.Form.UseCommandLine(Parse({"--no-vsync", "--window", "--scale", "3"}));
        game.KeyDown(Vk::F11);  // to full screen: only that choice is kept
        game.KeyDown(Vk::F10);  // fit -> stretch
    }
    EXPECT_EQ(testdata::ReadFile(ini),
              std::string(ShippedIniText()) +
                  "[Display]\r\nFullScreen=1\r\nWindowScale=0\r\nScaling=stretch\r\nVSync=1\r\n");
    {
        HeadlessGame game(folder.string());
        game.KeyDown(Vk::F11);  // from the ini's full screen to a window
    }
    EXPECT_NE(testdata::ReadFile(ini).find("FullScreen=0"), std::string::npos);

    // The display the window was on at close is remembered, and the next start opens there while that
    // display is there.
    {
        HeadlessGame game(folder.string());
        game.Platform.Monitor = 1;
        game.Close();
    }
    EXPECT_NE(testdata::ReadFile(ini).find("Monitor=1"), std::string::npos);
    HeadlessGame game(folder.string());
    EXPECT_EQ(game.Form.DisplayChoices().Monitor, 1);
    EXPECT_EQ(MonitorToOpenOn(1, 2), 1);
    EXPECT_EQ(MonitorToOpenOn(1, 1), 0);  // unplugged since: the first display
    EXPECT_EQ(MonitorToOpenOn(0, 0), 0);
}

TEST(DisplayChoices, AReplayWritesNoFileButItsOwnOutputAndTheWindowKeysStillWork) {
    const fs::path folder = testdata::MakeProgramFolder();
    Replay replay;
    {
        HeadlessGame game(folder.string());
        ReplayRecorder recorder((folder / "game.vgr").string());
        game.Form.AttachRecorder(&recorder);
        Tap(game, Vk::Space);
        Tap(game, Vk::Space);
        Tap(game, Vk::Space);
        ASSERT_EQ(Scene, Stage1Scene);
        game.Frames(80);
        game.KeyDown(Vk::Home);
        game.Form.AttachRecorder(nullptr);
        std::string error;
        ASSERT_TRUE(ReadReplayFile((folder / "game.vgr").string(), replay, &error)) << error;
    }
    // The player's folder as a replay finds it: no save file, no ini.
    fs::remove(folder / SaveFileName);
    fs::remove(folder / ConfigFileName);
    const auto before = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    ReplayPlayer player(replay);
    {
        testing::internal::CaptureStderr();
        HeadlessGame game(folder.string(), {}, &player);
        testing::internal::GetCapturedStderr();
        player.Begin();
        while (!player.Finished()) {
            game.Frame();
            if (game.Form.FramesRun() == 20) {
                game.KeyDown(Vk::F11);
                game.KeyDown(Vk::F10);
            }
        }
        EXPECT_FALSE(player.Diverged()) << player.FirstDifference();
        EXPECT_EQ(game.Platform.DisplayChanges, 2);
        // The result, on stdout and over the last picture for a moment.
        EXPECT_EQ(ReplayResultText(player), "replay ok: " + std::to_string(replay.Frames) +
                                                " frames, score " + std::to_string(replay.FinalScore));
        const std::vector<uint32_t> before = BackBuffer.Pixels;
        DrawReplayResult(player);
        const auto row = [&](const std::vector<uint32_t>& pixels, int y) {
            return std::vector<uint32_t>(pixels.begin() + y * ScreenWidth,
                                         pixels.begin() + (y + 1) * ScreenWidth);
        };
        const int band = ScreenHeight / 2 - 30;  // through the first line's letters
        EXPECT_NE(row(BackBuffer.Pixels, band), row(before, band));
        EXPECT_EQ(row(BackBuffer.Pixels, 10), row(before, 10));  // the rest of the picture stays
        game.Close();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), before);
    EXPECT_FALSE(fs::exists(folder / SaveFileName));
    EXPECT_FALSE(fs::exists(folder / ConfigFileName));
}

TEST(Keys, EveryNamedKeyReadsBackAndTheShippedSectionBindsTheShippedKeys) {
    int named = 0;
    for (int vk = 1; vk < 256; ++vk) {
        const std::string name = KeyName(vk);
        if (name.empty()) continue;
        ++named;
        EXPECT_EQ(KeyByName(name), vk) << name;
    }
    EXPECT_GE(named, 26 + 10 + 12 + 10 + 4);
    const std::pair<const char*, int> spellings[] = {
        {"w", 'W'},       {" keypad8 ", 0x68},  {"KEYPAD 8", Vk::Numpad8},
        {"f11", Vk::F11}, {"space", Vk::Space}, {"Q1", 0},
        {"", 0},          {"Keypad", 0},        {"F13", 0},
        {"Spacebar", 0},
    };
    for (const auto& [name, vk] : spellings) EXPECT_EQ(KeyByName(name), vk) << name;

    // Every action's shipped keys name real keys, and the shipped section changes nothing.
    ConfigFile shipped;
    shipped.OpenText(ShippedIniText());
    std::vector<std::string> complaints;
    const KeyBindings read = ReadKeyBindings(shipped, &complaints);
    EXPECT_EQ(complaints, std::vector<std::string>{});
    const KeyBindings plain;
    for (int vk = 0; vk < 256; ++vk) EXPECT_EQ(read.Heard(vk), plain.Heard(vk)) << vk;
}

TEST(Keys, AKeysSectionOfWasdSteersTheShipAndABadNameKeepsTheShippedKeysSayingSo) {
    const fs::path folder = testdata::MakeProgramFolder();
    WriteBytes(folder / ConfigFileName,
               "[KeyConfig]\nZ=1\nX=2\nC=3\nSPACE=9\n[Keys]\nUp=W\nDown=S\nLeft=A\n"
               "Right=D, Right\nButton2=J\nButton9=Enter, Space\nQuit=Q1\n");
    testing::internal::CaptureStderr();
    HeadlessGame game(folder.string());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "VeltranoGame2: " + (folder / ConfigFileName).string() +
                        ": [Keys] Quit=Q1: 'Q1' names no key; using Escape\n");
    Scene = Stage1Scene;
    SceneInit();
    ControlEnabled = 1;
    struct Step {
        int Key;
        int Dx, Dy;  // which way the ship went: -1, 0 or 1
    };
    const Step steps[] = {
        {'D', 1, 0},      {'A', -1, 0},   {'S', 0, 1}, {'W', 0, -1}, {Vk::Right, 1, 0},  // both keys of Right
        {Vk::Left, 0, 0}, {Vk::Up, 0, 0}, {'K', 0, 0},  // keys bound away are heard as nothing
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Step& step : steps) {
        SCOPED_TRACE(KeyName(step.Key));
        PlayerX = 300;
        PlayerY = 200;
        game.Platform.ReleaseAll();
        game.Platform.Press(step.Key);
        game.Frames(4);
        EXPECT_EQ(sign(PlayerX - 300), step.Dx);
        EXPECT_EQ(sign(PlayerY - 200), step.Dy);
    }
    game.Platform.ReleaseAll();
    game.Platform.Press('J');  // fire is on J now, and no longer on X
    game.Frame();
    EXPECT_TRUE(StatePressed(FireState));
    game.Platform.ReleaseAll();
    game.Platform.Press(Vk::X);
    game.Frame();
    EXPECT_FALSE(StatePressed(FireState));
    // The window keys go through the bindings too: Escape still quits (Q1 named no key).
    game.KeyDown(Vk::Escape);
    EXPECT_TRUE(game.Platform.CloseRequested);
}
