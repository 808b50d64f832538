#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/FilesShared.h"

namespace veltrano {

using files::Reason;
using files::Say;

namespace {

// A folder, a FIFO or a device where a file belongs: the message for it, or empty for a regular file.
std::string NotARegularFile(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "is a folder, not a file";
    if (S_ISFIFO(mode)) return "is a FIFO, not a regular file";
    return "is not a regular file";
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
    if (Fd >= 0) ::close(Fd);
}

FileStatus ReadOnlyFile::Open(const std::string& path, std::string* why) {
    if (Fd >= 0) ::close(Fd);
    Fd = -1;
    Path = path;
    Bytes = 0;
    int error = FileFaultFor(path, FileOperation::Open);
    const int fd = error ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (!error) error = errno;
        if (error == ENOENT) {
            Say(why, path, "not found");
            return FileStatus::Missing;
        }
        Say(why, path, Reason("cannot be opened", error));
        return FileStatus::Failed;
    }
    struct stat info {};
    const bool examined = ::fstat(fd, &info) == 0;
    if (!examined || !S_ISREG(info.st_mode)) {
        Say(why, path, examined ? NotARegularFile(info.st_mode) : Reason("cannot be examined", errno));
        ::close(fd);
        return FileStatus::Failed;
    }
    Fd = fd;
    Bytes = static_cast<uint64_t>(info.st_size);
    return FileStatus::Done;
}

bool ReadOnlyFile::ReadAt(uint64_t offset, void* into, size_t count, size_t* got, std::string* why) {
    *got = 0;
    if (Fd < 0) return Say(why, Path, "is not open");
    if (const int error = FileFaultFor(Path, FileOperation::Read))
        return Say(why, Path, Reason("cannot be read", error));
    auto* bytes = static_cast<unsigned char*>(into);
    while (*got < count) {
        const ssize_t n = ::pread(Fd, bytes + *got, count - *got, static_cast<off_t>(offset + *got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Say(why, Path, Reason("cannot be read", errno));
        if (n == 0) break;
        *got += static_cast<size_t>(n);
    }
    return true;
}

bool NameTaken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TemporaryNameFor(const std::string& path) {
    return path + ".new-" + std::to_string(::getpid());
}

namespace {

// The file that a write to `path` replaces: the path itself, or the file a symbolic link names (a
// dangling link included, so a link to a deleted save file gets its file back). Refuses a target that
// exists but is not a regular file; `mode` is the target's, or 0644 for a new file.
bool ResolveTarget(const std::string& path, std::string* target, mode_t* mode, std::string* why) {
    *target = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) {
            *target = resolved;
        } else {
            char named[PATH_MAX];
            const ssize_t n = ::readlink(path.c_str(), named, sizeof named - 1);
            if (errno != ENOENT || n <= 0) return Say(why, path, Reason("names no usable file", errno));
            const std::string link(named, static_cast<size_t>(n));
            *target = link.front() == '/' ? link : FolderOf(path) + "/" + link;
        }
    }
    *mode = 0644;
    if (::stat(target->c_str(), &info) == 0) {
        if (const std::string wrong = NotARegularFile(info.st_mode); !wrong.empty())
            return Say(why, path, wrong);
        *mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Say(why, path, Reason("cannot be examined", errno));
    }
    return true;
}

// A rename is on the disk only once its folder is.
void SyncFolder(const std::string& file) {
    const int fd = ::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool ReplacingFile::Open(const std::string& path, std::string* why) {
    Abandon();
    Path = path;
    Error = 0;
    Written = 0;
    mode_t mode = 0644;
    if (!ResolveTarget(path, &Target, &mode, why)) return false;
    Temporary = TemporaryNameFor(Target);
    ::unlink(Temporary.c_str());  // left by an earlier process of the same number
    int error = FileFaultFor(path, FileOperation::Open);
    Fd = error ? -1
               : ::open(Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        static_cast<mode_t>(0600));
    if (Fd < 0) return Say(why, path, Reason("cannot be written", error ? error : errno));
    if (::fchmod(Fd, mode) != 0) Error = errno;
    return true;
}

void ReplacingFile::Write(const void* bytes, size_t count) {
    if (Fd < 0 || Error != 0 || count == 0) return;
    if (const int fault = FileFaultFor(Path, FileOperation::Write)) {
        Error = fault;
        return;
    }
    const auto* from = static_cast<const char*>(bytes);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(Fd, from + done, count - done, static_cast<off_t>(Written + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Error = n < 0 ? errno : ENOSPC;
            return;
        }
        done += static_cast<size_t>(n);
    }
    Written += count;
}

bool ReplacingFile::Commit(std::string* why) {
    if (Fd < 0) return Say(why, Path, "is not open");
    if (Error == 0 && ::fsync(Fd) != 0) Error = errno;
    if (::close(Fd) != 0 && Error == 0) Error = errno;
    Fd = -1;
    if (Error == 0 && ::rename(Temporary.c_str(), Target.c_str()) != 0) Error = errno;
    if (Error != 0) {
        ::unlink(Temporary.c_str());
        return Say(why, Path, Reason("cannot be written", Error));
    }
    SyncFolder(Target);
    return true;
}

void ReplacingFile::Abandon() {
    if (Fd < 0) return;
    ::close(Fd);
    Fd = -1;
    ::unlink(Temporary.c_str());
}

namespace {

// Removes "<base>*.new-<id>" in `folder` whose process `id` is gone (or is this one, whose own
// temporaries are never in use at start).
void RemoveStaleTemporariesOf(const std::string& folder, const std::string& base) {
    constexpr const char* Mark = ".new-";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const size_t mark = name.rfind(Mark);
        if (mark == std::string::npos || mark < base.size() || name.compare(0, base.size(), base) != 0)
            continue;
        const std::string number = name.substr(mark + std::strlen(Mark));
        char* end = nullptr;
        const long pid = std::strtol(number.c_str(), &end, 10);
        if (number.empty() || *end != '\0' || pid <= 0) continue;  // not one of ours
        const bool running = ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
        if (!running || pid == ::getpid()) ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The time since some fixed point, in milliseconds, never going back.
long long MonotonicMs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

void RemoveStaleTemporaries(const std::string& path) {
    RemoveStaleTemporariesOf(FolderOf(path), BaseName(path));
    // A write through a symbolic link puts its temporary file beside the file the link names.
    std::string target;
    mode_t mode = 0;
    if (ResolveTarget(path, &target, &mode, nullptr) && target != path)
        RemoveStaleTemporariesOf(FolderOf(target), BaseName(target));
}

FolderLock::FolderLock(const std::string& folder, int waitMs) {
    Fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd < 0) return;
    const long long giveUp = MonotonicMs() + std::max(waitMs, 0);
    for (;;) {
        if (::flock(Fd, LOCK_EX | LOCK_NB) == 0) return;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return;  // no locks on this file system: used without one
        if (MonotonicMs() >= giveUp) break;
        const timespec pause{0, 10 * 1000 * 1000};
        ::nanosleep(&pause, nullptr);
    }
    TimedOut = true;
    ::close(Fd);
    Fd = -1;
}

FolderLock::~FolderLock() {
    if (Fd >= 0) ::close(Fd);
}

}  // namespace veltrano
