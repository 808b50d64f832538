// The audio device: SDL's audio thread pulls mixed frames from the game's mixer through a callback,
// so a slow frame of the game thread never lets the device run dry.
#pragma once

#include <cstdint>
#include <string>

namespace veltrano {

// Fills `out` with `frames` interleaved stereo frames at MixRate. Runs on the audio thread.
using AudioSource = void (*)(int16_t* out, int frames);

// Opens the default device for our format with a short buffer and starts it pulling from `source`;
// false with the reason when there is no device (the game then runs silently). The sound libraries'
// own chatter is kept off stderr.
bool OpenAudioDevice(AudioSource source, std::string* error);
// Stops the device; `source` is not called any more once this returns.
void CloseAudioDevice();

}  // namespace veltrano
