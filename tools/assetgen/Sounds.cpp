// Sounds/*.wav: the nine effects, then the fourteen pieces of music.
#include <string>
#include <thread>
#include <vector>

#include "tools/assetgen/Assets.h"
#include "tools/assetgen/Music.h"
#include "tools/assetgen/Sfx.h"
#include "tools/assetgen/SoundSynth.h"
#include "tools/assetgen/WaveFile.h"

namespace veltrano::assetgen {

namespace {

struct SongJob {
    bool ok = false;
    std::string error;
};

// Renders and writes every `stride`-th piece from `first`. Pieces share nothing, so two of these
// can run side by side and still write the same bytes as one would.
void WriteSongs(const std::filesystem::path& folder, int first, int stride, std::vector<SongJob>* jobs) {
    for (int s = first; s < SongCount; s += stride) {
        SongJob& job = (*jobs)[s];
        std::vector<int16_t> pcm;
        double tempo = 0;
        job.ok = RenderSongWave(s, &pcm, &tempo, &job.error) &&
                 WriteWave(folder / (std::string(SongName(s)) + ".wav"), pcm, SampleRate, &job.error,
                           MusicChannels);
    }
}

}  // namespace

bool WriteSounds(const std::filesystem::path& out, std::string* error) {
    const auto folder = out / SoundsFolderName;
    for (int e = 0; e < EffectSlotCount; ++e) {
        const auto path = folder / (std::string(EffectNames[e]) + ".wav");
        if (!WriteWave(path, RenderEffectWave(static_cast<SoundSlot>(e)), SampleRate, error)) return false;
    }
    // The music is most of the generator's time; two threads halve it on the build machines.
    std::vector<SongJob> jobs(SongCount);
    std::thread helper(WriteSongs, folder, 1, 2, &jobs);
    WriteSongs(folder, 0, 2, &jobs);
    helper.join();
    for (const SongJob& job : jobs) {
        if (!job.ok) {
            if (error) *error = job.error;
            return false;
        }
    }
    return true;
}

}  // namespace veltrano::assetgen
