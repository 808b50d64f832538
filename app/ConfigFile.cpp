#include "app/ConfigFile.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/KeysConfig.h"
#include "app/ProgramFiles.h"

namespace veltrano {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
    return s;
}

// Where a key's value lies, or where a new key of the section would go.
struct Place {
    bool KeyFound = false;
    size_t ValueBegin = 0, ValueEnd = 0;
    bool SectionFound = false;
    size_t SectionEnd = 0;  // just after the last non-blank line of the section's first appearance
};

Place Locate(const std::string& text, std::string_view section, std::string_view key) {
    Place place;
    bool inSection = false, inFirstAppearance = false;
    // A UTF-8 byte order mark belongs to no line.
    size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        const size_t next = end == text.size() ? end : end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const std::string_view line = Trim(std::string_view(text).substr(at, end - at));
        if (!line.empty() && line.front() == '[') {
            const size_t close = line.find(']');
            const std::string_view name =
                close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
            inSection = SameName(Trim(name), section);
            inFirstAppearance = inSection && !place.SectionFound;
            if (inFirstAppearance) {
                place.SectionFound = true;
                place.SectionEnd = next;
            }
        } else if (inSection && !line.empty()) {
            if (inFirstAppearance) place.SectionEnd = next;
            const size_t equals = line.find('=');
            if (line.front() != ';' && line.front() != '#' && equals != std::string_view::npos &&
                SameName(Trim(line.substr(0, equals)), key)) {
                // The value: after '=' and its blanks, up to the trailing blanks of the line.
                size_t begin = text.find('=', at) + 1;
                while (begin < end && Blank(text[begin])) ++begin;
                size_t stop = end;
                while (stop > begin && Blank(text[stop - 1])) --stop;
                place.KeyFound = true;
                place.ValueBegin = begin;
                place.ValueEnd = stop;
                return place;
            }
        }
        at = next;
    }
    return place;
}

}  // namespace

const char* ShippedIniText() {
    static const std::string text = [] {
        std::string ini = std::string("[") + KeyConfigSection + "]\r\n";
        for (const ShippedButton& b : ShippedButtons)
            ini += std::string(b.Key) + "=" + std::to_string(b.Button) + "\r\n";
        // Smooth motion is on as shipped; the other display keys are written when the player changes them.
        return ini + ShippedKeysSection("\r\n") + "[Display]\r\nSmooth=1\r\n";
    }();
    return text.c_str();
}

std::string Quoted(const std::string& value, size_t limit) {
    if (value.size() <= limit) return value;
    return value.substr(0, limit) + "... (" + std::to_string(value.size()) + " characters)";
}

FileStatus ConfigFile::Open(const std::string& path, std::string* why) {
    Path = path;
    Content.clear();
    Unreadable.clear();
    std::vector<unsigned char> bytes;
    std::string problem;
    const FileStatus status = ReadWholeFile(path, MaxConfigBytes, bytes, &problem);
    if (status == FileStatus::Done) {
        if (bytes.size() >= 2 &&
            ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
            Unreadable = path + ": is UTF-16 text; the game reads plain text only";
        } else {
            Content.assign(bytes.begin(), bytes.end());
            return status;
        }
    } else if (status == FileStatus::Failed) {
        Unreadable = problem;
    }
    if (why) *why = Unreadable.empty() ? problem : Unreadable;
    return Unreadable.empty() ? status : FileStatus::Failed;
}

void ConfigFile::OpenText(std::string text) {
    Content = std::move(text);
    Unreadable.clear();
}

std::optional<std::string> ConfigFile::ReadString(const char* section, const char* key) const {
    const Place place = Locate(Content, section, key);
    if (!place.KeyFound) return std::nullopt;
    return Content.substr(place.ValueBegin, place.ValueEnd - place.ValueBegin);
}

std::optional<int> ConfigFile::ReadInteger(const char* section, const char* key) const {
    const std::optional<std::string> text = ReadString(section, key);
    if (!text || text->empty()) return std::nullopt;
    size_t i = 0;
    const bool negative = (*text)[0] == '-';
    if ((*text)[0] == '-' || (*text)[0] == '+') ++i;
    if (i == text->size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text->size(); ++i) {
        const char c = (*text)[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

namespace {

// The file's own line ending: CR LF, LF or a lone CR, whichever its first line ends with.
std::string LineEnding(const std::string& text) {
    const size_t end = text.find_first_of("\r\n");
    if (end == std::string::npos || text[end] == '\n') return "\n";
    return text.compare(end, 2, "\r\n") == 0 ? "\r\n" : "\r";
}

void Put(std::string& text, const char* section, const char* key, const std::string& value,
         bool onlyIfAbsent) {
    const Place place = Locate(text, section, key);
    if (place.KeyFound) {
        if (!onlyIfAbsent) text.replace(place.ValueBegin, place.ValueEnd - place.ValueBegin, value);
        return;
    }
    const std::string eol = LineEnding(text);
    size_t at = place.SectionFound ? place.SectionEnd : text.size();
    std::string lines;
    // The last line of a file may have no line ending: the new text starts on a line of its own.
    // A last line cut off after the '\r' of its CR LF only needs the '\n'.
    if (at == text.size() && !text.empty() && text.back() != '\n' && !(text.back() == '\r' && eol == "\r"))
        lines += text.back() == '\r' ? "\n" : eol;
    if (!place.SectionFound) lines.append("[").append(section).append("]").append(eol);
    lines.append(key).append("=").append(value).append(eol);
    text.insert(at, lines);
}

}  // namespace

void ConfigFile::Note(const char* section, const char* key, const std::string& value, bool onlyIfAbsent) {
    Put(Content, section, key, value, onlyIfAbsent);
    for (Change& c : Changes)
        if (SameName(c.Section, section) && SameName(c.Key, key)) {
            c.Value = value;
            c.OnlyIfAbsent = c.OnlyIfAbsent && onlyIfAbsent;
            return;
        }
    Changes.push_back({section, key, value, onlyIfAbsent});
}

void ConfigFile::WriteString(const char* section, const char* key, const std::string& value) {
    Note(section, key, value, false);
}

void ConfigFile::WriteStringIfAbsent(const char* section, const char* key, const std::string& value) {
    Note(section, key, value, true);
}

bool ConfigFile::Save(std::string* why, int lockWaitMs) {
    if (!Unreadable.empty()) {
        if (why) *why = Unreadable + "; it is left as it is and the changes last until the game closes";
        return false;
    }
    const FolderLock lock(FolderOf(Path), lockWaitMs);
    if (lock.Busy()) {
        if (why)
            *why = Path + ": another game has held its folder's lock for " +
                   std::to_string(lockWaitMs / 1000) + " s; the change is written with the next one";
        return false;
    }
    // What the file holds now: a player may have edited it, or another game written it, since.
    std::vector<unsigned char> bytes;
    std::string problem;
    const FileStatus status = ReadWholeFile(Path, MaxConfigBytes, bytes, &problem);
    if (status == FileStatus::Failed) {
        if (why) *why = problem + "; it is left as it is and the change is kept until the game closes";
        return false;
    }
    std::string text = Content;  // a file gone since is made again whole
    if (status == FileStatus::Done) {
        text.assign(bytes.begin(), bytes.end());
        for (const Change& c : Changes) Put(text, c.Section.c_str(), c.Key.c_str(), c.Value, c.OnlyIfAbsent);
    }
    if (!ReplaceFile(Path, text, why)) return false;
    Content = std::move(text);
    Changes.clear();
    return true;
}

}  // namespace veltrano
