// The scores of the pieces, one function each, written in the note language of Sequencer.h.
#pragma once

#include "tools/assetgen/Sequencer.h"

namespace veltrano::assetgen {

Song Stage1Song();
Song Stage2Song();
Song Stage3Song();
Song Stage4Song();
Song Stage5Song();
Song Stage6Song();
Song Stage7Song();
Song Stage8Song();
Song Stage9Song();
Song Stage10Song();
Song BossSong();
Song Boss2Song();
Song LastBattleSong();
Song EndingSong();

}  // namespace veltrano::assetgen
