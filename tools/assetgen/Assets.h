// The generator's three parts, each writing its files into the program folder.
#pragma once

#include <filesystem>
#include <string>

namespace veltrano::assetgen {

// "背景.bmp", "キャラクター.bmp", "Lettering.bmp" and the desktop icons VeltranoGame2-64.png and -128.png.
bool WritePictures(const std::filesystem::path& programFolder, std::string* error);
// Sounds/*.wav: nine effects and fourteen pieces of music.
bool WriteSounds(const std::filesystem::path& programFolder, std::string* error);
// The default "VeltranoIni.ini", and "temp.dat" only when the folder has none (it holds the scores).
bool WriteConfigFiles(const std::filesystem::path& programFolder, std::string* error);

}  // namespace veltrano::assetgen
