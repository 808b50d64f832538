#include "app/ProgramFolder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/ProgramFiles.h"
#include "platform/Say.h"

namespace veltrano {

namespace {

std::string ProgramDir = ".";
std::string DataDir = ".";

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// The ini and save file beside an installed program are its defaults for a new player.
constexpr const char* PlayerFiles[] = {ConfigFileName, SaveFileName};

}  // namespace

std::string ExecutableFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    std::string exe(path, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : exe.substr(0, slash));
}

void SetProgramFolder(const std::string& folder) {
    ProgramDir = WithoutTrailingSlash(folder);
    DataDir = ProgramDir;
}

const std::string& ProgramFolder() {
    return ProgramDir;
}

std::string ProgramPath(const char* name) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (relative.empty() || relative.front() != '/') relative.insert(relative.begin(), '/');
    return ProgramDir + relative;
}

void SetDataFolder(const std::string& folder) {
    DataDir = WithoutTrailingSlash(folder);
}

const std::string& DataFolder() {
    return DataDir;
}

std::string DataPath(const char* name) {
    return DataDir + "/" + name;
}

bool InstalledProgramFolder(const std::string& programFolder) {
    const std::string folder = WithoutTrailingSlash(programFolder);
    const std::string installed = "/lib/VeltranoGame2";
    return folder.size() >= installed.size() &&
           folder.compare(folder.size() - installed.size(), installed.size(), installed) == 0;
}

std::string ChooseDataFolder(const std::string& programFolder, bool programFolderWritable,
                             const char* xdgDataHome, const char* home) {
    // An installed game is shared: even root, who may write its folder, keeps its files apart, so the
    // installed defaults stay what every new player starts from.
    if (programFolderWritable && !InstalledProgramFolder(programFolder))
        return WithoutTrailingSlash(programFolder);
    // XDG_DATA_HOME counts only when it is an absolute path; a relative one is ignored.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return WithoutTrailingSlash(xdgDataHome) + "/VeltranoGame2";
    if (home != nullptr && home[0] != '\0') return WithoutTrailingSlash(home) + "/.local/share/VeltranoGame2";
    return {};
}

bool PrepareDataFolder(const std::string& programFolder, const std::string& dataFolder, std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(dataFolder, ec);
    if (ec) {
        *error = "cannot make " + dataFolder + ": " + ec.message();
        return false;
    }
    for (const char* name : PlayerFiles) {
        const fs::path target = fs::path(dataFolder) / name;
        const fs::path source = fs::path(programFolder) / name;
        if (fs::exists(target, ec) || !fs::exists(source, ec)) continue;
        fs::copy_file(source, target, ec);
        if (ec) {
            *error = "cannot copy " + source.string() + " to " + dataFolder + ": " + ec.message();
            return false;
        }
    }
    return true;
}

void UseDataFolderFor(const std::string& programFolder) {
    const bool writable = access(programFolder.c_str(), W_OK) == 0;
    const std::string chosen =
        ChooseDataFolder(programFolder, writable, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    std::string error;
    if (chosen.empty()) {
        SayLine(
            "%s is not writable (or is an installed game's) and HOME is not set; "
            "scores will not be kept",
            programFolder.c_str());
    } else if (!PrepareDataFolder(programFolder, chosen, &error)) {
        SayLine("%s; scores will not be kept", error.c_str());
    } else {
        SetDataFolder(chosen);
        return;
    }
    SetDataFolder(programFolder);
}

}  // namespace veltrano
