// The eleven sound slots and the ways the game plays them. Game modules issue cues through these
// calls only; at start-up the program registers the mixer's sound bank as the device that carries them
// out (app/SoundBank.cpp), so the game's layers never call up into the program shell.
#pragma once

#include <initializer_list>

namespace veltrano {

// Every sound effect, one row each, in slot order: X(slot, name, peak). `name` is its wave file in the
// Sounds folder (without ".wav") and its recipe: the generator renders the effect with its voice of
// that name (tools/assetgen/Sfx.cpp) and scales it so that its loudest sample is `peak` of full scale,
// which sets the balance between the effects. The two music slots follow the effects and take their
// pieces from the scenes (world/Music.h).
// clang-format off
#define VELTRANO_EFFECTS(X)                         \
    X(ShotSound,          Shot,          0.42)      \
    X(EnemyDeathSound,    EnemyDeath,    0.6)       \
    X(BigEnemyDeathSound, BigEnemyDeath, 0.75)      \
    X(BossDeathSound,     BossDeath,     0.95)      \
    X(ItemSound,          Item,          0.5)       \
    X(SpeedSound,         Speed,         0.3)       \
    X(MeDeathSound,       MeDeath,       0.85)      \
    X(BombSound,          Bomb,          0.95)      \
    X(BossAlarmSound,     BossAlarm,     0.42)
// clang-format on

#define VELTRANO_EFFECT_SLOT(slot, name, peak) slot,
enum SoundSlot { VELTRANO_EFFECTS(VELTRANO_EFFECT_SLOT) StageMusic, BossMusic, SoundSlotCount };
#undef VELTRANO_EFFECT_SLOT

void PlaySound(SoundSlot slot, bool loop);  // from the current position; no restart if playing
void StopSound(SoundSlot slot);             // keeps the position
void RewindSound(SoundSlot slot);
int SoundVolume(SoundSlot slot);  // hundredths of a decibel, 0 full, -10000 silent
void SetSoundVolume(SoundSlot slot, int volume);
// The folder beside the program that holds every wave file, effects and music alike.
constexpr const char* SoundsFolderName = "Sounds";

// A wave as the game names it for loading, worked out when the program is compiled: a separator, the
// Sounds folder, a separator, the wave's own name and ".wav" ("\Sounds\Shot.wav"). A name too long
// for the text stops the compiler.
struct WaveFileName {
    char Text[40] = {};
};
consteval WaveFileName SoundsWaveFile(const char* name) {
    WaveFileName file;
    int length = 0;
    for (const char* part : {"\\", SoundsFolderName, "\\", name, ".wav"})
        for (const char* c = part; *c != '\0'; ++c) file.Text[length++] = *c;
    file.Text[length] = '\0';
    return file;
}
// The files of a list of names, in the list's order.
template <int Count>
struct WaveFileList {
    WaveFileName Files[Count];
    constexpr const char* operator[](int index) const { return Files[index].Text; }
};
template <int Count>
consteval WaveFileList<Count> SoundsWaveFiles(const char* const (&names)[Count]) {
    WaveFileList<Count> list;
    for (int i = 0; i < Count; ++i) list.Files[i] = SoundsWaveFile(names[i]);
    return list;
}

// The effects' wave files in the Sounds folder, named without ".wav", in slot order. The sound bank
// loads them at start-up and the generator writes them under these names.
#define VELTRANO_EFFECT_NAME(slot, name, peak) #name,
constexpr const char* EffectNames[] = {VELTRANO_EFFECTS(VELTRANO_EFFECT_NAME)};
#undef VELTRANO_EFFECT_NAME
constexpr int EffectSlotCount = static_cast<int>(sizeof EffectNames / sizeof EffectNames[0]);
static_assert(EffectSlotCount == StageMusic, "the music slots follow the effects");
inline constexpr auto EffectFiles = SoundsWaveFiles(EffectNames);

// Loads a wave named relative to the program folder ("\Sounds\Stage2.wav") into a slot.
void LoadWave(SoundSlot slot, const char* name);

// The device that carries the cues out. Until one is registered every cue goes nowhere and every
// volume reads full.
struct SoundDevice {
    void (*Play)(SoundSlot slot, bool loop);
    void (*Stop)(SoundSlot slot);
    void (*Rewind)(SoundSlot slot);
    int (*Volume)(SoundSlot slot);
    void (*SetVolume)(SoundSlot slot, int volume);
    void (*Load)(SoundSlot slot, const char* name);
    void (*Restart)(SoundSlot slot);  // play and rewind as one step of the mixer
    void (*Silence)(SoundSlot slot);  // stop and rewind as one step of the mixer
};
void RegisterSoundDevice(const SoundDevice* device);

// Play without loop, then rewind: a sound still playing jumps back to its start.
void RestartSound(SoundSlot slot);
// Stop, then rewind: the next play starts from the beginning.
void SilenceSound(SoundSlot slot);
// Every slot silenced, in slot order.
void SilenceAllSounds();

}  // namespace veltrano
