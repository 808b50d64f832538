// Replays: games recorded through the main window play back frame-exact, a changed input is named
// by the first checkpoint after it, and the reader refuses bad files with one line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app/ProgramFiles.h"
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
// `beforeFrame` (if any) is called with the frames played so far before each frame.
Playback PlayBack(HeadlessGame& game, const Replay& replay,
                  const std::function<void(long)>& beforeFrame = nullptr) {
    ReplayPlayer player(replay);
    game.Form.AttachPlayer(&player);
    player.Begin();
    for (long guard = 0; !player.Finished() && guard <= replay.Frames; ++guard) {
        if (beforeFrame) beforeFrame(player.FramesPlayed());
        game.Frame();
    }
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
    std::ofstream(folder / ConfigFileName) << "[KeyConfig]\nZ=3\nX=1\nC=2\nSPACE=4\n";
    const std::string ini = testdata::ReadFile(folder / ConfigFileName);
    const std::string save = testdata::ReadFile(folder / SaveFileName);
    HeadlessGame game(folder.string());
    for (const Replay* replay : {&first, &second}) {
        const Playback played = PlayBack(game, *replay);
        EXPECT_EQ(played.Difference, "");
        EXPECT_EQ(played.Frames, replay->Frames);
        EXPECT_EQ(played.Score, replay->FinalScore);
        EXPECT_GT(played.Score, 0);
    }
    EXPECT_EQ(testdata::ReadFile(folder / ConfigFileName), ini);
    EXPECT_EQ(testdata::ReadFile(folder / SaveFileName), save);
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

TEST(Replay, EachComparedFieldThatDiffersAloneIsNamedAtItsFrame) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    game.DropPictures();
    const Replay recorded = RecordGame(
        game, [](HeadlessGame& game, ReplayRecorder&) { StartFromShipSelect(game, Stage1Scene, 2); }, 259);
    ASSERT_EQ(recorded.Frames, 260);
    ASSERT_EQ(recorded.Checkpoints.size(), 3u);  // frames 1, 200 and 260
    ASSERT_EQ(recorded.Checkpoints[1].Frame, 200);
    ASSERT_GT(recorded.FinalScore, 0);
    ASSERT_EQ(recorded.End, ReplayEnd::Quit);

    auto number = [](long long expected, long long found) {
        return " expected " + std::to_string(expected) + ", found " + std::to_string(found);
    };
    auto hex = [](unsigned long long expected, unsigned long long found) {
        char text[64];
        std::snprintf(text, sizeof text, " expected %llx, found %llx", expected, found);
        return std::string(text);
    };
    const ReplayCheckpoint& at200 = recorded.Checkpoints[1];
    // Each recording differs from the game in one compared field alone; the judge names that field,
    // the frame of its checkpoint, and the recorded and the played value in that order.
    const struct {
        const char* Field;
        std::function<void(Replay&)> Change;
        std::string Says;
    } cases[] = {
        {"scene", [](Replay& r) { r.Checkpoints[1].Scene = Stage2Scene; },
         "frame 200: scene" + number(Stage2Scene, at200.Scene)},
        {"StageFrame", [](Replay& r) { r.Checkpoints[1].StageFrame += 1; },
         "frame 200: StageFrame" + number(at200.StageFrame + 1, at200.StageFrame)},
        {"score", [](Replay& r) { r.Checkpoints[1].Score += 100; },
         "frame 200: score" + number(at200.Score + 100, at200.Score)},
        {"ships", [](Replay& r) { r.Checkpoints[1].Lives -= 1; },
         "frame 200: ships" + number(at200.Lives - 1, at200.Lives)},
        {"random seed", [](Replay& r) { r.Checkpoints[1].Random ^= 0x80; },
         "frame 200: random seed" + hex(at200.Random ^ 0x80, at200.Random)},
        {"ship hash", [](Replay& r) { r.Checkpoints[1].Ship ^= 1; },
         "frame 200: ship and shots hash" + hex(at200.Ship ^ 1, at200.Ship)},
        {"objects hash", [](Replay& r) { r.Checkpoints[1].Objects ^= uint64_t{1} << 63; },
         "frame 200: objects hash" + hex(at200.Objects ^ (uint64_t{1} << 63), at200.Objects)},
        {"last checkpoint", [](Replay& r) { r.Checkpoints[2].Objects += 1; },
         "frame 260: objects hash" +
             hex(recorded.Checkpoints[2].Objects + 1, recorded.Checkpoints[2].Objects)},
        {"final score", [](Replay& r) { r.FinalScore += 100; },
         "frame 260: final score" + number(recorded.FinalScore + 100, recorded.FinalScore)},
        {"end", [](Replay& r) { r.End = ReplayEnd::GameOver; },
         "frame 260: end expected game over, found the game still running"},
    };
    for (const auto& c : cases) {
        Replay changed = recorded;
        c.Change(changed);
        // Through the file's bytes, as a recording on the disk reaches the judge.
        const std::vector<uint8_t> bytes = EncodeReplay(changed);
        Replay reread;
        std::string error;
        ASSERT_TRUE(ParseReplay(bytes.data(), bytes.size(), reread, &error)) << c.Field << ": " << error;
        EXPECT_EQ(PlayBack(game, reread).Difference, c.Says) << c.Field;
    }
    EXPECT_EQ(PlayBack(game, recorded).Difference, "");
}

