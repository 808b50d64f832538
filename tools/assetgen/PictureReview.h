// Review pictures made from the sheets in a program folder.
#pragma once

#include <filesystem>
#include <string>

namespace veltrano::assetgen {

// Both sheets enlarged twice, every cut cell outlined, numbered and named in a legend.
bool WriteContactSheet(const std::filesystem::path& programFolder, const std::filesystem::path& png,
                       std::string* error);
// One 640x480 PNG per scene family in `folder`: its layers as the game lays them, with sprites.
bool WriteMockScreens(const std::filesystem::path& programFolder, const std::filesystem::path& folder,
                      std::string* error);

}  // namespace veltrano::assetgen
