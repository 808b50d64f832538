// Quick taps, the pause when the window loses focus, and our lines over the picture: "PAUSE", the
// title's key hints and where the next game starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/ProgramFiles.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "platform/Display.h"
#include "render/Lettering.h"
#include "render/Notices.h"
#include "stages/Stage.h"
#include "tests/support/ProgramFolder.h"
#include "world/World.h"

using namespace veltrano;

namespace {

// A key pressed and released again before the next frame, that frame, and one more without it.
void QuickTap(HeadlessGame& game, int vk) {
    game.Platform.Tap(vk);
    game.Frames(2);
}

void StartStageOne(HeadlessGame& game) {
    QuickTap(game, Vk::Space);  // skip the title animation
    QuickTap(game, Vk::Space);  // the ship select
    QuickTap(game, Vk::Space);  // stage 1
    ASSERT_EQ(Scene, Stage1Scene);
}

// Whether every inked pixel of `text` drawn at (x, y) stands on the back buffer as the lettering has it.
bool LetteringOnScreen(std::string_view text, int x, int y, LetteringStyle style) {
    const LetteringRow row = LetteringRowOf(style);
    const uint32_t key = PixelAt(LetteringSheet, 0, 0);
    int inked = 0;
    for (char c : text) {
        const int index = LetteringIndex(c);
        for (int dy = 0; dy < row.Cell && index > 0; ++dy)
            for (int dx = 0; dx < row.Cell; ++dx) {
                const uint32_t ink = PixelAt(LetteringSheet, index * row.Cell + dx, row.Top + dy);
                if (ink == key) continue;
                ++inked;
                if (PixelAt(BackBuffer, x + dx, y + dy) != ink) return false;
            }
        x += row.Advance;
    }
    return inked > 0;
}

bool PauseShown() {
    return LetteringOnScreen("PAUSE", (ScreenWidth - LetteringWidth("PAUSE", LetteringStyle::Large)) / 2,
                             PauseNoticeY, LetteringStyle::Large);
}

bool CentredLineShown(const char* text, int y, LetteringStyle style) {
    return LetteringOnScreen(text, (ScreenWidth - LetteringWidth(text, style)) / 2, y, style);
}

// Whether the key hint's first word (a key, in orange) begins the hint line.
bool HintShown() {
    char hint[NoticeTextSize];
    KeyHintText(hint);
    const std::string first(hint, std::find(hint, hint + std::strlen(hint), ' '));
    return LetteringOnScreen(first, (ScreenWidth - LetteringWidth(hint, LetteringStyle::SmallBlue)) / 2,
                             KeyHintY, LetteringStyle::SmallOrange);
}

bool Silent(const std::vector<int16_t>& audio) {
    return std::all_of(audio.begin(), audio.end(), [](int16_t s) { return s == 0; });
}

// The loudest a sample may be at frame `f` of a fade that rises over FadeFrames (falling: read back
// from its end).
bool UnderFade(const std::vector<int16_t>& audio, bool rising) {
    for (int f = 0; f < FadeFrames; ++f) {
        const int level = rising ? f + 1 : FadeFrames - 1 - f;
        for (int c = 0; c < MixChannels; ++c)
            if (std::abs(audio[static_cast<size_t>(f) * MixChannels + c]) > 32767 * level / FadeFrames + 1)
                return false;
    }
    return true;
}

// The focus pause is heard fading out over FadeFrames, then nothing.
bool FadesOut(const std::vector<int16_t>& audio) {
    const auto fadeEnd = audio.begin() + FadeFrames * MixChannels;
    return !std::all_of(audio.begin(), fadeEnd, [](int16_t s) { return s == 0; }) &&
           UnderFade(audio, false) && std::all_of(fadeEnd, audio.end(), [](int16_t s) { return s == 0; });
}

// Play coming back rises from silence over FadeFrames.
bool FadesIn(std::vector<int16_t> audio) {
    const auto heard = std::find_if(audio.begin(), audio.end(), [](int16_t s) { return s != 0; });
    audio.erase(audio.begin(), audio.begin() + (heard - audio.begin()) / MixChannels * MixChannels);
    return audio.size() >= static_cast<size_t>(FadeFrames * MixChannels) && UnderFade(audio, true);
}

}  // namespace

