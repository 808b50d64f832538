// Replays: games recorded through the main window play back frame-exact, a changed input is named
// by the first checkpoint after it, and the reader refuses bad files with one line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app/ProgramFolder.h"
#include "app/Replay.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "stages/Stage.h"
#include "tests/support/ProgramFolder.h"
#include "world/World.h"

using namespace veltrano;
namespace fs = std::filesystem;

namespace {

// A test pilot: fire held, weaving up and down and left and right, the speed and burst buttons
// tapped now and then, so that the input changes often and in several states at once.
void Weave(HeadlessBackend& keys, long frame) {
    keys.ReleaseAll();
    keys.Press(Vk::X);
    keys.Press((frame / 23) % 2 ? Vk::Up : Vk::Down);
    if ((frame / 37) % 3 == 0) keys.Press((frame / 111) % 2 ? Vk::Left : Vk::Right);
    if (frame % 97 == 5) keys.Press(Vk::Z);
    if (frame % 61 == 7) keys.Press(Vk::C);
}

// Plays a game set up by `start` with the weaving pilot for `frames` frames under a recorder, then
// ends it by `end` (Home, Escape, or nothing: the program closes). Returns the recording.
Replay RecordGame(HeadlessGame& game, const std::function<void(HeadlessGame&, ReplayRecorder&)>& start,
                  int frames, int endKey = 0) {
    const std::string path = ProgramFolder() + "/game.vgr";
    ReplayRecorder recorder(path);
    game.Form.AttachRecorder(&recorder);
    NewGame();  // as every game before it ended
    RandomSeed = 4242;
    start(game, recorder);
    for (int f = 0; f < frames; ++f) {
        Weave(game.Platform, f);
        game.Frame();
    }
    if (endKey != 0)
        game.KeyDown(endKey);
    else
        recorder.ProgramClosing();
    EXPECT_FALSE(recorder.Recording());
    game.Form.AttachRecorder(nullptr);
    Replay replay;
    std::string error;
    EXPECT_TRUE(ReadReplayFile(path, replay, &error)) << error;
    return replay;
}

struct Playback {
    std::string Difference;
    long Frames = 0;
    int Score = 0;
};

// Plays a replay on a game that may have played before: the playback starts from a new game.
Playback PlayBack(HeadlessGame& game, const Replay& replay) {
    ReplayPlayer player(replay);
    game.Form.AttachPlayer(&player);
    player.Begin();
    for (long guard = 0; !player.Finished() && guard <= replay.Frames; ++guard) game.Frame();
    game.Close();
    game.Form.AttachPlayer(nullptr);
    return {player.FirstDifference(), player.FramesPlayed(), player.FinalScore()};
}

// The ship select's start, as sim --scene does it: the start frame is the recording's first.
void StartFromShipSelect(HeadlessGame& game, int scene, int shotType) {
    Scene = ShipSelectScene;
    SceneInit();
    StartScene = scene;
    ShotType = shotType;
    game.Platform.Press(Vk::Space);
    game.Frame();
    ASSERT_EQ(Scene, scene);
}

// A tap and five frames after it, as a player lets the menus settle.
void Tap(HeadlessGame& game, int vk) {
    testdata::Tap(game, vk, 5);
}

}  // namespace

TEST(Replay, APauseForALostFocusIsRecordedAndPlaysBackFrameExact) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    int frameWhenPaused = 0, frameAfterPause = 0;
    const Replay recorded = RecordGame(
        game,
        [&](HeadlessGame& game, ReplayRecorder&) {
            StartFromShipSelect(game, Stage1Scene, 3);
            game.Frames(300);
            game.Form.FormDeactivate();  // the player looked away: play stops between two frames
            frameWhenPaused = StageFrame;
            game.Frames(40);
            frameAfterPause = StageFrame;
            Tap(game, Vk::Space);  // and came back
        },
        400);
    EXPECT_EQ(frameAfterPause, frameWhenPaused) << "losing the focus did not pause play";
    const bool kept = std::any_of(recorded.Keys.begin(), recorded.Keys.end(),
                                  [](const ReplayKey& key) { return key.Vk == FocusLostEvent; });
    EXPECT_TRUE(kept) << "the pause was not recorded";
    const Playback played = PlayBack(game, recorded);
    EXPECT_EQ(played.Difference, "");
    EXPECT_EQ(played.Frames, recorded.Frames);
}

