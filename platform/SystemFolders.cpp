#include "platform/SystemFolders.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace veltrano {

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    std::string exe(path, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : exe.substr(0, slash));
}

bool FolderWritable(const std::string& folder) {
    return access(folder.c_str(), W_OK) == 0;
}

std::string SystemPlayerFolder() {
    return {};
}

std::string MakeTemporaryFolder(const std::string& prefix, std::string* why) {
    std::error_code ec;
    std::string folder = (std::filesystem::temp_directory_path(ec) / (prefix + "XXXXXX")).string();
    if (::mkdtemp(folder.data())) return folder;
    if (why) *why = folder + ": cannot be made (" + std::strerror(errno) + ")";
    return {};
}

}  // namespace veltrano
