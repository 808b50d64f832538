#include "app/ReplayFile.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#include "platform/Input.h"
#include "world/World.h"

namespace veltrano {

namespace {

constexpr char Magic[4] = {'V', 'G', 'R', 'P'};

// Record tags of the frame stream. Most frames of a game change one or two states, and most runs
// are short, so those have one-byte forms: an hour of play stays well under a megabyte.
constexpr uint8_t TagFrames = 1, TagChange = 2, TagKey = 3, TagCheckpoint = 4, TagEnd = 5;
constexpr uint8_t TagShortRun = 0x40;  // 0x40 + n - 1: a run of n = 1..64 frames
constexpr int ShortRunMax = 64;
constexpr uint8_t TagToggle = 0x80;  // 0x80 + s: input state s (0..35) changes

bool RecordedKey(int vk) {
    return vk == Vk::Home || vk == Vk::Insert || vk == Vk::Delete || vk == FocusLostEvent;
}

bool ShipSelectStartScene(int scene) {
    return (scene >= Stage1Scene && scene <= ChallengeBattleScene) ||
           (scene >= BossRush1Scene && scene <= BossRush10Scene);
}

uint64_t ZigZag(int64_t v) {
    return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63);
}
int64_t UnZigZag(uint64_t u) {
    return static_cast<int64_t>(u >> 1) ^ -static_cast<int64_t>(u & 1);
}

// A bounds-checked cursor over the file's bytes. The first failure sticks and keeps its message.
class Reader {
   public:
    Reader(const uint8_t* data, size_t size) : Data(data), Size(size) {}

    bool Ok() const { return Error.empty(); }
    const std::string& Message() const { return Error; }
    size_t Offset() const { return Pos; }
    bool AtEnd() const { return Pos >= Size; }

    void Fail(const std::string& message) {
        if (Error.empty()) Error = message;
    }
    uint64_t Fixed(int bytes) {
        if (!Ok()) return 0;
        if (Size - Pos < static_cast<size_t>(bytes)) {
            Fail("truncated at byte " + std::to_string(Size));
            return 0;
        }
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= uint64_t{Data[Pos + i]} << (8 * i);
        Pos += static_cast<size_t>(bytes);
        return v;
    }
    uint64_t Varint() {
        uint64_t v = 0;
        for (int shift = 0; Ok(); shift += 7) {
            if (shift > 63) {
                Fail("number too long at byte " + std::to_string(Pos));
                return 0;
            }
            const uint64_t byte = Fixed(1);
            if (shift == 63 && (byte & 0x7e) != 0) {
                Fail("number too large at byte " + std::to_string(Pos - 1));
                return 0;
            }
            v |= (byte & 0x7f) << shift;
            if ((byte & 0x80) == 0) break;
        }
        return v;
    }
    // A signed number that must fit an int.
    int Int(const char* what) {
        const int64_t v = UnZigZag(Varint());
        if (Ok() && (v < INT32_MIN || v > INT32_MAX)) Fail(std::string(what) + " out of range");
        return static_cast<int>(v);
    }
    std::string Text(size_t length) {
        if (!Ok()) return {};
        if (Size - Pos < length) {
            Fail("truncated at byte " + std::to_string(Size));
            return {};
        }
        std::string s(reinterpret_cast<const char*>(Data + Pos), length);
        Pos += length;
        return s;
    }

