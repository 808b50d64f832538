#include <emscripten/emscripten.h>

#include "platform/AudioDevice.h"
#include "platform/Mixer.h"

extern "C" {
// web-platform.js
int veltrano_open_audio(int rate, int channels);
void veltrano_close_audio();
}

namespace veltrano {

namespace {

AudioSource Source = nullptr;

}  // namespace

bool OpenAudioDevice(AudioSource source, std::string* error) {
    Source = source;
    if (veltrano_open_audio(MixRate, MixChannels)) return true;
    if (error) *error = "this browser has no Web Audio";
    Source = nullptr;
    return false;
}

void CloseAudioDevice() {
    veltrano_close_audio();
    Source = nullptr;
}

}  // namespace veltrano

// Called by the page's audio callback for `frames` interleaved frames.
extern "C" EMSCRIPTEN_KEEPALIVE void veltrano_audio_pull(int16_t* out, int frames) {
    if (veltrano::Source) veltrano::Source(out, frames);
}