TEST(TapLatch, APressAndReleaseBetweenFramesReadsPressedOnceAndHeldKeysAreUnchanged) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    game.Frame();
    game.Platform.Tap(Vk::Z);
    game.Frame();
    EXPECT_TRUE(StatePressed(StateButton1));
    game.Frame();
    EXPECT_FALSE(StatePressed(StateButton1));
    game.Frames(3);  // a latch is read once and forgotten
    EXPECT_FALSE(StatePressed(StateButton1));

    game.Platform.Press(Vk::X);
    for (int i = 0; i < 3; ++i) {
        game.Frame();
        EXPECT_TRUE(StatePressed(StateButton1 + 1));
    }
    ConsumeState(StateButton1 + 1);  // a consumed held key stays released until pressed anew
    game.Frame();
    EXPECT_FALSE(StatePressed(StateButton1 + 1));
    game.Platform.Press(Vk::X, false);
    game.Frame();
    EXPECT_FALSE(StatePressed(StateButton1 + 1));

    // A pad button tapped between frames counts the same way.
    game.Platform.Input.Joystick.Present = true;
    game.Platform.Latch.PressButton(4);
    game.Frame();
    EXPECT_TRUE(StatePressed(StateButton1 + 4));
    game.Frame();
    EXPECT_FALSE(StatePressed(StateButton1 + 4));
}

TEST(TapLatch, InstantTapsSkipTheTitleChooseAndPauseAndResumePlay) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    StartStageOne(game);
    game.Frames(5);
    QuickTap(game, Vk::Space);
    EXPECT_EQ(WorldRunning, 0);
    const int frame = StageFrame;
    game.Frames(5);
    EXPECT_EQ(StageFrame, frame);
    QuickTap(game, Vk::Space);
    EXPECT_EQ(WorldRunning, 1);
}

TEST(FocusPause, LosingFocusInPlayPausesSilencesAndWaitsForConfirm) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    StartStageOne(game);
    game.Frames(20);
    game.Form.FormDeactivate();
    game.KeepAudio = true;
    const int frame = StageFrame;
    game.Frame();
    const size_t musicAt = SoundSlots[StageMusic].Position;
    game.Frames(79);
    EXPECT_EQ(WorldRunning, 0);
    EXPECT_EQ(StageFrame, frame);  // no auto-resume, even with the focus back
    EXPECT_TRUE(FadesOut(game.Audio));
    EXPECT_EQ(SoundSlots[StageMusic].Position, musicAt);  // the music waits where it stopped
    EXPECT_TRUE(PauseShown());
    game.Audio.clear();
    QuickTap(game, Vk::Space);
    game.Frames(10);
    EXPECT_EQ(WorldRunning, 1);
    EXPECT_GT(StageFrame, frame);
    EXPECT_FALSE(Silent(game.Audio));
    EXPECT_TRUE(FadesIn(game.Audio));
    EXPECT_FALSE(PauseShown());
    EXPECT_FALSE(game.Form.QuietForFocus());

    // Already paused by the player: the loss keeps it paused and makes it quiet too; Home ends it.
    QuickTap(game, Vk::Space);
    game.Form.FormDeactivate();
    game.Frame();
    EXPECT_EQ(WorldRunning, 0);
    EXPECT_TRUE(SoundBankQuiet());
    game.KeyDown(Vk::Home);
    game.Frame();
    EXPECT_EQ(Scene, TitleScene);
    EXPECT_FALSE(SoundBankQuiet());
}

