#include <fstream>

#include "app/ConfigFile.h"
#include "app/ProgramFiles.h"
#include "tools/assetgen/Assets.h"

namespace veltrano::assetgen {

bool WriteConfigFiles(const std::filesystem::path& out, std::string* error) {
    // The ini is rewritten only when missing, so a player's key configuration survives rebuilds.
    const auto ini = out / ConfigFileName;
    if (!std::filesystem::exists(ini)) {
        std::ofstream file(ini, std::ios::binary);
        file << ShippedIniText();
        if (!file) {
            if (error) *error = ini.string() + ": cannot write";
            return false;
        }
    }
    // The game only ever writes a save file that exists; a fresh folder gets one of zeros.
    const auto save = out / SaveFileName;
    if (!std::filesystem::exists(save)) {
        std::ofstream file(save, std::ios::binary);
        const char zeros[SaveFileBytes] = {};
        file.write(zeros, sizeof zeros);
        if (!file) {
            if (error) *error = save.string() + ": cannot write";
            return false;
        }
    }
    return true;
}

}  // namespace veltrano::assetgen
