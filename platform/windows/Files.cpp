// The files beside the program on Windows, with the guarantees the POSIX version gives: names are
// UTF-8 handed to the wide-character calls (a Japanese folder name works whatever the code page),
// only regular files are read or replaced (a folder or a device such as CON is refused), a
// replacement is written to a temporary file, flushed and moved over the target in one step, and the
// folder lock is a named mutex the game waits for a few seconds at most (FolderLockWaitMs).
#include "platform/Files.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>

#include "platform/FilesShared.h"
#include "platform/windows/WideNames.h"

// windows.h names its own ReplaceFileA/ReplaceFileW ReplaceFile; ours is the game's.
#undef ReplaceFile

namespace veltrano {

using files::Reason;
using files::Say;

namespace {

// The system's own words for a Windows error code, on one line.
std::string SystemReason(const char* doing, DWORD code) {
    char text[256] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                   MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    std::string said(text, n);
    while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == '.'))
        said.pop_back();
    if (said.empty()) said = "error " + std::to_string(code);
    return std::string(doing) + " (" + said + ")";
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

// Empty for a regular file; else what the open file is instead (a device, a pipe).
std::string NotARegularFile(int fd) {
    const DWORD type = GetFileType(HandleOf(fd));
    if (type == FILE_TYPE_DISK) return {};
    if (type == FILE_TYPE_PIPE) return "is a pipe, not a regular file";
    return "is not a regular file";
}

bool IsMissing(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// Refuses a target that exists but is not a regular file (a folder, a device name); a missing one
// is fine: it is made.
bool CheckTarget(const std::string& path, std::string* why) {
    const std::wstring wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (IsMissing(code)) return true;
        return Say(why, path, SystemReason("cannot be examined", code));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Say(why, path, "is a folder, not a file");
    const HANDLE probe = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return true;  // the replacement says what is wrong
    const bool disk = GetFileType(probe) == FILE_TYPE_DISK;
    CloseHandle(probe);
    return disk ? true : Say(why, path, "is not a regular file");
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
    if (Fd >= 0) _close(Fd);
}

FileStatus ReadOnlyFile::Open(const std::string& path, std::string* why) {
    if (Fd >= 0) _close(Fd);
    Fd = -1;
    Path = path;
    Bytes = 0;
    int error = FileFaultFor(path, FileOperation::Open);
    const std::wstring wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (!error && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Say(why, path, "is a folder, not a file");
        return FileStatus::Failed;
    }
    const int fd = error ? -1 : _wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        if (!error) error = errno;
        if (error == ENOENT) {
            Say(why, path, "not found");
            return FileStatus::Missing;
        }
        Say(why, path, Reason("cannot be opened", error));
        return FileStatus::Failed;
    }
    if (const std::string wrong = NotARegularFile(fd); !wrong.empty()) {
        Say(why, path, wrong);
        _close(fd);
        return FileStatus::Failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(HandleOf(fd), &size)) {
        Say(why, path, SystemReason("cannot be examined", GetLastError()));
        _close(fd);
        return FileStatus::Failed;
    }
    Fd = fd;
    Bytes = static_cast<uint64_t>(size.QuadPart);
    return FileStatus::Done;
}

bool ReadOnlyFile::ReadAt(uint64_t offset, void* into, size_t count, size_t* got, std::string* why) {
    *got = 0;
    if (Fd < 0) return Say(why, Path, "is not open");
    if (const int error = FileFaultFor(Path, FileOperation::Read))
        return Say(why, Path, Reason("cannot be read", error));
    auto* bytes = static_cast<unsigned char*>(into);
    while (*got < count) {
        const uint64_t at = offset + *got;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(count - *got, 1u << 30));
        DWORD n = 0;
        if (!ReadFile(HandleOf(Fd), bytes + *got, ask, &n, &where)) {
            const DWORD code = GetLastError();
            if (code == ERROR_HANDLE_EOF) break;
            return Say(why, Path, SystemReason("cannot be read", code));
        }
        if (n == 0) break;
        *got += n;
    }
    return true;
}