TEST(FocusPause, MenusTheStaffRollTheCountdownAndTheIniSwitchAreNotPaused) {
    const auto folder = testdata::MakeProgramFolder();
    {
        HeadlessGame game(folder.string());
        game.Frames(5);
        game.Form.FormDeactivate();
        game.Frames(5);
        EXPECT_EQ(StageFrame, 10);  // the title runs on
        EXPECT_FALSE(SoundBankQuiet());
        Scene = StaffRollScene;
        SceneInit();
        const int frame = StageFrame;
        game.Form.FormDeactivate();
        game.Frames(5);
        EXPECT_EQ(StageFrame, frame + 5);
        EXPECT_FALSE(SoundBankQuiet());
    }
    {
        HeadlessGame game(folder.string());
        StartStageOne(game);
        Lives = 0;  // the continue countdown runs: it is not a pause
        game.Frame();
        ASSERT_EQ(GameOver, 1);
        game.Form.FormDeactivate();
        EXPECT_FALSE(SoundBankQuiet());
        EXPECT_FALSE(PauseShown());
    }
    std::ofstream(folder / ConfigFileName)
        << "[KeyConfig]\nZ=1\nX=2\nC=3\nSPACE=9\n[Display]\nPauseOnFocusLoss=0\n";
    HeadlessGame game(folder.string());
    StartStageOne(game);
    game.Form.FormDeactivate();
    game.Frame();
    EXPECT_EQ(WorldRunning, 1);
    EXPECT_FALSE(SoundBankQuiet());
}

TEST(Notices, TheTitleHintFollowsTheBindingsAndTheStartSaysWhereTheGameBegins) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    char text[NoticeTextSize];
    KeyHintText(text);
    EXPECT_STREQ(text, "SPACE SELECT  Z SPEED  X FIRE  C BURST");
    ConfirmButton = 4;  // Enter
    BurstButton = 6;    // a button no key makes: the pad's number
    FireButton = -1;    // no button at all: not named
    KeyHintText(text);
    EXPECT_STREQ(text, "ENTER SELECT  Z SPEED  B6 BURST");
    game.Platform.Input.Joystick.Present = true;
    game.Frame();
    KeyHintText(text);
    EXPECT_STREQ(text, "ENTER/B4 SELECT  Z/B1 SPEED  B6 BURST");

    const std::pair<int, const char*> starts[] = {
        {2, ""},
        {5, "START STAGE 4"},
        {11, "START STAGE 10"},
        {12, "EXTRA BATTLE"},
        {13, "START STAGE 1"},
        {14, "BOSS RUSH"},
        {16, "BOSS RUSH FROM BOSS 3"},
        {24, "START STAGE 1"},
    };
    for (const auto& [start, expected] : starts) {
        StartNoticeText(start, text);
        EXPECT_STREQ(text, expected) << start;
    }
}

// A player who moved an action to other keys reads those keys in the hint: the lowest key bound to
// it, in capitals without blanks, or the pad's number when no key is left for it.
TEST(Notices, TheTitleHintNamesTheKeysThePlayerBound) {
    const struct {
        const char* Keys;
        const char* Hint;
    } rows[] = {
        {"", "SPACE SELECT  Z SPEED  X FIRE  C BURST"},
        {"Button2=J, F\n", "SPACE SELECT  Z SPEED  F FIRE  C BURST"},
        {"Button9=Enter\nButton3=Keypad 5\n", "ENTER SELECT  Z SPEED  X FIRE  KEYPAD5 BURST"},
        {"Button1=Left Shift\n", "SPACE SELECT  LEFTSHIFT SPEED  X FIRE  C BURST"},
        {"Button1=X\n", "SPACE SELECT  X SPEED  B2 FIRE  C BURST"},  // X left fire for speed
    };
    for (const auto& row : rows) {
        const std::filesystem::path folder = testdata::MakeProgramFolder();
        std::ofstream(folder / ConfigFileName) << "[KeyConfig]\nZ=1\nX=2\nC=3\nSPACE=9\n[Keys]\n" << row.Keys;
        HeadlessGame game(folder.string());
        char text[NoticeTextSize];
        KeyHintText(text);
        EXPECT_STREQ(text, row.Hint) << row.Keys;
    }
}

