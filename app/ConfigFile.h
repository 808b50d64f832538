// The ini file beside the program ("VeltranoIni.ini"): sections in square brackets, "key=value" lines
// ended by CR LF, LF or a lone CR. It is read when opened; reads then work on that text in memory.
// Changes are kept key by key: Save reads the file again under its folder's lock and changes only
// those keys in what it finds, so a player's edits made while the game runs and another game's
// choices stay. Comments, lines the game does not understand, text after a NUL, duplicate sections
// and the file's line endings all stay byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace veltrano {

// The ini the game ships with, byte for byte: the generator writes it beside the program, and the game
// makes it again, whole, where it finds none.
const char* ShippedIniText();

// A value quoted back to the player in a message: at most `limit` characters, marked when cut.
std::string Quoted(const std::string& value, size_t limit = 40);

// An ini file bigger than this is not a configuration the game wrote or a player typed.
constexpr uint64_t MaxConfigBytes = 1u << 20;

class ConfigFile {
   public:
    // Reads the file once. Missing: no file, the text starts empty. Failed: it exists but cannot be
    // read, or is not text the game reads (UTF-16); the text starts empty, `why` says why, and Save will
    // not write over it.
    FileStatus Open(const std::string& path, std::string* why);
    // The text as if read from a file (tests, the fuzzer).
    void OpenText(std::string text);
    const std::string& FilePath() const { return Path; }
    const std::string& Text() const { return Content; }

    // The value of `key` in `section`, names compared without case as on the original platform: the
    // first such key in the file, in whichever section of that name holds it. Blanks around it are
    // not part of it.
    std::optional<std::string> ReadString(const char* section, const char* key) const;
    // The value when it is a whole decimal integer that fits 32 bits, else nothing.
    std::optional<int> ReadInteger(const char* section, const char* key) const;
    int ReadInteger(const char* section, const char* key, int defaultValue) const {
        return ReadInteger(section, key).value_or(defaultValue);
    }

    // Changes the value in memory, to be written by Save: in place where the key is; else a new line
    // after the last line of the section, or a new section at the end, in the file's own line ending.
    void WriteString(const char* section, const char* key, const std::string& value);
    // Gives the key this value where the file has no such key when it is saved.
    void WriteStringIfAbsent(const char* section, const char* key, const std::string& value);
    // Whether changes wait for Save.
    bool Unsaved() const { return !Changes.empty() && Unreadable.empty(); }
    void WriteInteger(const char* section, const char* key, int value) {
        WriteString(section, key, std::to_string(value));
    }
    // Writes the changes into the file as it is now (the whole text when there is none any more). Returns
    // false, saying why, when it cannot be read or written, when another game holds the folder's lock
    // for longer than `lockWaitMs` (the changes then wait for the next Save), or when it could not be
    // read when opened (it is never written over blind).
    bool Save(std::string* why, int lockWaitMs = FolderLockWaitMs);

   private:
    struct Change {
        std::string Section, Key, Value;
        bool OnlyIfAbsent;
    };
    void Note(const char* section, const char* key, const std::string& value, bool onlyIfAbsent);

    std::string Path;
    std::string Content;
    std::string Unreadable;  // why the file could not be read when opened; empty when it could
    std::vector<Change> Changes;
};

}  // namespace veltrano
