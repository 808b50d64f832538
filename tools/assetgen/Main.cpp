// Writes the game's data into the program folder: both picture sheets, the twenty-three waves in
// Sounds/, the default "VeltranoIni.ini" and, when none is there yet, a 44-byte "temp.dat" of zeros.
// With --contact-sheet or --mock-screens it instead draws review pictures from the sheets already there.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/assetgen/Assets.h"
#include "tools/assetgen/PictureReview.h"
#include "world/Sounds.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: assetgen PROGRAM_FOLDER\n"
                 "       assetgen --contact-sheet OUT.png PROGRAM_FOLDER\n"
                 "       assetgen --mock-screens OUT_FOLDER PROGRAM_FOLDER\n"
                 "       assetgen --player-files FOLDER   (only a fresh default ini and save file)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    if (argc == 4) {
        const std::string option = argv[1];
        bool ok;
        if (option == "--contact-sheet")
            ok = veltrano::assetgen::WriteContactSheet(argv[3], argv[2], &error);
        else if (option == "--mock-screens")
            ok = veltrano::assetgen::WriteMockScreens(argv[3], argv[2], &error);
        else
            return Usage();
        if (!ok) std::fprintf(stderr, "assetgen: %s\n", error.c_str());
        return ok ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--player-files") {
        // What an installed game gives a new player: the files it writes, untouched by any play.
        std::error_code ec;
        std::filesystem::create_directories(argv[2], ec);
        if (ec || !veltrano::assetgen::WriteConfigFiles(argv[2], &error)) {
            std::fprintf(stderr, "assetgen: %s\n", ec ? ec.message().c_str() : error.c_str());
            return 1;
        }
        return 0;
    }
    if (argc != 2) return Usage();
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out / veltrano::SoundsFolderName, ec);
    if (ec) {
        std::fprintf(stderr, "assetgen: cannot create %s: %s\n", (out / veltrano::SoundsFolderName).c_str(),
                     ec.message().c_str());
        return 1;
    }
    if (!veltrano::assetgen::WritePictures(out, &error) || !veltrano::assetgen::WriteSounds(out, &error) ||
        !veltrano::assetgen::WriteConfigFiles(out, &error)) {
        std::fprintf(stderr, "assetgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
