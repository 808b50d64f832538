// Reading and writing the files beside the program without trusting the disk. Every open is
// non-blocking (a FIFO in place of a file never hangs the game), only regular files are accepted, sizes
// are capped, and every failure becomes a message that names the file and says what is wrong. Nothing
// here throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// windows.h names its ReplaceFileA or ReplaceFileW ReplaceFile; here it is the game's own.
#undef ReplaceFile

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

// Replaces the content of `path` (a symbolic link: of the file it names) by `bytes` through a new file
// in the same folder renamed over it, so a failure halfway leaves the old content whole. Creates the
// file when there is none (a dangling link: the file it names); refuses anything that exists but is
// not a regular file. The new file and then its folder are synced to the disk before it counts as done.
bool ReplaceFile(const std::string& path, const std::string& bytes, std::string* why);

// A file written piece by piece under a temporary name beside `path`, which keeps its old content
// until Commit renames the finished file over it. Refuses a target that exists but is not a regular
// file (a FIFO would hang the game). A failed write is kept and said by Commit.
class ReplacingFile {
   public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile() { Abandon(); }

    bool Open(const std::string& path, std::string* why);
    bool IsOpen() const { return Fd >= 0; }
    // Appends; after the first failure nothing more is written.
    void Write(const void* bytes, size_t count);
    // Syncs, renames over the target and syncs the folder; false with a message when any write
    // failed, and the target then keeps its old content.
    bool Commit(std::string* why);
    // Drops the temporary file; the target stays as it was.
    void Abandon();

   private:
    int Fd = -1;
    std::string Path, Target, Temporary;
    int Error = 0;
    uint64_t Written = 0;
};

// The name a file is written under before it replaces `path`: "<file>.new-<process id>".
std::string TemporaryNameFor(const std::string& path);
// Removes the temporary files that a killed game left beside `path`, and beside the file it names
// when it is a symbolic link: every "<file>*.new-<process id>" whose process is gone (so a kept-aside
// "<file>.bad.1.new-<id>" goes too); a running game's are kept.
void RemoveStaleTemporaries(const std::string& path);

// How long a game waits for another to let go of a folder's lock: a few seconds, after which the
// write it wanted is put off, never waited for longer.
constexpr int FolderLockWaitMs = 3000;

// Holds an exclusive lock on a folder while it lives, so two games in one folder take turns at
// reading and writing their shared files. The contract every platform keeps: the lock is taken
// within `waitMs` milliseconds or not at all (0 only tries), the wait never blocks past that, and
// Busy() then says that another process holds it, so the caller puts its write off and says so. A
// folder that cannot be locked at all (it cannot be opened, its file system has no locks) is not
// waited for and is not Busy: the files are used without the lock, as before locks existed.
class FolderLock {
   public:
    explicit FolderLock(const std::string& folder, int waitMs = FolderLockWaitMs);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

    bool Busy() const { return TimedOut; }

   private:
    int Fd = -1;
    bool TimedOut = false;
};

// Whether anything has the name `path`: a file, a folder, a link (one that names nothing too), or a
// name that cannot be examined (so it is never taken for free).
bool NameTaken(const std::string& path);

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

// Where tests make the disk misbehave: the error number that an operation on `path` fails with, or
// 0. The game's (platform/FileFaults.cpp) never fails one; the test program links its own in its
// place (tests/support/FileFaults.cpp).
enum class FileOperation { Open, Read, Write };
int FileFaultFor(const std::string& path, FileOperation operation);

}  // namespace veltrano
