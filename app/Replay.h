// Recording and playing back whole games. The simulation's only inputs are each frame's input
// states, the window's key-down events, the time passed to the frame handler and the random seed;
// the time only decides whether a frame runs, so a replay keeps the input states of every frame
// that ran, the keys between frames and the seed, and plays back frame-exact.
#pragma once

#include <cstdint>
#include <string>

#include "app/ReplayFile.h"

namespace veltrano {

class TForm1;

// Where the game keeps the last game it recorded: beside the save file.
std::string LastReplayPath();

// The tools' way into a scene without the ship select (boss practice, the scenes no start reaches):
// the scene's init with the given weapon, and the ship steerable in play scenes. Music is left as
// it is.
void EnterSceneDirectly(int scene, int shotType, int shotPower, bool option1, bool option2);

// Watches every frame and writes each game, from the ship select's start to its end, to one file
// (a new game replaces the previous one's recording).
class ReplayRecorder {
   public:
    explicit ReplayRecorder(std::string path) : Path(std::move(path)) {}

    // A tool is about to enter a scene with EnterSceneDirectly (the scene's init may draw random
    // numbers, so the seed is taken now); the recording starts with the next frame.
    void BeginEntered();
    bool Recording() const { return Writer.IsOpen(); }
    int GamesRecorded() const { return Games; }
    const std::string& FilePath() const { return Path; }

    // Start-up: removes the temporary files killed games left beside the recording and checks that it
    // can be written there. False with a message naming the file when it cannot (a FIFO, a folder, no
    // permission) or is one of the game's own files, which a recording never replaces (and is then
    // never opened); what it said is not said again at each game.
    bool CheckAtStart(std::string* why);

    // Called by the main window.
    void FrameStarting();
    void FrameRun(uint64_t inputStates);
    void KeyDown(int vk);
    void ProgramClosing();

   private:
    void Open(const ReplayHeader& header);
    void Checkpoint();
    void End(ReplayEnd end, int finalScore);

    std::string Path;
    ReplayWriter Writer;
    ReplayHeader Before;  // the world as it stood when the current frame began
    int SceneBefore = 0;
    bool EnteredPending = false;
    uint32_t EnteredSeed = 0;
    long LastCheckpoint = 0;
    int LastScore = 0;
    int Games = 0;
    bool ReportedError = false;
    bool Refused = false;
};

// Feeds a replay to the main window frame by frame and compares every checkpoint.
class ReplayPlayer {
   public:
    explicit ReplayPlayer(const Replay& replay) : R(replay) {}

    // Puts the world where the recording began; called once after start-up, before any frame.
    void Begin();
    // The raw input states of the frame about to run.
    uint64_t FrameStates();
    // After each frame: compares the checkpoint, delivers the keys recorded after the frame, and
    // checks that the game ends where the recording ended.
    void FrameRun(TForm1& form);

    bool Finished() const { return Played >= R.Frames || Diverged(); }
    bool Diverged() const { return !Difference.empty(); }
    // "frame F: FIELD expected E, found X" for the first difference.
    const std::string& FirstDifference() const { return Difference; }
    long FramesPlayed() const { return Played; }
    int FinalScore() const { return LastScore; }

   private:
    void Compare(const ReplayCheckpoint& expected);
    void Differ(long frame, const char* field, long long expected, long long found, bool hex = false);

    const Replay& R;
    size_t Run = 0;
    long UsedOfRun = 0;
    size_t NextKey = 0;
    size_t NextCheckpoint = 0;
    long Played = 0;
    int LastScore = 0;
    std::string Difference;
};

// How long the window shows a replay's result before it closes.
constexpr int ReplayResultMs = 3000;
// The result of a finished replay as printed on stdout: "replay ok: N frames, score S" or
// "replay differs at frame F: ...".
std::string ReplayResultText(const ReplayPlayer& player);
// Draws the result over the back buffer's last picture, for the window to show for a moment.
void DrawReplayResult(const ReplayPlayer& player);

}  // namespace veltrano
