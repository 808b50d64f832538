// The mixer, timed: one second of the busiest sound the game makes, all eleven slots playing at once
// (the last stage's music and boss music and every effect, looped), pulled in 512-frame pieces as the
// audio device pulls it, through the master gain and the limiter. Target: under 0.5% of one core.
// And the load of a piece at a scene change.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "app/ProgramFolder.h"
#include "app/SoundBank.h"
#include "platform/Mixer.h"
#include "world/Music.h"

namespace {

using namespace veltrano;

// The benchmark sits in the program folder, beside the game's Sounds.
std::string OwnFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    const std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : "./x";
    return exe.substr(0, exe.rfind('/'));
}

void MixOneSecondOfEverySlot(benchmark::State& state) {
    SetProgramFolder(OwnFolder());
    try {
        LoadSoundBank();
        LoadWave(StageMusic, MusicFile(MusicPiece::Stage10));
        LoadWave(BossMusic, MusicFile(MusicPiece::Boss2));
    } catch (const LoadError& e) {
        state.SkipWithError(e.what());
        return;
    }
    for (int s = 0; s < SoundSlotCount; ++s) PlaySound(static_cast<SoundSlot>(s), true);
    constexpr int DeviceFrames = 512;
    static int16_t out[DeviceFrames * MixChannels];
    for (auto _ : state) {
        for (int done = 0; done < MixRate; done += DeviceFrames) MixSoundBank(out, DeviceFrames);
        benchmark::DoNotOptimize(out);
    }
    // Each iteration is one second of sound: its time as a share of that second, in percent.
    state.counters["core_percent"] =
        benchmark::Counter(0.01, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    FreeSoundBank();
}
BENCHMARK(MixOneSecondOfEverySlot)->Unit(benchmark::kMicrosecond);

// The longest piece of music loaded into its slot, as a scene change does on the game thread: a
// read into place, no conversion. It must fit well inside one 25 ms frame.
void LoadTheLongestPiece(benchmark::State& state) {
    SetProgramFolder(OwnFolder());
    for (auto _ : state) {
        try {
            LoadWave(StageMusic, MusicFile(MusicPiece::Stage10));
        } catch (const LoadError& e) {
            state.SkipWithError(e.what());
            return;
        }
    }
    FreeSoundBank();
}
BENCHMARK(LoadTheLongestPiece)->Unit(benchmark::kMillisecond);

}  // namespace
