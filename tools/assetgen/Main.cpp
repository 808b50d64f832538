// Writes the game's data into the program folder: both picture sheets, the twenty-three waves in
// Sounds/, the default "VeltranoIni.ini" and, when none is there yet, a 44-byte "temp.dat" of zeros.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/assetgen/Assets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen PROGRAM_FOLDER\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out / "Sounds", ec);
    if (ec) {
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", (out / "Sounds").c_str(), ec.message().c_str());
        return 1;
    }
    std::string error;
    if (!veltrano::assetgen::WritePictures(out, &error) || !veltrano::assetgen::WriteSounds(out, &error) ||
        !veltrano::assetgen::WriteConfigFiles(out, &error)) {
        std::fprintf(stderr, "assetgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