   private:
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
    std::string Error;
};

void Check(Reader& in, bool condition, const std::string& message) {
    if (in.Ok() && !condition) in.Fail(message);
}

void ReadHeader(Reader& in, ReplayHeader& h) {
    const std::string magic = in.Text(4);
    if (magic.size() != 4 || std::memcmp(magic.data(), Magic, 4) != 0) {
        in = Reader(nullptr, 0);
        in.Fail("not a replay file (no VGRP mark at its start)");
        return;
    }
    const int version = static_cast<int>(in.Fixed(2));
    Check(in, version != 0, "format version 0 does not exist");
    Check(in, version <= ReplayFormatVersion,
          "format version " + std::to_string(version) + " is newer than this game reads (" +
              std::to_string(ReplayFormatVersion) + "); a newer game recorded it");
    const size_t length = static_cast<size_t>(in.Fixed(1));
    Check(in, length <= ReplayMaxVersionLength, "game version text too long");
    h.GameVersion = in.Text(length);
    for (char c : h.GameVersion) Check(in, c >= 0x20 && c < 0x7f, "game version text is not plain text");
    h.Seed = static_cast<uint32_t>(in.Fixed(4));
    const int start = static_cast<int>(in.Fixed(1));
    h.StartScene = static_cast<int8_t>(in.Fixed(1));
    Check(in, start == 1 || start == 2, "unknown kind of start " + std::to_string(start));
    h.Start = static_cast<ReplayStart>(start);
    if (h.Start == ReplayStart::ShipSelect)
        Check(in, ShipSelectStartScene(h.StartScene),
              "impossible start scene " + std::to_string(h.StartScene) +
                  " for a game started on the ship select");
    else
        Check(in, h.StartScene >= Stage1Scene && h.StartScene <= LastScene,
              "impossible start scene " + std::to_string(h.StartScene));
    h.ShotType = static_cast<int>(in.Fixed(1));
    h.Difficulty = static_cast<int>(in.Fixed(1));
    h.Lives = static_cast<int>(in.Fixed(1));
    h.ShotPower = static_cast<int>(in.Fixed(1));
    const int options = static_cast<int>(in.Fixed(1));
    Check(in, h.ShotType >= 1 && h.ShotType <= 6, "impossible weapon " + std::to_string(h.ShotType));
    Check(in, h.Difficulty >= 0 && h.Difficulty <= 2,
          "impossible difficulty " + std::to_string(h.Difficulty));
    Check(in, h.Lives >= 1 && h.Lives <= 9, "impossible number of ships " + std::to_string(h.Lives));
    Check(in, h.ShotPower >= 1 && h.ShotPower <= 3, "impossible weapon power " + std::to_string(h.ShotPower));
    Check(in, options <= 3, "impossible option flags");
    h.Option1 = (options & 1) != 0;
    h.Option2 = (options & 2) != 0;
    for (int& b : h.Buttons) {
        b = static_cast<int>(in.Fixed(1));
        Check(in, b <= 32, "impossible button number " + std::to_string(b));
    }
    h.CurrentStates = in.Fixed(8);
    h.PreviousRawStates = in.Fixed(8);
    Check(in, (h.CurrentStates | h.PreviousRawStates) <= ReplayStateMask, "impossible input states");
    h.MenuCursorY = static_cast<int>(in.Fixed(2));
    const int latches = static_cast<int>(in.Fixed(1));
    Check(in, h.MenuCursorY >= 64 && h.MenuCursorY <= 384 && h.MenuCursorY % 64 == 0,
          "impossible menu cursor " + std::to_string(h.MenuCursorY));
    Check(in, latches <= 3, "impossible latch flags");
    h.UpLatch = (latches & 1) != 0;
    h.DownLatch = (latches & 2) != 0;
}

void ReadCheckpoint(Reader& in, ReplayCheckpoint& c) {
    const uint64_t frame = in.Varint();
    c.Frame = frame <= static_cast<uint64_t>(ReplayMaxFrames) ? static_cast<long>(frame) : -1;
    c.Scene = in.Int("scene");
    c.StageFrame = in.Int("stage frame");
    c.Score = in.Int("score");
    c.Lives = in.Int("ships");
    c.Random = static_cast<uint32_t>(in.Fixed(4));
    c.Objects = in.Fixed(8);
    c.Ship = in.Fixed(8);
    Check(in, c.Scene >= FirstScene && c.Scene <= LastScene,
          "checkpoint with impossible scene " + std::to_string(c.Scene));
}

// Where the reading of the record stream stands.
struct StreamPlace {
    uint64_t States = 0;
    long Frames = 0;
    long LastCheckpoint = 0;
    bool Ended = false;
};

// A run of n frames under the current states, joined to the last run when the states are the same.
void ReadFrames(Reader& in, Replay& r, StreamPlace& p, uint64_t n, size_t at) {
    // Frames between two checkpoints never pass the next 200th frame.
    const long due = (p.LastCheckpoint / ReplayCheckpointInterval + 1) * ReplayCheckpointInterval;
    Check(in, n >= 1 && n <= static_cast<uint64_t>(due - p.Frames),
          "a run of " + std::to_string(n) + " frames at byte " + std::to_string(at) +
              " passes the checkpoint due after frame " + std::to_string(due));
    Check(in, p.Frames + static_cast<long>(n) <= ReplayMaxFrames, "longer than any game");
    if (!in.Ok()) return;
    p.Frames += static_cast<long>(n);
    if (!r.Runs.empty() && r.Runs.back().States == p.States)
        r.Runs.back().Frames += static_cast<long>(n);
    else
        r.Runs.push_back({p.States, static_cast<long>(n)});
}

void ReadKey(Reader& in, Replay& r, const StreamPlace& p, size_t at) {
    const int vk = static_cast<int>(in.Fixed(1));
    Check(in, RecordedKey(vk), "impossible key " + std::to_string(vk) + " at byte " + std::to_string(at));
    Check(in, p.Frames >= 1, "a key before the first frame");
    r.Keys.push_back({p.Frames, vk});
}

void ReadCheckpointRecord(Reader& in, Replay& r, StreamPlace& p, size_t at) {
    ReplayCheckpoint c;
    ReadCheckpoint(in, c);
    Check(in, c.Frame == p.Frames && p.Frames > p.LastCheckpoint,
          "checkpoint at byte " + std::to_string(at) + " is not at frame " + std::to_string(p.Frames));
    p.LastCheckpoint = p.Frames;
    r.Checkpoints.push_back(c);
}

// The end record: how the game ended, its score and the frame count, which must all agree with
// what came before, and nothing after it.
void ReadEnd(Reader& in, Replay& r, StreamPlace& p) {
    const int reason = static_cast<int>(in.Fixed(1));
    Check(in, reason >= 1 && reason <= 4, "unknown end " + std::to_string(reason));
    r.End = static_cast<ReplayEnd>(reason);
    r.FinalScore = in.Int("final score");
    const uint64_t total = in.Varint();
    Check(
        in, total == static_cast<uint64_t>(p.Frames),
        "the end says " + std::to_string(total) + " frames, the recording holds " + std::to_string(p.Frames));
    Check(in, p.Frames >= 1, "the recording holds no frame");
    Check(in, p.LastCheckpoint == p.Frames, "no checkpoint after the last frame");
    Check(in, in.AtEnd(), "bytes after the end at byte " + std::to_string(in.Offset()));
    r.Frames = p.Frames;
    p.Ended = true;
}

void ReadStream(Reader& in, Replay& r) {
    StreamPlace p;
    while (in.Ok() && !p.Ended) {
        if (in.AtEnd()) {
            in.Fail("truncated after frame " + std::to_string(p.Frames) + ": the recording has no end");
            break;
        }
        const size_t at = in.Offset();
        const int tag = static_cast<int>(in.Fixed(1));
        if (tag >= TagToggle && tag < TagToggle + 36) {
            p.States ^= uint64_t{1} << (tag - TagToggle);
        } else if (tag >= TagShortRun && tag < TagShortRun + ShortRunMax) {
            ReadFrames(in, r, p, static_cast<uint64_t>(tag - TagShortRun + 1), at);
        } else if (tag == TagFrames) {
            ReadFrames(in, r, p, in.Varint(), at);
        } else if (tag == TagChange) {
            const uint64_t mask = in.Varint();
            Check(in, mask != 0 && mask <= ReplayStateMask,
                  "impossible input states at byte " + std::to_string(at));
            p.States ^= mask;
        } else if (tag == TagKey) {
            ReadKey(in, r, p, at);
        } else if (tag == TagCheckpoint) {
            ReadCheckpointRecord(in, r, p, at);
        } else if (tag == TagEnd) {
            ReadEnd(in, r, p);
        } else {
            in.Fail("unknown record " + std::to_string(tag) + " at byte " + std::to_string(at));
        }
    }
}

}  // namespace