bool NameTaken(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES || !IsMissing(GetLastError());
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string TemporaryNameFor(const std::string& path) {
    return path + ".new-" + std::to_string(_getpid());
}

bool ReplacingFile::Open(const std::string& path, std::string* why) {
    Abandon();
    Path = path;
    Error = 0;
    Written = 0;
    if (!CheckTarget(path, why)) return false;
    Target = path;
    Temporary = TemporaryNameFor(Target);
    const std::wstring temporary = Wide(Temporary);
    DeleteFileW(temporary.c_str());  // left by an earlier process of the same number
    int error = FileFaultFor(path, FileOperation::Open);
    Fd = error ? -1
               : _wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                        _S_IREAD | _S_IWRITE);
    if (Fd < 0) return Say(why, path, Reason("cannot be written", error ? error : errno));
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
        const unsigned ask = static_cast<unsigned>(std::min<size_t>(count - done, 1u << 30));
        const int n = _write(Fd, from + done, ask);
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
    if (Error == 0 && _commit(Fd) != 0) Error = errno;
    if (_close(Fd) != 0 && Error == 0) Error = errno;
    Fd = -1;
    const std::wstring temporary = Wide(Temporary);
    if (Error != 0) {
        DeleteFileW(temporary.c_str());
        return Say(why, Path, Reason("cannot be written", Error));
    }
    // One step on the disk: the target holds either its old content or the new, never a part.
    if (!MoveFileExW(temporary.c_str(), Wide(Target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        DeleteFileW(temporary.c_str());
        return Say(why, Path, SystemReason("cannot be written", code));
    }
    return true;
}

void ReplacingFile::Abandon() {
    if (Fd < 0) return;
    _close(Fd);
    Fd = -1;
    DeleteFileW(Wide(Temporary).c_str());
}

// Every "<file>*.new-<process id>" beside `path` whose process is gone (or is this one, whose own
// temporaries are never in use at start). Windows games write through no symbolic links.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const size_t slash = path.find_last_of("/\\");
    const std::string base = path.substr(slash == std::string::npos ? 0 : slash + 1);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(Wide(folder + "/" + base + "*.new-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    const DWORD self = GetCurrentProcessId();
    do {
        const std::wstring name = found.cFileName;
        const size_t mark = name.rfind(L".new-");
        if (mark == std::wstring::npos) continue;
        const std::wstring number = name.substr(mark + 5);
        wchar_t* end = nullptr;
        const unsigned long pid = std::wcstoul(number.c_str(), &end, 10);
        if (number.empty() || *end != L'\0' || pid == 0) continue;  // not one of ours
        bool running = false;
        if (pid != self) {
            const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
            if (process) {
                running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
                CloseHandle(process);
            } else {
                running = GetLastError() == ERROR_ACCESS_DENIED;  // another user's game
            }
        }
        if (!running) DeleteFileW((Wide(folder) + L"\\" + name).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// A folder is locked through a mutex named after its full path (in any case: Windows names are not
// case-sensitive), so no file is left in the folder, and a game that dies releases it.
FolderLock::FolderLock(const std::string& folder, int waitMs) {
    wchar_t full[32768];
    const DWORD n = GetFullPathNameW(Wide(folder).c_str(), 32768, full, nullptr);
    if (n == 0 || n >= 32768) return;
    std::wstring key(full, n);
    for (wchar_t& c : key) c = c == L'/' ? L'\\' : static_cast<wchar_t>(towlower(c));
    while (key.size() > 3 && key.back() == L'\\') key.pop_back();
    uint64_t hash = 1469598103934665603ull;  // FNV-1a over the path's UTF-16 units
    for (const wchar_t c : key) {
        hash ^= static_cast<uint16_t>(c);
        hash *= 1099511628211ull;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\VeltranoGame2-folder-%016llx", static_cast<unsigned long long>(hash));
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    if (!mutex) return;
    // Another game holding it longer is busy with it: the caller puts its write off. An abandoned
    // mutex (its game died) is ours.
    const DWORD waited = WaitForSingleObject(mutex, static_cast<DWORD>(std::max(waitMs, 0)));
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        TimedOut = waited == WAIT_TIMEOUT;
        CloseHandle(mutex);
        return;
    }
    // Kernel handles fit in 32 bits on 64-bit Windows (they are made to be shared with 32-bit
    // programs), so the handle is kept where the POSIX version keeps its descriptor.
    Fd = static_cast<int>(reinterpret_cast<intptr_t>(mutex));
}

FolderLock::~FolderLock() {
    if (Fd < 0) return;
    const HANDLE mutex = reinterpret_cast<HANDLE>(static_cast<intptr_t>(Fd));
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

}  // namespace veltrano
