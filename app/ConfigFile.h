// The ini file beside the program: section "KeyConfig", integer keys. Reads and writes go straight
// to the file, as an ini library does: a read of a missing file, key or non-number gives the
// default; a write keeps every other line of the file.
#pragma once

#include <string>

namespace veltrano {

class ConfigFile {
   public:
    void Open(const std::string& path) { Path = path; }
    const std::string& FilePath() const { return Path; }
    int ReadInteger(const char* section, const char* key, int defaultValue) const;
    // Returns false (and says why in `error`) when the file cannot be written.
    bool WriteInteger(const char* section, const char* key, int value, std::string* error);
    // The raw text of a key, surrounding blanks removed; false when the key (or the file) is missing.
    bool ReadString(const char* section, const char* key, std::string* value) const;
    bool WriteString(const char* section, const char* key, const std::string& value, std::string* error);

   private:
    std::string Path;
};

}  // namespace veltrano
