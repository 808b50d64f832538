#include "tools/assetgen/Music.h"

#include <iterator>

#include "tools/assetgen/MusicScores.h"
#include "tools/assetgen/WaveFile.h"

namespace veltrano::assetgen {

namespace {

// The song of every piece of music, beside its piece, in the pieces' order: a piece without a song, or
// a song for no piece, stops the build.
struct SongEntry {
    MusicPiece piece;
    Song (*make)();
};

constexpr SongEntry Songs[] = {
    {MusicPiece::Stage1, Stage1Song},
    {MusicPiece::Stage2, Stage2Song},
    {MusicPiece::Stage3, Stage3Song},
    {MusicPiece::Stage4, Stage4Song},
    {MusicPiece::Stage5, Stage5Song},
    {MusicPiece::Stage6, Stage6Song},
    {MusicPiece::Stage7, Stage7Song},
    {MusicPiece::Stage8, Stage8Song},
    {MusicPiece::Stage9, Stage9Song},
    {MusicPiece::Stage10, Stage10Song},
    {MusicPiece::Boss, BossSong},
    {MusicPiece::Boss2, Boss2Song},
    {MusicPiece::LastBattle, LastBattleSong},
    {MusicPiece::Ending, EndingSong},
};
static_assert(std::size(Songs) == SongCount, "one song for every piece of music");

constexpr bool SongsInPieceOrder() {
    for (int s = 0; s < SongCount; ++s)
        if (static_cast<int>(Songs[s].piece) != s) return false;
    return true;
}
static_assert(SongsInPieceOrder(), "every song beside its own piece, in the pieces' order");

// Every piece at one loudness, well below the effects, leaving headroom for a bomb going off over
// its loudest beat.
constexpr double MusicRms = 0.14;

}  // namespace

const char* SongName(int index) {
    return MusicNames[index];
}

Song MakeSong(int index) {
    Song song = Songs[index].make();
    song.name = MusicNames[index];
    return song;
}

bool RenderSongWave(int index, std::vector<int16_t>* pcm, double* tempo, std::string* error) {
    StereoLoop loop;
    if (!RenderSong(MakeSong(index), &loop, tempo, error)) return false;
    *pcm = FinishLoop(std::move(loop.left), std::move(loop.right), MusicRms);
    return true;
}

}  // namespace veltrano::assetgen
