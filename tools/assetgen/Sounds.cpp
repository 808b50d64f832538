// Sounds/*.wav: the nine effects, then the fourteen pieces of music.
#include <string>
#include <vector>

#include "tools/assetgen/Assets.h"
#include "tools/assetgen/Music.h"
#include "tools/assetgen/Sfx.h"
#include "tools/assetgen/SoundSynth.h"
#include "tools/assetgen/WaveFile.h"

namespace veltrano::assetgen {

bool WriteSounds(const std::filesystem::path& out, std::string* error) {
    const auto folder = out / "Sounds";
    for (int e = 0; e < EffectCount; ++e) {
        const auto effect = static_cast<Effect>(e);
        const auto path = folder / (std::string(EffectName(effect)) + ".wav");
        if (!WriteWave(path, RenderEffectWave(effect), SampleRate, error)) return false;
    }
    for (int s = 0; s < SongCount; ++s) {
        std::vector<int16_t> pcm;
        double tempo = 0;
        if (!RenderSongWave(s, &pcm, &tempo, error)) return false;
        if (!WriteWave(folder / (std::string(SongName(s)) + ".wav"), pcm, SampleRate, error)) return false;
    }
    return true;
}

}  // namespace veltrano::assetgen