TEST(Replay, AWatchedReplayPlaysOnWhenTheWindowLosesTheFocus) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    game.DropPictures();
    ASSERT_TRUE(game.Form.DisplayChoices().PauseOnFocusLoss);
    const Replay recorded = RecordGame(
        game, [](HeadlessGame& game, ReplayRecorder&) { StartFromShipSelect(game, Stage1Scene, 4); }, 219);
    // The viewer looks away twice; the recording never paused, so the playback must not either.
    const Playback played = PlayBack(game, recorded, [&](long frame) {
        if (frame == 50 || frame == 120) game.Form.FormDeactivate();
    });
    EXPECT_EQ(played.Difference, "");
    EXPECT_EQ(played.Frames, recorded.Frames);
    EXPECT_EQ(played.Score, recorded.FinalScore);
}

TEST(ReplayFile, ARecordingReadBeforeItIsFinishedHoldsEveryCheckpointWrittenSoFar) {
    const fs::path path = testdata::MakeProgramFolder() / "unfinished.vgr";
    ReplayWriter writer;
    ReplayHeader header;
    header.GameVersion = "0.9.0";
    std::string error;
    ASSERT_TRUE(writer.Open(path.string(), header, &error)) << error;
    for (long frame = 1; frame <= 450; ++frame) {
        writer.Frame((frame / 7) % 2 ? 0x21 : 0x20);
        if (frame == 1 || frame % ReplayCheckpointInterval == 0)
            writer.Checkpoint({frame, Stage1Scene, static_cast<int>(frame), 0, 4, 1, 2, 3});
    }
    // The game stops here without an end, as a crash or a killed program leaves the file: until it
    // is finished, the recording stands under its temporary name.
    EXPECT_FALSE(fs::exists(path));
    const std::string bytes = testdata::ReadFile(TemporaryNameFor(path.string()));
    Replay replay;
    EXPECT_FALSE(ParseReplay(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), replay, &error));
    EXPECT_NE(error.find("truncated after frame 400"), std::string::npos) << error;
    EXPECT_TRUE(writer.Finish(ReplayEnd::Quit, 0, &error));
    EXPECT_TRUE(fs::exists(path));
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
constexpr size_t VersionAt = 4, VersionTextAt = 6, StartAt = 16, StartSceneAt = 17, ShotTypeAt = 18,
                 DifficultyAt = 19, ShipsAt = 20, PowerAt = 21, OptionsAt = 22, ButtonsAt = 23, StatesAt = 27,
                 CursorAt = 43, LatchesAt = 45, StreamAt = 46;

