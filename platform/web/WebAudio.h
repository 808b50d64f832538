// The browser's sound: Web Audio pulls the mixer's stereo frames at MixRate through the page's
// script (web-platform.js). Browsers start sound only after a gesture: the device opens at once and
// plays from the first key or click on.
#pragma once

#include <cstdint>
#include <string>

namespace veltrano {

using AudioSource = void (*)(int16_t* out, int frames);

bool OpenAudioDevice(AudioSource source, std::string* error);
void CloseAudioDevice();

}  // namespace veltrano
