// The parts of the file layer that are the same on every system, over the system's ReadOnlyFile and
// ReplacingFile.
#include "platform/FilesShared.h"

#include <cstring>

namespace veltrano {

namespace {

std::string Megabytes(uint64_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MB" : std::to_string(bytes >> 10) + " KB";
}

}  // namespace

namespace files {

bool Say(std::string* why, const std::string& path, const std::string& what) {
    if (why) *why = path + ": " + what;
    return false;
}

std::string Reason(const char* doing, int errorNumber) {
    return std::string(doing) + " (" + std::strerror(errorNumber) + ")";
}

}  // namespace files

FileStatus ReadWholeFile(const std::string& path, uint64_t maxBytes, std::vector<unsigned char>& out,
                         std::string* why) {
    out.clear();
    ReadOnlyFile file;
    const FileStatus opened = file.Open(path, why);
    if (opened != FileStatus::Done) return opened;
    if (file.Size() > maxBytes) {
        files::Say(why, path, "is larger than the " + Megabytes(maxBytes) + " the game reads from it");
        return FileStatus::Failed;
    }
    out.resize(static_cast<size_t>(file.Size()));
    size_t got = 0;
    if (!file.ReadAt(0, out.data(), out.size(), &got, why)) {
        out.clear();
        return FileStatus::Failed;
    }
    out.resize(got);  // a file that shrank since it was opened gives what it still holds
    return FileStatus::Done;
}

bool ReplaceFile(const std::string& path, const std::string& bytes, std::string* why) {
    ReplacingFile file;
    if (!file.Open(path, why)) return false;
    file.Write(bytes.data(), bytes.size());
    return file.Commit(why);
}

}  // namespace veltrano
