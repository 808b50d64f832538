#include "app/DisplayConfig.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace veltrano {

bool ParseWholeNumber(const std::string& text, int low, int high, int* out) {
    size_t digits = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    if (digits == text.size()) return false;
    for (size_t i = digits; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < low || value > high) return false;
    *out = static_cast<int>(value);
    return true;
}

namespace {

constexpr const char* Section = "Display";

class SectionReader {
   public:
    SectionReader(const ConfigFile& config, std::vector<std::string>* complaints)
        : Config(config), Complaints(complaints) {}

    void Switch(const char* key, bool& value) {
        const std::optional<std::string> found = Config.ReadString(Section, key);
        if (!found) return;
        const std::string& text = *found;
        int number = 0;
        if (ParseWholeNumber(text, 0, 1, &number))
            value = number == 1;
        else
            Complain(key, text, "0 or 1", value ? "1" : "0");
    }

    void Number(const char* key, int low, int high, int& value) {
        const std::optional<std::string> found = Config.ReadString(Section, key);
        if (!found) return;
        const std::string& text = *found;
        if (!ParseWholeNumber(text, low, high, &value))
            Complain(key, text, "a number from " + std::to_string(low) + " to " + std::to_string(high),
                     std::to_string(value));
    }

    void Mode(const char* key, Scaling& value) {
        const std::optional<std::string> found = Config.ReadString(Section, key);
        if (!found) return;
        const std::string& text = *found;
        if (const auto mode = ScalingByName(text))
            value = *mode;
        else
            Complain(key, text, "sharp, fit or stretch", ScalingName(value));
    }

   private:
    void Complain(const char* key, const std::string& text, const std::string& expected,
                  const std::string& kept) {
        if (Complaints)
            Complaints->push_back(Config.FilePath() + ": [Display] " + key + "=" + Quoted(text) + " is not " +
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
    read.Switch("Smooth", settings.Smooth);
    read.Switch("PauseOnFocusLoss", settings.PauseOnFocusLoss);
    read.Number("Monitor", 0, MaxMonitor, settings.Monitor);
    return settings;
}

namespace {

// Each key of the section with its value as written.
struct DisplayKey {
    const char* Key;
    std::string (*Text)(const DisplaySettings&);
};

const DisplayKey DisplayKeys[] = {
    {"FullScreen", [](const DisplaySettings& s) { return std::string(s.FullScreen ? "1" : "0"); }},
    {"WindowScale", [](const DisplaySettings& s) { return std::to_string(s.WindowScale); }},
    {"Scaling", [](const DisplaySettings& s) { return std::string(ScalingName(s.Mode)); }},
    {"VSync", [](const DisplaySettings& s) { return std::string(s.VSync ? "1" : "0"); }},
    {"Smooth", [](const DisplaySettings& s) { return std::string(s.Smooth ? "1" : "0"); }},
    {"PauseOnFocusLoss",
     [](const DisplaySettings& s) { return std::string(s.PauseOnFocusLoss ? "1" : "0"); }},
    {"Monitor", [](const DisplaySettings& s) { return std::to_string(s.Monitor); }},
};

}  // namespace

bool WriteDisplaySettings(ConfigFile& config, const DisplaySettings& settings, std::string* error) {
    for (const DisplayKey& key : DisplayKeys) config.WriteString(Section, key.Key, key.Text(settings));
    return config.Save(error);
}

bool WriteDisplayChanges(ConfigFile& config, const DisplaySettings& before, const DisplaySettings& after,
                         std::string* error) {
    bool changed = false;
    for (const DisplayKey& key : DisplayKeys)
        if (key.Text(before) != key.Text(after)) {
            config.WriteString(Section, key.Key, key.Text(after));
            changed = true;
        }
    return !changed || config.Save(error);
}

}  // namespace veltrano
