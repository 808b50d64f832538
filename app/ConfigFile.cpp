#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include "app/ConfigFile.h"

#include <SimpleIni.h>

namespace veltrano {

int ConfigFile::ReadInteger(const char* section, const char* key, int defaultValue) const {
    CSimpleIniA ini;
    if (ini.LoadFile(Path.c_str()) < 0) return defaultValue;
    const char* text = ini.GetValue(section, key, nullptr);
    if (text == nullptr) return defaultValue;
    // Only a whole decimal integer (surrounding blanks allowed) counts; anything else is the default.
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return defaultValue;
    while (*end == ' ' || *end == '\t' || *end == '\r') ++end;
    return *end == '\0' ? static_cast<int>(value) : defaultValue;
}

bool ConfigFile::WriteInteger(const char* section, const char* key, int value, std::string* error) {
    CSimpleIniA ini;
    ini.SetSpaces(false);        // "Z=1", as ini files on the original platform are written
    ini.LoadFile(Path.c_str());  // a missing or unreadable file starts empty
    ini.SetLongValue(section, key, value);
    if (ini.SaveFile(Path.c_str(), false) < 0) {
        if (error) *error = Path + ": cannot write the configuration";
        return false;
    }
    return true;
}

bool ConfigFile::ReadString(const char* section, const char* key, std::string* value) const {
    CSimpleIniA ini;
    if (ini.LoadFile(Path.c_str()) < 0) return false;
    const char* text = ini.GetValue(section, key, nullptr);
    if (text == nullptr) return false;
    std::string trimmed = text;
    const size_t first = trimmed.find_first_not_of(" \t\r");
    const size_t last = trimmed.find_last_not_of(" \t\r");
    *value = first == std::string::npos ? std::string() : trimmed.substr(first, last - first + 1);
    return true;
}

bool ConfigFile::WriteString(const char* section, const char* key, const std::string& value,
                             std::string* error) {
    CSimpleIniA ini;
    ini.SetSpaces(false);
    ini.LoadFile(Path.c_str());
    ini.SetValue(section, key, value.c_str());
    if (ini.SaveFile(Path.c_str(), false) < 0) {
        if (error) *error = Path + ": cannot write the configuration";
        return false;
    }
    return true;
}

}  // namespace veltrano