const char* ReplayEndName(ReplayEnd end) {
    switch (end) {
        case ReplayEnd::GameOver:
            return "game over";
        case ReplayEnd::StaffRoll:
            return "staff roll";
        case ReplayEnd::Home:
            return "Home";
        case ReplayEnd::Quit:
            return "quit";
    }
    return "?";
}

bool ParseReplay(const uint8_t* data, size_t size, Replay& out, std::string* error) {
    out = Replay{};
    Reader in(data, size);
    ReadHeader(in, out.Header);
    if (in.Ok()) ReadStream(in, out);
    if (!in.Ok()) {
        if (error) *error = in.Message();
        out = Replay{};
        return false;
    }
    return true;
}

bool ReadReplayFile(const std::string& path, Replay& out, std::string* error) {
    // Through the guarded file layer: a FIFO or a folder given as a replay is refused, never waited on.
    std::vector<uint8_t> bytes;
    std::string why;
    const FileStatus status = ReadWholeFile(path, ReplayMaxFileBytes, bytes, &why);
    if (status != FileStatus::Done) {
        if (error) *error = why;
        return false;
    }
    if (ParseReplay(bytes.data(), bytes.size(), out, &why)) return true;
    if (error) *error = path + ": " + why;
    return false;
}

// ---- Writing ---------------------------------------------------------------------------------