TEST(Replay, EveryStartPlaysBackFrameExact) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    // Every scene a player can start in, and the rest entered as the tools enter them.
    for (int scene = Stage1Scene; scene <= ChallengeScene; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        const bool shipSelect = scene <= ChallengeBattleScene;
        const Replay recorded = RecordGame(
            game,
            [&](HeadlessGame& game, ReplayRecorder& recorder) {
                if (shipSelect) {
                    StartFromShipSelect(game, scene, 1 + scene % 6);
                } else {
                    recorder.BeginEntered();
                    EnterSceneDirectly(scene, 1 + scene % 6, 3, true, scene % 2 == 0);
                }
            },
            shipSelect ? 59 : 60);
        EXPECT_EQ(recorded.Header.Start, shipSelect ? ReplayStart::ShipSelect : ReplayStart::Entered);
        EXPECT_EQ(recorded.Header.StartScene, scene);
        EXPECT_EQ(recorded.Frames, 60);
        ASSERT_EQ(recorded.Checkpoints.size(), 2u);  // after the first frame and the last
        EXPECT_EQ(recorded.Checkpoints[1].Frame, 60);
        const Playback played = PlayBack(game, recorded);
        EXPECT_EQ(played.Difference, "");
        EXPECT_EQ(played.Frames, 60);
        EXPECT_EQ(played.Score, recorded.FinalScore);
    }
}

TEST(Replay, GamesStartedThroughTheMenusPlayBackWithoutThePlayersFiles) {
    const fs::path folder = testdata::MakeProgramFolder();
    const std::string path = (folder / "last.vgr").string();
    Replay first, second;
    std::string error;
    {
        HeadlessGame game(folder.string());
        ReplayRecorder recorder(path);
        game.Form.AttachRecorder(&recorder);
        game.Frames(30);
        Tap(game, Vk::Space);  // skip the title animation
        Tap(game, Vk::Space);  // to the ship select, whose preview runs a while
        Tap(game, Vk::Down);
        Tap(game, Vk::Down);
        game.Frames(50);
        EXPECT_FALSE(recorder.Recording());
        Tap(game, Vk::Space);
        ASSERT_EQ(Scene, Stage1Scene);
        EXPECT_TRUE(recorder.Recording());
        for (int f = 0; f < 300; ++f) {
            Weave(game.Platform, f);
            if (f == 150 || f == 190) game.Platform.Press(Vk::Space);  // a pause, and on again
            game.Frame();
        }
        game.KeyDown(Vk::Home);
        ASSERT_TRUE(ReadReplayFile(path, first, &error)) << error;
        // The next game replaces the file; Escape ends it.
        Tap(game, Vk::Space);
        Tap(game, Vk::Space);
        Tap(game, Vk::Space);
        for (int f = 0; f < 250; ++f) {
            Weave(game.Platform, f);
            game.Frame();
        }
        game.KeyDown(Vk::Escape);
        EXPECT_EQ(recorder.GamesRecorded(), 2);
        ASSERT_TRUE(ReadReplayFile(path, second, &error)) << error;
    }
    EXPECT_EQ(first.Header.ShotType, 3);
    EXPECT_EQ(first.End, ReplayEnd::Home);
    ASSERT_FALSE(first.Keys.empty());
    EXPECT_EQ(first.Keys.back().Vk, Vk::Home);
    EXPECT_EQ(first.Frames, 306);  // the start frame, its 5 following frames, then 300
    std::vector<long> checkpoints;
    for (const ReplayCheckpoint& c : first.Checkpoints) checkpoints.push_back(c.Frame);
    EXPECT_EQ(checkpoints, (std::vector<long>{1, 200, 306}));
    EXPECT_EQ(second.End, ReplayEnd::Quit);

    // Played back where the player has other buttons and a save file: neither is read or changed.
    std::ofstream(folder / "VeltranoIni.ini") << "[KeyConfig]\nZ=3\nX=1\nC=2\nSPACE=4\n";
    const std::string ini = testdata::ReadFile(folder / "VeltranoIni.ini");
    const std::string save = testdata::ReadFile(folder / "temp.dat");
    HeadlessGame game(folder.string());
    for (const Replay* replay : {&first, &second}) {
        const Playback played = PlayBack(game, *replay);
        EXPECT_EQ(played.Difference, "");
        EXPECT_EQ(played.Frames, replay->Frames);
        EXPECT_EQ(played.Score, replay->FinalScore);
        EXPECT_GT(played.Score, 0);
    }
    EXPECT_EQ(testdata::ReadFile(folder / "VeltranoIni.ini"), ini);
    EXPECT_EQ(testdata::ReadFile(folder / "temp.dat"), save);
}

