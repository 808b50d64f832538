#include "platform/Say.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace veltrano {

void SayLine(const char* format, ...) {
    std::va_list args, measuring;
    va_start(args, format);
    va_copy(measuring, args);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string line = std::string(ProgramName) + ": ";
    if (length > 0) {
        const size_t at = line.size();
        line.resize(at + static_cast<size_t>(length) + 1);
        std::vsnprintf(line.data() + at, static_cast<size_t>(length) + 1, format, args);
        line.resize(at + static_cast<size_t>(length));
    }
    va_end(args);
    line += '\n';
    std::fputs(line.c_str(), stderr);
}

}  // namespace veltrano
