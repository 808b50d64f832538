#include "tools/assetgen/Music.h"

#include "tools/assetgen/MusicScores.h"
#include "tools/assetgen/WaveFile.h"

namespace veltrano::assetgen {

namespace {

struct SongEntry {
    const char* name;
    Song (*make)();
};

const SongEntry Songs[SongCount] = {
    {"Stage1", Stage1Song},         {"Stage2", Stage2Song},   {"Stage3", Stage3Song}, {"Stage4", Stage4Song},
    {"Stage5", Stage5Song},         {"Stage6", Stage6Song},   {"Stage7", Stage7Song}, {"Stage8", Stage8Song},
    {"Stage9", Stage9Song},         {"Stage10", Stage10Song}, {"Boss", BossSong},     {"Boss2", Boss2Song},
    {"LastBattle", LastBattleSong}, {"Ending", EndingSong},
};

// Every piece at one loudness, well below the effects, leaving headroom for a bomb going off over
// its loudest beat.
constexpr double MusicRms = 0.14;

}  // namespace

const char* SongName(int index) {
    return Songs[index].name;
}

Song MakeSong(int index) {
    return Songs[index].make();
}

bool RenderSongWave(int index, std::vector<int16_t>* pcm, double* tempo, std::string* error) {
    StereoLoop loop;
    if (!RenderSong(MakeSong(index), &loop, tempo, error)) return false;
    *pcm = FinishLoop(std::move(loop.left), std::move(loop.right), MusicRms);
    return true;
}

}  // namespace veltrano::assetgen
