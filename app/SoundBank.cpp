#include "app/SoundBank.h"

#include <algorithm>

#include "stages/SceneTable.h"

namespace veltrano {

SoundBuffer SoundSlots[SoundSlotCount];

namespace {

std::string Folder = ".";

constexpr const char* StartFiles[SoundSlotCount] = {
    "\\Sounds\\Shot.wav",
    "\\Sounds\\EnemyDeath.wav",
    "\\Sounds\\BigEnemyDeath.wav",
    "\\Sounds\\BossDeath.wav",
    "\\Sounds\\Item.wav",
    "\\Sounds\\Speed.wav",
    "\\Sounds\\MeDeath.wav",
    "\\Sounds\\Bomb.wav",
    "\\Sounds\\BossAlarm.wav",
    RowOf(Stage1Scene).Music.StageFile,
    RowOf(Stage1Scene).Music.BossFile,
};

}  // namespace

void SetProgramFolder(const std::string& folder) {
    Folder = folder;
    while (Folder.size() > 1 && Folder.back() == '/') Folder.pop_back();
}

const std::string& ProgramFolder() {
    return Folder;
}

std::string ProgramPath(const char* name) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (relative.empty() || relative.front() != '/') relative.insert(relative.begin(), '/');
    return Folder + relative;
}

void LoadWave(SoundSlot slot, const char* name) {
    std::string error;
    if (!LoadWaveFile(SoundSlots[slot], ProgramPath(name), &error)) throw LoadError(error);
}

void LoadSoundBank() {
    for (int s = 0; s < SoundSlotCount; ++s) {
        SoundSlots[s] = SoundBuffer{};
        LoadWave(static_cast<SoundSlot>(s), StartFiles[s]);
    }
}

void FreeSoundBank() {
    for (SoundBuffer& buffer : SoundSlots) buffer = SoundBuffer{};
}

void PlaySound(SoundSlot slot, bool loop) {
    PlayBuffer(SoundSlots[slot], loop);
}
void StopSound(SoundSlot slot) {
    StopBuffer(SoundSlots[slot]);
}
void RewindSound(SoundSlot slot) {
    RewindBuffer(SoundSlots[slot]);
}
int SoundVolume(SoundSlot slot) {
    return SoundSlots[slot].Volume;
}
void SetSoundVolume(SoundSlot slot, int volume) {
    SetBufferVolume(SoundSlots[slot], volume);
}

void RestartSound(SoundSlot slot) {
    PlaySound(slot, false);
    RewindSound(slot);
}

void SilenceSound(SoundSlot slot) {
    StopSound(slot);
    RewindSound(slot);
}

void SilenceAllSounds() {
    for (int s = 0; s < SoundSlotCount; ++s) SilenceSound(static_cast<SoundSlot>(s));
}

void MixSoundBank(int16_t* out, int frames) {
    MixBuffers(SoundSlots, SoundSlotCount, out, frames);
}

}  // namespace veltrano
