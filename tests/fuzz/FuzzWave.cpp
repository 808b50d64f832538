// The wave reader on arbitrary bytes: it either reads a wave within the size cap or refuses with a
// message, never crashing, hanging or reading outside the bytes it was given.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    veltrano::Wave wave;
    std::string error;
    if (veltrano::ReadWaveBytes(data, size, "fuzz.wav", &wave, &error)) {
        if (wave.Channels < 1 || wave.Channels > 2 || wave.Samples.size() * 2 > veltrano::MaxWaveBytes ||
            wave.Samples.size() % static_cast<size_t>(wave.Channels) != 0)
            __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