TEST(Replay, AChangedInputIsReportedAtTheFirstCheckpointAfterIt) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    const Replay recorded = RecordGame(
        game, [](HeadlessGame& game, ReplayRecorder&) { StartFromShipSelect(game, Stage1Scene, 1); }, 699);
    EXPECT_EQ(PlayBack(game, recorded).Difference, "");

    // The fire button read as released from the run holding frame 300 on: the ship stops firing.
    Replay changed = recorded;
    long frame = 0;
    for (ReplayRun& run : changed.Runs) {
        if (frame + run.Frames > 300) run.States &= ~(uint64_t{1} << (StateButton1 + 1));
        frame += run.Frames;
    }
    Replay reread;
    std::string error;
    const std::vector<uint8_t> bytes = EncodeReplay(changed);
    ASSERT_TRUE(ParseReplay(bytes.data(), bytes.size(), reread, &error)) << error;
    const std::string difference = PlayBack(game, reread).Difference;
    EXPECT_EQ(difference.rfind("frame 400: ", 0), 0u) << difference;

    // A different seed is found at once, on the first frame.
    changed = recorded;
    changed.Header.Seed ^= 1;
    EXPECT_EQ(PlayBack(game, changed).Difference.rfind("frame 1: ", 0), 0u);
}

namespace {

// A small valid replay: 3 frames of stage 1, fire then fire and up, game over.
Replay SmallReplay() {
    Replay r;
    r.Header.GameVersion = "0.9.0";
    r.Runs = {{0x20, 2}, {0x21, 1}};
    r.Checkpoints = {{1, 2, 1, 0, 4, 7, 1, 2}, {3, 1, 0, 0, 4, 9, 3, 4}};
    r.End = ReplayEnd::GameOver;
    r.FinalScore = 120;
    r.Frames = 3;
    return r;
}

// Offsets in the header of SmallReplay's bytes (its version text is 5 bytes long).
constexpr size_t VersionAt = 4, StartSceneAt = 17, ShotTypeAt = 18, ButtonsAt = 23, StatesAt = 27,
                 StreamAt = 46;

std::string ParseError(const std::vector<uint8_t>& bytes) {
    Replay r;
    std::string error;
    if (ParseReplay(bytes.data(), bytes.size(), r, &error)) return "accepted";
    return error;
}

}  // namespace

