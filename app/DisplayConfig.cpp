#include "app/DisplayConfig.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace veltrano {

namespace {

constexpr const char* Section = "Display";

// A whole decimal number within [low, high], or nothing.
bool ParseBounded(const std::string& text, int low, int high, int* out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || value < low || value > high) return false;
    *out = static_cast<int>(value);
    return true;
}

std::string Lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

class SectionReader {
   public:
    SectionReader(const ConfigFile& config, std::vector<std::string>* complaints)
        : Config(config), Complaints(complaints) {}

    void Switch(const char* key, bool& value) {
        const std::optional<std::string> found = Config.ReadString(Section, key);
        if (!found) return;
        const std::string& text = *found;
        int number = 0;
        if (ParseBounded(text, 0, 1, &number))
            value = number == 1;
        else
            Complain(key, text, "0 or 1", value ? "1" : "0");
    }

    void Number(const char* key, int low, int high, int& value) {
        const std::optional<std::string> found = Config.ReadString(Section, key);
        if (!found) return;
        const std::string& text = *found;
        if (!ParseBounded(text, low, high, &value))
            Complain(key, text, "a number from " + std::to_string(low) + " to " + std::to_string(high),
                     std::to_string(value));
    }

    void Mode(const char* key, Scaling& value) {
        const std::optional<std::string> found = Config.ReadString(Section, key);
        if (!found) return;
        const std::string& text = *found;
        if (const auto mode = ScalingByName(Lowered(text)))
            value = *mode;
        else
            Complain(key, text, "sharp, fit or stretch", ScalingName(value));
    }

   private:
    void Complain(const char* key, const std::string& text, const std::string& expected,
                  const std::string& kept) {
        if (Complaints)
            Complaints->push_back(Config.FilePath() + ": [Display] " + key + "=" + text + " is not " +
                                  expected + "; using " + kept);
    }

    const ConfigFile& Config;
    std::vector<std::string>* Complaints;
};

}  // namespace

DisplaySettings ReadDisplaySettings(const ConfigFile& config, std::vector<std::string>* complaints) {
    DisplaySettings settings;
    SectionReader read(config, complaints);
    read.Switch("FullScreen", settings.FullScreen);
    read.Number("WindowScale", 0, MaxWindowScale, settings.WindowScale);
    read.Mode("Scaling", settings.Mode);
    read.Switch("VSync", settings.VSync);
    read.Switch("PauseOnFocusLoss", settings.PauseOnFocusLoss);
    return settings;
}

bool WriteDisplaySettings(ConfigFile& config, const DisplaySettings& settings, std::string* error) {
    config.WriteString(Section, "FullScreen", settings.FullScreen ? "1" : "0");
    config.WriteString(Section, "WindowScale", std::to_string(settings.WindowScale));
    config.WriteString(Section, "Scaling", ScalingName(settings.Mode));
    config.WriteString(Section, "VSync", settings.VSync ? "1" : "0");
    config.WriteString(Section, "PauseOnFocusLoss", settings.PauseOnFocusLoss ? "1" : "0");
    return config.Save(error);
}

}  // namespace veltrano
