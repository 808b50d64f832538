// Fuzzes the replay reader: any bytes are either refused with a message or read as a replay that
// writes back to bytes which read as the same replay.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/ReplayFile.h"

using namespace veltrano;

namespace {

bool Same(const Replay& a, const Replay& b) {
    if (a.Frames != b.Frames || a.End != b.End || a.FinalScore != b.FinalScore ||
        a.Runs.size() != b.Runs.size() || a.Keys.size() != b.Keys.size() ||
        a.Checkpoints.size() != b.Checkpoints.size() || a.Header.Seed != b.Header.Seed ||
        a.Header.StartScene != b.Header.StartScene || a.Header.CurrentStates != b.Header.CurrentStates ||
        a.Header.GameVersion != b.Header.GameVersion)
        return false;
    for (size_t i = 0; i < a.Runs.size(); ++i)
        if (a.Runs[i].States != b.Runs[i].States || a.Runs[i].Frames != b.Runs[i].Frames) return false;
    for (size_t i = 0; i < a.Keys.size(); ++i)
        if (a.Keys[i].AfterFrame != b.Keys[i].AfterFrame || a.Keys[i].Vk != b.Keys[i].Vk) return false;
    for (size_t i = 0; i < a.Checkpoints.size(); ++i)
        if (a.Checkpoints[i].Frame != b.Checkpoints[i].Frame ||
            a.Checkpoints[i].Objects != b.Checkpoints[i].Objects ||
            a.Checkpoints[i].Score != b.Checkpoints[i].Score)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Replay replay;
    std::string error;
    if (!ParseReplay(data, size, replay, &error)) {
        if (error.empty() || error.find('\n') != std::string::npos) __builtin_trap();
        return 0;
    }
    const std::vector<uint8_t> again = EncodeReplay(replay);
    Replay reread;
    if (!ParseReplay(again.data(), again.size(), reread, &error) || !Same(replay, reread)) __builtin_trap();
    return 0;
}
