// The eleven sound slots of the main window, loaded from the program folder.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Mixer.h"
#include "world/Sounds.h"

namespace veltrano {

// A picture or wave the game cannot do without could not be loaded, or a scene's script failed its
// own checks. The program entry reports it on one line and ends with status 1.
struct LoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

extern SoundBuffer SoundSlots[SoundSlotCount];

// Loads the eleven slots in slot order with their start files; throws LoadError.
void LoadSoundBank();
// Frees every slot.
void FreeSoundBank();

// While quiet the mix is silence and every buffer keeps its place, so the sound goes on where it
// stopped. Safe to call while the audio device mixes.
void SetSoundBankQuiet(bool quiet);
bool SoundBankQuiet();

// Mixes the slots' playing sounds into `out` (interleaved stereo frames at MixRate), through the
// master gain and the limiter. The audio device's thread calls it; so does a headless run after each
// frame.
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
