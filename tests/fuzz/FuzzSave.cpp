// The save file: every whole field it holds is read, and written back as the same bytes.
#include <algorithm>
#include <cstdint>
#include <string>

#include "app/SaveFile.h"
#include "tests/fuzz/FuzzCheck.h"
#include "world/World.h"

using namespace veltrano;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GameCleared = 0;
    std::fill(HighScores, HighScores + HighScoreCount, 0);
    DecodeSaveFile(data, size);
    const std::string bytes = EncodeSaveFile();
    FUZZ_CHECK(bytes.size() == SaveFileBytes);
    const size_t whole = std::min(size, SaveFileBytes) / 4 * 4;
    FUZZ_CHECK(bytes.compare(0, whole, reinterpret_cast<const char*>(data), whole) == 0);
    FUZZ_CHECK(bytes.find_first_not_of('\0', whole) == std::string::npos);  // fields it lacks stay 0

    const MemoryFile file(data, size);
    std::string why;
    FUZZ_CHECK(ReadSaveFile(file.Path(), &why) == FileStatus::Done);
    FUZZ_CHECK(EncodeSaveFile() == bytes);
    return 0;
}