std::vector<uint8_t> Varint(uint64_t v) {
    std::vector<uint8_t> bytes;
    for (; v >= 0x80; v >>= 7) bytes.push_back(static_cast<uint8_t>(v | 0x80));
    bytes.push_back(static_cast<uint8_t>(v));
    return bytes;
}

// A checkpoint record at `frame` in `scene` (StageFrame 1, 4 ships, its seed and hashes 0), with its
// score field's bytes as given.
std::vector<uint8_t> CheckpointRecord(long frame, int scene = Stage1Scene, std::vector<uint8_t> score = {0}) {
    std::vector<uint8_t> c = {0x04};
    for (uint8_t b : Varint(static_cast<uint64_t>(frame))) c.push_back(b);
    c.push_back(static_cast<uint8_t>(2 * scene));  // zig-zag
    c.push_back(2);
    c.insert(c.end(), score.begin(), score.end());
    c.push_back(8);
    c.insert(c.end(), 20, 0);
    return c;
}

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
    auto checkpoint = [](long frame) { return CheckpointRecord(frame); };
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
        {"version text too long", at(VersionTextAt, 33), "game version text too long"},
        {"version text not text", at(VersionTextAt + 3, 0x01), "not plain text"},
        {"unknown start", at(StartAt, 3), "unknown kind of start 3"},
        {"entered scene past the last",
         [](std::vector<uint8_t>& b) {
             b[StartAt] = 2;
             b[StartSceneAt] = 26;
         },
         "impossible start scene 26"},
        {"impossible difficulty", at(DifficultyAt, 3), "impossible difficulty 3"},
        {"no ships", at(ShipsAt, 0), "impossible number of ships 0"},
        {"ten ships", at(ShipsAt, 10), "impossible number of ships 10"},
        {"impossible power", at(PowerAt, 4), "impossible weapon power 4"},
        {"no power", at(PowerAt, 0), "impossible weapon power 0"},
        {"no weapon", at(ShotTypeAt, 0), "impossible weapon 0"},
        {"button past 32", at(ButtonsAt + 3, 33), "impossible button number 33"},
        {"cursor below the rows", at(CursorAt, 0), "impossible menu cursor 0"},
        {"cursor past the rows",
         [](std::vector<uint8_t>& b) {
             b[CursorAt] = 448 & 0xff;
             b[CursorAt + 1] = 448 >> 8;
         },
         "impossible menu cursor 448"},
        {"impossible options", at(OptionsAt, 4), "impossible option flags"},
        {"cursor between rows", at(CursorAt, 65), "impossible menu cursor 65"},
        {"impossible latches", at(LatchesAt, 4), "impossible latch flags"},
        {"no state changes", stream({0x02, 0x00}), "impossible input states"},
        // The tenth byte of a number holds its 64th bit alone: a mask of 1 with a lost bit 64.
        {"number past 64 bits", stream({0x02, 0x81, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x02}),
         "number too large"},
        {"score past 32 bits",
         stream(join({0x40}, CheckpointRecord(1, Stage1Scene, {0x80, 0x80, 0x80, 0x80, 0x10}))),
         "score out of range"},
        {"checkpoint in no scene", stream(join({0x40}, CheckpointRecord(1, LastScene + 1))),
         "checkpoint with impossible scene"},
        {"end past the last", stream(join(join({0x40}, checkpoint(1)), {0x05, 5, 0, 1})), "unknown end 5"},
        {"end 0", stream(join(join({0x40}, checkpoint(1)), {0x05, 0, 0, 1})), "unknown end 0"},
        {"no frame at all", stream({0x05, 1, 0, 0}), "holds no frame"},
        {"longer than six hours",
         [&](std::vector<uint8_t>& b) {
             std::vector<uint8_t> records;
             for (long frame = 0; frame <= ReplayMaxFrames; frame += ReplayCheckpointInterval) {
                 // Runs of 200 frames to the longest game, then one frame more.
                 const std::vector<uint8_t> run = frame < ReplayMaxFrames
                                                      ? std::vector<uint8_t>{0x01, 0xc8, 0x01}
                                                      : std::vector<uint8_t>{0x40};
                 const std::vector<uint8_t> c =
                     CheckpointRecord(frame < ReplayMaxFrames ? frame + 200 : frame + 1);
                 records.insert(records.end(), run.begin(), run.end());
                 records.insert(records.end(), c.begin(), c.end());
             }
             stream(records)(b);
         },
         "longer than any game"},
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
    // A file past 64 MiB is refused before it is read whole, whatever it holds.
    const fs::path huge = folder / "huge.vgr";
    std::ofstream(huge, std::ios::binary)
        .write(reinterpret_cast<const char*>(good.data()), static_cast<std::streamsize>(good.size()));
    fs::resize_file(huge, static_cast<uintmax_t>(ReplayMaxFileBytes) + 1);
    EXPECT_FALSE(ReadReplayFile(huge.string(), back, &error));
    EXPECT_NE(error.find("huge.vgr: is larger than the 64 MB"), std::string::npos) << error;
    fs::remove(huge);
}

