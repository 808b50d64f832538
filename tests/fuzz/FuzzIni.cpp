// The ini layer: whatever the text, writing back the values it reads changes no byte, and values
// written are read back as written, with every other key unchanged.
#include <cstdint>
#include <optional>
#include <string>

#include "app/ConfigFile.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace veltrano;

namespace {

struct Key {
    const char* Section;
    const char* Name;
};
constexpr Key Keys[] = {
    {"KeyConfig", "Z"}, {"KeyConfig", "X"}, {"KeyConfig", "C"}, {"KeyConfig", "SPACE"}, {"Display", "Scale"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ConfigFile ini;
    ini.OpenText(text);
    std::optional<std::string> before[std::size(Keys)];
    for (size_t k = 0; k < std::size(Keys); ++k) {
        before[k] = ini.ReadString(Keys[k].Section, Keys[k].Name);
        if (before[k]) ini.WriteString(Keys[k].Section, Keys[k].Name, *before[k]);
    }
    FUZZ_CHECK(ini.Text() == text);

    // Change the key-configuration values only: the other key keeps what it read.
    for (size_t k = 0; k < 4; ++k) ini.WriteInteger(Keys[k].Section, Keys[k].Name, static_cast<int>(k) + 1);
    ConfigFile again;
    again.OpenText(ini.Text());
    for (size_t k = 0; k < 4; ++k)
        FUZZ_CHECK(again.ReadInteger(Keys[k].Section, Keys[k].Name) == static_cast<int>(k) + 1);
    FUZZ_CHECK(again.ReadString(Keys[4].Section, Keys[4].Name) == before[4]);
    return 0;
}
