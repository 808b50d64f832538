// The songs of the fourteen pieces of music (world/Music.h), in the order of their files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/Sequencer.h"
#include "world/Music.h"

namespace veltrano::assetgen {

inline constexpr int SongCount = MusicPieceCount;

// The piece's name, its file's without ".wav" (MusicNames).
const char* SongName(int index);
Song MakeSong(int index);

// Every piece is in stereo.
inline constexpr int MusicChannels = 2;

// The finished wave of a piece, normalised, left and right interleaved; false with a message when
// its score does not hold.
bool RenderSongWave(int index, std::vector<int16_t>* pcm, double* tempo, std::string* error);

}  // namespace veltrano::assetgen