TEST(ReplayFile, EveryHeaderFieldReadsBackAsWritten) {
    // Two headers in which every field differs from the other and from its default, so that a field
    // written or read in another's place shows.
    ReplayHeader a;
    a.GameVersion = "1.2.3-test";
    a.Seed = 0x89abcdef;
    a.Start = ReplayStart::Entered;
    a.StartScene = ChallengeScene;
    a.ShotType = 6;
    a.Difficulty = 2;
    a.Lives = 9;
    a.ShotPower = 3;
    a.Option1 = true;
    a.Option2 = false;
    a.Buttons[0] = 32;
    a.Buttons[1] = 5;
    a.Buttons[2] = 0;
    a.Buttons[3] = 17;
    a.CurrentStates = ReplayStateMask;
    a.PreviousRawStates = 0x123456789;
    a.MenuCursorY = 384;
    a.UpLatch = false;
    a.DownLatch = true;
    ReplayHeader b;
    b.GameVersion = "";
    b.Seed = 1;
    b.Start = ReplayStart::ShipSelect;
    b.StartScene = BossRush10Scene;
    b.ShotType = 2;
    b.Difficulty = 0;
    b.Lives = 1;
    b.ShotPower = 2;
    b.Option1 = false;
    b.Option2 = true;
    b.Buttons[0] = 4;
    b.Buttons[1] = 0;
    b.Buttons[2] = 31;
    b.Buttons[3] = 1;
    b.CurrentStates = 0x800000001;
    b.PreviousRawStates = 0;
    b.MenuCursorY = 128;
    b.UpLatch = true;
    b.DownLatch = false;
    for (const ReplayHeader* h : {&a, &b}) {
        Replay r = SmallReplay();
        r.Header = *h;
        const std::vector<uint8_t> bytes = EncodeReplay(r);
        Replay back;
        std::string error;
        ASSERT_TRUE(ParseReplay(bytes.data(), bytes.size(), back, &error)) << error;
        const ReplayHeader& g = back.Header;
        EXPECT_EQ(g.GameVersion, h->GameVersion);
        EXPECT_EQ(g.Seed, h->Seed);
        EXPECT_EQ(g.Start, h->Start);
        EXPECT_EQ(g.StartScene, h->StartScene);
        EXPECT_EQ(g.ShotType, h->ShotType);
        EXPECT_EQ(g.Difficulty, h->Difficulty);
        EXPECT_EQ(g.Lives, h->Lives);
        EXPECT_EQ(g.ShotPower, h->ShotPower);
        EXPECT_EQ(g.Option1, h->Option1);
        EXPECT_EQ(g.Option2, h->Option2);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(g.Buttons[i], h->Buttons[i]) << "button " << i;
        EXPECT_EQ(g.CurrentStates, h->CurrentStates);
        EXPECT_EQ(g.PreviousRawStates, h->PreviousRawStates);
        EXPECT_EQ(g.MenuCursorY, h->MenuCursorY);
        EXPECT_EQ(g.UpLatch, h->UpLatch);
        EXPECT_EQ(g.DownLatch, h->DownLatch);
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
