#include "app/ProgramFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/ProgramFiles.h"
#include "platform/Say.h"
#include "platform/SystemFolders.h"
#include "world/Sounds.h"

namespace veltrano {

namespace {

std::string ProgramDir = ".";
std::string DataDir = ".";
std::string OtherDir;

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// The ini and save file beside an installed program are its defaults for a new player.
constexpr const char* PlayerFiles[] = {ConfigFileName, SaveFileName};

// A path from UTF-8 on every system (a narrow string is read in the code page on Windows).
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

void SetProgramFolder(const std::string& folder) {
    ProgramDir = WithoutTrailingSlash(folder);
    DataDir = ProgramDir;
    OtherDir.clear();
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
    fs::create_directories(PathOf(dataFolder), ec);
    if (ec) {
        *error = "cannot make " + dataFolder + ": " + ec.message();
        return false;
    }
    for (const char* name : PlayerFiles) {
        const fs::path target = PathOf(dataFolder) / name;
        const fs::path source = PathOf(programFolder) / name;
        if (fs::exists(target, ec) || !fs::exists(source, ec)) continue;
        fs::copy_file(source, target, ec);
        if (ec) {
            *error = "cannot copy " + programFolder + "/" + name + " to " + dataFolder + ": " + ec.message();
            return false;
        }
    }
    return true;
}

void UseDataFolderFor(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const bool writable = FolderWritable(programFolder);
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    // Where the system has a folder of its own for a player's files (Windows), a program folder that
    // cannot be written sends them there; elsewhere the XDG rule chooses.
    const std::string system = SystemPlayerFolder();
    const auto choose = [&](bool programFolderWritable) {
        return !programFolderWritable && !system.empty()
                   ? system
                   : ChooseDataFolder(programFolder, programFolderWritable, xdg, home);
    };
    const std::string chosen = choose(writable);
    const bool installed = InstalledProgramFolder(programFolder);
    const std::string own = WithoutTrailingSlash(programFolder);
    // A build's own folder and the player's data folder may each have held this player's scores.
    OtherDir.clear();
    if (!installed && chosen == own) OtherDir = choose(false);
    if (!installed && !chosen.empty() && chosen != own) OtherDir = own;
    std::error_code ec;
    const bool moving =
        !installed && !chosen.empty() && chosen != own && !fs::exists(PathOf(chosen) / SaveFileName, ec);
    std::string error;
    if (chosen.empty()) {
        SayLine(
            "%s is not writable (or is an installed game's) and HOME is not set; "
            "scores will not be kept",
            programFolder.c_str());
    } else if (!PrepareDataFolder(programFolder, chosen, &error)) {
        SayLine("%s; scores will not be kept", error.c_str());
    } else {
        if (moving)
            SayLine("%s is not writable; the scores and settings are kept in %s from now on", own.c_str(),
                    chosen.c_str());
        SetDataFolder(chosen);
        return;
    }
    OtherDir.clear();
    SetDataFolder(programFolder);
}

const std::string& OtherDataFolder() {
    return OtherDir;
}

namespace {

// The same file: one path names the other (links followed), or both name one file on the disk.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    namespace fs = std::filesystem;
    std::error_code ec, ec2;
    if (fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec2) && !ec && !ec2) return true;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

bool IsProgramOwnFile(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path file(path);
    for (const char* name : {BackgroundSheetFile, CharacterSheetFile, LetteringSheetFile, GlyphSheetFile})
        if (SameFile(file, ProgramPath(name))) return true;
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(file, ec).parent_path();
    const std::string name = file.filename().string();
    for (const std::string& home : {ProgramDir, DataDir}) {
        if (SameFile(folder, fs::path(home) / SoundsFolderName)) return true;
        if (SameFile(file, fs::path(home) / ConfigFileName)) return true;
        // The save file and the tables kept aside from it.
        if (name.compare(0, std::strlen(SaveFileName), SaveFileName) == 0 && SameFile(folder, home))
            return true;
        if (SameFile(file, fs::path(home) / SaveFileName)) return true;
    }
    return false;
}

}  // namespace veltrano
