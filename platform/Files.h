// Reading and writing the files beside the program without trusting the disk. Every open is
// non-blocking (a FIFO in place of a file never hangs the game), only regular files are accepted, sizes
// are capped, and every failure becomes a message that names the file and says what is wrong. Nothing
// here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

// The most the game reads from any one file. Its largest file, a music piece, is a few MB.
constexpr uint64_t MaxFileBytes = 64ull << 20;

enum class FileStatus {
    Done,     // opened (read, written) as asked
    Missing,  // there is no such file
    Failed,   // it exists but cannot be used; `why` says why
};

// A regular file open for reading.
class ReadOnlyFile {
   public:
    ReadOnlyFile() = default;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    // `why` is "<path>: <what is wrong>" unless the status is Done.
    FileStatus Open(const std::string& path, std::string* why);
    uint64_t Size() const { return Bytes; }
    // Reads up to `count` bytes from `offset`; `got` is fewer at the end of the file. False with a
    // message on a read error.
    bool ReadAt(uint64_t offset, void* into, size_t count, size_t* got, std::string* why);

   private:
    int Fd = -1;
    std::string Path;
    uint64_t Bytes = 0;
};

// Reads a whole file of at most `maxBytes` into `out`; a larger one is refused with a message.
FileStatus ReadWholeFile(const std::string& path, uint64_t maxBytes, std::vector<unsigned char>& out,
                         std::string* why);

// Writes `bytes` over the start of an existing regular file, never creating, truncating or
// extending past what is written.
FileStatus WriteFileStart(const std::string& path, const std::string& bytes, std::string* why);

// Replaces the content of `path` (a symbolic link: of the file it names) by `bytes` through a new file
// in the same folder renamed over it, so a failure halfway leaves the old content whole. Creates the
// file when there is none; refuses anything that exists but is not a regular file.
bool ReplaceFile(const std::string& path, const std::string& bytes, std::string* why);

// Tests make the disk misbehave: opens, reads or writes of every path ending with `pathEnd` fail
// with `errorNumber` until the faults are cleared.
enum class FileOperation { Open, Read, Write };
void SimulateFileFault(const std::string& pathEnd, FileOperation operation, int errorNumber);
void ClearFileFaults();

}  // namespace veltrano
