#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace veltrano {

namespace {

struct Fault {
    std::string PathEnd;
    FileOperation Operation;
    int Errno;
};
std::vector<Fault> Faults;

int FaultFor(const std::string& path, FileOperation operation) {
    for (const Fault& fault : Faults)
        if (fault.Operation == operation && path.size() >= fault.PathEnd.size() &&
            path.compare(path.size() - fault.PathEnd.size(), fault.PathEnd.size(), fault.PathEnd) == 0)
            return fault.Errno;
    return 0;
}

bool Say(std::string* why, const std::string& path, const std::string& what) {
    if (why) *why = path + ": " + what;
    return false;
}

std::string Reason(const char* doing, int errorNumber) {
    return std::string(doing) + " (" + std::strerror(errorNumber) + ")";
}

// A folder, a FIFO or a device where a file belongs: the message for it, or empty for a regular file.
std::string NotARegularFile(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "is a folder, not a file";
    if (S_ISFIFO(mode)) return "is a FIFO, not a regular file";
    return "is not a regular file";
}

std::string Megabytes(uint64_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MB" : std::to_string(bytes >> 10) + " KB";
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
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
    int error = FaultFor(path, FileOperation::Open);
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
    if (const int error = FaultFor(Path, FileOperation::Read))
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

FileStatus ReadWholeFile(const std::string& path, uint64_t maxBytes, std::vector<unsigned char>& out,
                         std::string* why) {
    out.clear();
    ReadOnlyFile file;
    const FileStatus opened = file.Open(path, why);
    if (opened != FileStatus::Done) return opened;
    if (file.Size() > maxBytes) {
        Say(why, path, "is larger than the " + Megabytes(maxBytes) + " the game reads from it");
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

FileStatus WriteFileStart(const std::string& path, const std::string& bytes, std::string* why) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            Say(why, path, "not found");
            return FileStatus::Missing;
        }
        Say(why, path, Reason("cannot be examined", errno));
        return FileStatus::Failed;
    }
    if (const std::string wrong = NotARegularFile(info.st_mode); !wrong.empty()) {
        Say(why, path, wrong);
        return FileStatus::Failed;
    }
    int error = FaultFor(path, FileOperation::Open);
    const int fd = error ? -1 : ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        Say(why, path, Reason("cannot be opened for writing", error ? error : errno));
        return FileStatus::Failed;
    }
    error = FaultFor(path, FileOperation::Write);
    const bool written = !error && WriteAll(fd, bytes);
    if (!written && !error) error = errno;
    const bool closed = ::close(fd) == 0;
    if (!closed && !error) error = errno;
    if (!written || !closed) {
        Say(why, path, Reason("cannot be written", error));
        return FileStatus::Failed;
    }
    return FileStatus::Done;
}

bool ReplaceFile(const std::string& path, const std::string& bytes, std::string* why) {
    std::string target = path;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved)) return Say(why, path, Reason("names no usable file", errno));
        target = resolved;
    }
    mode_t mode = 0644;
    if (::stat(target.c_str(), &info) == 0) {
        if (const std::string wrong = NotARegularFile(info.st_mode); !wrong.empty())
            return Say(why, path, wrong);
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Say(why, path, Reason("cannot be examined", errno));
    }
    const std::string temporary = target + ".new-" + std::to_string(::getpid());
    int error = FaultFor(path, FileOperation::Open);
    const int fd = error ? -1
                         : ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                  static_cast<mode_t>(0600));
    if (fd < 0) return Say(why, path, Reason("cannot be written", error ? error : errno));
    error = FaultFor(path, FileOperation::Write);
    bool done = !error && WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (!done && !error) error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(temporary.c_str(), target.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.c_str());
        return Say(why, path, Reason("cannot be written", error));
    }
    return true;
}

void SimulateFileFault(const std::string& pathEnd, FileOperation operation, int errorNumber) {
    Faults.push_back({pathEnd, operation, errorNumber});
}

void ClearFileFaults() {
    Faults.clear();
}

}  // namespace veltrano