TEST(ReplayFile, BadFilesAreRefusedWithOneLineSayingWhy) {
    const std::vector<uint8_t> good = EncodeReplay(SmallReplay());
    Replay back;
    std::string error;
    ASSERT_TRUE(ParseReplay(good.data(), good.size(), back, &error)) << error;
    EXPECT_EQ(back.Frames, 3);
    EXPECT_EQ(back.FinalScore, 120);
    EXPECT_EQ(back.Checkpoints[1].Objects, 3u);
    ASSERT_EQ(back.Runs.size(), 2u);
    EXPECT_EQ(back.Runs[1].States, 0x21u);

    using Edit = std::function<void(std::vector<uint8_t>&)>;
    auto at = [](size_t offset, uint8_t value) -> Edit {
        return [=](std::vector<uint8_t>& b) { b[offset] = value; };
    };
    // A checkpoint record at `frame` in stage 1 (its hashes 0).
    auto checkpoint = [](uint8_t frame) {
        std::vector<uint8_t> c(26, 0);  // tag, five numbers, 20 bytes of seed and hashes
        c[0] = 0x04;
        c[1] = frame;
        c[2] = 4;  // scene 2
        c[3] = 2;  // StageFrame 1
        c[5] = 8;  // 4 ships
        return c;
    };
    auto join = [](std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    auto stream = [](std::vector<uint8_t> records) -> Edit {
        return [=](std::vector<uint8_t>& b) {
            b.resize(StreamAt);
            b.insert(b.end(), records.begin(), records.end());
        };
    };
    const struct {
        const char* Name;
        Edit Change;
        const char* Says;
    } cases[] = {
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }, "not a replay file"},
        {"wrong magic", at(0, 'X'), "not a replay file"},
        {"newer version", at(VersionAt, 2), "newer than this game reads"},
        {"version 0", at(VersionAt, 0), "version 0"},
        {"impossible start scene", at(StartSceneAt, 99), "impossible start scene 99"},
        {"extra battle 2 from the ship select", at(StartSceneAt, 13), "impossible start scene 13"},
        {"impossible weapon", at(ShotTypeAt, 7), "impossible weapon 7"},
        {"impossible button", at(ButtonsAt, 40), "impossible button number 40"},
        {"state beyond the 36", at(StatesAt + 5, 1), "impossible input states"},
        {"truncated", [](std::vector<uint8_t>& b) { b.pop_back(); }, "truncated"},
        {"no end", stream(join({0x40}, checkpoint(1))), "has no end"},
        {"huge run", stream({0x01, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x7f}),
         "passes the checkpoint"},
        {"run past a checkpoint", stream({0x01, 0xc9, 0x01}), "passes the checkpoint due after frame 200"},
        {"endless number", stream({0x01, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x01}),
         "number too"},
        {"state 36", stream({0x02, 0x80, 0x80, 0x80, 0x80, 0x80, 0x02}), "impossible input states"},
        {"unknown record", stream({0x3f}), "unknown record 63"},
        {"unknown key", stream({0x40, 0x03, 0x41}), "impossible key 65"},
        {"key before any frame", stream({0x03, 0x24}), "before the first frame"},
        {"checkpoint out of place", stream(join({0x40}, checkpoint(5))), "is not at frame 1"},
        {"end without checkpoint", stream({0x40, 0x05, 1, 0, 1}), "no checkpoint after the last frame"},
        {"end with another count", stream({0x05, 1, 0, 3}), "the end says 3 frames"},
        {"bytes after the end", [](std::vector<uint8_t>& b) { b.push_back(0); }, "bytes after the end"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.Change(bytes);
        EXPECT_NE(ParseError(bytes).find(c.Says), std::string::npos)
            << c.Name << ": " << ParseError(bytes) << " (expected \"" << c.Says << "\")";
    }
    // Every cut of a good file is refused, and no message spans lines.
    for (size_t n = 0; n < good.size(); ++n) {
        const std::string message = ParseError(std::vector<uint8_t>(good.begin(), good.begin() + n));
        EXPECT_NE(message, "accepted") << "cut at " << n;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }

    // Files that are not there or not regular files are refused through the one file layer; a FIFO
    // is never waited on.
    const fs::path folder = testdata::MakeProgramFolder();
    ASSERT_EQ(mkfifo((folder / "fifo.vgr").c_str(), 0644), 0);
    fs::create_directory(folder / "folder.vgr");
    const std::pair<const char*, const char*> refused[] = {
        {"missing.vgr", "missing.vgr: not found"},
        {"fifo.vgr", "fifo.vgr: is a FIFO, not a regular file"},
        {"folder.vgr", "folder.vgr: is a folder, not a file"},
    };
    for (const auto& [name, says] : refused) {
        EXPECT_FALSE(ReadReplayFile((folder / name).string(), back, &error));
        EXPECT_NE(error.find(says), std::string::npos) << error;
    }
}

TEST(ReplayFile, AnHourOfBusyInputStaysUnderAMegabyteAndReadsBack) {
    Replay hour;
    hour.Header.GameVersion = "0.9.0";
    uint32_t noise = 1;
    uint64_t states = 0;
    for (long frame = 1; frame <= 144000; ++frame) {
        // One or two states change on every frame, as a busy pilot's would at most.
        noise = noise * 1103515245 + 12345;
        states ^= uint64_t{1} << ((noise >> 16) % 13);
        if (noise & 0x100) states ^= uint64_t{1} << ((noise >> 24) % 4);
        hour.Runs.push_back({states, 1});
        if (frame == 1 || frame % 200 == 0)
            hour.Checkpoints.push_back(
                {frame, 2, 0, 0, 3, noise, static_cast<uint64_t>(frame), ~static_cast<uint64_t>(frame)});
    }
    hour.End = ReplayEnd::Quit;
    hour.Frames = 144000;
    const std::vector<uint8_t> bytes = EncodeReplay(hour);
    EXPECT_LT(bytes.size(), 1000000u);
    Replay back;
    std::string error;
    ASSERT_TRUE(ParseReplay(bytes.data(), bytes.size(), back, &error)) << error;
    EXPECT_EQ(back.Frames, 144000);
    ASSERT_EQ(back.Checkpoints.size(), hour.Checkpoints.size());
    EXPECT_EQ(back.Checkpoints.back().Ship, hour.Checkpoints.back().Ship);
    // Runs may merge where the states repeat; frame by frame they agree.
    std::vector<uint64_t> expected, found;
    for (const ReplayRun& run : hour.Runs)
        expected.insert(expected.end(), static_cast<size_t>(run.Frames), run.States);
    for (const ReplayRun& run : back.Runs)
        found.insert(found.end(), static_cast<size_t>(run.Frames), run.States);
    EXPECT_EQ(found, expected);
}
