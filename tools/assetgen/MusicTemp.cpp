// The pieces not yet composed play the first stage theme for now.
#include "tools/assetgen/MusicScores.h"
namespace veltrano::assetgen {
Song Stage2Song() { return Stage1Song(); }
Song Stage3Song() { return Stage1Song(); }
Song Stage4Song() { return Stage1Song(); }
Song Stage5Song() { return Stage1Song(); }
Song Stage6Song() { return Stage1Song(); }
Song Stage7Song() { return Stage1Song(); }
Song Stage8Song() { return Stage1Song(); }
Song Stage9Song() { return Stage1Song(); }
Song Stage10Song() { return Stage1Song(); }
Song BossSong() { return Stage1Song(); }
Song Boss2Song() { return Stage1Song(); }
Song LastBattleSong() { return Stage1Song(); }
Song EndingSong() { return Stage1Song(); }
}
