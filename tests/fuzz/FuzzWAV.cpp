// The wave reader, through the file the game would open: it either loads a mono or stereo buffer or names
// the file and leaves the buffer as it was.
#include <cstdint>
#include <string>

#include "platform/Mixer.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace veltrano;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MemoryFile file(data, size);
    SoundBuffer buffer;
    buffer.Volume = -300;
    std::string error;
    if (LoadWaveFile(buffer, file.Path(), &error)) {
        FUZZ_CHECK(buffer.Channels >= 1 && buffer.Channels <= 2);
        FUZZ_CHECK(buffer.Samples.size() % static_cast<size_t>(buffer.Channels) == 0);
        FUZZ_CHECK(!buffer.Playing && buffer.Position == 0);
    } else {
        FUZZ_CHECK(error.rfind(file.Path(), 0) == 0);  // the message names the file
        FUZZ_CHECK(buffer.Samples.empty() && buffer.Volume == -300);
    }
    return 0;
}
