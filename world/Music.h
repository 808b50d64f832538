// The pieces of music in the Sounds folder, named once: the scenes load them into the two music slots
// and the generator writes a song under each name. X(name) for each, in the order of their files; the
// stages' pieces come first, in stage order.
#pragma once

#include "world/Sounds.h"

namespace veltrano {

// clang-format off
#define VELTRANO_MUSIC_PIECES(X)                                                                     \
    X(Stage1) X(Stage2) X(Stage3) X(Stage4) X(Stage5) X(Stage6) X(Stage7) X(Stage8) X(Stage9)       \
    X(Stage10) X(Boss) X(Boss2) X(LastBattle) X(Ending)
// clang-format on

#define VELTRANO_MUSIC_ENUM(name) name,
enum class MusicPiece { VELTRANO_MUSIC_PIECES(VELTRANO_MUSIC_ENUM) };
#undef VELTRANO_MUSIC_ENUM

// The pieces' wave files in the Sounds folder, named without ".wav", in MusicPiece order.
#define VELTRANO_MUSIC_NAME(name) #name,
constexpr const char* MusicNames[] = {VELTRANO_MUSIC_PIECES(VELTRANO_MUSIC_NAME)};
#undef VELTRANO_MUSIC_NAME
constexpr int MusicPieceCount = static_cast<int>(sizeof MusicNames / sizeof MusicNames[0]);
inline constexpr auto MusicFiles = SoundsWaveFiles(MusicNames);

// A piece as the game loads it ("\Sounds\Boss2.wav").
constexpr const char* MusicFile(MusicPiece piece) {
    return MusicFiles[static_cast<int>(piece)];
}

static_assert(static_cast<int>(MusicPiece::Stage10) - static_cast<int>(MusicPiece::Stage1) == 9,
              "the ten stages' pieces in stage order");

// The piece of stage `stage` (1 to 10).
constexpr MusicPiece StageMusicPiece(int stage) {
    return static_cast<MusicPiece>(static_cast<int>(MusicPiece::Stage1) + stage - 1);
}

}  // namespace veltrano
