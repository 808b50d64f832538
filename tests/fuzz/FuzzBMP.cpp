// The picture reader: decoding from memory and loading from a file must agree, and never read past
// what the header declares.
#include <cstdint>
#include <string>

#include "platform/Surface.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace veltrano;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Surface decoded;
    std::string why;
    const bool ok = DecodeBitmap(data, size, decoded, &why);
    if (ok) {
        FUZZ_CHECK(decoded.Width > 0 && decoded.Height > 0);
        FUZZ_CHECK(decoded.Pixels.size() == static_cast<size_t>(decoded.Width) * decoded.Height);
    } else {
        FUZZ_CHECK(!why.empty());
    }

    const MemoryFile file(data, size);
    Surface loaded;
    loaded.KeyColour = 0x123456;
    std::string error;
    const bool loadedOk = LoadBitmapFile(loaded, file.Path(), &error);
    FUZZ_CHECK(loadedOk == ok);
    if (loadedOk) {
        FUZZ_CHECK(loaded.Width == decoded.Width && loaded.Height == decoded.Height);
        FUZZ_CHECK(loaded.Pixels == decoded.Pixels);
        FUZZ_CHECK(loaded.KeyColour == 0x123456);  // the sheet keeps the key it had
    } else {
        FUZZ_CHECK(error.rfind(file.Path() + ": ", 0) == 0);  // the message names the file
        FUZZ_CHECK(loaded.Empty());                           // and the surface is left as it was
    }
    return 0;
}
