#include "app/SoundBank.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "app/ProgramFolder.h"
#include "platform/Say.h"
#include "stages/SceneTable.h"

namespace veltrano {

namespace {

// The music slots start with the first stage's pieces, ready for a game started from the title.
constexpr const char* StartMusic[] = {RowOf(Stage1Scene).Music.StageFile, RowOf(Stage1Scene).Music.BossFile};
static_assert(EffectSlotCount + std::size(StartMusic) == SoundSlotCount);

void BankLoad(SoundSlot slot, const char* name) {
    std::string path = ProgramPath(name), error;
    Wave wave;
    if (!ReadWaveFile(path, &wave, &error)) throw LoadError(error);
    if (!wave.Damage.empty()) SayLine("%s: %s", path.c_str(), wave.Damage.c_str());
    SwapWaveIntoSlot(slot, wave, path);
}

// The game's cues reach the mixer's slots through the bank.
const SoundDevice Bank{PlaySlot,      StopSlot, RewindSlot,  SlotVolume,
                       SetSlotVolume, BankLoad, RestartSlot, SilenceSlot};

}  // namespace

void LoadSoundBank() {
    RegisterSoundDevice(&Bank);
    ResetSoundBank();
    for (int s = 0; s < EffectSlotCount; ++s) LoadWave(static_cast<SoundSlot>(s), EffectFiles[s]);
    for (int m = 0; m < static_cast<int>(std::size(StartMusic)); ++m)
        LoadWave(static_cast<SoundSlot>(EffectSlotCount + m), StartMusic[m]);
}

}  // namespace veltrano
