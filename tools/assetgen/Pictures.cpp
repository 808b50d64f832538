// Placeholder sheets of the right sizes with the key pixels in place, until the real pictures land.
#include "platform/Surface.h"
#include "tools/assetgen/Assets.h"

namespace veltrano::assetgen {

bool WritePictures(const std::filesystem::path& out, std::string* error) {
    const uint32_t key = Rgb(255, 0, 255);
    Surface background;
    background.Create(320, 480);
    for (int y = 0; y < background.Height; ++y)
        for (int x = 0; x < background.Width; ++x)
            background.Row(y)[x] = Rgb(40 + (x / 80) * 40, 60 + (y / 80) * 25, 90);
    background.Row(0)[80] = key;
    Surface characters;
    characters.Create(384, 608, key);
    for (int y = 0; y < characters.Height; ++y)
        for (int x = 0; x < characters.Width; ++x)
            if ((x % 16) > 1 && (y % 16) > 1) characters.Row(y)[x] = Rgb(x / 2, y / 3, 200);
    characters.Row(0)[0] = key;
    return SaveBitmapFile(background, (out / "背景.bmp").string(), error) &&
           SaveBitmapFile(characters, (out / "キャラクター.bmp").string(), error);
}

}  // namespace veltrano::assetgen
