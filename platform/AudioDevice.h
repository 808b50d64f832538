// The audio device, one per backend (SDL's audio thread on the desktop, Web Audio in the browser):
// the device pulls mixed frames from the game's mixer through a callback, so a slow frame of the game
// thread never lets it run dry.
#pragma once

#include <cstdint>
#include <string>

namespace veltrano {

// Fills `out` with `frames` interleaved stereo frames at MixRate. Runs on the audio thread.
using AudioSource = void (*)(int16_t* out, int frames);

// Opens the device for our format with a short buffer and starts it pulling from `source`; false with
// the reason when there is no device (the game then runs silently). Browsers start sound only after a
// gesture: there the device opens at once and plays from the first key or click on.
bool OpenAudioDevice(AudioSource source, std::string* error);
// Stops the device; `source` is not called any more once this returns.
void CloseAudioDevice();

}  // namespace veltrano