ReplayWriter::~ReplayWriter() = default;

bool ReplayWriter::Open(const std::string& path, const ReplayHeader& header, std::string* error) {
    Memory = nullptr;
    // Written under a temporary name: the previous recording stays until this one is finished.
    if (!File.Open(path, error)) return false;
    Start(header);
    return true;
}

void ReplayWriter::OpenInMemory(const ReplayHeader& header, std::vector<uint8_t>* out) {
    File.Abandon();
    Memory = out;
    Memory->clear();
    Start(header);
}

void ReplayWriter::Start(const ReplayHeader& h) {
    Used = 0;
    States = 0;
    PendingFrames = 0;
    Frames = 0;
    for (char c : Magic) Put(static_cast<uint8_t>(c));
    PutFixed(ReplayFormatVersion, 2);
    const size_t length = std::min<size_t>(h.GameVersion.size(), ReplayMaxVersionLength);
    Put(static_cast<uint8_t>(length));
    for (size_t i = 0; i < length; ++i) Put(static_cast<uint8_t>(h.GameVersion[i]));
    PutFixed(h.Seed, 4);
    Put(static_cast<uint8_t>(h.Start));
    Put(static_cast<uint8_t>(static_cast<int8_t>(h.StartScene)));
    Put(static_cast<uint8_t>(h.ShotType));
    Put(static_cast<uint8_t>(h.Difficulty));
    Put(static_cast<uint8_t>(h.Lives));
    Put(static_cast<uint8_t>(h.ShotPower));
    Put(static_cast<uint8_t>((h.Option1 ? 1 : 0) | (h.Option2 ? 2 : 0)));
    // A button outside 1..32 reads as never pressed, the same as no button.
    for (int b : h.Buttons) Put(static_cast<uint8_t>(b >= 1 && b <= 32 ? b : 0));
    PutFixed(h.CurrentStates & ReplayStateMask, 8);
    PutFixed(h.PreviousRawStates & ReplayStateMask, 8);
    PutFixed(static_cast<uint64_t>(h.MenuCursorY), 2);
    Put(static_cast<uint8_t>((h.UpLatch ? 1 : 0) | (h.DownLatch ? 2 : 0)));
}

