// Replay files (.vgr): one recorded game, from the ship select's start to its end. The layout is
// described in docs/replay.md. The reader accepts any bytes: a file that is not a whole, sane
// replay is refused with one line saying why.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace veltrano {

constexpr uint16_t ReplayFormatVersion = 1;
// A checkpoint is written after frame 1, after every 200th frame and after the last one.
constexpr long ReplayCheckpointInterval = 200;
// Six hours of play; nobody plays longer without a pause that ends the game.
constexpr long ReplayMaxFrames = 6L * 3600 * 40;
constexpr long ReplayMaxFileBytes = 64L << 20;
constexpr int ReplayMaxVersionLength = 32;
constexpr uint64_t ReplayStateMask = (uint64_t{1} << 36) - 1;

// How the recorded game began: through the ship select's start, as a player starts one, or by a
// tool entering its scene directly with the weapon power the header gives.
enum class ReplayStart : uint8_t { ShipSelect = 1, Entered = 2 };
// How it ended: game over, the staff roll's end, the Home key, or Escape (or the window closed).
enum class ReplayEnd : uint8_t { GameOver = 1, StaffRoll = 2, Home = 3, Quit = 4 };

struct ReplayHeader {
    std::string GameVersion;
    uint32_t Seed = 0;
    ReplayStart Start = ReplayStart::ShipSelect;
    int StartScene = 2;
    int ShotType = 1;
    int Difficulty = 1;
    int Lives = 4;
    // Entered starts only: the weapon power and options the scene begins with.
    int ShotPower = 1;
    bool Option1 = false, Option2 = false;
    // Button numbers of the speed, fire, burst and confirm actions; 0 is no button.
    int Buttons[4] = {1, 2, 3, 9};
    // The input and the ship select's cursor as they stood before the first frame.
    uint64_t CurrentStates = 0, PreviousRawStates = 0;
    int MenuCursorY = 64;
    bool UpLatch = false, DownLatch = false;
};

struct ReplayCheckpoint {
    long Frame = 0;
    int Scene = 0, StageFrame = 0, Score = 0, Lives = 0;
    uint32_t Random = 0;
    uint64_t Objects = 0, Ship = 0;
};

// Consecutive frames read with the same raw input states (bit n = input state n).
struct ReplayRun {
    uint64_t States = 0;
    long Frames = 0;
};

// Not a key: the window lost the focus during play and play paused. It travels with the keys because
// it reaches the game the same way, between frames.
constexpr int FocusLostEvent = 0x07;

// A key-down event to the window (Home, Insert or Delete, or the focus lost) after frame `AfterFrame`.
struct ReplayKey {
    long AfterFrame = 0;
    int Vk = 0;
};

struct Replay {
    ReplayHeader Header;
    std::vector<ReplayRun> Runs;
    std::vector<ReplayKey> Keys;
    std::vector<ReplayCheckpoint> Checkpoints;
    ReplayEnd End = ReplayEnd::Quit;
    int FinalScore = 0;
    long Frames = 0;
};

const char* ReplayEndName(ReplayEnd end);

// Reads a replay from memory; on failure `error` says what is wrong and where.
bool ParseReplay(const uint8_t* data, size_t size, Replay& out, std::string* error);
// Reads a replay file; the message names the file.
bool ReadReplayFile(const std::string& path, Replay& out, std::string* error);

// Writes a replay while the game is played: the header when the game starts, then frame by frame,
// through a small fixed buffer, so that recording allocates nothing during play.
class ReplayWriter {
   public:
    ReplayWriter() = default;
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;
    ~ReplayWriter();

    // To a file (under a temporary name until Finish renames it over the old one), or to memory (for
    // tests and tools).
    bool Open(const std::string& path, const ReplayHeader& header, std::string* error);
    void OpenInMemory(const ReplayHeader& header, std::vector<uint8_t>* out);
    bool IsOpen() const { return File.IsOpen() || Memory != nullptr; }
    long FramesWritten() const { return Frames; }

    void Frame(uint64_t states);
    void Key(int vk);
    void Checkpoint(const ReplayCheckpoint& checkpoint);
    // Writes the end record and puts the file in place; false with a message naming the file when it
    // could not be written, and the previous recording is then left as it was.
    bool Finish(ReplayEnd end, int finalScore, std::string* error);

   private:
    void Start(const ReplayHeader& header);
    void Put(uint8_t byte);
    void PutVarint(uint64_t value);
    void PutSigned(int64_t value);
    void PutFixed(uint64_t value, int bytes);
    void FlushRun();
    void Flush();

    ReplacingFile File;
    std::vector<uint8_t>* Memory = nullptr;
    uint8_t Buffer[4096];
    size_t Used = 0;
    uint64_t States = 0;
    long PendingFrames = 0;
    long Frames = 0;
};

// The whole of a replay as bytes (the writer's output for a replay held in memory).
std::vector<uint8_t> EncodeReplay(const Replay& replay);

}  // namespace veltrano
