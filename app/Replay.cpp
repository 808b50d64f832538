#include "app/Replay.h"

#include <algorithm>
#include <cstdio>

#include "app/Main.h"
#include "app/ProgramFolder.h"
#include "app/SoundBank.h"
#include "app/Version.h"
#include "engine/CentralSystem.h"
#include "platform/Display.h"
#include "platform/Input.h"
#include "platform/Say.h"
#include "render/Lettering.h"
#include "stages/Stage.h"
#include "world/World.h"
#include "world/WorldHash.h"

namespace veltrano {

namespace {

bool InGame(int scene) {
    return scene > TitleScene;
}

ReplayCheckpoint TakeCheckpoint(long frame) {
    ReplayCheckpoint c;
    c.Frame = frame;
    c.Scene = Scene;
    c.StageFrame = StageFrame;
    c.Score = Score;
    c.Lives = Lives;
    c.Random = RandomSeed;
    c.Objects = HashObjectSlots();
    c.Ship = HashShipAndShots();
    return c;
}

bool CheckpointDue(long frame) {
    return frame == 1 || frame % ReplayCheckpointInterval == 0;
}

}  // namespace

std::string LastReplayPath() {
    return DataPath("last.vgr");  // beside the save file
}

void EnterSceneDirectly(int scene, int shotType, int shotPower, bool option1, bool option2) {
    // The weapon first: a scene whose init sets its own (the staff roll's demonstration) keeps that.
    ShotType = shotType;
    ShotPower = shotPower;
    Option1On = option1 ? 1 : 0;
    Option2On = option2 ? 1 : 0;
    EnterScene(scene);
    ControlEnabled = IsPlayScene(scene) ? 1 : 0;
}

// ---- Recording ---------------------------------------------------------------------------------

void ReplayRecorder::BeginEntered() {
    EnteredPending = true;
    EnteredSeed = RandomSeed;
}

void ReplayRecorder::FrameStarting() {
    ReplayHeader& h = Before;
    h.Seed = RandomSeed;
    h.ShotType = ShotType;
    h.Difficulty = Difficulty;
    h.Lives = Lives;
    h.ShotPower = ShotPower;
    h.Option1 = Option1On == 1;
    h.Option2 = Option2On == 1;
    h.Buttons[0] = SpeedButton;
    h.Buttons[1] = FireButton;
    h.Buttons[2] = BurstButton;
    h.Buttons[3] = ConfirmButton;
    h.CurrentStates = CurrentStates;
    h.PreviousRawStates = PreviousRawStates();
    h.MenuCursorY = Scene == ShipSelectScene ? MenuCursorY() : 64;
    h.UpLatch = UpLatch != 0;
    h.DownLatch = DownLatch != 0;
    SceneBefore = Scene;
}

void ReplayRecorder::FrameRun(uint64_t inputStates) {
    if (!Writer.IsOpen()) {
        // The ship select's start is the one way out of the ship select into a play scene.
        const bool started = EnteredPending || (SceneBefore == ShipSelectScene && IsPlayScene(Scene));
        if (!started) return;
        ReplayHeader h = Before;
        h.GameVersion = GameVersion;
        h.Start = EnteredPending ? ReplayStart::Entered : ReplayStart::ShipSelect;
        h.StartScene = EnteredPending ? SceneBefore : Scene;
        if (EnteredPending) h.Seed = EnteredSeed;
        EnteredPending = false;
        Open(h);
        if (!Writer.IsOpen()) return;
    }
    Writer.Frame(inputStates);
    const long frame = Writer.FramesWritten();
    if (!InGame(Scene)) {
        // Game over or the staff roll's end: the game went back to the title in this frame.
        Checkpoint();
        End(SceneBefore == StaffRollScene ? ReplayEnd::StaffRoll : ReplayEnd::GameOver, LastScore);
        return;
    }
    LastScore = Score;
    if (CheckpointDue(frame)) Checkpoint();
}

void ReplayRecorder::KeyDown(int vk) {
    if (!Writer.IsOpen()) return;
    if (vk == Vk::Escape) {
        Checkpoint();
        End(ReplayEnd::Quit, Score);
        return;
    }
    Writer.Key(vk);
    if (vk == Vk::Home) {
        // Taken before the window handles the key: the world still holds the abandoned game.
        Checkpoint();
        End(ReplayEnd::Home, Score);
    }
}

void ReplayRecorder::ProgramClosing() {
    if (!Writer.IsOpen()) return;
    Checkpoint();
    End(ReplayEnd::Quit, Score);
}

bool ReplayRecorder::CheckAtStart(std::string* why) {
    RemoveStaleTemporaries(Path);
    ReplacingFile probe;
    if (IsProgramOwnFile(Path)) {
        if (why) *why = Path + ": is one of the game's own files; a recording never replaces it";
        Refused = true;
    } else if (probe.Open(Path, why)) {
        probe.Abandon();
        return true;
    }
    ReportedError = true;  // said here: each game still tries, in case the disk has room again
    return false;
}

void ReplayRecorder::Open(const ReplayHeader& header) {
    std::string error;
    LastCheckpoint = 0;
    LastScore = Score;
    if (Refused) return;
    if (!Writer.Open(Path, header, &error) && !ReportedError) {
        // Said once: a full disk should not fill the terminal with one line per game.
        SayLine("%s (the game is not recorded)", error.c_str());
        ReportedError = true;
    }
}

void ReplayRecorder::Checkpoint() {
    const long frame = Writer.FramesWritten();
    if (frame == 0 || frame == LastCheckpoint) return;
    Writer.Checkpoint(TakeCheckpoint(frame));
    LastCheckpoint = frame;
}

void ReplayRecorder::End(ReplayEnd end, int finalScore) {
    std::string error;
    if (!Writer.Finish(end, finalScore, &error))
        SayLine("%s; the game is not recorded and the previous recording is kept", error.c_str());
    ++Games;
}

// ---- Playback ----------------------------------------------------------------------------------

void ReplayPlayer::Begin() {
    const ReplayHeader& h = R.Header;
    // The player's own scores and cleared flag play no part in a replay.
    GameCleared = 0;
    std::fill(HighScores, HighScores + HighScoreCount, 0);
    NewGame();
    RandomSeed = h.Seed;  // before the scene's init, which may draw from it
    SpeedButton = h.Buttons[0];
    FireButton = h.Buttons[1];
    BurstButton = h.Buttons[2];
    ConfirmButton = h.Buttons[3];
    Difficulty = h.Difficulty;
    Lives = h.Lives;
    if (h.Start == ReplayStart::ShipSelect) {
        EnterScene(ShipSelectScene);
        ShotType = h.ShotType;
        StartScene = h.StartScene;
        MenuCursorY() = h.MenuCursorY;
        UpLatch = h.UpLatch ? 1 : 0;
        DownLatch = h.DownLatch ? 1 : 0;
    } else {
        EnterSceneDirectly(h.StartScene, h.ShotType, h.ShotPower, h.Option1, h.Option2);
    }
    RestoreInputStates(h.CurrentStates, h.PreviousRawStates);
    LastScore = Score;
}

uint64_t ReplayPlayer::FrameStates() {
    while (Run < R.Runs.size() && UsedOfRun >= R.Runs[Run].Frames) {
        ++Run;
        UsedOfRun = 0;
    }
    if (Run >= R.Runs.size()) return 0;
    ++UsedOfRun;
    return R.Runs[Run].States;
}

void ReplayPlayer::FrameRun(TForm1& form) {
    if (Finished()) return;
    ++Played;
    const bool inGame = InGame(Scene);
    if (NextCheckpoint < R.Checkpoints.size() && R.Checkpoints[NextCheckpoint].Frame == Played)
        Compare(R.Checkpoints[NextCheckpoint++]);
    if (Diverged()) return;
    if (inGame) LastScore = Score;
    if (!inGame && Played < R.Frames) {
        Difference = "frame " + std::to_string(Played) +
                     ": the game ended here, the recording goes on to frame " + std::to_string(R.Frames);
        return;
    }
    for (; NextKey < R.Keys.size() && R.Keys[NextKey].AfterFrame == Played; ++NextKey) {
        if (R.Keys[NextKey].Vk == Vk::Home) LastScore = Score;
        form.ReplayedKeyDown(R.Keys[NextKey].Vk);
    }
    if (Played < R.Frames) return;
    const bool endedAtTitle = !InGame(Scene);
    if (endedAtTitle != (R.End != ReplayEnd::Quit)) {
        Difference = "frame " + std::to_string(Played) + ": end expected " + ReplayEndName(R.End) +
                     ", found " + (endedAtTitle ? "the title" : "the game still running");
    } else if (LastScore != R.FinalScore) {
        Differ(Played, "final score", R.FinalScore, LastScore);
    }
}

void ReplayPlayer::Compare(const ReplayCheckpoint& e) {
    const ReplayCheckpoint f = TakeCheckpoint(e.Frame);
    if (f.Scene != e.Scene) return Differ(e.Frame, "scene", e.Scene, f.Scene);
    if (f.StageFrame != e.StageFrame) return Differ(e.Frame, "StageFrame", e.StageFrame, f.StageFrame);
    if (f.Score != e.Score) return Differ(e.Frame, "score", e.Score, f.Score);
    if (f.Lives != e.Lives) return Differ(e.Frame, "ships", e.Lives, f.Lives);
    if (f.Random != e.Random) return Differ(e.Frame, "random seed", e.Random, f.Random, true);
    if (f.Ship != e.Ship)
        return Differ(e.Frame, "ship and shots hash", static_cast<long long>(e.Ship),
                      static_cast<long long>(f.Ship), true);
    if (f.Objects != e.Objects)
        return Differ(e.Frame, "objects hash", static_cast<long long>(e.Objects),
                      static_cast<long long>(f.Objects), true);
}

void ReplayPlayer::Differ(long frame, const char* field, long long expected, long long found, bool hex) {
    char text[160];
    if (hex)
        std::snprintf(text, sizeof text, "frame %ld: %s expected %llx, found %llx", frame, field,
                      static_cast<unsigned long long>(expected), static_cast<unsigned long long>(found));
    else
        std::snprintf(text, sizeof text, "frame %ld: %s expected %lld, found %lld", frame, field, expected,
                      found);
    Difference = text;
}

// ---- The result -------------------------------------------------------------------------------

std::string ReplayResultText(const ReplayPlayer& player) {
    if (player.Diverged()) return "replay differs at " + player.FirstDifference();
    return "replay ok: " + std::to_string(player.FramesPlayed()) + " frames, score " +
           std::to_string(player.FinalScore());
}

void DrawReplayResult(const ReplayPlayer& player) {
    const std::string first = player.Diverged() ? "REPLAY DIFFERS" : "REPLAY OK";
    const std::string second = player.Diverged()
                                   ? player.FirstDifference().substr(0, player.FirstDifference().find(':'))
                                   : "SCORE " + std::to_string(player.FinalScore());
    const int top = ScreenHeight / 2 - 40;
    // A dark band under the lines keeps them readable over any scene.
    for (int y = std::max(0, top - 16); y < std::min(BackBuffer.Height, top + 80); ++y)
        std::fill(BackBuffer.Row(y), BackBuffer.Row(y) + BackBuffer.Width, 0u);
    DrawLettering(first, (ScreenWidth - LetteringWidth(first, LetteringStyle::Large)) / 2, top,
                  LetteringStyle::Large, BackBuffer);
    DrawLettering(second, (ScreenWidth - LetteringWidth(second, LetteringStyle::SmallOrange)) / 2, top + 48,
                  LetteringStyle::SmallOrange, BackBuffer);
}

}  // namespace veltrano
