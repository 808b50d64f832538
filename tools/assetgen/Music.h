// The fourteen pieces of music, in the order of their files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/Sequencer.h"

namespace veltrano::assetgen {

inline constexpr int SongCount = 14;

// "Stage1" ... "Stage10", "Boss", "Boss2", "LastBattle", "Ending".
const char* SongName(int index);
Song MakeSong(int index);

// Every piece is in stereo.
inline constexpr int MusicChannels = 2;

// The finished wave of a piece, normalised, left and right interleaved; false with a message when
// its score does not hold.
bool RenderSongWave(int index, std::vector<int16_t>* pcm, double* tempo, std::string* error);

}  // namespace veltrano::assetgen