// Long key names with a pad in make a hint wider than the screen: it is drawn as two lines split
// between two actions, each whole on the screen, its first key in the keys' style.
TEST(Notices, AHintTooWideForTheScreenIsDrawnOnTwoLines) {
    const std::filesystem::path folder = testdata::MakeProgramFolder();
    std::ofstream(folder / ConfigFileName) << "[KeyConfig]\nZ=1\nX=2\nC=3\nSPACE=9\n[Keys]\n"
                                              "Button9=PageDown\nButton1=Left Shift\nButton2=Right Ctrl\n"
                                              "Button3=Backspace\n";
    HeadlessGame game(folder.string());
    game.Platform.Input.Joystick.Present = true;
    game.Frames(TitleHintFrame + 1);
    char hint[NoticeTextSize], lines[2][NoticeTextSize];
    KeyHintText(hint);
    EXPECT_STREQ(hint, "PAGEDOWN/B9 SELECT  LEFTSHIFT/B1 SPEED  RIGHTCTRL/B2 FIRE  BACKSPACE/B3 BURST");
    ASSERT_EQ(KeyHintLines(hint, lines), 2);
    EXPECT_STREQ(lines[0], "PAGEDOWN/B9 SELECT  LEFTSHIFT/B1 SPEED");
    EXPECT_STREQ(lines[1], "RIGHTCTRL/B2 FIRE  BACKSPACE/B3 BURST");
    for (int line = 0; line < 2; ++line) {
        const int width = LetteringWidth(lines[line], LetteringStyle::SmallBlue);
        EXPECT_LE(width, ScreenWidth) << line;
        const std::string first(lines[line], std::strchr(lines[line], ' '));
        EXPECT_TRUE(LetteringOnScreen(first, (ScreenWidth - width) / 2,
                                      KeyHintY - (1 - line) * KeyHintLineGap, LetteringStyle::SmallOrange))
            << first;
    }
    // The shipped hint fits on one line.
    KeyHintLines("SPACE SELECT  Z SPEED  X FIRE  C BURST", lines);
    EXPECT_STREQ(lines[0], "SPACE SELECT  Z SPEED  X FIRE  C BURST");
}

TEST(Notices, PauseHintAndStartAreDrawnWhereTheyBelongAndNotOtherwise) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    game.Frames(TitleHintFrame - 2);
    EXPECT_FALSE(HintShown());  // the animation is still running
    EXPECT_FALSE(CentredLineShown("START STAGE 4", StartNoticeY, StartNoticeStyle));
    game.Frames(2);
    EXPECT_TRUE(HintShown());
    EXPECT_FALSE(PauseShown());
    GameCleared = 1;
    for (int i = 0; i < 3; ++i) game.KeyDown(Vk::Insert);
    game.Frame();
    EXPECT_TRUE(CentredLineShown("START STAGE 4", StartNoticeY, StartNoticeStyle));
    game.KeyDown(Vk::Delete);
    game.Frame();
    EXPECT_TRUE(CentredLineShown("BOSS RUSH", StartNoticeY, StartNoticeStyle));

    QuickTap(game, Vk::Space);  // the ship select: none of the title's lines
    EXPECT_FALSE(HintShown());
    EXPECT_FALSE(CentredLineShown("BOSS RUSH", StartNoticeY, StartNoticeStyle));
    game.KeyDown(Vk::Home);
    StartStageOne(game);
    game.Frames(3);
    EXPECT_FALSE(PauseShown());
    QuickTap(game, Vk::Space);
    EXPECT_TRUE(PauseShown());
    game.Frames(3);
    EXPECT_TRUE(PauseShown());
    QuickTap(game, Vk::Space);
    EXPECT_FALSE(PauseShown());
}

TEST(Notices, WithoutTheLetteringFileTheGamePlaysOnUnlabelled) {
    const auto folder = testdata::MakeProgramFolder();
    std::filesystem::remove(folder / FileNameOf(LetteringSheetFile));
    HeadlessGame game(folder.string());
    EXPECT_EQ(LetteringSheet.Width, 0);
    StartStageOne(game);
    QuickTap(game, Vk::Space);
    EXPECT_EQ(WorldRunning, 0);  // paused all the same, only not labelled
}
