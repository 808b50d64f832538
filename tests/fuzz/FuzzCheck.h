// What a fuzz target asserts: a failed check aborts, so libFuzzer and the corpus replay both catch it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

#include <sys/mman.h>
#include <unistd.h>

#include <string>

// The input as a file the loaders can open by path, without touching the disk.
class MemoryFile {
   public:
    MemoryFile(const void* data, size_t size) : Fd(memfd_create("fuzz-input", MFD_CLOEXEC)) {
        FUZZ_CHECK(Fd >= 0);
        FUZZ_CHECK(size == 0 || write(Fd, data, size) == static_cast<ssize_t>(size));
    }
    ~MemoryFile() { close(Fd); }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(Fd); }

   private:
    int Fd;
};
