// The sound bank: one buffer for each of the game's sound slots, and the one mix of them all, through
// the master gain and the limiter. The audio device pulls it from its own thread; a headless run mixes
// it after each frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Mixer.h"
#include "world/Sounds.h"

namespace veltrano {

// The slots' buffers. Every operation below takes the mixer's lock, so the audio
// thread sees it whole and at once; the game's cues (world/Sounds.h) come to these.
extern SoundBuffer SoundSlots[SoundSlotCount];

void PlaySlot(SoundSlot slot, bool loop);
void StopSlot(SoundSlot slot);
void RewindSlot(SoundSlot slot);
int SlotVolume(SoundSlot slot);
void SetSlotVolume(SoundSlot slot, int volume);
// The pairs below are one step for the mixer: it never plays a frame between their two halves.
void RestartSlot(SoundSlot slot);  // play without loop, then rewind
void SilenceSlot(SoundSlot slot);  // stop, then rewind
// SwapWaveInto the slot: read the wave first, so a slow disk never holds up the audio device, and
// free the old samples left in `wave` afterwards, outside the lock.
void SwapWaveIntoSlot(SoundSlot slot, Wave& wave, std::string& file);

// Stops every slot, at full volume from its start, and starts the limiter and the quiet fade afresh.
void ResetSoundBank();
// Frees every slot.
void FreeSoundBank();

// While quiet the mix is silence and every buffer keeps its place, so the sound goes on where it
// stopped. Safe to call while the audio device mixes.
void SetSoundBankQuiet(bool quiet);
bool SoundBankQuiet();

// Mixes the slots' playing sounds into `out` (interleaved stereo frames at MixRate), through the
// master gain and the limiter: the audio device's source, and a headless run's after each frame.
void MixSoundBank(int16_t* out, int frames);

// The effects' and the music's own shares of the mix, at the master gain and before the limiter,
// for measuring the balance between them (headless runs only: keeping them allocates).
struct MixParts {
    std::vector<int16_t> Effects, Music;  // interleaved stereo at MixRate
};
// Starts keeping the parts of every later mix in `parts`; nullptr stops it.
void KeepMixParts(MixParts* parts);

// What the mix has given since the program started: a check that it never clips.
struct MixMeter {
    long Frames = 0;
    long LimitedFrames = 0;     // frames the limiter had to turn down
    long FullScaleSamples = 0;  // samples at 32767 or -32768: never, with the limiter in place
    int Peak = 0;
};
MixMeter SoundBankMeter();

}  // namespace veltrano
