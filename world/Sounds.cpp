#include "world/Sounds.h"

namespace veltrano {

namespace {

const SoundDevice* Device = nullptr;

}  // namespace

void RegisterSoundDevice(const SoundDevice* device) {
    Device = device;
}

void PlaySound(SoundSlot slot, bool loop) {
    if (Device != nullptr) Device->Play(slot, loop);
}
void StopSound(SoundSlot slot) {
    if (Device != nullptr) Device->Stop(slot);
}
void RewindSound(SoundSlot slot) {
    if (Device != nullptr) Device->Rewind(slot);
}
int SoundVolume(SoundSlot slot) {
    return Device != nullptr ? Device->Volume(slot) : 0;
}
void SetSoundVolume(SoundSlot slot, int volume) {
    if (Device != nullptr) Device->SetVolume(slot, volume);
}
void LoadWave(SoundSlot slot, const char* name) {
    if (Device != nullptr) Device->Load(slot, name);
}
void RestartSound(SoundSlot slot) {
    if (Device != nullptr) Device->Restart(slot);
}
void SilenceSound(SoundSlot slot) {
    if (Device != nullptr) Device->Silence(slot);
}
void SilenceAllSounds() {
    for (int s = 0; s < SoundSlotCount; ++s) SilenceSound(static_cast<SoundSlot>(s));
}

}  // namespace veltrano