void ReplayWriter::Frame(uint64_t states) {
    if (!IsOpen()) return;
    states &= ReplayStateMask;
    if (states != States) {
        FlushRun();
        const uint64_t change = states ^ States;
        if (std::popcount(change) <= 2) {
            for (int s = 0; s < 36; ++s)
                if (change & (uint64_t{1} << s)) Put(static_cast<uint8_t>(TagToggle + s));
        } else {
            Put(TagChange);
            PutVarint(change);
        }
        States = states;
    }
    ++PendingFrames;
    ++Frames;
}

void ReplayWriter::Key(int vk) {
    if (!IsOpen() || !RecordedKey(vk) || Frames == 0) return;
    FlushRun();
    Put(TagKey);
    Put(static_cast<uint8_t>(vk));
}

void ReplayWriter::Checkpoint(const ReplayCheckpoint& c) {
    if (!IsOpen()) return;
    FlushRun();
    Put(TagCheckpoint);
    PutVarint(static_cast<uint64_t>(c.Frame));
    PutSigned(c.Scene);
    PutSigned(c.StageFrame);
    PutSigned(c.Score);
    PutSigned(c.Lives);
    PutFixed(c.Random, 4);
    PutFixed(c.Objects, 8);
    PutFixed(c.Ship, 8);
    // A game that crashes later still leaves every checkpoint written so far on the disk.
    Flush();
}

bool ReplayWriter::Finish(ReplayEnd end, int finalScore, std::string* error) {
    if (!IsOpen()) return false;
    FlushRun();
    Put(TagEnd);
    Put(static_cast<uint8_t>(end));
    PutSigned(finalScore);
    PutVarint(static_cast<uint64_t>(Frames));
    Flush();
    bool ok = true;
    if (File.IsOpen()) ok = File.Commit(error);
    Memory = nullptr;
    return ok;
}

void ReplayWriter::FlushRun() {
    if (PendingFrames == 0) return;
    if (PendingFrames <= ShortRunMax) {
        Put(static_cast<uint8_t>(TagShortRun + PendingFrames - 1));
    } else {
        Put(TagFrames);
        PutVarint(static_cast<uint64_t>(PendingFrames));
    }
    PendingFrames = 0;
}

void ReplayWriter::Put(uint8_t byte) {
    if (Used == sizeof Buffer) Flush();
    Buffer[Used++] = byte;
}

void ReplayWriter::PutVarint(uint64_t v) {
    while (v >= 0x80) {
        Put(static_cast<uint8_t>(v | 0x80));
        v >>= 7;
    }
    Put(static_cast<uint8_t>(v));
}

void ReplayWriter::PutSigned(int64_t v) {
    PutVarint(ZigZag(v));
}

void ReplayWriter::PutFixed(uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) Put(static_cast<uint8_t>(v >> (8 * i)));
}

void ReplayWriter::Flush() {
    if (Used == 0) return;
    if (File.IsOpen()) {
        File.Write(Buffer, Used);
    } else if (Memory) {
        Memory->insert(Memory->end(), Buffer, Buffer + Used);
    }
    Used = 0;
}

std::vector<uint8_t> EncodeReplay(const Replay& r) {
    std::vector<uint8_t> bytes;
    ReplayWriter w;
    w.OpenInMemory(r.Header, &bytes);
    size_t key = 0, checkpoint = 0;
    long frame = 0;
    auto after = [&](long f) {
        for (; checkpoint < r.Checkpoints.size() && r.Checkpoints[checkpoint].Frame == f; ++checkpoint)
            w.Checkpoint(r.Checkpoints[checkpoint]);
        for (; key < r.Keys.size() && r.Keys[key].AfterFrame == f; ++key) w.Key(r.Keys[key].Vk);
    };
    for (const ReplayRun& run : r.Runs)
        for (long i = 0; i < run.Frames; ++i) {
            w.Frame(run.States);
            after(++frame);
        }
    w.Finish(r.End, r.FinalScore, nullptr);
    return bytes;
}

}  // namespace veltrano
